#pragma once
// The depth of a hazard taken from the depth areas around it (S-52
// DEPVAL02), the depth of a wreck, and the underwater hazard test (S-52
// UDWHAZ05) that marks a hazard shallower than the safety contour as an
// isolated danger. Depth areas are the cell's areas of class DEPARE or
// DRGARE. kUnknownDepth stands for an unknown depth.
#include <string>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ProcedureResult.h"
#include "S57Vocabulary.h"

struct UnderlyingDepth {
  float least = kUnknownDepth;   // counts only for an always-submerged hazard of known exposure
  float seabed = kUnknownDepth;  // the deepest DRVAL1 under the hazard
};

bool isDepthArea(const ChartFeature& feature);

// DEPVAL02, point form. The largest DRVAL1 of the depth areas containing
// `position`, kept in the feature's underlyingDepth. The least depth is that
// value only when WATLEV is "3" and EXPSOU is "1" or "3".
UnderlyingDepth deepestUnderlyingDepth(const ChartFeature& feature, const std::string& watlev,
                                       const std::string& expsou, const S57Cell& cell,
                                       const ChartPoint& position);

// The smallest DRVAL1 of the depth areas containing `position` (kept in
// underlyingDepth), as a least depth under the same exposure rule.
float shallowestUnderlyingDepth(const ChartFeature& feature, const std::string& watlev, const std::string& expsou,
                                const S57Cell& cell, const ChartPoint& position);

// DEPVAL02 for a line or area: the depth areas other than the feature
// itself that contain any of `points`.
float shallowestUnderlyingDepthOverPoints(const ChartFeature& feature, const std::string& watlev,
                                          const std::string& expsou, const S57Cell& cell,
                                          const std::vector<ChartVertex>& points);

// The depth of an obstruction that has no VALSOU and whose depth areas told
// nothing: 0.01 for a foul area (CATOBS 6) or an always-submerged one
// (WATLEV 3), 0 when it covers and uncovers (WATLEV 5), else -15.
float obstructionDepthWithoutSounding(const ChartFeature& feature);

// The depth of a point wreck, kept in the feature's wreckDepth: VALSOU,
// else the least depth underneath, else from CATWRK and WATLEV (a
// non-dangerous wreck 66 m above the seabed, at least 20.1 m).
float wreckDepth(const ChartFeature& feature, const ChartPoint& position, const S57Cell& cell);
// The same for a wreck drawn as an area (its outline points).
float wreckDepthOverPoints(const ChartFeature& feature, const std::vector<ChartVertex>& points, const S57Cell& cell);

// UDWHAZ05: whether a hazard of `depth` at `position` is an isolated danger:
// not deeper than the safety contour, in water at least as deep as the
// safety contour, and not drying (WATLEV 1 or 2). A danger sets `symbol` to
// "ISODGR01", lifts the minimum-scale limit and moves the result to
// priority 8, base display with either symbol style, over radar ('O') and
// viewing group 14050. A
// drying hazard in deep water gets the priority, category and viewing group
// but is not reported. With the mariner's isolated dangers in shallow
// water, a hazard in water shallower than the safety contour (0 m or
// deeper: not in a drying area) is one too, in the standard display
// (viewing group 24050, priority 8, over radar), its SCAMIN kept.
bool underwaterHazard(const ChartFeature& feature, float depth, const ChartPoint& position, std::string& symbol,
                      const S57Cell& cell, const DisplaySettings& settings, ProcedureResult& out);

// The line and area form: the depth areas (other than the feature)
// containing any of `points`; their smallest DRVAL1 is kept in the
// feature's underlyingDepthOverPoints.
bool underwaterHazardOverPoints(const ChartFeature& feature, float depth, const std::vector<ChartVertex>& points,
                                std::string& symbol, const S57Cell& cell, const DisplaySettings& settings,
                                ProcedureResult& out);
