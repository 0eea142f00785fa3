#include "TileSet.h"

#include <algorithm>
#include <climits>

namespace tiles {

TileSet::TileSet(int minZoom, int maxZoom, const GeoBox& box, const std::vector<GeoBox>& areas, double marginPixels) {
  std::vector<std::pair<int, int>> intervals;
  for (int z = minZoom; z <= maxZoom; ++z) {
    Zoom zoom;
    zoom.z = z;
    const TileRange wanted = tilesMeeting(box, z);
    for (const GeoBox& area : areas) {
      const TileRange r = intersect(wanted, tilesMeeting(area, z, marginPixels));
      if (!r.empty()) zoom.ranges.push_back(r);
    }
    if (zoom.ranges.empty()) continue;
    zoom.firstRow = INT_MAX;
    for (const TileRange& r : zoom.ranges) {
      zoom.firstRow = std::min(zoom.firstRow, r.y0);
      zoom.lastRow = std::max(zoom.lastRow, r.y1);
    }
    for (int y = nextRow(zoom, zoom.firstRow); y >= 0; y = nextRow(zoom, y + 1)) {
      rowIntervals(zoom, y, intervals);
      for (const auto& [x0, x1] : intervals) size_ += x1 - x0 + 1;
    }
    zooms_.push_back(std::move(zoom));
  }
}

void TileSet::rowIntervals(const Zoom& zoom, int y, std::vector<std::pair<int, int>>& out) {
  out.clear();
  for (const TileRange& r : zoom.ranges)
    if (r.y0 <= y && y <= r.y1) out.push_back({r.x0, r.x1});
  std::sort(out.begin(), out.end());
  size_t kept = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (kept > 0 && out[i].first <= out[kept - 1].second + 1)
      out[kept - 1].second = std::max(out[kept - 1].second, out[i].second);
    else
      out[kept++] = out[i];
  }
  out.resize(kept);
}

int TileSet::nextRow(const Zoom& zoom, int y) {
  int best = -1;
  for (const TileRange& r : zoom.ranges) {
    if (r.y1 < y) continue;
    const int candidate = std::max(y, r.y0);
    if (best < 0 || candidate < best) best = candidate;
  }
  return best;
}

TileSet::Cursor::Cursor(const TileSet& set) : set_(set) {
  if (!set_.zooms_.empty()) y_ = set_.zooms_.front().firstRow;
}

bool TileSet::Cursor::startRow() {
  while (zoom_ < set_.zooms_.size()) {
    const Zoom& zoom = set_.zooms_[zoom_];
    const int y = nextRow(zoom, y_);
    if (y >= 0) {
      y_ = y;
      rowIntervals(zoom, y_, intervals_);
      interval_ = 0;
      x_ = intervals_.front().first;
      return true;
    }
    if (++zoom_ < set_.zooms_.size()) y_ = set_.zooms_[zoom_].firstRow;
  }
  return false;
}

bool TileSet::Cursor::next(TileId& tile, long long& index) {
  if (!rowReady_) {
    if (!startRow()) return false;
    rowReady_ = true;
  }
  tile = TileId{set_.zooms_[zoom_].z, x_, y_};
  index = index_++;
  // Step on: along the interval, to the next interval, or to the next row.
  if (x_ < intervals_[interval_].second) {
    ++x_;
  } else if (++interval_ < intervals_.size()) {
    x_ = intervals_[interval_].first;
  } else {
    ++y_;
    rowReady_ = false;
  }
  return true;
}

long long partSize(long long total, int part, int parts) {
  if (total <= part - 1) return 0;
  return (total - part) / parts + 1;
}

}  // namespace tiles
