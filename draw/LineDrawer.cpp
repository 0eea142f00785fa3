#include "LineDrawer.h"

#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "PolylineClipping.h"
#include "S57Vocabulary.h"
#include "ScaleTest.h"

namespace {
// Thins `count` chart vertices into `out` (room for the count plus 100, as
// clipping may add points) and clips them to the margin around the
// viewport. Returns the number of points left: 0 when fewer than two
// survive either step.
//
// Edge groups are clipped to the margin too, not to the viewport itself:
// where a clipped polyline leaves and re-enters, the clipping joins the two
// crossings along the bound, and on the viewport's own edge that join would
// show as a stroke along the border of the picture.
int projectPolyline(const ChartVertex* vertices, int count, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch) {
  out.resize(static_cast<std::size_t>(count) + 100);
  const int kept = thinToLogical(vertices, count, view, out.data());
  if (kept < 2) return 0;
  out.resize(static_cast<std::size_t>(kept));
  return clipPolyline(out, -LINE_MARGIN_BEFORE, view.viewportWidth + LINE_MARGIN_AFTER, -LINE_MARGIN_BEFORE,
                      view.viewportHeight + LINE_MARGIN_AFTER, scratch);
}
}  // namespace

bool lineShown(const LineFeature& line, const ProcedureResult* result, const DisplaySettings& settings) {
  if (line.objectClass == s57::DEPCNT) return settings.showDepthContours;
  return passesDisplayCategory(line, result, settings);
}

void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell) {
  std::shared_ptr<const ProcedureResult> result;
  if (!shownAtViewScale(dc, line, cell, result)) return;
  // Procedures only ever lower a line's display category (a danger goes to
  // display base), so a line its look-up keeps out, and that calls no
  // procedure, is left before it is projected.
  if (!result && !lineShown(line, nullptr, dc.settings) &&
      (line.objectClass == s57::DEPCNT || !callsProcedure(line, dc.settings)))
    return;
  LineBuffers& buffers = dc.buffers.line;
  const int count = projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), dc.view,
                                    buffers.line, buffers.scratch);
  if (count == 0) return;
  // Procedures run only for lines that reach the view.
  if (!result) result = procedureResult(line, cell, dc.settings);
  if (!lineShown(line, result.get(), dc.settings)) return;

  for (const Instruction& instruction : lookupInUse(line, dc.settings).instructions)
    if (instruction.kind != kCS) executeLineInstruction(dc, instruction, line, buffers.line.data(), count);
  if (!result) return;
  for (const Instruction& instruction : result->instructions)
    executeLineInstruction(dc, instruction, line, buffers.line.data(), count);

  const std::size_t parts = std::min(line.parts.size(), result->partInstructions.size());
  for (std::size_t i = 0; i < parts; ++i) {
    const BoundaryPart& part = line.parts[i];
    const std::vector<Instruction>& instructions = result->partInstructions[i];
    if (instructions.empty() || part.offset + part.count > line.vertices.size()) continue;
    const int partCount = projectPolyline(line.vertices.data() + part.offset, static_cast<int>(part.count), dc.view,
                                          buffers.part, buffers.scratch);
    if (partCount < 2) continue;
    for (const Instruction& instruction : instructions)
      executeLineInstruction(dc, instruction, line, buffers.part.data(), partCount);
  }
}
