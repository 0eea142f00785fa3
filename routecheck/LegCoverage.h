#pragma once
// Where along a leg the cells' coverage lies: the leg's line in chart units
// (the chart's straight pieces, its longitudes unwrapped so that a leg
// across the 180th meridian stays in one piece) cut by the rings of each
// coverage area. From these stretches the check tells where the leg leaves
// the coverage of every cell, and which cell is the most detailed at each
// place of the leg.
#include <utility>
#include <vector>

#include "CheckedCell.h"
#include "ChartModel.h"
#include "LegTrack.h"

// Stretches of a leg, in metres from its start: sorted, disjoint.
using Stretches = std::vector<std::pair<double, double>>;

class LegLine {
public:
  explicit LegLine(const LegTrack& leg);

  double length() const { return length_; }
  // The stretches of the line inside the area (outside its holes), added
  // to `out` (which stays sorted and disjoint).
  void addInside(const AreaFeature& area, Stretches& out) const;
  // The stretches inside any coverage area of the cell.
  void addCoverage(const CheckedCell& cell, Stretches& out) const;
  ChartPoint pointAt(double along) const;

private:
  std::vector<ChartPoint> points_;
  std::vector<double> along_;
  double length_ = 0;
  ChartBox box_;
};

// `a` joined with `b`, in place.
void uniteStretches(Stretches& a, const Stretches& b);
// What of `a` lies outside `b`.
Stretches subtractStretches(const Stretches& a, const Stretches& b);
// What of [0, length] lies outside `covered`, leaving out gaps shorter than
// `tolerance` (cells that join edge to edge may leave a hair between them).
Stretches gapsIn(const Stretches& covered, double length, double tolerance);
