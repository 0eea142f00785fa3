#pragma once
// The check of a route against the chart before it is used: along each
// leg's corridor, on the most detailed cell at every place (the cells the
// display draws at their compilation scale: the coverage of each, M_COVR of
// CATCOV 1, the more detailed over the less), it finds
// - crossings into water shallower than the safety contour and into land or
//   other water that is never safe (alarms),
// - rocks, wrecks and obstructions not deeper than the safety contour,
//   shoal soundings, and objects dangerous at any depth (alarms),
// - areas for which special conditions exist (indications; alarms where
//   entry is prohibited or the area is to be avoided),
// - where a leg leaves the coverage of the cells, and where it is checked
//   on data less detailed than the best along it or compiled at a smaller
//   scale than its cell (indications).
//
// The check reads the cells it is given and the route, and keeps nothing:
// run it on any thread while the cells stay as they are (a snapshot of the
// cell list and its index). The findings come sorted by leg, then by
// distance along the leg; an object is reported once per leg, at the first
// place the corridor meets it.
#include <atomic>
#include <optional>
#include <vector>

#include "CellIndex.h"
#include "Route.h"
#include "RouteFinding.h"

struct RouteCheckSettings {
  float safetyContour = 10;  // metres
  // Every leg's corridor this wide to each side instead of its own XTD.
  std::optional<double> xtdMetres;
  // The date the route is sailed (YYYYMMDD): objects that exist only at
  // other dates are left out. 0: every object, whatever its dates.
  int date = 0;
  // When set and it becomes true, the check stops at the next leg.
  const std::atomic<bool>* cancel = nullptr;
};

struct RouteCheckResult {
  std::vector<RouteFinding> findings;
  int legs = 0;
  double lengthMetres = 0;
  bool cancelled = false;
};

RouteCheckResult checkRoute(const Route& route, const CellIndex& cells, const RouteCheckSettings& settings);
