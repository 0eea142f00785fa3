#include "CellFinishing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "S57Vocabulary.h"

namespace {

// Areas whose priority and class are equal keep their relative order, so a
// cell always comes out in the same order.
template <typename Feature>
void sortByPriorityThenClass(std::vector<std::unique_ptr<Feature>>& list) {
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
    if (a->display.priority != b->display.priority) return a->display.priority < b->display.priority;
    return a->objectClass < b->objectClass;
  });
}

// Whether depth area `inner` lies inside `outer`: its first five exterior
// vertices (all when fewer, trivially when none) are inside.
bool areaInside(const AreaFeature& inner, const AreaFeature& outer) {
  const size_t n = std::min<size_t>(5, inner.exteriorVertices.size());
  for (size_t i = 0; i < n; ++i)
    if (!pointInArea(inner.exteriorVertices[i].point, outer)) return false;
  return true;
}
}  // namespace

namespace {
// A position that is not a number (a damaged cell's) bounds nothing.
void include(ChartBox& box, bool& any, const ChartPoint& p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (!any) {
    box = ChartBox{p.x, p.y, p.x, p.y};
    any = true;
    return;
  }
  box.minX = std::min(box.minX, p.x), box.maxX = std::max(box.maxX, p.x);
  box.minY = std::min(box.minY, p.y), box.maxY = std::max(box.maxY, p.y);
}
}  // namespace

void computeExtents(S57Cell& cell) {
  // One box round everything the cell holds: areas (its coverage, M_COVR,
  // among them), lines, points and soundings. The meta areas of a cell do
  // not bound it: M_NSYS, say, may mark the system of one small harbour.
  ChartBox box;
  bool any = false;
  for (const auto& area : cell.areas) {
    if (!area->hasBounds) continue;
    include(box, any, {area->bounds.minX, area->bounds.minY});
    include(box, any, {area->bounds.maxX, area->bounds.maxY});
  }
  for (const auto& line : cell.lines)
    for (const ChartVertex& v : line->vertices) include(box, any, v.point);
  for (const auto& point : cell.points) include(box, any, point->position.point);
  for (const auto& feature : cell.soundings)
    for (const Sounding& s : feature->soundings) include(box, any, {s.x, s.y});

  cell.extents.clear();
  cell.boundingBox = ChartBox{};
  cell.centreX = cell.centreY = 0;
  if (!any) return;
  cell.extents.push_back(box);
  cell.boundingBox = box;
  cell.centreX = (box.maxX - box.minX) * 0.5 + box.minX;
  cell.centreY = (box.maxY - box.minY) * 0.5 + box.minY;
}

bool isNonSectorLight(const ChartFeature& light) {
  const std::string& s1 = light.findAttribute("SECTR1");
  const std::string& s2 = light.findAttribute("SECTR2");
  if (s1.empty() || s2.empty() || s1 == s2) return true;
  return (s1 == "0.00" && s2 == "360.00") || (s1 == "360.00" && s2 == "0.00");
}

void collectLights(S57Cell& cell) {
  cell.lights.clear();
  cell.nonSectorLights.clear();
  for (const auto& point : cell.points) {
    if (point->objectClass != s57::LIGHTS) continue;
    cell.lights.push_back(point.get());
    if (isNonSectorLight(*point)) cell.nonSectorLights.push_back(point.get());
  }
}

bool pointInArea(const ChartPoint& p, const AreaFeature& area) {
  if (!area.hasBounds || p.x < area.bounds.minX || p.x > area.bounds.maxX || p.y < area.bounds.minY ||
      p.y > area.bounds.maxY)
    return false;
  const std::vector<ChartVertex>& ring = area.exteriorVertices;
  bool inside = false;
  const size_t n = ring.size();
  for (size_t i = 0; i < n; ++i) {
    const ChartPoint& a = ring[i].point;
    const ChartPoint& b = ring[(i + 1) % n].point;
    if ((a.y < p.y && p.y <= b.y) || (b.y < p.y && p.y <= a.y)) {
      const double x = b.x + (p.y - b.y) * (b.x - a.x) / (b.y - a.y);
      if (x > p.x) inside = !inside;
    }
  }
  return inside;
}

void orderFeatures(S57Cell& cell) {
  sortByPriorityThenClass(cell.areas);

  // The depth-area run: from the first depth area to the next area of
  // another class.
  auto& areas = cell.areas;
  auto begin = std::find_if(areas.begin(), areas.end(),
                            [](const auto& a) { return a->objectClass == s57::DEPARE; });
  auto end = std::find_if(begin, areas.end(), [](const auto& a) { return a->objectClass != s57::DEPARE; });
  for (auto it = begin; it != end; ++it)
    (*it)->depthOrderKey = static_cast<float>(std::atof((*it)->findAttribute("DRVAL1").c_str()));
  // A depth area inside a shallower one is keyed just above it, so it is
  // painted after (over) the area that contains it.
  for (auto r = begin; r != end; ++r) {
    const float key = (*r)->depthOrderKey;
    for (auto i = begin; i != end; ++i) {
      if (key > (*i)->depthOrderKey && areaInside(**r, **i)) {
        (*r)->depthOrderKey = (*i)->depthOrderKey - 0.1f;
        break;
      }
    }
  }
  std::stable_sort(begin, end, [](const auto& a, const auto& b) { return a->depthOrderKey > b->depthOrderKey; });

  sortByPriorityThenClass(cell.lines);
  std::stable_sort(cell.points.begin(), cell.points.end(),
                   [](const auto& a, const auto& b) { return a->display.priority < b->display.priority; });
}
