#pragma once
// The table of conditional symbology procedures: every procedure a look-up
// can call with CS(name), listed once with the feature kinds it serves, the
// function that runs it and the settings whose change makes it run again.
// Sub-procedures keep their S-52 names in their own files: DEPVAL02 and
// UDWHAZ05 (HazardDepth), SNDFRM04 (SoundingSymbols), SEABED01
// (DepthAreaProcedure), LITDSN02 (LightProcedure), QUALIN01 and QUAPNT02
// (LineProcedures, HazardProcedures).
#include <string_view>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"

// Settings a procedure reads; a change of any of them makes it run again.
enum SettingDependency : unsigned {
  kSafetyContour = 1u << 0,     // safetyContour
  kDepthShades = 1u << 1,       // shallowContour, deepContour, twoDepthShades, shallowPattern
  kHazardDepth = 1u << 2,       // hazardDepth
  kBoundaryStyle = 1u << 4,     // plainBoundaries
  kLightSettings = 1u << 5,     // lightLabels, rangeLegs
  kContourLabels = 1u << 6,     // contourLabels
  kSafetyDepth = 1u << 7,       // soundingSafetyDepth()
  kShallowWaterDangers = 1u << 8,  // shallowWaterDangers
};

// Feature kinds as bits, for the kinds a procedure serves.
constexpr unsigned kindBit(FeatureKind kind) { return 1u << static_cast<unsigned>(kind); }
constexpr unsigned kPointKind = kindBit(FeatureKind::Point);
constexpr unsigned kSoundingKind = kindBit(FeatureKind::Sounding);
constexpr unsigned kLineKind = kindBit(FeatureKind::Line);
constexpr unsigned kAreaKind = kindBit(FeatureKind::Area);

// A procedure appends to `out` (its instructions, and for lines and
// soundings its per-part lists) and may change how the feature is shown
// through `out`; it never changes the feature or the cell.
using ProcedureFunction = void (*)(const ChartFeature& feature, const S57Cell& cell, const DisplaySettings& settings,
                                   ProcedureResult& out);

struct ConditionalProcedure {
  const char* name;  // as look-ups call it: CS(DEPARE02)
  unsigned kinds;    // kindBit of each feature kind it serves
  ProcedureFunction run;
  unsigned rerunOn;  // SettingDependency bits
};

// Every procedure, in name order.
const ConditionalProcedure* procedureTableBegin();
const ConditionalProcedure* procedureTableEnd();

// The procedure of that name serving that kind, or null.
const ConditionalProcedure* findProcedure(std::string_view name, FeatureKind kind);

// The key of a result: the symbol style and the values of the settings in
// `dependencies` (the others left at 0); procedureResult sets which look-up
// list was walked.
ProcedureKey makeProcedureKey(const DisplaySettings& settings, unsigned dependencies);
