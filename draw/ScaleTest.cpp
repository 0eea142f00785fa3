#include "ScaleTest.h"

#include "FeaturePortrayal.h"

bool shownAtViewScale(const DrawContext& dc, const ChartFeature& feature, const S57Cell& cell,
                      std::shared_ptr<const ProcedureResult>& result) {
  const float scale = dc.view.scale;
  if (featureShownAtScale(feature, nullptr, scale, dc.settings)) return true;
  if (feature.scaleMaximum != -1 && scale <= static_cast<float>(feature.scaleMaximum)) return false;
  result = procedureResult(feature, cell, dc.settings);
  return featureShownAtScale(feature, result.get(), scale, dc.settings);
}
