#include "PointDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "S57Vocabulary.h"

void drawPoint(DrawContext& dc, const PointFeature& point, const S57Cell& cell) {
  const QPointF anchor = toLogicalExact(point.position.point, dc.view);
  if (!insideViewport(anchor, dc.view)) return;
  ResultPointer result;
  if (!pointPassesTests(dc.settings, dc.scale, point, cell, result)) return;
  dc.result = result;

  for (const Instruction& instruction : lookupInUse(point, dc.settings).instructions)
    if (!instruction.is<ProcedureCall>()) executePointInstruction(dc, instruction, point, anchor, false);
  // A topmark's procedure symbol shows only with paper-chart symbols.
  if (result && (point.objectClass != s57::TOPMAR || dc.settings.paperChartSymbols))
    for (const Instruction& instruction : result->instructions)
      executePointInstruction(dc, instruction, point, anchor, true);
  if (dc.settings.showAllDates && showOnViewingDate(point, dc.settings) == DateShow::ShownOutsideDates) {
    dc.transientInstruction = true;
    executePointInstruction(dc, outsideDatesIndication(point, dc.settings, dc.library()), point, anchor, false);
    dc.transientInstruction = false;
  }
}
