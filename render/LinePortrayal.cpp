#include "LinePortrayal.h"

#include <QPainter>

#include "ComplexLines.h"
#include "DisplaySettings.h"
#include "LibraryLine.h"
#include "LineProcedures.h"
#include "LineStyles.h"
#include "LookupSelection.h"
#include "PolylineClipping.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "TextDrawing.h"
#include "TextPreparation.h"

namespace {
constexpr int kDepthContourClass = 43;  // DEPCNT

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

bool lineShown(const LineFeature& line) {
  const DisplaySettings& settings = displaySettings();
  if (line.objectClass == kDepthContourClass) return settings.showDepthContours;
  return passesDisplayCategory(line, settings);
}

QPointF lineAnchor(const LineFeature& line, const ViewGeometry& view) {
  const std::vector<ChartVertex>& v = line.vertices;
  if (v.empty()) return QPointF();
  if (v.size() == 2)
    return toLogicalExact(ChartPoint{(v[0].point.x + v[1].point.x) / 2, (v[0].point.y + v[1].point.y) / 2}, view);
  return toLogicalExact(v[v.size() / 2].point, view);
}

void updateLineProcedure(LineFeature& line, const S57Cell& cell, const std::string& name) {
  if (name == "SLCONS03" || name == "QUAPOS01") {
    if (line.proceduresRan) return;
  } else if (name == "OBSTRN06") {
    const float safetyContour = displaySettings().safetyContour;
    if (line.cachedSafetyContour == safetyContour) return;
    line.cachedSafetyContour = safetyContour;
  } else if (name != "DEPCNT03") {
    return;
  }
  runLineProcedure(name, line, cell);
}

void executeLineInstruction(QPainter& painter, LineFeature& line, Instruction& instruction, const QPoint* points,
                            int count, S57Cell& cell, const ViewGeometry& view) {
  switch (instruction.kind) {
    case kLS:
      drawLineStyle(painter, instruction, points, count);
      break;
    case kLC:
      drawComplexLine(painter, instruction.name, points, count);
      break;
    case kAC:
      if (isClosedRing(points, count)) fillArea(painter, points, count, instruction.colour);
      break;
    case kSY:
      drawSymbol(painter, lineAnchor(line, view), instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (prepareText(line, instruction)) drawText(painter, lineAnchor(line, view), instruction, cell.textBoxes);
      break;
    default:
      break;
  }
}

void drawLineFeature(QPainter& painter, LineFeature& line, S57Cell& cell, const ViewGeometry& view,
                     LineBuffers& buffers) {
  if (!lineShown(line)) return;
  const int count =
      projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), view, buffers.line, buffers.scratch);
  if (count == 0) return;

  for (Instruction& instruction : instructionsInUse(line, false)) {
    if (instruction.kind == kCS)
      updateLineProcedure(line, cell, instruction.name);
    else
      executeLineInstruction(painter, line, instruction, buffers.line.data(), count, cell, view);
  }
  for (Instruction& instruction : line.procedureInstructions)
    executeLineInstruction(painter, line, instruction, buffers.line.data(), count, cell, view);
  if (!line.proceduresRan) return;

  for (BoundaryPart& part : line.parts) {
    if (part.instructions.empty() || part.offset + part.count > line.vertices.size()) continue;
    const int partCount = projectPolyline(line.vertices.data() + part.offset, static_cast<int>(part.count), view,
                                          buffers.part, buffers.scratch);
    if (partCount < 2) continue;
    for (Instruction& instruction : part.instructions)
      executeLineInstruction(painter, line, instruction, buffers.part.data(), partCount, cell, view);
  }
}
