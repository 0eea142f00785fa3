#include "AreaDrawer.h"

#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "LookupSelection.h"
#include "ScaleTest.h"
#include "S57Vocabulary.h"

void drawArea(DrawContext& dc, const AreaFeature& area, const S57Cell& cell) {
  if (area.objectClass == s57::M_NSYS) return;
  if (!dc.settings.allViewingGroups && inMarinersViewingGroups(area.viewingGroup)) return;
  std::shared_ptr<const ProcedureResult> result;
  if (!shownAtViewScale(dc, area, cell, result)) return;
  // Procedures run only for areas that reach the view.
  const AreaOutline* outline = projectOutline(area, dc.view, dc.buffers.outline);
  if (!outline) return;
  if (!result) result = procedureResult(area, cell, dc.settings);
  if (!passesDisplayCategory(area, result.get(), dc.settings)) return;

  for (const Instruction& instruction : lookupInUse(area, dc.settings).instructions)
    if (instruction.kind != kCS) executeAreaInstruction(dc, instruction, area, *outline);
  if (!result) return;
  for (const Instruction& instruction : result->instructions) executeAreaInstruction(dc, instruction, area, *outline);
}
