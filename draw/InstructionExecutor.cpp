#include "InstructionExecutor.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ComplexLines.h"
#include "DrawingStandIns.h"
#include "Geodesic.h"
#include "LibraryLine.h"
#include "LineStyles.h"
#include "PatternFill.h"
#include "Primitives.h"
#include "SymbolDrawing.h"
#include "TextDrawing.h"
#include "TextGroups.h"

namespace {
constexpr std::uint8_t kDataLimit = 3;
constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kLegUnit = 88.0;  // logical units per unit of leg length
constexpr double kLongestLeg = 1e9;  // logical units, far past any view

bool alongDataLimit(const AreaOutline& outline, int i) {
  return outline.usage[static_cast<std::size_t>(i)] == kDataLimit &&
         outline.usage[static_cast<std::size_t>(i) + 1] == kDataLimit;
}

// Clipping joins the places where an outline leaves and re-enters the
// margin around the viewport by pieces along the margin's edges. They are no
// boundary of the area: a complex line's symbols would show along the
// window's right and bottom edges, 100 units out.
bool alongClippingEdge(const QPoint& a, const QPoint& b, const ViewGeometry& view) {
  const int left = -OUTLINE_MARGIN_BEFORE, top = -OUTLINE_MARGIN_BEFORE;
  const int right = view.viewportWidth + OUTLINE_MARGIN_AFTER, bottom = view.viewportHeight + OUTLINE_MARGIN_AFTER;
  return (a.x() == b.x() && (a.x() == left || a.x() == right)) || (a.y() == b.y() && (a.y() == top || a.y() == bottom));
}

bool boundarySegment(const AreaOutline& outline, int i, const ViewGeometry& view) {
  return !alongDataLimit(outline, i) &&
         !alongClippingEdge(outline.points[static_cast<std::size_t>(i)], outline.points[static_cast<std::size_t>(i) + 1],
                            view);
}

// A prepared text at `anchor`, unless texts or its text group are switched
// off or its box is taken. True when drawn.
bool executeText(DrawContext& dc, const Instruction& instruction, const QPointF& anchor) {
  if (!instruction.textPrepared || !dc.settings.showText) return false;
  if (!textGroupShown(instruction.textGroup, dc.settings)) return false;
  return drawText(dc.canvas, anchor, instruction, dc.buffers.textBoxes, dc.settings.nationalText);
}

void executeArea(DrawContext& dc, const Instruction& instruction, const AreaFeature& area, const AreaOutline& outline) {
  const QPoint* points = outline.points.data();
  const int count = outline.size();
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind) {
    case kAC:
      if (instruction.transparency > 0)
        fillAreaTransparent(canvas, points, count, instruction.colour, instruction.transparency, outline.holes());
      else
        fillArea(canvas, points, count, instruction.colour, outline.holes());
      break;
    case kAP:
      fillPattern(canvas, points, count, instruction.name, dc.view, outline.holes());
      break;
    case kLS:
      setLineStylePen(canvas, instruction);
      if (instruction.style < 1 || instruction.style > 3) return;
      for (int i = 0; i + 1 < count; ++i)
        if (boundarySegment(outline, i, dc.view))
          strokeStyledSegment(canvas.painter, points[i], points[i + 1], instruction.style);
      break;
    case kLC: {
      const LineStyleDefinition* style = findLineStyle(dc.library(), instruction.name);
      if (!style) return;
      ComplexLineState state;
      for (int i = 0; i + 1 < count; ++i)
        if (boundarySegment(outline, i, dc.view)) drawComplexSegment(canvas, points[i], points[i + 1], *style, state);
      break;
    }
    case kSY:
      drawSymbol(canvas, toLogicalExact(area.centre, dc.view), instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (!executeText(dc, instruction, toLogicalExact(area.centre, dc.view))) return;
      break;
    default:
      return;
  }
  dc.record(area, instruction);
}
}  // namespace

void executeAreaInstruction(DrawContext& dc, const Instruction& instruction, const AreaFeature& area,
                            const AreaOutline& outline) {
  for (const Instruction& in : instructionsToExecute(instruction, area, dc.settings, dc.canvas.drawings, false))
    executeArea(dc, in, area, outline);
}

QPointF lineAnchor(const LineFeature& line, const ViewGeometry& view) {
  const std::vector<ChartVertex>& v = line.vertices;
  if (v.empty()) return QPointF();
  if (v.size() == 2)
    return toLogicalExact(ChartPoint{(v[0].point.x + v[1].point.x) / 2, (v[0].point.y + v[1].point.y) / 2}, view);
  return toLogicalExact(v[v.size() / 2].point, view);
}

namespace {
void executeLine(DrawContext& dc, const Instruction& instruction, const LineFeature& line, const QPoint* points,
                 int count) {
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind) {
    case kLS:
      if (instruction.style < 1 || instruction.style > 3) return;
      drawLineStyle(canvas, instruction, points, count);
      break;
    case kLC:
      if (!findLineStyle(dc.library(), instruction.name)) return;
      drawComplexLine(canvas, instruction.name, points, count);
      break;
    case kSY:
      drawSymbol(canvas, lineAnchor(line, dc.view), instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (!executeText(dc, instruction, lineAnchor(line, dc.view))) return;
      break;
    default:
      return;
  }
  dc.record(line, instruction);
}

void executeEdge(DrawContext& dc, const Instruction& instruction, const ChartFeature& feature, const QPoint* points,
                 int count) {
  if (instruction.kind == kLS) {
    if (instruction.style < 1 || instruction.style > 3) return;
    drawLineStyle(dc.canvas, instruction, points, count);
  } else if (instruction.kind == kLC) {
    if (!findLineStyle(dc.library(), instruction.name)) return;
    drawComplexLine(dc.canvas, instruction.name, points, count);
  } else {
    return;
  }
  dc.record(feature, instruction);
}

void executePoint(DrawContext& dc, const Instruction& instruction, const ChartFeature& point, const QPointF& anchor,
                  bool generated) {
  const Canvas& canvas = dc.canvas;
  switch (instruction.kind) {
    case kSY:
      drawSymbol(canvas, anchor, instruction.name, readDecimal(instruction.text2));
      break;
    case kTX:
    case kTE:
      if (!executeText(dc, instruction, anchor)) return;
      break;
    case kLS:
      setLineStylePen(canvas, instruction);
      strokeDashedSegment(canvas.painter, anchor, legEnd(anchor, instruction, dc.view));
      break;
    case kARC:
      if (!generated) return;
      drawSectorArc(canvas, instruction, anchor);
      break;
    default:
      return;
  }
  dc.record(point, instruction);
}
}  // namespace

void executeLineInstruction(DrawContext& dc, const Instruction& instruction, const LineFeature& line,
                            const QPoint* points, int count) {
  for (const Instruction& in : instructionsToExecute(instruction, line, dc.settings, dc.canvas.drawings, false))
    executeLine(dc, in, line, points, count);
}

void executeEdgeInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& feature,
                            const QPoint* points, int count) {
  for (const Instruction& in : instructionsToExecute(instruction, feature, dc.settings, dc.canvas.drawings, false))
    executeEdge(dc, in, feature, points, count);
}

void executePointInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& point,
                             const QPointF& anchor, bool generated) {
  for (const Instruction& in :
       instructionsToExecute(instruction, point, dc.settings, dc.canvas.drawings, !generated))
    executePoint(dc, in, point, anchor, generated);
}

namespace {
// A leg of `length` logical units from the anchor at the leg's bearing.
QPointF legEndAt(const QPointF& anchor, const Instruction& leg, double length) {
  const double bearing = std::atof(leg.name.c_str()) * kDegree;
  // A nominal range of 1e300 (or "inf") would put the end where no
  // coordinate reaches; a leg of that length is off every view anyway.
  if (!std::isfinite(length)) length = length > 0 ? kLongestLeg : length < 0 ? -kLongestLeg : 0;
  length = std::clamp(length, -kLongestLeg, kLongestLeg);
  if (!std::isfinite(bearing)) return anchor;
  return QPointF(anchor.x() + length * std::sin(bearing), anchor.y() - length * std::cos(bearing));
}
}  // namespace

QPointF legEnd(const QPointF& anchor, const Instruction& leg) {
  return legEndAt(anchor, leg, kLegUnit * std::atof(leg.text2.c_str()));
}

QPointF legEnd(const QPointF& anchor, const Instruction& leg, const ViewGeometry& view) {
  if (leg.text3 != kGroundLength) return legEnd(anchor, leg);
  // Nautical miles on the ground, in metres of the projection plane at the
  // anchor's latitude, in logical units of the view.
  const double chartY = view.origin.y - anchor.y() * static_cast<double>(view.scale);
  const double ground = groundMetresPerProjectionMetre(chartToGeo(ChartPoint{0, chartY}).latitude);
  const double metres = std::atof(leg.text2.c_str()) * kMetresPerNauticalMile;
  return legEndAt(anchor, leg, metres / ground * mercator::kChartUnitsPerMetre / static_cast<double>(view.scale));
}

ArcAngles sectorArcAngles(const Instruction& arc) {
  // Wide arithmetic: the bearings read saturate at the int range.
  const long long start = readDecimal(arc.name);
  const long long end = readDecimal(arc.text3);
  const long long endWithinCircle = end > 360 ? end - 360 : end;
  long long startAngle = 16 * (90 - endWithinCircle < 0 ? 450 - endWithinCircle : 90 - endWithinCircle);
  // Angles are taken modulo a whole turn, and no arc spans more than one.
  constexpr long long kTurn = 16 * 360;
  if (startAngle > kTurn || startAngle < -kTurn) startAngle %= kTurn;
  ArcAngles angles;
  angles.start = static_cast<int>(startAngle);
  angles.span = static_cast<int>(std::clamp(16 * (end - start), -kTurn, kTurn));
  return angles;
}

void drawSectorArc(const Canvas& canvas, const Instruction& arc, const QPointF& centre) {
  const ArcAngles angles = sectorArcAngles(arc);
  drawArc(canvas, arc.colour, arc.width, arc.style == 2, centre, static_cast<float>(std::atof(arc.text2.c_str())),
          angles.start, angles.span);
}
