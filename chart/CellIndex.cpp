#include "CellIndex.h"

#include <algorithm>
#include <cmath>

#include "CellChoice.h"
#include "WorldCopies.h"

namespace {
// Whether a node's box (the union of its children's) may hold a child that
// meets the view in some copy of the world, as extentMeetsView tests a
// child: a view across the 180th meridian meets cells of both sides. A box
// or view a world wide or more, or infinite, is tested in y only, since
// extentMeetsView keeps only the copies nearest each child's own centre.
bool nodeMeetsView(const ChartBox& box, const ChartBox& view) {
  if (box.minY > view.maxY || view.minY > box.maxY) return false;
  if (!(view.maxX - view.minX < mercator::kWorldWidth) || !(box.maxX - box.minX < mercator::kWorldWidth))
    return true;
  return !worldCopiesMeeting(box, view).empty();
}


constexpr size_t kNodeSize = 8;

bool hasNaN(const ChartBox& b) {
  return std::isnan(b.minX) || std::isnan(b.minY) || std::isnan(b.maxX) || std::isnan(b.maxY);
}

// Sort keys; a box reaching to both infinities sorts as if centred on 0.
double middle(double low, double high) {
  const double m = low * 0.5 + high * 0.5;
  return std::isnan(m) ? 0.0 : m;
}
double centreX(const ChartBox& b) { return middle(b.minX, b.maxX); }
double centreY(const ChartBox& b) { return middle(b.minY, b.maxY); }

template <typename Entry>
ChartBox unionOf(const Entry* first, size_t count) {
  ChartBox u = first->box;
  for (size_t i = 1; i < count; ++i) {
    const ChartBox& b = first[i].box;
    u.minX = std::min(u.minX, b.minX);
    u.minY = std::min(u.minY, b.minY);
    u.maxX = std::max(u.maxX, b.maxX);
    u.maxY = std::max(u.maxY, b.maxY);
  }
  return u;
}

// Orders the entries sort-tile-recursive: into vertical slices by the
// centre's x, each slice by the centre's y, so that runs of kNodeSize
// consecutive entries make compact nodes.
template <typename Entry>
void tileOrder(std::vector<Entry>& entries) {
  const size_t nodes = (entries.size() + kNodeSize - 1) / kNodeSize;
  const size_t slices = static_cast<size_t>(std::ceil(std::sqrt(static_cast<double>(nodes))));
  const size_t perSlice = std::max<size_t>(1, slices) * kNodeSize;
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return centreX(a.box) < centreX(b.box); });
  for (size_t first = 0; first < entries.size(); first += perSlice) {
    const auto end = entries.begin() + static_cast<std::ptrdiff_t>(std::min(entries.size(), first + perSlice));
    std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first), end,
              [](const Entry& a, const Entry& b) { return centreY(a.box) < centreY(b.box); });
  }
}

}  // namespace

CellIndex::CellIndex(std::vector<S57Cell*> cells) : cells_(std::move(cells)) {
  std::vector<Entry> level;
  for (size_t i = 0; i < cells_.size(); ++i)
    for (const ChartBox& b : cells_[i]->extents)
      (hasNaN(b) ? unordered_ : level).push_back({b, static_cast<std::uint32_t>(i), 0});
  while (!level.empty()) {
    tileOrder(level);
    levels_.push_back(std::move(level));
    const std::vector<Entry>& below = levels_.back();
    if (below.size() <= kNodeSize) break;
    level.clear();
    for (size_t first = 0; first < below.size(); first += kNodeSize) {
      const size_t count = std::min(kNodeSize, below.size() - first);
      level.push_back({unionOf(&below[first], count), static_cast<std::uint32_t>(first),
                       static_cast<std::uint32_t>(count)});
    }
  }
}

void CellIndex::search(const ViewGeometry& view, const ChartBox& within, size_t level, const Entry& node,
                       std::vector<std::uint32_t>& positions) const {
  if (level == 0) {
    if (extentMeetsView(node.box, view)) positions.push_back(node.item);
    return;
  }
  if (!nodeMeetsView(node.box, within)) return;
  const std::vector<Entry>& below = levels_[level - 1];
  for (std::uint32_t i = node.item; i < node.item + node.count; ++i) search(view, within, level - 1, below[i], positions);
}

void CellIndex::query(const ViewGeometry& view, std::vector<std::uint32_t>& positions) const {
  positions.clear();
  // The view's box as extentMeetsView sees it: a node whose box (the union
  // of its children's) misses it in every copy of the world has no child
  // that meets the view.
  const ChartBox within = viewBox(view);
  if (!levels_.empty()) {
    const size_t top = levels_.size() - 1;
    for (const Entry& root : levels_[top]) search(view, within, top, root, positions);
  }
  for (const Entry& e : unordered_)
    if (extentMeetsView(e.box, view)) positions.push_back(e.item);
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
}
