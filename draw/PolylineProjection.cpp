#include "PolylineProjection.h"

#include "PolylineClipping.h"

int projectPolyline(const ChartVertex* vertices, int count, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch) {
  out.resize(static_cast<std::size_t>(count) + 100);
  const int kept = thinToLogical(vertices, count, view, out.data());
  if (kept < 2) return 0;
  out.resize(static_cast<std::size_t>(kept));
  return clipPolyline(out, -LINE_MARGIN_BEFORE, view.viewportWidth + LINE_MARGIN_AFTER, -LINE_MARGIN_BEFORE,
                      view.viewportHeight + LINE_MARGIN_AFTER, scratch);
}
