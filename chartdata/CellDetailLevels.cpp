#include "CellDetailLevels.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "ChartModel.h"
#include "LineSimplification.h"

namespace {

using Index = std::uint32_t;

// One vertex list of a feature, and where its parts' edges are.
struct VertexList {
  const std::vector<ChartVertex>* vertices;
  const std::vector<BoundaryPart>* parts;
  DetailList number;
  std::size_t firstUse = 0, useCount = 0;  // in EdgeCollector::uses
  bool simplified = true;                  // false: drawn whole at every level
};

// A part of a list: the edge it runs along, and in which direction.
struct EdgeUse {
  Index edge;
  Index offset;  // of the part in its list
  bool reversed;
};

std::uint64_t mix(std::uint64_t hash, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return (hash ^ bits) * 1099511628211ull;
}

bool lessPoint(const ChartPoint& a, const ChartPoint& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); }
bool samePoint(const ChartPoint& a, const ChartPoint& b) { return a.x == b.x && a.y == b.y; }

class EdgeCollector {
public:
  std::vector<SimplifiedLineInput> edges;
  std::vector<EdgeUse> uses;
  std::vector<VertexList> lists;

  void add(const std::vector<ChartVertex>& vertices, const std::vector<BoundaryPart>& parts, DetailList number) {
    VertexList list{&vertices, &parts, number};
    list.firstUse = uses.size();
    if (!partsFollowOneAnother(vertices, parts)) {
      // Drawn whole; the edges of the others keep clear of all of it.
      list.simplified = false;
      if (!vertices.empty()) edges.push_back({vertices.data(), static_cast<Index>(vertices.size()), true});
    } else {
      for (const BoundaryPart& part : parts) uses.push_back(findEdge(vertices.data() + part.offset, part.count, part.offset));
    }
    list.useCount = uses.size() - list.firstUse;
    lists.push_back(list);
  }

private:
  static bool partsFollowOneAnother(const std::vector<ChartVertex>& vertices, const std::vector<BoundaryPart>& parts) {
    std::size_t next = 0;
    for (const BoundaryPart& part : parts) {
      if (part.offset != next) return false;
      next += part.count;
    }
    return next == vertices.size();
  }

  // The edge with these vertices (in either direction), new when none has.
  EdgeUse findEdge(const ChartVertex* v, Index count, Index offset) {
    std::uint64_t forward = 1469598103934665603ull, backward = forward;
    for (Index i = 0; i < count; ++i) {
      forward = mix(mix(forward, v[i].point.x), v[i].point.y);
      backward = mix(mix(backward, v[count - 1 - i].point.x), v[count - 1 - i].point.y);
    }
    // An open edge is keyed in the direction from its lesser end, a ring by
    // the lesser of its two keys.
    std::uint64_t key = forward;
    if (count > 0 && samePoint(v[0].point, v[count - 1].point)) key = std::min(forward, backward);
    else if (count > 0 && lessPoint(v[count - 1].point, v[0].point)) key = backward;

    auto [first, last] = byKey_.equal_range(key);
    for (auto it = first; it != last; ++it) {
      const SimplifiedLineInput& edge = edges[it->second];
      if (edge.count != count) continue;
      if (sameVertices(edge.vertices, v, count, false)) return {it->second, offset, false};
      if (sameVertices(edge.vertices, v, count, true)) return {it->second, offset, true};
    }
    const Index index = static_cast<Index>(edges.size());
    edges.push_back({v, count, false});
    byKey_.emplace(key, index);
    return {index, offset, false};
  }

  static bool sameVertices(const ChartVertex* a, const ChartVertex* b, Index count, bool reversed) {
    for (Index i = 0; i < count; ++i)
      if (!samePoint(a[i].point, b[reversed ? count - 1 - i : i].point)) return false;
    return true;
  }

  std::unordered_multimap<std::uint64_t, Index> byKey_;
};

// What the list keeps from what its edges keep, appended to the level;
// nothing when that is every vertex.
void appendList(const EdgeCollector& collected, const VertexList& list,
                const std::vector<std::vector<Index>>& keptByEdge, DetailLevel& level) {
  if (list.number >= level.lists.size()) return;
  const auto begin = static_cast<Index>(level.kept.size());
  if (list.simplified) {
    for (std::size_t u = list.firstUse; u < list.firstUse + list.useCount; ++u) {
      const EdgeUse& use = collected.uses[u];
      const std::vector<Index>& kept = keptByEdge[use.edge];
      const Index count = collected.edges[use.edge].count;
      if (!use.reversed) {
        for (Index k : kept) level.kept.push_back(use.offset + k);
      } else {
        for (auto k = kept.rbegin(); k != kept.rend(); ++k) level.kept.push_back(use.offset + (count - 1 - *k));
      }
    }
    if (level.kept.size() - begin >= list.vertices->size()) level.kept.resize(begin);
  }
  level.lists[list.number] = {begin, static_cast<Index>(level.kept.size())};
}

// The lists prepareDetailLevels numbered; the highest number plus one.
DetailList collectLists(const S57Cell& cell, EdgeCollector& collected) {
  DetailList end = 0;
  auto add = [&](const std::vector<ChartVertex>& vertices, const std::vector<BoundaryPart>& parts, DetailList n) {
    if (n == kNoDetailList) return;
    collected.add(vertices, parts, n);
    end = std::max(end, n + 1);
  };
  for (const auto& line : cell.lines) add(line->vertices, line->parts, line->detailList);
  for (const auto& area : cell.areas) {
    add(area->exteriorVertices, area->exteriorParts, area->exteriorDetailList);
    add(area->interiorVertices, area->interiorParts, area->interiorDetailList);
  }
  return end;
}

void makeLevel(const S57Cell& cell, double tolerance, DetailLevel& level) {
  EdgeCollector collected;
  level.lists.assign(collectLists(cell, collected), DetailLevel::Range{});
  const std::vector<std::vector<Index>> kept = simplifyLinesTogether(collected.edges, tolerance);
  for (const VertexList& list : collected.lists) appendList(collected, list, kept, level);
  level.kept.shrink_to_fit();
}

}  // namespace

CellDetailLevels::CellDetailLevels(const DetailTolerances& tolerances) : tolerances_(tolerances) {
  for (auto& level : published_) level.store(nullptr, std::memory_order_relaxed);
}

bool CellDetailLevels::has(int level) const {
  return level >= 1 && level <= kDetailLevels && tolerances_[static_cast<std::size_t>(level - 1)] > 0;
}

const DetailLevel* CellDetailLevels::level(const S57Cell& cell, int level) const {
  if (!has(level)) return nullptr;
  const auto i = static_cast<std::size_t>(level - 1);
  std::call_once(once_[i], [&] {
    makeLevel(cell, tolerances_[i], levels_[i]);
    published_[i].store(&levels_[i], std::memory_order_release);
  });
  return &levels_[i];
}

const DetailLevel* CellDetailLevels::made(int level) const {
  if (!has(level)) return nullptr;
  return published_[static_cast<std::size_t>(level - 1)].load(std::memory_order_acquire);
}

const DetailLevel* CellDetailLevels::finestMade(int level) const {
  for (int l = std::min(level, kDetailLevels); l >= 1; --l)
    if (const DetailLevel* found = made(l)) return found;
  return nullptr;
}

void prepareDetailLevels(S57Cell& cell, const DetailTolerances& tolerances) {
  DetailList next = 0;
  for (auto& line : cell.lines) line->detailList = next++;
  for (auto& area : cell.areas) {
    area->exteriorDetailList = next++;
    area->interiorDetailList = next++;
  }
  cell.detail = std::make_unique<CellDetailLevels>(tolerances);
}
