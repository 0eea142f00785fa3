#include "ObjectHighlight.h"

#include <QPainter>
#include <QPen>

#include "AreaOutline.h"
#include "PolylineProjection.h"

namespace {
QPen highlightPen(const QColor& colour, int pixels) {
  return QPen(colour, pixels * LOGICAL_UNITS_PER_PIXEL, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Halo first, then the bright line over it.
template <typename Draw>
void strokeTwice(QPainter& painter, Draw draw) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(highlightPen(HIGHLIGHT_HALO_COLOUR, HIGHLIGHT_HALO_PIXELS));
  draw();
  painter.setPen(highlightPen(HIGHLIGHT_COLOUR, HIGHLIGHT_WIDTH_PIXELS));
  draw();
}

void ring(QPainter& painter, const ViewGeometry& view, const ChartPoint& at) {
  const QPointF centre = toLogicalExact(at, view);
  const double radius = HIGHLIGHT_RING_RADIUS_PIXELS * LOGICAL_UNITS_PER_PIXEL;
  strokeTwice(painter, [&] { painter.drawEllipse(centre, radius, radius); });
}

void areaOutline(QPainter& painter, const ViewGeometry& view, DrawBuffers& buffers, const AreaFeature& area) {
  const AreaOutline* outline = projectOutline(area, view, buffers.outline);
  if (!outline) return;
  strokeTwice(painter, [&] {
    painter.drawPolygon(outline->points.data(), outline->size());
    for (const LogicalRing hole : outline->holes()) painter.drawPolygon(hole.points, hole.size);
  });
}

void lineCourse(QPainter& painter, const ViewGeometry& view, DrawBuffers& buffers, const LineFeature& line) {
  LineBuffers& b = buffers.line;
  const int count = projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), view, b.line,
                                    b.scratch);
  if (count < 2) return;
  strokeTwice(painter, [&] { painter.drawPolyline(b.line.data(), count); });
}
}  // namespace

void drawObjectHighlight(QPainter& painter, const ViewGeometry& view, DrawBuffers& buffers,
                         const ChartFeature& feature, std::size_t sounding) {
  painter.save();
  switch (feature.kind) {
    case FeatureKind::Area: areaOutline(painter, view, buffers, static_cast<const AreaFeature&>(feature)); break;
    case FeatureKind::Line: lineCourse(painter, view, buffers, static_cast<const LineFeature&>(feature)); break;
    case FeatureKind::Point:
      ring(painter, view, static_cast<const PointFeature&>(feature).position.point);
      break;
    case FeatureKind::Sounding: {
      const auto& soundings = static_cast<const SoundingFeature&>(feature).soundings;
      if (sounding < soundings.size()) ring(painter, view, ChartPoint{soundings[sounding].x, soundings[sounding].y});
      break;
    }
  }
  painter.restore();
}
