#include "ViewFitting.h"

#include <algorithm>

#include "TrueScale.h"
#include "ViewGeometry.h"
#include "WorldCopies.h"

namespace {
struct Span {
  double minX, maxX;
};

// The narrowest x range that holds every span, each taken in whichever copy
// of the world serves: cells on both sides of the 180th meridian come
// together across it instead of spanning the world the other way round.
Span narrowestCover(std::vector<Span> spans) {
  Span plain = spans.front();
  for (const Span& s : spans) plain.minX = std::min(plain.minX, s.minX), plain.maxX = std::max(plain.maxX, s.maxX);
  for (Span& s : spans) {
    if (!(s.maxX - s.minX < mercator::kWorldWidth)) return plain;  // one goes round the world
    const double start = wrappedX(s.minX);
    s = {start, start + (s.maxX - s.minX)};
  }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.minX < b.minX; });
  // The widest gap between the spans, round the world included, is left out.
  // A span reaching past the last start round the world covers the first.
  double farthest = spans.front().maxX;
  for (const Span& s : spans) farthest = std::max(farthest, s.maxX);
  double reach = std::max(spans.front().maxX, farthest - mercator::kWorldWidth);
  double widestGap = 0;
  Span best{spans.front().minX, 0};
  for (std::size_t i = 1; i < spans.size(); ++i) {
    if (spans[i].minX > reach && spans[i].minX - reach > widestGap) {
      widestGap = spans[i].minX - reach;
      best = {spans[i].minX, reach + mercator::kWorldWidth};
    }
    reach = std::max(reach, spans[i].maxX);
  }
  const double roundGap = spans.front().minX + mercator::kWorldWidth - farthest;
  if (roundGap >= widestGap) best = {spans.front().minX, farthest};
  if (widestGap <= 0 && roundGap <= 0) return plain;  // the spans cover the world
  return best;
}
}  // namespace

bool setTrueScaleWithinLimits(ViewGeometry& view, double denominator) {
  if (denominator != denominator) return false;
  return setTrueScale(view, std::clamp(denominator, double(kMinimumViewScale), double(kMaximumViewScale)));
}

bool fitViewToCells(const std::vector<S57Cell*>& cells, ViewGeometry& view) {
  std::vector<Span> spans;
  ChartBox all;
  for (const S57Cell* cell : cells) {
    if (!cell || cell->extents.empty()) continue;
    const ChartBox& b = cell->boundingBox;
    if (spans.empty()) all = b;
    all.minY = std::min(all.minY, b.minY), all.maxY = std::max(all.maxY, b.maxY);
    spans.push_back({b.minX, b.maxX});
  }
  if (spans.empty()) return false;
  const Span x = narrowestCover(std::move(spans));
  all.minX = x.minX, all.maxX = x.maxX;
  view.centre = ChartPoint{(all.minX + all.maxX) / 2, (all.minY + all.maxY) / 2};
  // Chart units per logical unit that fit the box into 80 % of each side.
  const double width = std::max(1, view.viewportWidth) * 0.8;
  const double height = std::max(1, view.viewportHeight) * 0.8;
  const double needed = std::max((all.maxX - all.minX) / width, (all.maxY - all.minY) / height);
  // The view scale that fits, unless its true scale passes a limit.
  ViewGeometry fitted = view;
  fitted.scale = static_cast<float>(std::clamp(needed, 1e-3, 1e30));
  const double fittedScale = trueScale(fitted);
  if (fittedScale >= kMinimumViewScale && fittedScale <= kMaximumViewScale)
    view.scale = fitted.scale;
  else if (!setTrueScaleWithinLimits(view, fittedScale))
    setTrueScaleWithinLimits(view, kMaximumViewScale);
  updateOrigin(view);
  return true;
}
