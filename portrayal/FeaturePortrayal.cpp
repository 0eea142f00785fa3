#include "FeaturePortrayal.h"

#include "ConditionalProcedures.h"
#include "TextPreparation.h"

namespace {

// Generated texts are prepared once, when the result is made.
void prepareTexts(const ChartFeature& feature, ProcedureResult& result, const ChineseNames& names) {
  for (Instruction& instruction : result.instructions) {
    if (!instruction.text()) continue;
    if (feature.kind == FeatureKind::Point)
      preparePointText(feature, instruction, true, names);
    else
      prepareText(feature, instruction, names);
  }
}
}  // namespace

// Points: paper-chart symbols; areas: plain boundaries; lines have one
// table, soundings only the second list.
LookupList listInUse(const ChartFeature& feature, const DisplaySettings& settings) {
  bool first = false;
  switch (feature.kind) {
    case FeatureKind::Area: first = settings.plainBoundaries; break;
    case FeatureKind::Sounding: first = false; break;
    default: first = settings.paperChartSymbols; break;
  }
  return first ? LookupList::First : LookupList::Second;
}

const LookupResult& lookupInUse(const ChartFeature& feature, const DisplaySettings& settings) {
  return feature.lookup(listInUse(feature, settings));
}

bool callsProcedure(const ChartFeature& feature, const DisplaySettings& settings) {
  for (const Instruction& instruction : lookupInUse(feature, settings).instructions)
    if (instruction.is<ProcedureCall>()) return true;
  return false;
}

ProcedureResult ProcedureResult::startingFrom(const ChartFeature& feature) {
  ProcedureResult result;
  result.display = feature.display;
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
  key.firstLookup = listInUse(feature, settings) == LookupList::First;
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
  prepareTexts(feature, *made, settings.library().chineseNames);
  feature.procedureCache.store(made);
  return made;
}

const DisplayState& displayState(const ChartFeature& feature, const ProcedureResult* result) {
  return result ? result->display : feature.display;
}

int displayCategory(const ChartFeature& feature, const ProcedureResult* result, const DisplaySettings& settings) {
  return displayState(feature, result).category(listInUse(feature, settings));
}

bool passesDisplayCategory(const ChartFeature& feature, const ProcedureResult* result,
                           const DisplaySettings& settings) {
  return settings.displayCategory >= displayCategory(feature, result, settings);
}

bool featureShownAtScale(const ChartFeature& feature, const ProcedureResult* result, float scale,
                         const DisplaySettings& settings) {
  if (feature.scaleMaximum != -1 && scale <= static_cast<float>(feature.scaleMaximum)) return false;
  const bool lifted = !settings.useScaleMinimum || displayState(feature, result).scaleMinimumLifted;
  if (!lifted && feature.scaleMinimum != -1 && scale >= static_cast<float>(feature.scaleMinimum)) return false;
  return true;
}
