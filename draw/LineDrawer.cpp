#include "LineDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "PolylineProjection.h"

void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell) {
  ResultPointer result;
  if (!linePassesFirstTests(dc.settings, dc.scale, line, cell, result)) return;
  LineBuffers& buffers = dc.buffers.line;
  const int count = projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), dc.view,
                                    buffers.line, buffers.scratch);
  if (count == 0) return;
  // Procedures run only for lines that reach the view.
  if (!linePassesSecondTests(dc.settings, line, cell, result)) return;

  for (const Instruction& instruction : lookupInUse(line, dc.settings).instructions)
    if (!instruction.is<ProcedureCall>()) executeLineInstruction(dc, instruction, line, buffers.line.data(), count);
  if (dc.settings.showAllDates && showOnViewingDate(line, dc.settings) == DateShow::ShownOutsideDates)
    executeLineInstruction(dc, outsideDatesIndication(line, dc.settings, dc.library()), line, buffers.line.data(),
                           count);
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
