#include "ScaleTest.h"

#include "FeaturePortrayal.h"

bool shownAtScale(const DisplaySettings& settings, float scale, const ChartFeature& feature, const S57Cell& cell,
                  std::shared_ptr<const ProcedureResult>& result) {
  if (featureShownAtScale(feature, nullptr, scale, settings)) return true;
  if (feature.scaleMaximum != -1 && scale <= static_cast<float>(feature.scaleMaximum)) return false;
  result = procedureResult(feature, cell, settings);
  return featureShownAtScale(feature, result.get(), scale, settings);
}

bool shownAtViewScale(const DrawContext& dc, const ChartFeature& feature, const S57Cell& cell,
                      std::shared_ptr<const ProcedureResult>& result) {
  return shownAtScale(dc.settings, dc.scale, feature, cell, result);
}
