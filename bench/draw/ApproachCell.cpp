#include "ApproachCell.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "CellRecords.h"
#include "SyntheticRandom.h"

using namespace s57write;
using demo::CellRecords;
using demo::EdgeUse;
using portfolio::SyntheticRandom;

namespace {

enum ObjectClass : int {
  BOYLAT = 17, BUISGL = 12, COALNE = 30, DEPARE = 42, DEPCNT = 43, LNDARE = 71, LNDMRK = 74, LIGHTS = 75,
  OBSTRN = 86, SBDARE = 121, SOUNDG = 129, WRECKS = 159, M_COVR = 302,
};
enum AttributeCode : int {
  BOYSHP = 4, CATLAM = 36, CATLMK = 35, CATOBS = 42, CATWRK = 71, CATCOV = 18, COLOUR = 75, CONVIS = 83,
  DRVAL1 = 87, DRVAL2 = 88, FUNCTN = 94, LITCHR = 107, NATSUR = 113, SCAMIN = 133, SIGGRP = 141, SIGPER = 142,
  SORDAT = 147, SORIND = 148, VALDCO = 174, VALNMR = 178, VALSOU = 179, WATLEV = 187,
};
constexpr double kTwoPi = 6.283185307179586;

// The cell's frame, degrees; rows of latitude every kStep, a node every
// kRowsPerPiece rows, where the depth areas are cut.
constexpr double kSouth = -30.30, kWest = 99.65, kEast = 100.35;
constexpr double kStep = 0.00005;  // 5.6 m
constexpr int kPieces = 12;
constexpr int kRowsPerPiece = 1000;  // 0.05 degrees
constexpr int kRows = kPieces * kRowsPerPiece;
constexpr double kDepths[] = {2, 5, 10, 15, 20, 30, 50, 75, 100, 150};
constexpr int kContours = static_cast<int>(std::size(kDepths));
// Longitude of each contour east of the coast, degrees.
constexpr double kOffsets[] = {0.02, 0.045, 0.075, 0.11, 0.15, 0.2, 0.26, 0.33, 0.41, 0.5};

Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(std::lround(latitude * 1e7)), static_cast<int32_t>(std::lround(longitude * 1e7))};
}

double rowLatitude(int row) { return kSouth + row * kStep; }

// A coast's meanders: waves from 11 km down to 90 m, each smaller than the
// last, at phases of their own.
struct Meanders {
  double amplitude[8];
  double phase[8];
  double wavelength[8];

  Meanders(SyntheticRandom& random, double largest) {
    for (int m = 0; m < 8; ++m) {
      amplitude[m] = largest * std::pow(0.55, m);
      wavelength[m] = 0.1 * std::pow(0.5, m) * random.uniform(0.8, 1.25);
      phase[m] = random.uniform(0, kTwoPi);
    }
  }
  double at(double latitude) const {
    double sum = 0;
    for (int m = 0; m < 8; ++m) sum += amplitude[m] * std::sin(kTwoPi * latitude / wavelength[m] + phase[m]);
    return sum;
  }
};

std::string sourceDate(int n) { return "2014" + std::to_string(1001 + n % 1130); }

class ApproachCellWriter {
public:
  ApproachCellWriter() : random_(std::string("XX4APPR1")), records_(dataSet(), parameters(), 550) {}

  std::string write() {
    curves();
    edges();
    areasAndLines();
    islands();
    soundings();
    points();
    return records_.finish().image();
  }

private:
  static DataSet dataSet() {
    DataSet d;
    d.dsnm = "XX4APPR1.000";
    d.edtn = "1";
    return d;
  }
  static Parameters parameters() {
    Parameters p;
    p.cscl = 80000;
    return p;
  }

  // Curve 0 is the west edge of the cell, 1 the coast, 2 .. 11 the contours
  // and 12 the east edge: each a longitude per row.
  static constexpr int kCurves = kContours + 3;
  static constexpr int kCoast = 1;

  void curves() {
    const Meanders coast(random_, 0.004);
    longitude_.assign(kCurves, std::vector<double>(kRows + 1));
    for (int r = 0; r <= kRows; ++r) {
      const double latitude = rowLatitude(r);
      longitude_[0][static_cast<size_t>(r)] = kWest;
      longitude_[kCurves - 1][static_cast<size_t>(r)] = kEast;
      longitude_[kCoast][static_cast<size_t>(r)] = kWest + 0.1 + coast.at(latitude);
    }
    for (int k = 0; k < kContours; ++k) {
      const Meanders own(random_, 0.0006);
      for (int r = 0; r <= kRows; ++r) {
        const double latitude = rowLatitude(r);
        const double coastShift = longitude_[kCoast][static_cast<size_t>(r)] - kWest - 0.1;
        longitude_[static_cast<size_t>(kCoast + 1 + k)][static_cast<size_t>(r)] =
            kWest + 0.1 + kOffsets[k] + coastShift * (1 - 0.05 * (k + 1)) + own.at(latitude);
      }
    }
  }

  Coordinate curvePoint(int curve, int row) const {
    return at(rowLatitude(row), longitude_[static_cast<size_t>(curve)][static_cast<size_t>(row)]);
  }

  // A node where each curve meets each cut; along each curve an edge per
  // piece through every row between, the cell's edges straight; along each
  // cut an edge between neighbouring curves.
  void edges() {
    nodes_.assign(kCurves, std::vector<int64_t>(kPieces + 1));
    for (int c = 0; c < kCurves; ++c)
      for (int p = 0; p <= kPieces; ++p)
        nodes_[static_cast<size_t>(c)][static_cast<size_t>(p)] = records_.connectedNode(curvePoint(c, p * kRowsPerPiece));
    along_.assign(kCurves, std::vector<int64_t>(kPieces));
    for (int c = 0; c < kCurves; ++c)
      for (int p = 0; p < kPieces; ++p) {
        std::vector<Coordinate> interior;
        if (c != 0 && c != kCurves - 1)
          for (int r = p * kRowsPerPiece + 1; r < (p + 1) * kRowsPerPiece; ++r) interior.push_back(curvePoint(c, r));
        along_[static_cast<size_t>(c)][static_cast<size_t>(p)] =
            records_.edge(node(c, p), node(c, p + 1), interior);
      }
    across_.assign(kCurves - 1, std::vector<int64_t>(kPieces + 1));
    for (int c = 0; c + 1 < kCurves; ++c)
      for (int p = 0; p <= kPieces; ++p)
        across_[static_cast<size_t>(c)][static_cast<size_t>(p)] = records_.edge(node(c, p), node(c + 1, p));
  }

  int64_t node(int curve, int piece) const { return nodes_[static_cast<size_t>(curve)][static_cast<size_t>(piece)]; }
  int64_t along(int curve, int piece) const {
    return along_[static_cast<size_t>(curve)][static_cast<size_t>(piece)];
  }
  int64_t across(int curve, int cut) const { return across_[static_cast<size_t>(curve)][static_cast<size_t>(cut)]; }

  // The band between curve c and c + 1 in piece p, clockwise.
  std::vector<EdgeUse> band(int c, int p) const {
    return {{along(c, p), 1}, {across(c, p + 1), 1}, {along(c + 1, p), 2}, {across(c, p), 2}};
  }

  std::vector<Attribute> sourced(std::vector<Attribute> attributes) {
    const int n = ++sourced_;
    attributes.push_back({SORDAT, sourceDate(n)});
    attributes.push_back({SORIND, "US,US,graph,Chart " + std::to_string(12200 + n % 90)});
    return attributes;
  }

  void areasAndLines() {
    std::vector<EdgeUse> coverage;
    for (int p = 0; p < kPieces; ++p) coverage.push_back({along(0, p), 1});
    for (int c = 0; c + 1 < kCurves; ++c) coverage.push_back({across(c, kPieces), 1});
    for (int p = kPieces - 1; p >= 0; --p) coverage.push_back({along(kCurves - 1, p), 2});
    for (int c = kCurves - 2; c >= 0; --c) coverage.push_back({across(c, 0), 2});
    records_.area(coverage, M_COVR, {{CATCOV, "1"}});

    for (int p = 0; p < kPieces; ++p) {
      records_.area(band(0, p), LNDARE, sourced({}));
      records_.lineFeature({{along(kCoast, p), 1}}, COALNE, sourced({}));
      for (int k = 0; k < kContours; ++k)
        records_.lineFeature({{along(kCoast + 1 + k, p), 1}}, DEPCNT, sourced({{VALDCO, number(kDepths[k])}}));
    }
  }

  static std::string number(double value) {
    const long whole = std::lround(value * 10);
    return std::to_string(whole / 10) + (whole % 10 ? "." + std::to_string(whole % 10) : "");
  }

  // Islands in the bands between contours, each a ring of its own with a
  // meandering shore; the depth areas are written after them, with their
  // islands as holes.
  void islands() {
    for (int c = kCoast; c + 1 < kCurves; ++c)
      for (int p = 0; p < kPieces; ++p) {
        std::vector<EdgeUse> holes;
        const bool between = c > kCoast && c + 1 < kCurves - 1;
        const int count = between ? 1 + (c + p) % 2 : 0;
        for (int i = 0; i < count; ++i) {
          const int row = p * kRowsPerPiece + kRowsPerPiece * (1 + 2 * i) / (2 * count);
          holes.push_back({island(c, row, random_.uniform(0.0015, 0.005)), 2});
        }
        const double shallow = c == kCoast ? 0 : kDepths[c - kCoast - 1];
        const double deep = c - kCoast < kContours ? kDepths[c - kCoast] : shallow + 50;
        records_.area(band(c, p), DEPARE, sourced({{DRVAL1, number(shallow)}, {DRVAL2, number(deep)}}), {}, holes);
      }
  }

  // One island in the band between curve c and c + 1 about a row, of about
  // `radius` degrees of longitude (less where the band is narrow): its land,
  // its coastline, and its ring returned for the hole. Each vertex lies off
  // the middle of the band at its own row, a tenth of the band's width at
  // least from either side.
  int64_t island(int c, int row, double radius) {
    const double phase[3] = {random_.uniform(0, kTwoPi), random_.uniform(0, kTwoPi), random_.uniform(0, kTwoPi)};
    const double squeeze = std::cos(rowLatitude(row) * kTwoPi / 360);
    for (;; radius *= 0.7) {
      const double metres = radius * 111000 * squeeze;
      const int count = std::max(24, static_cast<int>(kTwoPi * metres / 6));
      std::vector<Coordinate> ring;
      bool inside = true;
      for (int i = 0; i < count && inside; ++i) {
        const double t = kTwoPi * i / count;
        const double r = radius * (1 + 0.25 * std::sin(3 * t + phase[0]) + 0.1 * std::sin(7 * t + phase[1]) +
                                   0.03 * std::sin(29 * t + phase[2]));
        const double latitude = rowLatitude(row) - r * squeeze * std::sin(t);
        const int nearest = std::clamp(static_cast<int>(std::lround((latitude - kSouth) / kStep)), 0, kRows);
        const double west = longitude_[static_cast<size_t>(c)][static_cast<size_t>(nearest)];
        const double east = longitude_[static_cast<size_t>(c + 1)][static_cast<size_t>(nearest)];
        const double longitude = (west + east) / 2 + r * std::cos(t);
        inside = longitude > west + 0.1 * (east - west) && longitude < east - 0.1 * (east - west);
        const Coordinate point = at(latitude, longitude);
        if (ring.empty() || ring.back().x != point.x || ring.back().y != point.y) ring.push_back(point);
      }
      if (!inside) continue;
      const int64_t edge = records_.ring(ring);
      records_.area({{edge, 1}}, LNDARE, sourced({}));
      records_.lineFeature({{edge, 1}}, COALNE, sourced({}));
      return edge;
    }
  }

  // A place in the water between curve c and c + 1 at a row.
  Coordinate water(int c, int row, double across) const {
    const double west = longitude_[static_cast<size_t>(c)][static_cast<size_t>(row)];
    const double east = longitude_[static_cast<size_t>(c + 1)][static_cast<size_t>(row)];
    return at(rowLatitude(row), west + (east - west) * across);
  }

  void soundings() {
    for (int group = 0; group < 500; ++group) {
      const int c = kCoast + random_.below(kContours);
      std::vector<Sounding> spots;
      const int first = random_.below(kRows - 500);
      for (int i = 0; i < 12; ++i) {
        const Coordinate place = water(c, first + 40 * i, random_.uniform(0.1, 0.9));
        const double shallow = c == kCoast ? 0.5 : kDepths[c - kCoast - 1];
        const double depth = random_.uniform(shallow, kDepths[c - kCoast]);
        spots.push_back({place.y, place.x, static_cast<int32_t>(std::lround(depth * 10))});
      }
      records_.point(records_.soundingNode(spots), SOUNDG, sourced({{SCAMIN, "179999"}}));
    }
  }

  void points() {
    for (int i = 0; i < 400; ++i) {
      const int c = kCoast + 1 + random_.below(kContours - 1);
      const int64_t node = records_.isolatedNode(water(c, random_.below(kRows), random_.uniform(0.2, 0.8)));
      const bool port = i % 2 == 0;
      const std::string name = "No. " + std::to_string(i + 1);
      const size_t buoy = records_.point(node, BOYLAT,
                                         sourced({{BOYSHP, port ? "2" : "1"}, {CATLAM, port ? "1" : "2"},
                                                  {COLOUR, port ? "3" : "4"}, {SCAMIN, "359999"}}),
                                         {name.c_str(), nullptr});
      if (i % 3 == 0)
        records_.link(buoy, records_.point(node, LIGHTS,
                                           sourced({{COLOUR, port ? "3" : "4"}, {LITCHR, "2"}, {SIGGRP, "(1)"},
                                                    {SIGPER, "4"}, {VALNMR, "3"}, {SCAMIN, "359999"}})));
    }
    for (int i = 0; i < 800; ++i) {
      const int c = kCoast + random_.below(kContours);
      const int64_t node = records_.isolatedNode(water(c, random_.below(kRows), random_.uniform(0.1, 0.9)));
      const std::string depth = number(random_.uniform(1, 40));
      if (i % 2)
        records_.point(node, WRECKS, sourced({{CATWRK, "2"}, {VALSOU, depth}, {WATLEV, "3"}, {SCAMIN, "259999"}}));
      else
        records_.point(node, OBSTRN, sourced({{CATOBS, "6"}, {VALSOU, depth}, {WATLEV, "3"}, {SCAMIN, "259999"}}));
    }
    static const char* bottoms[] = {"4", "1", "2", "4,1", "6"};
    for (int i = 0; i < 1800; ++i) {
      const int c = kCoast + random_.below(kContours + 1);
      const int64_t node = records_.isolatedNode(water(c, random_.below(kRows), random_.uniform(0.1, 0.9)));
      records_.point(node, SBDARE, sourced({{NATSUR, bottoms[i % 5]}, {SCAMIN, "119999"}}));
    }
    for (int i = 0; i < 1000; ++i) {
      const int64_t node = records_.isolatedNode(water(0, random_.below(kRows), random_.uniform(0.1, 0.95)));
      if (i % 5 == 0)
        records_.point(node, LNDMRK, sourced({{CATLMK, "17"}, {CONVIS, "1"}, {SCAMIN, "179999"}}), {"Tower", nullptr});
      else
        records_.point(node, BUISGL, sourced({{FUNCTN, "33"}, {SCAMIN, "89999"}}));
    }
  }

  SyntheticRandom random_;
  CellRecords records_;
  std::vector<std::vector<double>> longitude_;  // per curve, per row
  std::vector<std::vector<int64_t>> nodes_;     // per curve, per cut
  std::vector<std::vector<int64_t>> along_;     // per curve, per piece
  std::vector<std::vector<int64_t>> across_;    // per pair of curves, per cut
  int sourced_ = 0;
};

}  // namespace

std::string approachCellImage() { return ApproachCellWriter().write(); }
