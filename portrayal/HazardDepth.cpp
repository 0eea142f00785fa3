#include "HazardDepth.h"

#include "CellFinishing.h"
#include "DisplaySettings.h"
#include "ProcedureSupport.h"

namespace {
constexpr int kDepthAreaClass = 42;    // DEPARE
constexpr int kDredgedAreaClass = 46;  // DRGARE

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
bool markDanger(ChartFeature& feature, std::string& symbol) {
  feature.displayPriority = 8;
  feature.secondLookup.category = 0;
  feature.viewingGroup = 14050;
  const std::string& watlev = feature.findAttribute("WATLEV");
  if (watlev == "1" || watlev == "2") return false;  // dries: not an underwater danger
  symbol = "ISODGR01";
  for (FeatureAttribute& a : feature.attributes) {
    if (a.acronym == "SCAMIN") {
      a.value = "-1";
      break;
    }
  }
  // The draw pass filters by the number read at load time, so the lifted
  // limit must reach it too, or a danger would still vanish at small scales.
  feature.scaleMinimum = -1;
  feature.radarFlag = 'O';  // over radar
  return true;
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
  return feature.objectClass == kDepthAreaClass || feature.objectClass == kDredgedAreaClass;
}

UnderlyingDepth deepestUnderlyingDepth(ChartFeature& feature, const std::string& watlev,
                                       const std::string& expsou, const S57Cell& cell,
                                       const ChartPoint& position) {
  if (feature.underlyingDepth == kUnknownDepth)
    feature.underlyingDepth =
        gatherDrval1(cell, [&](const AreaFeature& a) { return pointInArea(position, a); }, larger);
  UnderlyingDepth result;
  result.seabed = feature.underlyingDepth;
  if (exposed(watlev, expsou)) result.least = feature.underlyingDepth;
  return result;
}

float shallowestUnderlyingDepth(ChartFeature& feature, const std::string& watlev, const std::string& expsou,
                                const S57Cell& cell, const ChartPoint& position) {
  if (feature.underlyingDepth == kUnknownDepth)
    feature.underlyingDepth =
        gatherDrval1(cell, [&](const AreaFeature& a) { return pointInArea(position, a); }, smaller);
  return exposed(watlev, expsou) ? feature.underlyingDepth : kUnknownDepth;
}

float shallowestUnderlyingDepthOverPoints(ChartFeature& feature, const std::string& watlev,
                                          const std::string& expsou, const S57Cell& cell,
                                          const std::vector<ChartVertex>& points) {
  if (feature.underlyingDepth == kUnknownDepth)
    feature.underlyingDepth = gatherDrval1(
        cell, [&](const AreaFeature& a) { return &a != &feature && containsAny(a, points); }, smaller);
  return exposed(watlev, expsou) ? feature.underlyingDepth : kUnknownDepth;
}

float obstructionDepthWithoutSounding(const ChartFeature& feature) {
  const std::string& watlev = feature.findAttribute("WATLEV");
  if (feature.findAttribute("CATOBS") == "6") return 0.01f;
  if (watlev == "3") return 0.01f;
  if (watlev == "5") return 0.0f;
  return -15.0f;
}

void computeWreckDepth(ChartFeature& feature, const ChartPoint& position, const S57Cell& cell) {
  if (!feature.findAttribute("VALSOU").empty()) {
    feature.wreckDepth = attributeFloat(feature, "VALSOU");
    return;
  }
  const UnderlyingDepth under = deepestUnderlyingDepth(feature, feature.findAttribute("WATLEV"),
                                                       feature.findAttribute("EXPSOU"), cell, position);
  feature.wreckDepth = wreckDepthWithoutSounding(feature, under.least, under.seabed, true);
}

void computeWreckDepthOverPoints(ChartFeature& feature, const std::vector<ChartVertex>& points,
                                 const S57Cell& cell) {
  if (!feature.findAttribute("VALSOU").empty()) {
    feature.wreckDepth = attributeFloat(feature, "VALSOU");
    return;
  }
  const float least = shallowestUnderlyingDepthOverPoints(feature, feature.findAttribute("WATLEV"),
                                                          feature.findAttribute("EXPSOU"), cell, points);
  feature.wreckDepth = wreckDepthWithoutSounding(feature, least, kUnknownDepth, false);
}

bool underwaterHazard(ChartFeature& feature, float depth, const ChartPoint& position, std::string& symbol,
                      const S57Cell& cell) {
  const float safety = displaySettings().safetyContour;
  if (!(depth <= safety)) return false;
  bool dangerous = false;
  if (feature.underlyingDepth != kUnknownDepth) {
    dangerous = safety <= feature.underlyingDepth;
  } else {
    for (const auto& area : cell.areas) {
      if (!isDepthArea(*area) || !pointInArea(position, *area)) continue;
      if (!area->findAttribute("DRVAL1").empty() && attributeFloat(*area, "DRVAL1") >= safety) {
        dangerous = true;
        break;
      }
    }
  }
  return dangerous && markDanger(feature, symbol);
}

bool underwaterHazardOverPoints(ChartFeature& feature, float depth, const std::vector<ChartVertex>& points,
                                std::string& symbol, const S57Cell& cell) {
  const float safety = displaySettings().safetyContour;
  if (!(depth <= safety)) return false;
  if (feature.underlyingDepthOverPoints == kUnknownDepth)
    feature.underlyingDepthOverPoints = gatherDrval1(
        cell, [&](const AreaFeature& a) { return &a != &feature && containsAny(a, points); }, smaller);
  const float under = feature.underlyingDepthOverPoints;
  const bool dangerous = under != kUnknownDepth && safety <= under;
  return dangerous && markDanger(feature, symbol);
}
