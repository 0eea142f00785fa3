#pragma once
// Levels of detail of a cell's lines and area outlines. A view zoomed out
// shows many vertices of a cell's survey-grade lines in one pixel; each
// level keeps only the vertices a view from its scale on can show. Level L
// (1 ... kDetailLevels) is made for views 2^L times smaller in scale than the
// cell's compilation scale, and moves no line by more than its tolerance,
// a fraction of a pixel of such a view. A level is made once per cell, when
// a view first needs it (CellDetailLevels.h), and then only read.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "ChartVertex.h"

constexpr int kDetailLevels = 6;

// A simplified line lies within this fraction of a pixel of the full one
// at every scale its level is drawn at.
constexpr double kDetailPixels = 0.5;

// A vertex list as drawn at one level: every vertex, or those whose
// indices (ascending) the level keeps. Indexing goes through the kept
// indices, so a path costs nothing to make. It knows the whole run it was
// taken from, for a caller that needs every vertex after all.
class VertexPath {
public:
  VertexPath() = default;
  // Every vertex of the list.
  VertexPath(const ChartVertex* vertices, std::uint32_t count)
      : vertices_(vertices), size_(count), wholeOffset_(0), wholeCount_(count) {}
  // The vertices `kept[0 .. count)` of the run [offset, offset + whole) of
  // the list.
  VertexPath(const ChartVertex* vertices, const std::uint32_t* kept, std::uint32_t count, std::uint32_t offset,
             std::uint32_t whole)
      : vertices_(vertices), kept_(kept), size_(count), wholeOffset_(offset), wholeCount_(whole) {}

  std::uint32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const ChartVertex& operator[](std::uint32_t i) const { return kept_ ? vertices_[kept_[i]] : vertices_[i]; }
  bool simplified() const { return kept_ != nullptr; }

  // Every vertex of the run the path was taken from.
  VertexPath whole() const {
    return kept_ ? VertexPath(vertices_ + wholeOffset_, wholeCount_) : *this;
  }

  // What the path keeps of the run [offset, offset + count) of the full
  // list (a part or a hole): the run itself at full detail.
  VertexPath run(std::uint32_t offset, std::uint32_t count) const {
    if (!kept_) return VertexPath(vertices_ + offset, count);
    const std::uint32_t* first = std::lower_bound(kept_, kept_ + size_, offset);
    const std::uint32_t* last = std::lower_bound(first, kept_ + size_, offset + count);
    return VertexPath(vertices_, first, static_cast<std::uint32_t>(last - first), offset, count);
  }

private:
  const ChartVertex* vertices_ = nullptr;
  const std::uint32_t* kept_ = nullptr;  // null: every vertex
  std::uint32_t size_ = 0;
  std::uint32_t wholeOffset_ = 0, wholeCount_ = 0;
};

// The number a feature's vertex list has among its cell's lists; the
// levels are kept per list. A list without one is drawn whole.
using DetailList = std::uint32_t;
constexpr DetailList kNoDetailList = std::numeric_limits<DetailList>::max();

// One level of a cell: the indices each list keeps, list after list in one
// vector. A list that keeps every vertex holds none, and its path is the
// whole list.
struct DetailLevel {
  struct Range {
    std::uint32_t begin = 0, end = 0;
  };
  std::vector<std::uint32_t> kept;
  std::vector<Range> lists;  // by DetailList

  // The list `list` of `vertices` at this level.
  VertexPath path(const std::vector<ChartVertex>& vertices, DetailList list) const {
    const auto count = static_cast<std::uint32_t>(vertices.size());
    if (list >= lists.size()) return VertexPath(vertices.data(), count);
    const Range r = lists[list];
    // A list that changed since its level was made is drawn whole.
    if (r.end <= r.begin || r.end > kept.size() || kept[r.end - 1] >= count)
      return VertexPath(vertices.data(), count);
    return VertexPath(vertices.data(), kept.data() + r.begin, r.end - r.begin, 0, count);
  }
};

// The list `list` of `vertices` at `level`; every vertex when there is no
// level (null).
inline VertexPath detailPath(const DetailLevel* level, const std::vector<ChartVertex>& vertices, DetailList list) {
  if (!level) return VertexPath(vertices.data(), static_cast<std::uint32_t>(vertices.size()));
  return level->path(vertices, list);
}

// Each level's tolerance in chart units, 0 for a level not made.
using DetailTolerances = std::array<double, kDetailLevels>;

// The most simplified level whose tolerance is no more than `allowed`
// chart units (the view's share of a pixel, kDetailPixels), 0 when none. A
// view at just a level's scale takes it though rounding put its share a hair
// below the tolerance.
inline int detailLevelFor(const DetailTolerances& tolerances, double allowed) {
  int level = 0;
  for (int l = 1; l <= kDetailLevels; ++l) {
    const double t = tolerances[static_cast<std::size_t>(l - 1)];
    if (t > 0 && t <= allowed * 1.001) level = l;
  }
  return level;
}
