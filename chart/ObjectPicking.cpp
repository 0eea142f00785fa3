#include "ObjectPicking.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "CellChoice.h"
#include "FeaturePortrayal.h"
#include "FeatureVisibility.h"
#include "PickGeometry.h"
#include "PolylineProjection.h"
#include "S57Vocabulary.h"
#include "TrueScale.h"
#include "WorldCopies.h"

namespace {
// The order of the kinds in the list.
int kindRank(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Point: return 0;
    case FeatureKind::Sounding: return 1;
    case FeatureKind::Line: return 2;
    case FeatureKind::Area: return 3;
  }
  return 4;
}

struct Candidate {
  PickedObject object;
  std::size_t cellIndex = 0;
  std::size_t featureIndex = 0;
};

int priorityOf(const ChartFeature& feature, const ResultPointer& result) {
  return displayState(feature, result.get()).priority;
}

bool withinSquare(const ChartPoint& p, const ChartPoint& at, double half) {
  return std::fabs(p.x - at.x) < half && std::fabs(p.y - at.y) < half;
}

// Whether the cell's coverage holds the position (in the cell's own copy of
// the world).
bool coverageHolds(const S57Cell& cell, const ChartPoint& at) {
  for (const auto& area : cell.areas)
    if (area->objectClass == s57::M_COVR && area->hasBounds && area->findAttribute("CATCOV") == "1" &&
        areaContains(*area, at))
      return true;
  return false;
}

// The position in the copy of the world in which the cell lies nearest it.
ChartPoint nearestToCell(const S57Cell& cell, const ChartPoint& at) {
  const double middleX = (cell.boundingBox.minX + cell.boundingBox.maxX) / 2;
  return ChartPoint{std::isfinite(middleX) ? nearestCopyX(at.x, middleX) : at.x, at.y};
}

bool onSurface(const ChartPoint& p, const ViewGeometry& view) { return insideViewport(toLogicalExact(p, view), view); }

struct Picker {
  Picker(const ViewGeometry& view, const DisplaySettings& settings, const ChartPoint& at)
      : view(view),
        scale(static_cast<float>(trueScale(view))),
        pointReach(POINT_PICK_PIXELS * LOGICAL_UNITS_PER_PIXEL * static_cast<double>(view.scale)),
        settings(settings),
        at(at) {}

  ViewGeometry view;  // for the cell at hand, in its copy of the world nearest the position
  float scale;        // the view's true scale, as the draw pass takes it
  double pointReach;  // half the pick square, chart units
  const DisplaySettings& settings;
  ChartPoint at;  // the position in that cell's own coordinates
  std::vector<Candidate> found;
  Candidate nearestSounding;
  double nearestDistance = std::numeric_limits<double>::infinity();
  std::vector<QPoint> projected, scratch;  // a line as the pass projects it

  void add(const S57Cell& cell, std::size_t cellIndex, const ChartFeature& feature, std::size_t featureIndex,
           const ResultPointer& result) {
    found.push_back(Candidate{PickedObject{&cell, &feature, 0, priorityOf(feature, result)}, cellIndex, featureIndex});
  }

  void points(const S57Cell& cell, std::size_t cellIndex) {
    if (!pointsShownAtScale(scale)) return;
    for (std::size_t i = 0; i < cell.points.size(); ++i) {
      const PointFeature& point = *cell.points[i];
      if (!withinSquare(point.position.point, at, pointReach) || !onSurface(point.position.point, view)) continue;
      ResultPointer result;
      if (pointPassesTests(settings, scale, point, cell, result) && hasInstructions(point, result.get(), settings))
        add(cell, cellIndex, point, i, result);
    }
  }

  void soundings(const S57Cell& cell, std::size_t cellIndex) {
    if (!soundingsShownAtScale(settings, scale)) return;
    for (std::size_t i = 0; i < cell.soundings.size(); ++i) {
      const SoundingFeature& feature = *cell.soundings[i];
      if (!soundingsPassTests(settings, scale, feature)) continue;
      ResultPointer result;
      std::size_t drawn = 0;
      for (std::size_t s = 0; s < feature.soundings.size(); ++s) {
        const ChartPoint p{feature.soundings[s].x, feature.soundings[s].y};
        if (!withinSquare(p, at, pointReach) || !onSurface(p, view)) continue;
        const double distance = std::hypot(p.x - at.x, p.y - at.y);
        if (distance >= nearestDistance) continue;
        // The procedure runs once per feature with a sounding near enough.
        if (!result) {
          result = procedureResult(feature, cell, settings);
          drawn = soundingsWithSymbols(feature, result.get());
        }
        if (s >= drawn) continue;
        nearestDistance = distance;
        nearestSounding = Candidate{PickedObject{&cell, &feature, s, priorityOf(feature, result)}, cellIndex, i};
      }
    }
  }

  void lines(const S57Cell& cell, std::size_t cellIndex) {
    const double reach = LINE_PICK_PIXELS * LOGICAL_UNITS_PER_PIXEL * static_cast<double>(view.scale);
    for (std::size_t i = 0; i < cell.lines.size(); ++i) {
      const LineFeature& line = *cell.lines[i];
      if (!polylineWithin(line.vertices.data(), line.vertices.size(), at, reach)) continue;
      // A line that thinning leaves as one point is not drawn at this scale.
      if (projectPolyline(line.vertices.data(), static_cast<int>(line.vertices.size()), view, projected, scratch) == 0)
        continue;
      ResultPointer result;
      if (linePassesAllTests(settings, scale, line, cell, result) && hasInstructions(line, result.get(), settings))
        add(cell, cellIndex, line, i, result);
    }
  }

  void areas(const S57Cell& cell, std::size_t cellIndex) {
    for (std::size_t i = 0; i < cell.areas.size(); ++i) {
      const AreaFeature& area = *cell.areas[i];
      if (!areaContains(area, at)) continue;
      ResultPointer result;
      if (areaPassesAllTests(settings, scale, area, cell, result) && hasInstructions(area, result.get(), settings))
        add(cell, cellIndex, area, i, result);
    }
  }
};
}  // namespace

std::vector<PickedObject> pickObjects(const std::vector<S57Cell*>& drawnCells, const ViewGeometry& view,
                                      const DisplaySettings& settings, const ChartPoint& at) {
  ViewGeometry current = view;
  updateOrigin(current);
  Picker picker(current, settings, at);
  // Walking from the cell drawn last (on top) down: the most detailed
  // compilation scale whose coverage holds the position so far.
  std::vector<char> hidden(drawnCells.size(), 0);
  int coveredBy = std::numeric_limits<int>::max();
  for (std::size_t c = drawnCells.size(); c-- > 0;) {
    const S57Cell& cell = *drawnCells[c];
    const int cellScale = compilationScaleForRules(cell);
    hidden[c] = coveredBy < cellScale;
    if (!hidden[c] && coverageHolds(cell, nearestToCell(cell, at))) coveredBy = std::min(coveredBy, cellScale);
  }
  for (std::size_t c = 0; c < drawnCells.size(); ++c) {
    if (hidden[c]) continue;
    const S57Cell& cell = *drawnCells[c];
    // The copy of the world in which the cell lies nearest the position: a
    // view across the 180th meridian picks on both sides.
    picker.at = nearestToCell(cell, at);
    const int copy = static_cast<int>(std::lround((at.x - picker.at.x) / mercator::kWorldWidth));
    picker.view = viewOfWorldCopy(current, copy);
    picker.points(cell, c);
    picker.soundings(cell, c);
    picker.lines(cell, c);
    picker.areas(cell, c);
  }
  std::vector<Candidate>& found = picker.found;
  if (picker.nearestSounding.object.feature) found.push_back(picker.nearestSounding);
  std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
    const int ka = kindRank(a.object.feature->kind), kb = kindRank(b.object.feature->kind);
    if (ka != kb) return ka < kb;
    if (a.object.displayPriority != b.object.displayPriority) return a.object.displayPriority > b.object.displayPriority;
    if (a.cellIndex != b.cellIndex) return a.cellIndex > b.cellIndex;
    return a.featureIndex > b.featureIndex;
  });
  std::vector<PickedObject> picked;
  picked.reserve(found.size());
  for (const Candidate& c : found) picked.push_back(c.object);
  return picked;
}
