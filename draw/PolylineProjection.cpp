#include "PolylineProjection.h"

#include "PolylineClipping.h"

namespace {
int clipToMargin(int kept, const ViewGeometry& view, std::vector<QPoint>& out, std::vector<QPoint>& scratch) {
  if (kept < 2) return 0;
  out.resize(static_cast<std::size_t>(kept));
  return clipPolyline(out, -LINE_MARGIN_BEFORE, view.viewportWidth + LINE_MARGIN_AFTER, -LINE_MARGIN_BEFORE,
                      view.viewportHeight + LINE_MARGIN_AFTER, scratch);
}
}  // namespace

int projectPolyline(const ChartVertex* vertices, int count, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch) {
  out.resize(static_cast<std::size_t>(count) + 100);
  return clipToMargin(thinToLogical(vertices, count, view, out.data()), view, out, scratch);
}

int projectPolyline(const VertexPath& path, const ViewGeometry& view, std::vector<QPoint>& out,
                    std::vector<QPoint>& scratch) {
  out.resize(static_cast<std::size_t>(path.size()) + 100);
  return clipToMargin(thinToLogical(path, view, out.data()), view, out, scratch);
}
