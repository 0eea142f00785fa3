#pragma once
// The scale test of the draw pass, which must not cost the procedures of
// every feature that its own scale range hides.
#include <memory>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "DrawContext.h"
#include "ProcedureResult.h"

// Whether the feature shows at true scale `scale`. Its own SCAMAX and SCAMIN
// decide (SCAMIN only when the settings use it), except that a danger whose procedure lifted its SCAMIN shows all
// the same: the procedures run here only for a feature that its SCAMIN
// would hide, and their result is handed back in `result` (else left null).
bool shownAtScale(const DisplaySettings& settings, float scale, const ChartFeature& feature, const S57Cell& cell,
                  std::shared_ptr<const ProcedureResult>& result);

// The same at the true scale of the pass (DrawContext::scale).
bool shownAtViewScale(const DrawContext& dc, const ChartFeature& feature, const S57Cell& cell,
                      std::shared_ptr<const ProcedureResult>& result);
