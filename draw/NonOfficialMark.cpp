#include "NonOfficialMark.h"

#include <algorithm>

#include "ColourToken.h"
#include "ComplexLines.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {
bool dataCoverage(const AreaFeature& area) {
  return area.objectClass == s57::M_COVR && area.findAttribute("CATCOV") == "1";
}

VectorCommand command(int opcode, int x, int y) {
  VectorCommand c;
  c.opcode = opcode;
  c.first = x;
  c.second = y;
  return c;
}

// One vector line of the style: a pen-up to the start, pen-downs on.
LineStyleSegment segment(int colour, std::initializer_list<std::pair<int, int>> points) {
  LineStyleSegment s;
  s.colour = colour;
  s.width = 2;
  bool first = true;
  for (const auto& [x, y] : points) {
    s.commands.push_back(command(first ? kPU : kPD, x, y));
    if (!first) s.largestX = std::max(s.largestX, x), s.smallestX = std::min(s.smallestX, x);
    first = false;
  }
  return s;
}

LineStyleDefinition makeStyle() {
  // Drawing units (library units times 0.6), pivot at the start of the line:
  // a line of 6 mm and, at its middle, a tick of 2.5 mm at right angles.
  LineStyleDefinition style;
  style.name = "NONHODAT";
  style.width = 360;
  style.height = 150;
  const int colour = colourIndex("CHMGD");
  style.colourReferences = {{"A", "CHMGD"}};
  style.segments.push_back(segment(colour, {{180, 0}, {180, 150}}));
  style.segments.push_back(segment(colour, {{0, 0}, {360, 0}}));
  return style;
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

// The style's ticks lie to the right of the way it is drawn; the ring is
// drawn the way that puts them on the side of the data (inside an exterior
// ring, outside a hole).
void drawRing(const DrawContext& dc, const QPoint* points, int count, bool hole) {
  ComplexLineState state;
  const auto piece = [&](const QPoint& a, const QPoint& b) {
    if (!alongClippingEdge(a, b, dc.view)) drawComplexSegment(dc.canvas, a, b, nonOfficialLineStyle(), state);
  };
  if (clockwiseOnSurface(points, count) != hole) {
    for (int i = 0; i + 1 < count; ++i) piece(points[i], points[i + 1]);
  } else {
    for (int i = count - 1; i > 0; --i) piece(points[i], points[i - 1]);
  }
}

// An extent box, its corners held to the clipping margin.
void drawExtent(const DrawContext& dc, const ChartBox& box) {
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
  drawRing(dc, corners, 5, false);
}
}  // namespace

const LineStyleDefinition& nonOfficialLineStyle() {
  static const LineStyleDefinition style = makeStyle();
  return style;
}

void drawNonOfficialMark(DrawContext& dc, const S57Cell& cell) {
  static const Instruction mark = complexLineInstruction("NONHODAT");
  bool covered = false;
  for (const auto& area : cell.areas) {
    if (!dataCoverage(*area)) continue;
    covered = true;
    const AreaOutline* outline = projectOutline(*area, dc.view, dc.buffers.outline);
    if (!outline) continue;
    drawRing(dc, outline->points.data(), outline->size(), false);
    const int* size = outline->holeSizes.data();
    for (const QPoint* ring = outline->holePoints.data(); size != outline->holeSizes.data() + outline->holeSizes.size();
         ring += *size++)
      drawRing(dc, ring, *size, true);
    dc.record(*area, mark);
  }
  if (covered) return;
  for (const ChartBox& box : cell.extents) drawExtent(dc, box);
}
