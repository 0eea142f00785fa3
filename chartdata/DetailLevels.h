#pragma once
// Levels of detail of a cell's lines and area outlines. A view zoomed out
// shows many vertices of a cell's survey-grade lines in one pixel; each
// level keeps only the vertices a view from its scale on can show. Level L
// (1 ... kDetailLevels) is made for views 2^L times smaller in scale than the
// cell's compilation scale, and moves no line by more than its tolerance,
// a fraction of a pixel of such a view. The levels are made once, while the
// cell loads (CellDetailLevels.h), and then only read.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "ChartVertex.h"

constexpr int kDetailLevels = 6;

// A simplified line lies within this fraction of a pixel of the full one
// at every scale its level is drawn at.
constexpr double kDetailPixels = 0.5;

// A vertex list as drawn at one level: every vertex, or those whose
// indices (ascending) the level keeps. Indexing goes through the kept
// indices, so a path costs nothing to make.
class VertexPath {
public:
  VertexPath() = default;
  // Every vertex of the list.
  VertexPath(const ChartVertex* vertices, std::uint32_t count) : vertices_(vertices), size_(count) {}
  // The vertices `kept[0 .. count)` of the list.
  VertexPath(const ChartVertex* vertices, const std::uint32_t* kept, std::uint32_t count)
      : vertices_(vertices), kept_(kept), size_(count) {}

  std::uint32_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const ChartVertex& operator[](std::uint32_t i) const { return kept_ ? vertices_[kept_[i]] : vertices_[i]; }

  // What the path keeps of the run [offset, offset + count) of the full
  // list (a part or a hole): the run itself at full detail.
  VertexPath run(std::uint32_t offset, std::uint32_t count) const {
    if (!kept_) return VertexPath(vertices_ + offset, count);
    const std::uint32_t* first = std::lower_bound(kept_, kept_ + size_, offset);
    const std::uint32_t* last = std::lower_bound(first, kept_ + size_, offset + count);
    return VertexPath(vertices_, first, static_cast<std::uint32_t>(last - first));
  }

private:
  const ChartVertex* vertices_ = nullptr;
  const std::uint32_t* kept_ = nullptr;  // null: every vertex
  std::uint32_t size_ = 0;
};

// The levels of one vertex list of a feature: the indices each level keeps,
// level after level in one list. A level that keeps every vertex (or was
// not made) holds none, and its path is the whole list.
struct DetailLevels {
  std::vector<std::uint32_t> kept;
  std::array<std::uint32_t, kDetailLevels> ends{};  // level L's indices end at ends[L - 1]

  // The list at `level` (0: full detail).
  VertexPath path(const std::vector<ChartVertex>& vertices, int level) const {
    const VertexPath full(vertices.data(), static_cast<std::uint32_t>(vertices.size()));
    if (level <= 0 || level > kDetailLevels) return full;
    const std::uint32_t begin = level == 1 ? 0 : ends[static_cast<std::size_t>(level - 2)];
    const std::uint32_t end = ends[static_cast<std::size_t>(level - 1)];
    if (end <= begin || end > kept.size()) return full;
    return VertexPath(vertices.data(), kept.data() + begin, end - begin);
  }
};

// Each level's tolerance in chart units, 0 for a level not made.
using DetailTolerances = std::array<double, kDetailLevels>;

// The most simplified level whose tolerance is no more than `allowed`
// chart units (the view's share of a pixel, kDetailPixels), 0 when none.
inline int detailLevelFor(const DetailTolerances& tolerances, double allowed) {
  int level = 0;
  for (int l = 1; l <= kDetailLevels; ++l) {
    const double t = tolerances[static_cast<std::size_t>(l - 1)];
    if (t > 0 && t <= allowed) level = l;
  }
  return level;
}
