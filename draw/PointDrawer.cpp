#include "PointDrawer.h"

#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "S57Vocabulary.h"

void drawPoint(DrawContext& dc, const PointFeature& point, const S57Cell& cell) {
  const QPointF anchor = toLogicalExact(point.position.point, dc.view);
  if (!insideViewport(anchor, dc.view)) return;
  ResultPointer result;
  if (!pointPassesTests(dc.settings, dc.view.scale, point, cell, result)) return;

  for (const Instruction& instruction : lookupInUse(point, dc.settings).instructions)
    if (instruction.kind != kCS) executePointInstruction(dc, instruction, point, anchor, false);
  if (!result) return;
  if (point.objectClass == s57::TOPMAR && !dc.settings.paperChartSymbols) return;
  for (const Instruction& instruction : result->instructions)
    executePointInstruction(dc, instruction, point, anchor, true);
}
