#include "WorldCopies.h"

#include <algorithm>
#include <cmath>

#include "ViewGeometry.h"

using mercator::kWorldWidth;

ChartBox viewBox(const ViewGeometry& view) {
  const double scale = view.scale;
  return {view.origin.x, view.origin.y - view.viewportHeight * scale, view.origin.x + view.viewportWidth * scale,
          view.origin.y};
}

WorldCopies worldCopiesMeeting(const ChartBox& box, const ChartBox& view) {
  WorldCopies copies;
  if (!(box.minY <= view.maxY && box.maxY >= view.minY)) return copies;
  // Copy k meets when box.minX + kW <= view.maxX and box.maxX + kW >= view.minX.
  double first = std::ceil((view.minX - box.maxX) / kWorldWidth);
  double last = std::floor((view.maxX - box.minX) / kWorldWidth);
  if (!(first <= last)) return copies;  // none, or not a number
  if (last - first >= kMostWorldCopies) {
    const double nearest = std::round(((view.minX + view.maxX) - (box.minX + box.maxX)) / 2 / kWorldWidth);
    if (!std::isfinite(nearest)) return copies;
    first = std::max(first, nearest - kMostWorldCopies / 2);
    last = std::min(last, first + (kMostWorldCopies - 1));
  }
  if (std::fabs(first) > 1e9 || std::fabs(last) > 1e9) return copies;  // beyond any real chart
  copies.first = static_cast<int>(first);
  copies.last = static_cast<int>(last);
  return copies;
}

ViewGeometry viewOfWorldCopy(const ViewGeometry& view, int k) {
  ViewGeometry moved = view;
  moved.centre.x -= worldCopyShift(k);
  moved.origin.x -= worldCopyShift(k);
  return moved;
}

double wrappedX(double x) {
  const double half = kWorldWidth / 2;
  if ((x >= -half && x < half) || !std::isfinite(x)) return x;
  const double wrapped = x - kWorldWidth * std::floor((x + half) / kWorldWidth);
  return wrapped >= half ? wrapped - kWorldWidth : wrapped;
}

double nearestCopyX(double x, double near) {
  const double moved = x + kWorldWidth * std::round((near - x) / kWorldWidth);
  return std::isfinite(moved) ? moved : x;
}
