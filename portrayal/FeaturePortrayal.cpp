#include "FeaturePortrayal.h"

#include "ConditionalProcedures.h"
#include "TextPreparation.h"

namespace {
// Points: paper-chart symbols; areas: plain boundaries; lines have one
// table, soundings only the second list.
bool usesFirstLookup(const ChartFeature& feature, const DisplaySettings& settings) {
  switch (feature.kind) {
    case FeatureKind::Area: return settings.plainBoundaries;
    case FeatureKind::Sounding: return false;
    default: return settings.paperChartSymbols;
  }
}

// Generated texts are prepared once, when the result is made.
void prepareTexts(const ChartFeature& feature, ProcedureResult& result) {
  for (Instruction& instruction : result.instructions) {
    if (!instruction.text()) continue;
    if (feature.kind == FeatureKind::Point)
      preparePointText(feature, instruction, true);
    else
      prepareText(feature, instruction);
  }
}
}  // namespace

const LookupResult& lookupInUse(const ChartFeature& feature, const DisplaySettings& settings) {
  return usesFirstLookup(feature, settings) ? feature.firstLookup : feature.secondLookup;
}

bool callsProcedure(const ChartFeature& feature, const DisplaySettings& settings) {
  for (const Instruction& instruction : lookupInUse(feature, settings).instructions)
    if (instruction.is<ProcedureCall>()) return true;
  return false;
}

ProcedureResult ProcedureResult::startingFrom(const ChartFeature& feature) {
  ProcedureResult result;
  result.firstCategory = feature.firstLookup.category;
  result.secondCategory = feature.secondLookup.category;
  result.displayPriority = feature.displayPriority;
  result.viewingGroup = feature.viewingGroup;
  result.radarFlag = feature.radarFlag;
  return result;
}

std::shared_ptr<const ProcedureResult> procedureResult(const ChartFeature& feature, const S57Cell& cell,
                                                       const DisplaySettings& settings) {
  const std::vector<Instruction>& list = lookupInUse(feature, settings).instructions;
  unsigned dependencies = 0;
  bool any = false;
  for (const Instruction& instruction : list) {
    const ProcedureCall* call = instruction.find<ProcedureCall>();
    if (!call) continue;
    if (const ConditionalProcedure* p = findProcedure(call->name, feature.kind)) {
      dependencies |= p->rerunOn;
      any = true;
    }
  }
  if (!any) return nullptr;

  ProcedureKey key = makeProcedureKey(settings, dependencies);
  key.firstLookup = usesFirstLookup(feature, settings);
  std::shared_ptr<const ProcedureResult> kept = feature.procedureCache.load();
  if (kept && kept->key == key) return kept;

  auto made = std::make_shared<ProcedureResult>(ProcedureResult::startingFrom(feature));
  made->key = key;
  for (const Instruction& instruction : list) {
    const ProcedureCall* call = instruction.find<ProcedureCall>();
    if (!call) continue;
    const ConditionalProcedure* p = findProcedure(call->name, feature.kind);
    if (!p) continue;
    made->instructions.clear();
    made->partInstructions.clear();
    p->run(feature, cell, settings, *made);
  }
  prepareTexts(feature, *made);
  feature.procedureCache.store(made);
  return made;
}

int displayCategory(const ChartFeature& feature, const ProcedureResult* result, const DisplaySettings& settings) {
  const bool first = usesFirstLookup(feature, settings);
  if (result) return first ? result->firstCategory : result->secondCategory;
  return first ? feature.firstLookup.category : feature.secondLookup.category;
}

bool passesDisplayCategory(const ChartFeature& feature, const ProcedureResult* result,
                           const DisplaySettings& settings) {
  return settings.displayCategory >= displayCategory(feature, result, settings);
}

int viewingGroup(const ChartFeature& feature, const ProcedureResult* result) {
  return result ? result->viewingGroup : feature.viewingGroup;
}

bool featureShownAtScale(const ChartFeature& feature, const ProcedureResult* result, float scale,
                         const DisplaySettings& settings) {
  if (feature.scaleMaximum != -1 && scale <= static_cast<float>(feature.scaleMaximum)) return false;
  const bool lifted = !settings.useScaleMinimum || (result && result->scaleMinimumLifted);
  if (!lifted && feature.scaleMinimum != -1 && scale >= static_cast<float>(feature.scaleMinimum)) return false;
  return true;
}
