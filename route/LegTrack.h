#pragma once
// One leg of a route as sailed: a rhumb line (constant course) or a great
// circle (the geodesic, the shortest way) from one position to the next.
// Its length and courses, and the positions along it.
#include <vector>

#include "Geodesic.h"
#include "Loxodrome.h"

enum class LegKind { Rhumb, GreatCircle };

class LegTrack {
public:
  LegTrack(GeoPoint from, GeoPoint to, LegKind kind);

  LegKind kind() const { return kind_; }
  GeoPoint from() const { return from_; }
  GeoPoint to() const { return to_; }
  double metres() const { return metres_; }
  // True course at the start and on arrival (the same on a rhumb line).
  double initialCourse() const { return initialCourse_; }
  double finalCourse() const { return finalCourse_; }

  struct Point {
    GeoPoint position;
    double course = 0;
  };
  // The position a distance from the start along the leg (the leg's line
  // goes on beyond its ends); at the leg's length, exactly `to`.
  Point at(double metres) const;

  // The positions from `from` to `to`, one every `spacingMetres` along the
  // leg (the last step shorter), both ends included; at most kMaxPoints,
  // the spacing widened to keep to that. Appended to `out`.
  static constexpr int kMaxPoints = 100000;
  void appendPoints(double spacingMetres, std::vector<GeoPoint>& out) const;

private:
  LegTrack(GeoPoint from, GeoPoint to, LegKind kind, const GeodesicSolution& measure);

  GeoPoint from_, to_;
  LegKind kind_;
  double metres_ = 0, initialCourse_ = 0, finalCourse_ = 0;
  GeodesicLine geodesic_;
  RhumbLine rhumb_;
};
