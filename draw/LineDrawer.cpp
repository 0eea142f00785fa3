#include "LineDrawer.h"

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "InstructionExecutor.h"
#include "PolylineProjection.h"
#include "S57Vocabulary.h"
#include "SafetyContour.h"
#include "ScaleTest.h"

bool lineShown(const LineFeature& line, const S57Cell& cell, const ProcedureResult* result,
               const DisplaySettings& settings) {
  if (line.objectClass == s57::DEPCNT) return settings.showDepthContours || isSafetyContourLine(line, cell, settings);
  return passesDisplayCategory(line, result, settings);
}

void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell) {
  const DateShow dates = showOnViewingDate(line, dc.settings);
  if (dates == DateShow::Hidden) return;
  std::shared_ptr<const ProcedureResult> result;
  if (!shownAtViewScale(dc, line, cell, result)) return;
  // Procedures only ever lower a line's display category (a danger goes to
  // display base), so a line its look-up keeps out, and that calls no
  // procedure, is left before it is projected.
  if (!result && !lineShown(line, cell, nullptr, dc.settings) &&
      (line.objectClass == s57::DEPCNT || !callsProcedure(line, dc.settings)))
    return;
  LineBuffers& buffers = dc.buffers.line;
  const int count = projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), dc.view,
                                    buffers.line, buffers.scratch);
  if (count == 0) return;
  // Procedures run only for lines that reach the view.
  if (!result) result = procedureResult(line, cell, dc.settings);
  if (!lineShown(line, cell, result.get(), dc.settings)) return;

  for (const Instruction& instruction : lookupInUse(line, dc.settings).instructions)
    if (instruction.kind != kCS) executeLineInstruction(dc, instruction, line, buffers.line.data(), count);
  if (dates == DateShow::ShownOutsideDates)
    executeLineInstruction(dc, outsideDatesIndication(line, dc.settings), line, buffers.line.data(), count);
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
