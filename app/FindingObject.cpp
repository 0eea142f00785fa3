#include "FindingObject.h"

#include <limits>

namespace {

bool named(const ChartFeature& f, const RouteFinding& finding) {
  return f.agency == finding.agency && f.featureNumber == finding.featureNumber &&
         f.featureSubdivision == finding.featureSubdivision && f.objectClass == finding.objectClass;
}

template <typename Feature>
const ChartFeature* find(const std::vector<std::unique_ptr<Feature>>& features, const RouteFinding& finding) {
  for (const auto& f : features)
    if (named(*f, finding)) return f.get();
  return nullptr;
}

std::size_t nearestSounding(const SoundingFeature& feature, const GeoPoint& at) {
  const ChartPoint p = geoToChart(at);
  std::size_t best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < feature.soundings.size(); ++i) {
    const double dx = feature.soundings[i].x - p.x, dy = feature.soundings[i].y - p.y;
    if (dx * dx + dy * dy < bestDistance) {
      bestDistance = dx * dx + dy * dy;
      best = i;
    }
  }
  return best;
}

}  // namespace

std::optional<PickedObject> findingObject(const RouteFinding& finding, const std::vector<S57Cell*>& cells) {
  if (finding.objectClass == 0) return std::nullopt;
  for (const S57Cell* cell : cells) {
    if (cell->name != finding.cell) continue;
    const ChartFeature* feature = find(cell->points, finding);
    if (!feature) feature = find(cell->soundings, finding);
    if (!feature) feature = find(cell->lines, finding);
    if (!feature) feature = find(cell->areas, finding);
    if (!feature) continue;
    PickedObject picked;
    picked.cell = cell;
    picked.feature = feature;
    if (feature->kind == FeatureKind::Sounding)
      picked.sounding = nearestSounding(static_cast<const SoundingFeature&>(*feature), finding.position);
    return picked;
  }
  return std::nullopt;
}
