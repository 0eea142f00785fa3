#include "NonOfficialMark.h"

#include <algorithm>

#include "ComplexLines.h"
#include "DrawingStandIns.h"
#include "LineStyles.h"
#include "Primitives.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {
bool dataCoverage(const AreaFeature& area) {
  return area.objectClass == s57::M_COVR && area.findAttribute("CATCOV") == "1";
}

// A piece that clipping laid along the margin round the viewport is no
// boundary of the coverage.
bool alongClippingEdge(const QPoint& a, const QPoint& b, const ViewGeometry& view) {
  const int left = -OUTLINE_MARGIN_BEFORE, top = -OUTLINE_MARGIN_BEFORE;
  const int right = view.viewportWidth + OUTLINE_MARGIN_AFTER, bottom = view.viewportHeight + OUTLINE_MARGIN_AFTER;
  return (a.x() == b.x() && (a.x() == left || a.x() == right)) || (a.y() == b.y() && (a.y() == top || a.y() == bottom));
}

// Whether a ring runs clockwise as the eye sees it on the surface (y grows
// downwards): its area by the shoelace formula is then positive.
bool clockwiseOnSurface(const QPoint* points, int count) {
  double twiceArea = 0;
  for (int i = 0; i < count; ++i) {
    const QPoint& a = points[i];
    const QPoint& b = points[(i + 1) % count];
    twiceArea += static_cast<double>(a.x()) * b.y() - static_cast<double>(b.x()) * a.y();
  }
  return twiceArea > 0;
}

// One instruction of the mark (NONHODAT, or the stand-in of a library
// without it) along a ring: a complex line's ticks lie to the right of the
// way it is drawn, so the ring is drawn the way that puts them on the side
// of the data (inside an exterior ring, outside a hole).
void drawRing(const DrawContext& dc, const Instruction& instruction, const QPoint* points, int count, bool hole) {
  const ComplexLine* complex = instruction.find<ComplexLine>();
  const LineStyleDefinition* style = complex ? findLineStyle(dc.library(), complex->name) : nullptr;
  if (complex && !style) return;
  const LineStyle* simple = instruction.find<LineStyle>();
  if (simple) setLineStylePen(dc.canvas, *simple);
  ComplexLineState state;
  const auto piece = [&](const QPoint& a, const QPoint& b) {
    if (alongClippingEdge(a, b, dc.view)) return;
    if (style)
      drawComplexSegment(dc.canvas, a, b, *style, state);
    else if (simple)
      strokeStyledSegment(dc.canvas.painter, a, b, simple->dash);
  };
  if (clockwiseOnSurface(points, count) != hole) {
    for (int i = 0; i + 1 < count; ++i) piece(points[i], points[i + 1]);
  } else {
    for (int i = count - 1; i > 0; --i) piece(points[i], points[i - 1]);
  }
}

bool drawsAlongRings(const Instruction& instruction) {
  if (const LineStyle* style = instruction.find<LineStyle>()) return strokes(style->dash);
  return instruction.is<ComplexLine>();
}

// An extent box, its corners held to the clipping margin.
void drawExtent(const DrawContext& dc, const Instruction& instruction, const ChartBox& box) {
  const ViewGeometry& view = dc.view;
  const auto x = [&](double v) {
    return static_cast<int>(std::clamp((v - view.origin.x) / view.scale, double(-OUTLINE_MARGIN_BEFORE),
                                       double(view.viewportWidth + OUTLINE_MARGIN_AFTER)));
  };
  const auto y = [&](double v) {
    return static_cast<int>(std::clamp((view.origin.y - v) / view.scale, double(-OUTLINE_MARGIN_BEFORE),
                                       double(view.viewportHeight + OUTLINE_MARGIN_AFTER)));
  };
  const QPoint corners[] = {{x(box.minX), y(box.maxY)}, {x(box.maxX), y(box.maxY)}, {x(box.maxX), y(box.minY)},
                            {x(box.minX), y(box.minY)}, {x(box.minX), y(box.maxY)}};
  drawRing(dc, instruction, corners, 5, false);
}
}  // namespace

void drawNonOfficialMark(DrawContext& dc, const S57Cell& cell) {
  static const Instruction mark = complexLineInstruction("NONHODAT");
  const AreaFeature* firstCoverage = nullptr;
  for (const auto& area : cell.areas) {
    if (!dataCoverage(*area)) continue;
    if (!firstCoverage) firstCoverage = area.get();
    const AreaOutline* outline = projectOutline(*area, dc.view, dc.buffers.outline);
    if (!outline) continue;
    for (const Instruction& in : instructionsToExecute(mark, *area, dc.settings, dc.canvas.drawings, false)) {
      if (!drawsAlongRings(in)) continue;
      drawRing(dc, in, outline->points.data(), outline->size(), false);
      for (const LogicalRing hole : outline->holes()) drawRing(dc, in, hole.points, hole.size, true);
      dc.record(*area, in);
    }
  }
  if (firstCoverage || cell.extents.empty()) return;
  // No coverage to follow: the stand-ins are those of an area, as for the
  // coverage.
  static const AreaFeature extentArea;
  for (const Instruction& in : instructionsToExecute(mark, extentArea, dc.settings, dc.canvas.drawings, false)) {
    if (!drawsAlongRings(in)) continue;
    for (const ChartBox& box : cell.extents) drawExtent(dc, in, box);
  }
}
