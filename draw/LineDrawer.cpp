#include "LineDrawer.h"

#include <algorithm>

#include "DateDependency.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "InstructionExecutor.h"
#include "PolylineProjection.h"
#include "SymbolDrawing.h"

namespace {
// A figure of a depth contour's label that the library holds.
const SymbolDefinition* contourFigure(const PresentationLibrary& library, const Instruction& instruction) {
  const Symbol* symbol = instruction.find<Symbol>();
  if (!symbol || symbol->name.compare(0, 6, "SAFCON") != 0) return nullptr;
  return findSymbol(library, symbol->name);
}

// In a view's pass, the figures of a contour label among `instructions`
// go to the view's placement as one label at the line's anchor, placed
// whole or not at all: a depth must never lose a digit. True when there
// were any; the caller then leaves them out.
bool queueContourLabel(DrawContext& dc, const LineFeature& line, const std::vector<Instruction>& instructions) {
  if (!dc.texts) return false;
  const QPointF anchor = lineAnchor(line, dc.view);
  TextBox room;
  std::uint32_t first = 0, last = 0;
  for (std::uint32_t i = 0; i < instructions.size(); ++i) {
    const SymbolDefinition* figure = contourFigure(dc.library(), instructions[i]);
    if (!figure) continue;
    const TextBox box = symbolBox(*figure, anchor);
    room = last == 0 ? box
                     : TextBox{std::min(room.left, box.left), std::max(room.right, box.right),
                               std::min(room.top, box.top), std::max(room.bottom, box.bottom)};
    if (last == 0) first = i;
    last = i + 1;
  }
  if (last == 0) return false;
  const ChartPoint at{dc.view.origin.x + anchor.x() * dc.view.scale, dc.view.origin.y - anchor.y() * dc.view.scale};
  dc.texts->addSymbolLabel(room, anchor, at, instructions, first, last, line,
                           displayState(line, dc.result.get()).priority, dc.cellOrder, dc.result,
                           dc.canvas.stampSymbols);
  return true;
}
}  // namespace

void drawLine(DrawContext& dc, const LineFeature& line, const S57Cell& cell) {
  ResultPointer result;
  if (!linePassesFirstTests(dc.settings, dc.scale, line, cell, result)) return;
  LineBuffers& buffers = dc.buffers.line;
  const VertexPath path = detailPath(dc.detail, line.vertices, line.detailList);
  const int count = projectPolyline(path, dc.view, buffers.line, buffers.scratch);
  if (count == 0) return;
  // Procedures run only for lines that reach the view.
  if (!linePassesSecondTests(dc.settings, line, cell, result)) return;
  dc.result = result;

  for (const Instruction& instruction : lookupInUse(line, dc.settings).instructions)
    if (!instruction.is<ProcedureCall>()) executeLineInstruction(dc, instruction, line, buffers.line.data(), count);
  if (dc.settings.showAllDates && showOnViewingDate(line, dc.settings) == DateShow::ShownOutsideDates) {
    dc.transientInstruction = true;
    executeLineInstruction(dc, outsideDatesIndication(line, dc.settings, dc.library()), line, buffers.line.data(),
                           count);
    dc.transientInstruction = false;
  }
  if (!result) return;
  for (const Instruction& instruction : result->instructions)
    executeLineInstruction(dc, instruction, line, buffers.line.data(), count);

  const std::size_t parts = std::min(line.parts.size(), result->partInstructions.size());
  for (std::size_t i = 0; i < parts; ++i) {
    const BoundaryPart& part = line.parts[i];
    const std::vector<Instruction>& instructions = result->partInstructions[i];
    if (instructions.empty() || part.offset + part.count > line.vertices.size()) continue;
    const int partCount = projectPolyline(path.run(part.offset, part.count), dc.view, buffers.part, buffers.scratch);
    if (partCount < 2) continue;
    const bool queued = queueContourLabel(dc, line, instructions);
    for (const Instruction& instruction : instructions)
      if (!queued || !contourFigure(dc.library(), instruction))
        executeLineInstruction(dc, instruction, line, buffers.part.data(), partCount);
  }
}
