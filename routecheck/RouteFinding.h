#pragma once
// What the route check reports: one object met by a leg's corridor, or one
// place where the chart along a leg falls short, with why it matters and the
// values behind it, as data a window words in its own language.
#include <cmath>
#include <string>

#include "MercatorProjection.h"

// An alarm needs the mariner's attention before the route is used; an
// indication tells of conditions to plan for.
enum class FindingKind { Alarm, Indication };

enum class FindingReason {
  // A depth area shallower than the safety contour: `depth` its DRVAL1,
  // `limit` the safety contour depth of its cell.
  ShallowWater,
  // Land or an area that is never water a ship may use: unsurveyed, a
  // floating dock, a hulk, a pontoon, a shoreline construction, a dam.
  NotNavigable,
  // A rock, wreck or obstruction not deeper than the safety contour: `depth`
  // its depth (as its symbol takes it), `limit` the safety contour.
  Danger,
  // A sounding shallower than the safety contour, in water the chart gives
  // as deep enough: `depth`, `limit`.
  ShoalSounding,
  // An object a ship may strike whatever the depth: an aid to navigation,
  // a platform, a bridge, a pylon, a fish haven, ice...
  Obstacle,
  // An area for which special conditions exist (traffic separation, a
  // restricted or caution area, an anchorage, a military area...). An alarm
  // where entry is prohibited or the area is to be avoided.
  SpecialArea,
  // The leg leaves the coverage of the ENC cells: no object.
  OutsideCoverage,
  // From here the leg is checked on a cell less detailed than the best that
  // covers another part of it: `scale` that cell's compilation scale,
  // `betterScale` the best one.
  LessDetailedData,
  // Data compiled at a smaller scale than their cell (M_CSCL), shown
  // overscaled at the cell's scale: `scale` the area's, `betterScale` the
  // cell's.
  Overscaled,
  // A cell that covers part of the leg is listed but not in memory (the
  // window unloads cells it has not drawn lately): its objects were not
  // checked. An alarm, so that an unchecked stretch is never taken for a
  // clear one; `cell` names it.
  CellNotLoaded,
};

// "alarm", "indication".
const char* findingKindName(FindingKind kind);
// "shallow-water", "not-navigable", "danger", "shoal-sounding", "obstacle",
// "special-area", "outside-coverage", "less-detailed-data", "overscaled",
// "cell-not-loaded".
const char* findingReasonName(FindingReason reason);

struct RouteFinding {
  int leg = 0;              // 0 for the leg from the first waypoint
  double alongMetres = 0;   // along the leg to the place below
  GeoPoint position;        // the first place the leg's corridor meets it
  FindingKind kind = FindingKind::Alarm;
  FindingReason reason = FindingReason::Danger;
  // The object: its class (OBJL and acronym), its feature object identifier
  // and the cell it was found in. Class 0 and an empty acronym for a
  // finding about no object.
  int objectClass = 0;
  std::string classAcronym;
  int agency = 0, featureNumber = 0, featureSubdivision = 0;
  std::string cell;
  // Metres, where the reason has them (see FindingReason); NaN otherwise.
  float depth = NAN;
  float limit = NAN;
  // Compilation scales, where the reason has them; 0 otherwise.
  int scale = 0;
  int betterScale = 0;
};
