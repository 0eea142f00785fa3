#pragma once
// The objects of one cell that one leg's corridor meets, and what each means
// for the ship: shallow water and land where the corridor crosses into
// them, dangers not deeper than the safety contour, shoal soundings,
// obstacles at any depth, areas for which special conditions exist and
// data compiled at a smaller scale than the cell's.
//
// Each object is reported at the first place (along the leg) where the
// corridor meets it and no more detailed cell covers the chart; an object
// whose every such place lies under a better cell's coverage is left to
// that cell. An area the corridor crosses into is met where its boundary
// lies in the corridor, and at the leg's start when the start lies in it.
// Water that is not safe (shallow or never navigable) is reported where the
// corridor crosses its boundary, and at the route's start: a leg that runs
// wholly inside it was reported where the route entered it.
#include <vector>

#include "CheckedCell.h"
#include "CorridorProbe.h"
#include "RouteFinding.h"

struct LegScan {
  int leg = 0;
  const CorridorProbe* probe = nullptr;
  ChartPoint start;  // the leg's first waypoint
  bool routeStart = false;  // the leg starts the route
  float safetyContour = 0;
  int date = 0;  // YYYYMMDD; objects dated otherwise are left out; 0: every object
  // The candidate cells more detailed than the one scanned.
  const std::vector<const CheckedCell*>* better = nullptr;
};

void scanCell(const LegScan& scan, const CheckedCell& cell, std::vector<RouteFinding>& out);
