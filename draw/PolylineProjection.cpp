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
  const int kept = thinToLogical(path, view, out.data());
  if (kept >= 2 || !path.simplified()) return clipToMargin(kept, view, out, scratch);
  // A line shorter than the thinning's grid loses every vertex but its
  // first. What it left out may have reached the next grid cell: it then
  // shows as a dot, as it did whole, so a short line never drops out.
  const VertexPath whole = path.whole();
  out.resize(static_cast<std::size_t>(whole.size()) + 100);
  return clipToMargin(thinToLogical(whole, view, out.data()), view, out, scratch);
}
