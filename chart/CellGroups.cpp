#include "CellGroups.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "CellChoice.h"
#include "TrueScale.h"
#include "ViewFitting.h"
#include "ViewGeometry.h"
#include "WorldCopies.h"

namespace {

struct Member {
  ChartBox box;   // in the copy of the world whose middle lies in -W/2..W/2
  double reach;   // the larger side of the box: the gap it bridges
  std::size_t cell;
};

class Groups {
public:
  explicit Groups(std::size_t n) : parent_(n) { std::iota(parent_.begin(), parent_.end(), 0); }
  std::size_t find(std::size_t i) {
    while (parent_[i] != i) i = parent_[i] = parent_[parent_[i]];
    return i;
  }
  void join(std::size_t a, std::size_t b) {
    a = find(a), b = find(b);
    if (a != b) parent_[std::max(a, b)] = std::min(a, b);
  }

private:
  std::vector<std::size_t> parent_;
};

double gapBetween(double lowA, double highA, double lowB, double highB) {
  return std::max({0.0, lowB - highA, lowA - highB});
}

bool near(const Member& a, const Member& b) {
  const double gapX = gapBetween(a.box.minX, a.box.maxX, b.box.minX, b.box.maxX);
  const double gapY = gapBetween(a.box.minY, a.box.maxY, b.box.minY, b.box.maxY);
  return std::max(gapX, gapY) <= std::max(a.reach, b.reach);
}

}  // namespace

std::vector<S57Cell*> largestCellGroup(const std::vector<S57Cell*>& cells) {
  std::vector<Member> members;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const S57Cell* cell = cells[i];
    if (!cell || cell->extents.empty()) continue;
    ChartBox box = cell->boundingBox;
    if (!std::isfinite(box.minX) || !std::isfinite(box.maxX) || !std::isfinite(box.minY) || !std::isfinite(box.maxY))
      continue;
    const double shift = wrappedX((box.minX + box.maxX) / 2) - (box.minX + box.maxX) / 2;
    box.minX += shift, box.maxX += shift;
    const double reach = std::max(box.maxX - box.minX, box.maxY - box.minY);
    members.push_back({box, reach, i});
  }
  if (members.empty()) return {};
  // Each box also one world east and west when its reach crosses the edge
  // of the world, so neighbours across the 180th meridian meet.
  const double half = mercator::kWorldWidth / 2;
  const std::size_t own = members.size();
  for (std::size_t i = 0; i < own; ++i) {
    const Member m = members[i];
    for (const double shift : {-mercator::kWorldWidth, mercator::kWorldWidth}) {
      Member copy = m;
      copy.box.minX += shift, copy.box.maxX += shift;
      if (copy.box.maxX + copy.reach >= -half && copy.box.minX - copy.reach <= half) members.push_back(copy);
    }
  }
  // A sweep in x over the boxes grown by their reach: only boxes whose grown
  // spans overlap can be near.
  std::vector<std::size_t> order(members.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return members[a].box.minX - members[a].reach < members[b].box.minX - members[b].reach;
  });
  Groups groups(cells.size());
  std::vector<std::size_t> active;
  for (const std::size_t i : order) {
    const Member& m = members[i];
    const double start = m.box.minX - m.reach;
    active.erase(std::remove_if(active.begin(), active.end(),
                                [&](std::size_t j) { return members[j].box.maxX + members[j].reach < start; }),
                 active.end());
    for (const std::size_t j : active)
      if (groups.find(members[j].cell) != groups.find(m.cell) && near(members[j], m)) groups.join(members[j].cell, m.cell);
    active.push_back(i);
  }
  // The group of most cells, then of the widest boxes.
  std::vector<std::size_t> count(cells.size(), 0);
  std::vector<double> area(cells.size(), 0);
  for (std::size_t i = 0; i < own; ++i) {
    const std::size_t g = groups.find(members[i].cell);
    ++count[g];
    area[g] += (members[i].box.maxX - members[i].box.minX) * (members[i].box.maxY - members[i].box.minY);
  }
  std::size_t best = groups.find(members.front().cell);
  for (std::size_t g = 0; g < cells.size(); ++g)
    if (count[g] > count[best] || (count[g] == count[best] && count[g] > 0 && area[g] > area[best])) best = g;
  std::vector<S57Cell*> group;
  for (std::size_t i = 0; i < own; ++i)
    if (groups.find(members[i].cell) == best) group.push_back(cells[members[i].cell]);
  return group;
}

bool fitViewToLargestGroup(const std::vector<S57Cell*>& cells, ViewGeometry& view) {
  const std::vector<S57Cell*> group = largestCellGroup(cells);
  if (!fitViewToCells(group, view)) return false;
  int coarsest = 0;
  for (const S57Cell* cell : group) coarsest = std::max(coarsest, compilationScaleForRules(*cell));
  const double limit = 50.0 * coarsest;
  if (coarsest > 0 && trueScale(view) > limit) setTrueScaleWithinLimits(view, limit);
  updateOrigin(view);
  return true;
}
