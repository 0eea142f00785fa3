#include "AreaOutline.h"

#include <algorithm>
#include <utility>

namespace {
struct Stage {
  bool testX;
  int value;
  bool keepGreater;

  bool inside(const QPoint& p) const {
    const int c = testX ? p.x() : p.y();
    return keepGreater ? c >= value : c <= value;
  }
  // In floating point: the coordinates may be clamped to the int range,
  // and their differences would not fit an int.
  QPoint crossing(const QPoint& a, const QPoint& b) const {
    const double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    if (testX) {
      const double t = (value - ax) / (bx - ax);
      return QPoint(value, static_cast<int>(ay + t * (by - ay)));
    }
    const double t = (value - ay) / (by - ay);
    return QPoint(static_cast<int>(ax + t * (bx - ax)), value);
  }
};
}  // namespace

void clipOutlineStage(const AreaOutline& in, bool testX, int value, bool keepGreater, AreaOutline& out) {
  out.clear();
  const int n = in.size();
  if (n == 0) return;
  const Stage stage{testX, value, keepGreater};
  int previous = n - 1;
  bool previousInside = stage.inside(in.points[static_cast<std::size_t>(previous)]);
  for (int i = 0; i < n; ++i) {
    const QPoint& p = in.points[static_cast<std::size_t>(i)];
    const std::uint8_t mark = in.usage[static_cast<std::size_t>(i)];
    const bool inside = stage.inside(p);
    // A crossing needs the two ends on different sides, so the divisor is never 0.
    if (inside != previousInside) out.add(stage.crossing(in.points[static_cast<std::size_t>(previous)], p), mark);
    if (inside) out.add(p, mark);
    previous = i;
    previousInside = inside;
  }
}

namespace {
// Clips `ring` (already projected) through the four stages, using `spare`
// as the second buffer; the result is left in `ring` or `spare`, returned.
AreaOutline* clipRing(AreaOutline* ring, AreaOutline* spare, const Stage (&stages)[4]) {
  for (const Stage& s : stages) {
    clipOutlineStage(*ring, s.testX, s.value, s.keepGreater, *spare);
    std::swap(ring, spare);
    if (ring->size() < 3) return nullptr;
  }
  return ring;
}

// Appends the rings of the area's holes to `outline`'s holes.
void addHoles(const AreaFeature& area, const ViewGeometry& view, const DetailLevel* level, bool clip, const Stage (&stages)[4],
              AreaOutlineBuffers& buffers, AreaOutline& outline) {
  const VertexPath interior = detailPath(level, area.interiorVertices, area.interiorDetailList);
  for (const VertexRun& hole : area.holes) {
    if (hole.offset + std::size_t{hole.count} > area.interiorVertices.size()) continue;
    AreaOutline* ring = &buffers.ring;
    ring->clear();
    const VertexPath kept = interior.run(hole.offset, hole.count);
    for (std::uint32_t i = 0; i < kept.size(); ++i) ring->add(toLogical(kept[i].point, view), kept[i].usage);
    if (ring->size() < 3) continue;
    if (clip) ring = clipRing(ring, &buffers.ringSpare, stages);
    if (!ring) continue;
    outline.holePoints.insert(outline.holePoints.end(), ring->points.begin(), ring->points.end());
    outline.holeSizes.push_back(ring->size());
  }
}
}  // namespace

const AreaOutline* projectOutline(const AreaFeature& area, const ViewGeometry& view, AreaOutlineBuffers& buffers,
                                  const DetailLevel* level) {
  AreaOutline* current = &buffers.first;
  AreaOutline* spare = &buffers.second;
  current->clear();
  const VertexPath exterior = detailPath(level, area.exteriorVertices, area.exteriorDetailList);
  const int count = static_cast<int>(exterior.size());
  const Stage stages[4] = {
      {true, -OUTLINE_MARGIN_BEFORE, true},
      {true, view.viewportWidth + OUTLINE_MARGIN_AFTER, false},
      {false, -OUTLINE_MARGIN_BEFORE, true},
      {false, view.viewportHeight + OUTLINE_MARGIN_AFTER, false},
  };
  bool needsClipping = count < UNCLIPPED_OUTLINE_VERTICES;
  if (needsClipping && area.hasBounds) {
    // The outline's box answers for every vertex: wholly outside one bound
    // clips to nothing, wholly inside all four clips to itself.
    const QPoint topLeft = toLogical(ChartPoint{area.bounds.minX, area.bounds.maxY}, view);
    const QPoint bottomRight = toLogical(ChartPoint{area.bounds.maxX, area.bounds.minY}, view);
    if (bottomRight.x() < stages[0].value || topLeft.x() > stages[1].value || bottomRight.y() < stages[2].value ||
        topLeft.y() > stages[3].value)
      return nullptr;
    needsClipping = !(topLeft.x() >= stages[0].value && bottomRight.x() <= stages[1].value &&
                      topLeft.y() >= stages[2].value && bottomRight.y() <= stages[3].value);
  }

  current->points.reserve(static_cast<std::size_t>(count));
  current->usage.reserve(static_cast<std::size_t>(count));
  for (std::uint32_t i = 0; i < exterior.size(); ++i) current->add(toLogical(exterior[i].point, view), exterior[i].usage);
  if (!needsClipping) {
    if (current->size() < 2 && count < UNCLIPPED_OUTLINE_VERTICES) return nullptr;
  } else {
    for (const Stage& s : stages) {
      clipOutlineStage(*current, s.testX, s.value, s.keepGreater, *spare);
      std::swap(current, spare);
      if (current->size() < 2) return nullptr;
    }
  }
  if (!area.holes.empty()) addHoles(area, view, level, needsClipping, stages, buffers, *current);
  return current;
}
