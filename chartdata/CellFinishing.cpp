#include "CellFinishing.h"

#include <algorithm>
#include <cstdlib>

#include "S57Vocabulary.h"

namespace {

// Areas whose priority and class are equal keep their relative order, so a
// cell always comes out in the same order.
template <typename Feature>
void sortByPriorityThenClass(std::vector<std::unique_ptr<Feature>>& list) {
  std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
    if (a->displayPriority != b->displayPriority) return a->displayPriority < b->displayPriority;
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

void computeExtents(S57Cell& cell) {
  cell.extents.clear();
  for (const auto& area : cell.areas)
    if (area->objectClass == s57::M_NSYS && area->hasBounds) cell.extents.push_back(area->bounds);
  if (cell.extents.empty())
    for (const auto& area : cell.areas)
      if (area->hasBounds) cell.extents.push_back(area->bounds);

  cell.boundingBox = ChartBox{};
  cell.centreX = cell.centreY = 0;
  if (cell.extents.empty()) return;
  const ChartBox& first = cell.extents.front();
  cell.centreX = (first.maxX - first.minX) * 0.5 + first.minX;
  cell.centreY = (first.maxY - first.minY) * 0.5 + first.minY;
  cell.boundingBox = first;
  for (const ChartBox& b : cell.extents) {
    cell.boundingBox.minX = std::min(cell.boundingBox.minX, b.minX);
    cell.boundingBox.minY = std::min(cell.boundingBox.minY, b.minY);
    cell.boundingBox.maxX = std::max(cell.boundingBox.maxX, b.maxX);
    cell.boundingBox.maxY = std::max(cell.boundingBox.maxY, b.maxY);
  }
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
                   [](const auto& a, const auto& b) { return a->displayPriority < b->displayPriority; });
}
