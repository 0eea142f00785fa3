#include "PointDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "S57Vocabulary.h"
#include "ScaleTest.h"

void drawPoint(DrawContext& dc, const PointFeature& point, const S57Cell& cell) {
  const QPointF anchor = toLogicalExact(point.position.point, dc.view);
  if (!insideViewport(anchor, dc.view)) return;
  const DateShow dates = showOnViewingDate(point, dc.settings);
  if (dates == DateShow::Hidden) return;
  std::shared_ptr<const ProcedureResult> result;
  if (!shownAtViewScale(dc, point, cell, result)) return;
  if (!result) result = procedureResult(point, cell, dc.settings);
  if (!passesDisplayCategory(point, result.get(), dc.settings)) return;

  for (const Instruction& instruction : lookupInUse(point, dc.settings).instructions)
    if (instruction.kind != kCS) executePointInstruction(dc, instruction, point, anchor, false);
  // A topmark's procedure symbol shows only with paper-chart symbols.
  if (result && (point.objectClass != s57::TOPMAR || dc.settings.paperChartSymbols))
    for (const Instruction& instruction : result->instructions)
      executePointInstruction(dc, instruction, point, anchor, true);
  if (dates == DateShow::ShownOutsideDates)
    executePointInstruction(dc, outsideDatesIndication(point, dc.settings), point, anchor, false);
}
