#pragma once
// The synthetic sea the portfolio charts: a coast running north and south
// just inside the portfolio's western edge, land to the west of it, and depth
// contours to the east that follow the coast at distances growing with
// depth. Every position is a function of latitude alone, so that cells of
// one band sampling the same rows agree exactly along their shared edges.
#include <vector>

namespace portfolio {

// Longitude of the coast at a latitude, degrees.
double coastLongitude(double latitude);

// Longitude of the depth contour of `depth` metres (one of contourDepths())
// at a latitude: always east of the coast and of every shallower contour.
double contourLongitude(double depth, double latitude);

// Every depth the sea has a contour for, shallow to deep, metres.
const std::vector<double>& contourDepths();

// The contours a band shows, shallow to deep: the general band leaves out
// the shallowest ones, the harbour band shows them all.
std::vector<double> bandContours(int band);

// Kilometres to degrees of longitude at a latitude.
double kilometresToLongitude(double kilometres, double latitude);
// Kilometres to degrees of latitude.
double kilometresToLatitude(double kilometres);

}  // namespace portfolio
