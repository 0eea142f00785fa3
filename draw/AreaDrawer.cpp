#include "AreaDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "PolylineProjection.h"

void drawArea(DrawContext& dc, const AreaFeature& area, const S57Cell& cell) {
  ResultPointer result;
  if (!areaPassesFirstTests(dc.settings, dc.scale, area, cell, result)) return;
  // Procedures run only for areas that reach the view.
  const AreaOutline* outline = projectOutline(area, dc.view, dc.buffers.outline, dc.detail);
  if (!outline) return;
  if (!areaPassesSecondTests(dc.settings, area, cell, result)) return;
  dc.result = result;

  for (const Instruction& instruction : lookupInUse(area, dc.settings).instructions)
    if (!instruction.is<ProcedureCall>()) executeAreaInstruction(dc, instruction, area, *outline);
  if (result) {
    for (const Instruction& instruction : result->instructions)
      executeAreaInstruction(dc, instruction, area, *outline);
    if (!result->partInstructions.empty()) dc.buffers.styledEdges.push_back(StyledEdges{&area, result});
  }
  if (dc.settings.showAllDates && showOnViewingDate(area, dc.settings) == DateShow::ShownOutsideDates) {
    dc.transientInstruction = true;
    executeAreaInstruction(dc, outsideDatesIndication(area, dc.settings, dc.library()), area, *outline);
    dc.transientInstruction = false;
  }
}

void drawStyledEdges(DrawContext& dc) {
  LineBuffers& buffers = dc.buffers.line;
  for (const StyledEdges& styled : dc.buffers.styledEdges) {
    const AreaFeature& area = *styled.area;
    const std::vector<std::vector<Instruction>>& lists = styled.result->partInstructions;
    // The lists follow the exterior parts, then the interior parts.
    const std::size_t exterior = area.exteriorParts.size();
    const std::size_t parts = std::min(exterior + area.interiorParts.size(), lists.size());
    for (std::size_t i = 0; i < parts; ++i) {
      const std::vector<Instruction>& instructions = lists[i];
      const bool outer = i < exterior;
      const BoundaryPart& part = outer ? area.exteriorParts[i] : area.interiorParts[i - exterior];
      const std::vector<ChartVertex>& vertices = outer ? area.exteriorVertices : area.interiorVertices;
      if (instructions.empty() || part.offset + part.count > vertices.size()) continue;
      const VertexPath path = detailPath(dc.detail, vertices, outer ? area.exteriorDetailList : area.interiorDetailList);
      const int count = projectPolyline(path.run(part.offset, part.count), dc.view, buffers.part, buffers.scratch);
      if (count < 2) continue;
      for (const Instruction& instruction : instructions)
        executeEdgeInstruction(dc, instruction, area, buffers.part.data(), count);
    }
  }
}
