#include "HazardDepth.h"

#include "CellFinishing.h"
#include "ProcedureSupport.h"

namespace {

bool containsAny(const AreaFeature& area, const std::vector<ChartVertex>& points) {
  for (const ChartVertex& v : points)
    if (pointInArea(v.point, area)) return true;
  return false;
}

// DRVAL1 of the depth areas that `contains` accepts, folded with `better`
// (which says whether a value replaces the one kept so far).
template <typename Contains, typename Better>
float gatherDrval1(const S57Cell& cell, Contains contains, Better better) {
  float kept = kUnknownDepth;
  for (const auto& area : cell.areas) {
    if (!isDepthArea(*area) || !contains(*area)) continue;
    if (area->findAttribute("DRVAL1").empty()) continue;
    const float value = attributeFloat(*area, "DRVAL1");
    if (kept == kUnknownDepth || better(value, kept)) kept = value;
  }
  return kept;
}

bool exposed(const std::string& watlev, const std::string& expsou) {
  return watlev == "3" && (expsou == "1" || expsou == "3");
}

bool larger(float a, float b) { return a > b; }
bool smaller(float a, float b) { return a < b; }

// The common end of both hazard tests for a hazard found dangerous.
bool markDanger(const ChartFeature& feature, std::string& symbol, ProcedureResult& out) {
  // Display base in both symbol styles: a danger must not depend on which
  // look-up list is in use.
  out.display.priority = 8;
  out.display.firstCategory = 0;
  out.display.secondCategory = 0;
  out.display.viewingGroup = 14050;
  const std::string& watlev = feature.findAttribute("WATLEV");
  if (watlev == "1" || watlev == "2") return false;  // dries: not an underwater danger
  symbol = "ISODGR01";
  // The danger shows at every scale: the draw pass reads this instead of
  // the feature's SCAMIN, or a danger would still vanish at small scales.
  out.display.scaleMinimumLifted = true;
  out.display.radarFlag = 'O';  // over radar
  return true;
}

// A hazard the mariner asked to see in shallow water: the danger symbol in
// the standard display (viewing group 24050), its SCAMIN kept. A drying one
// is no isolated danger.
bool markShallowWaterDanger(const ChartFeature& feature, std::string& symbol, ProcedureResult& out) {
  const std::string& watlev = feature.findAttribute("WATLEV");
  if (watlev == "1" || watlev == "2") return false;
  out.display.priority = 8;
  out.display.firstCategory = 1;
  out.display.secondCategory = 1;
  out.display.viewingGroup = 24050;
  out.display.radarFlag = 'O';  // over radar
  symbol = "ISODGR01";
  return true;
}

// The rest of both hazard tests once the depth of the water around is known
// (kUnknownDepth when no depth area tells it).
bool classifyHazard(const ChartFeature& feature, float around, std::string& symbol, const DisplaySettings& settings,
                    ProcedureResult& out) {
  if (around == kUnknownDepth) return false;
  if (settings.safetyContour <= around) return markDanger(feature, symbol, out);
  if (settings.shallowWaterDangers && around >= 0) return markShallowWaterDanger(feature, symbol, out);
  return false;
}

// wreckDepth from the least depth found underneath (or unknown) when VALSOU
// is absent.
float wreckDepthWithoutSounding(const ChartFeature& feature, float least, float seabed, bool pointForm) {
  if (least != kUnknownDepth) return least;
  const std::string& catwrk = feature.findAttribute("CATWRK");
  if (!catwrk.empty()) {
    if (catwrk != "1") return -15.0f;
    // A non-dangerous wreck: 66 m above the seabed, but never shallower
    // than 20.1 m.
    if (pointForm && seabed != kUnknownDepth && static_cast<double>(seabed) - 66.0 >= 20.1) return seabed - 66.0f;
    return 20.1f;
  }
  const std::string& watlev = feature.findAttribute("WATLEV");
  return (watlev == "3" || watlev == "5") ? 0.0f : -15.0f;
}
}  // namespace

bool isDepthArea(const ChartFeature& feature) {
  return feature.objectClass == s57::DEPARE || feature.objectClass == s57::DRGARE;
}

UnderlyingDepth deepestUnderlyingDepth(const ChartFeature& feature, const std::string& watlev,
                                       const std::string& expsou, const S57Cell& cell,
                                       const ChartPoint& position) {
  const float depth = feature.underlyingDepth.get(
      [&] { return gatherDrval1(cell, [&](const AreaFeature& a) { return pointInArea(position, a); }, larger); });
  UnderlyingDepth result;
  result.seabed = depth;
  if (exposed(watlev, expsou)) result.least = depth;
  return result;
}

float shallowestUnderlyingDepth(const ChartFeature& feature, const std::string& watlev, const std::string& expsou,
                                const S57Cell& cell, const ChartPoint& position) {
  const float depth = feature.underlyingDepth.get(
      [&] { return gatherDrval1(cell, [&](const AreaFeature& a) { return pointInArea(position, a); }, smaller); });
  return exposed(watlev, expsou) ? depth : kUnknownDepth;
}

float shallowestUnderlyingDepthOverPoints(const ChartFeature& feature, const std::string& watlev,
                                          const std::string& expsou, const S57Cell& cell,
                                          const std::vector<ChartVertex>& points) {
  const float depth = feature.underlyingDepth.get([&] {
    return gatherDrval1(cell, [&](const AreaFeature& a) { return &a != &feature && containsAny(a, points); }, smaller);
  });
  return exposed(watlev, expsou) ? depth : kUnknownDepth;
}

float obstructionDepthWithoutSounding(const ChartFeature& feature) {
  const std::string& watlev = feature.findAttribute("WATLEV");
  if (feature.findAttribute("CATOBS") == "6") return 0.01f;
  if (watlev == "3") return 0.01f;
  if (watlev == "5") return 0.0f;
  return -15.0f;
}

float wreckDepth(const ChartFeature& feature, const ChartPoint& position, const S57Cell& cell) {
  return feature.wreckDepth.get([&] {
    if (!feature.findAttribute("VALSOU").empty()) return attributeFloat(feature, "VALSOU");
    const UnderlyingDepth under = deepestUnderlyingDepth(feature, feature.findAttribute("WATLEV"),
                                                         feature.findAttribute("EXPSOU"), cell, position);
    return wreckDepthWithoutSounding(feature, under.least, under.seabed, true);
  });
}

float wreckDepthOverPoints(const ChartFeature& feature, const std::vector<ChartVertex>& points, const S57Cell& cell) {
  return feature.wreckDepth.get([&] {
    if (!feature.findAttribute("VALSOU").empty()) return attributeFloat(feature, "VALSOU");
    const float least = shallowestUnderlyingDepthOverPoints(feature, feature.findAttribute("WATLEV"),
                                                            feature.findAttribute("EXPSOU"), cell, points);
    return wreckDepthWithoutSounding(feature, least, kUnknownDepth, false);
  });
}

bool underwaterHazard(const ChartFeature& feature, float depth, const ChartPoint& position, std::string& symbol,
                      const S57Cell& cell, const DisplaySettings& settings, ProcedureResult& out) {
  if (!(depth <= settings.safetyContour)) return false;
  float under = feature.underlyingDepth.known() ? feature.underlyingDepth.get() : kUnknownDepth;
  if (under == kUnknownDepth) {
    // The deepest water around: safe water there makes it a danger.
    under = gatherDrval1(cell, [&](const AreaFeature& a) { return pointInArea(position, a); }, larger);
  }
  return classifyHazard(feature, under, symbol, settings, out);
}

bool underwaterHazardOverPoints(const ChartFeature& feature, float depth, const std::vector<ChartVertex>& points,
                                std::string& symbol, const S57Cell& cell, const DisplaySettings& settings,
                                ProcedureResult& out) {
  if (!(depth <= settings.safetyContour)) return false;
  const float under = feature.underlyingDepthOverPoints.get([&] {
    return gatherDrval1(cell, [&](const AreaFeature& a) { return &a != &feature && containsAny(a, points); }, smaller);
  });
  return classifyHazard(feature, under, symbol, settings, out);
}
