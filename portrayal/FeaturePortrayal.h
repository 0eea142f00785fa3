#pragma once
// What the draw pass asks of portrayal about one feature: the look-up list
// in use, the result of its conditional procedures under the settings, and
// how it is shown (display category, viewing group, scale range) once they
// ran. None of it draws.
#include <memory>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"
#include "ProcedureResult.h"

// The look-up list drawn: for points the first (paper-chart) one with
// paper-chart symbols, for areas the first (plain boundaries) one with
// plain boundaries, else the second; soundings always use the second.
LookupList listInUse(const ChartFeature& feature, const DisplaySettings& settings);
const LookupResult& lookupInUse(const ChartFeature& feature, const DisplaySettings& settings);

// Whether the look-up list in use calls any conditional procedure.
bool callsProcedure(const ChartFeature& feature, const DisplaySettings& settings);

// The result of the conditional procedures the look-up list in use calls
// (CS instructions, run in list order, each starting from empty lists), for
// these settings. The result kept on the feature is reused while the
// settings its procedures read are unchanged; otherwise a new one is made,
// its texts prepared, and kept. Null when the list calls no procedure known
// for the feature's kind. Safe to call from several threads at once.
std::shared_ptr<const ProcedureResult> procedureResult(const ChartFeature& feature, const S57Cell& cell,
                                                       const DisplaySettings& settings);

// How the feature is shown: as its procedures left it in `result`, or as
// the look-up selection chose it when `result` is null (no procedure ran,
// or the look-up's choice is asked for). Every reader of a display
// category, priority, viewing group, radar flag or lifted SCAMIN asks here.
const DisplayState& displayState(const ChartFeature& feature, const ProcedureResult* result);

// The feature's display category (0 base, 1 standard, 2 other, -1 none)
// for the symbol style in force, as the procedures left it (`result` may be
// null), and whether the display category setting admits it.
int displayCategory(const ChartFeature& feature, const ProcedureResult* result, const DisplaySettings& settings);
bool passesDisplayCategory(const ChartFeature& feature, const ProcedureResult* result,
                           const DisplaySettings& settings);

// A feature's own scale range: hidden at or below SCAMAX and at or above
// SCAMIN when they are given; a danger whose procedure lifted its SCAMIN
// shows at every scale above SCAMAX, and so does every feature when the
// settings do not use SCAMIN.
bool featureShownAtScale(const ChartFeature& feature, const ProcedureResult* result, float scale,
                         const DisplaySettings& settings);
