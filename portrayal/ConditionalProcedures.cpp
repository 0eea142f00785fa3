#include "ConditionalProcedures.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "DepthAreaProcedure.h"
#include "HazardProcedures.h"
#include "LightProcedure.h"
#include "LineProcedures.h"
#include "RestrictedAreaProcedures.h"
#include "SafetyContour.h"
#include "ShorelineConstruction.h"
#include "SoundingSymbols.h"
#include "SymbolInstructions.h"
#include "TopmarkProcedure.h"

namespace {
// Each entry point takes the feature of the kind the table says it serves.
const AreaFeature& area(const ChartFeature& f) { return static_cast<const AreaFeature&>(f); }
const LineFeature& line(const ChartFeature& f) { return static_cast<const LineFeature&>(f); }
const PointFeature& point(const ChartFeature& f) { return static_cast<const PointFeature&>(f); }

void DEPARE02(const ChartFeature& f, const S57Cell& cell, const DisplaySettings& s, ProcedureResult& out) {
  depthAreaProcedure(area(f), s, out.instructions);
  safetyContourEdges(area(f), cell, s, out.partInstructions);
}

void DEPCNT03(const ChartFeature& f, const S57Cell& cell, const DisplaySettings& s, ProcedureResult& out) {
  depthContourProcedure(line(f), cell, s, out);
}

void LIGHTS05(const ChartFeature& f, const S57Cell& cell, const DisplaySettings& s, ProcedureResult& out) {
  lightProcedure(point(f), cell, s, out);
}

void OBSTRN06(const ChartFeature& f, const S57Cell& cell, const DisplaySettings& s, ProcedureResult& out) {
  switch (f.kind) {
    case FeatureKind::Point: pointObstructionProcedure(point(f), cell, s, out); break;
    case FeatureKind::Line: lineObstructionProcedure(line(f), cell, s, out); break;
    case FeatureKind::Area: areaObstructionProcedure(area(f), cell, s, out); break;
    default: break;
  }
}

void QUAPOS01(const ChartFeature& f, const S57Cell&, const DisplaySettings&, ProcedureResult& out) {
  if (f.kind == FeatureKind::Line)
    lineQualityProcedure(line(f), out);
  else
    pointQualityProcedure(point(f), out);
}

void RESARE03(const ChartFeature& f, const S57Cell&, const DisplaySettings& s, ProcedureResult& out) {
  restrictedAreaProcedure(f, s, out);
}

void RESTRN01(const ChartFeature& f, const S57Cell&, const DisplaySettings&, ProcedureResult& out) {
  restrictionProcedure(f, out.instructions);
}

void SLCONS03(const ChartFeature& f, const S57Cell&, const DisplaySettings&, ProcedureResult& out) {
  switch (f.kind) {
    case FeatureKind::Point: shorelineConstructionProcedure(point(f), out); break;
    case FeatureKind::Line: shorelineConstructionProcedure(line(f), out); break;
    case FeatureKind::Area: shorelineConstructionProcedure(area(f), out); break;
    default: break;
  }
}

// The depth figure of every sounding of the feature, one list each.
void SOUNDG02(const ChartFeature& f, const S57Cell&, const DisplaySettings& s, ProcedureResult& out) {
  const auto& feature = static_cast<const SoundingFeature&>(f);
  out.partInstructions.assign(feature.soundings.size(), {});
  for (std::size_t i = 0; i < feature.soundings.size(); ++i)
    soundingSymbols(feature, feature.soundings[i].depth, s, out.partInstructions[i]);
}

void SYMINS02(const ChartFeature& f, const S57Cell&, const DisplaySettings&, ProcedureResult& out) {
  symbolInstructionProcedure(f, out);
}

void TOPMAR01(const ChartFeature& f, const S57Cell& cell, const DisplaySettings&, ProcedureResult& out) {
  topmarkProcedure(point(f), cell, out.instructions);
}

void WRECKS04(const ChartFeature& f, const S57Cell& cell, const DisplaySettings& s, ProcedureResult& out) {
  if (f.kind == FeatureKind::Area)
    areaWreckProcedure(area(f), cell, s, out);
  else
    wreckProcedure(point(f), cell, s, out);
}

// Hazards: whether they are dangers, and the depth figures some carry.
constexpr unsigned kHazardSettings = kSafetyContour | kHazardDepth | kShallowWaterDangers | kSafetyDepth;

// name, kinds served, function, settings that make it run again
const ConditionalProcedure kProcedures[] = {
    {"DEPARE02", kAreaKind, DEPARE02, kSafetyContour | kDepthShades},
    {"DEPCNT03", kLineKind, DEPCNT03, kContourLabels | kSafetyContour},
    {"LIGHTS05", kPointKind, LIGHTS05, kLightSettings},
    {"OBSTRN06", kPointKind | kLineKind | kAreaKind, OBSTRN06, kHazardSettings},
    {"QUAPOS01", kPointKind | kLineKind, QUAPOS01, 0},
    {"RESARE03", kAreaKind, RESARE03, kBoundaryStyle},
    {"RESTRN01", kAreaKind, RESTRN01, 0},
    {"SLCONS03", kPointKind | kLineKind | kAreaKind, SLCONS03, 0},
    {"SOUNDG02", kSoundingKind, SOUNDG02, kSafetyDepth},
    {"SYMINS02", kPointKind | kLineKind | kAreaKind, SYMINS02, 0},
    {"TOPMAR01", kPointKind, TOPMAR01, 0},
    {"WRECKS04", kPointKind | kAreaKind, WRECKS04, kHazardSettings},
};

float flag(bool b) { return b ? 1.0f : 0.0f; }
}  // namespace

bool ProcedureKey::operator==(const ProcedureKey& other) const {
  return firstLookup == other.firstLookup && dependencies == other.dependencies &&
         std::memcmp(values.data(), other.values.data(), sizeof(float) * values.size()) == 0;
}

const ConditionalProcedure* procedureTableBegin() { return std::begin(kProcedures); }
const ConditionalProcedure* procedureTableEnd() { return std::end(kProcedures); }

const ConditionalProcedure* findProcedure(std::string_view name, FeatureKind kind) {
  for (const ConditionalProcedure& p : kProcedures)
    if (name == p.name && (p.kinds & kindBit(kind)) != 0) return &p;
  return nullptr;
}

ProcedureKey makeProcedureKey(const DisplaySettings& s, unsigned dependencies) {
  ProcedureKey key;
  key.firstLookup = s.paperChartSymbols;
  key.dependencies = dependencies;
  auto put = [&](unsigned dependency, std::size_t slot, float value) {
    if (dependencies & dependency) key.values[slot] = value;
  };
  put(kSafetyContour, 0, s.safetyContour);
  put(kDepthShades, 1, s.shallowContour);
  put(kDepthShades, 2, s.deepContour);
  put(kDepthShades, 3, flag(s.twoDepthShades));
  put(kDepthShades, 4, flag(s.shallowPattern));
  put(kHazardDepth, 5, s.hazardDepth);
  put(kBoundaryStyle, 7, flag(s.plainBoundaries));
  put(kLightSettings, 8, flag(s.lightLabels));
  put(kLightSettings, 9, flag(s.rangeLegs));
  put(kContourLabels, 10, flag(s.contourLabels));
  put(kSafetyDepth, 12, s.soundingSafetyDepth());
  put(kShallowWaterDangers, 13, flag(s.shallowWaterDangers));
  return key;
}
