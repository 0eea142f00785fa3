#include "RouteCheck.h"

#include <algorithm>
#include <memory>
#include <unordered_map>

#include "CheckedCell.h"
#include "CheckedClasses.h"
#include "CorridorProbe.h"
#include "FeatureFindings.h"
#include "Geodesic.h"
#include "LegCorridor.h"
#include "LegCoverage.h"
#include "S57Vocabulary.h"
#include "ViewGeometry.h"

namespace {

// Cells that join edge to edge may leave a hair between their coverage.
constexpr double kCoverageTolerance = 1.0;  // metres

// A view whose box holds `box`, for the index of cells (which answers for
// views): its corner at the box's north-west corner, wide enough to reach
// the east.
ViewGeometry viewHolding(const ChartBox& box) {
  ViewGeometry view;
  constexpr int kUnits = 1 << 20;
  view.viewportWidth = view.viewportHeight = kUnits;
  const double span = std::max(box.maxX - box.minX, box.maxY - box.minY);
  view.scale = static_cast<float>(std::max(1.0, span / kUnits) * 1.0001);
  view.origin = {box.minX, box.maxY};
  view.centre = {box.minX + kUnits * double(view.scale) / 2, box.maxY - kUnits * double(view.scale) / 2};
  return view;
}

class Checker {
public:
  Checker(const Route& route, const CellIndex& cells, const RouteCheckSettings& settings)
      : route_(route), cells_(cells), settings_(settings) {}
  RouteCheckResult run();

private:
  const CheckedCell& checked(const S57Cell* cell);
  void checkLeg(int leg, std::vector<RouteFinding>& out);
  void coverageFindings(int leg, const LegTrack& track, const std::vector<const CheckedCell*>& candidates,
                        std::vector<RouteFinding>& out);

  const Route& route_;
  const CellIndex& cells_;
  const RouteCheckSettings& settings_;
  std::unordered_map<const S57Cell*, std::unique_ptr<CheckedCell>> checked_;
  std::vector<std::uint32_t> positions_;
};

const CheckedCell& Checker::checked(const S57Cell* cell) {
  std::unique_ptr<CheckedCell>& c = checked_[cell];
  if (!c) c = std::make_unique<CheckedCell>(*cell, settings_.safetyContour);
  return *c;
}

// Where the leg leaves the coverage of every cell, and where its best cell
// is less detailed than the best along it. Cells of one compilation scale
// share a rank.
void Checker::coverageFindings(int leg, const LegTrack& track, const std::vector<const CheckedCell*>& candidates,
                               std::vector<RouteFinding>& out) {
  const LegLine line(track);
  Stretches covered;
  struct Best {
    const CheckedCell* cell;
    Stretches stretches;
  };
  std::vector<Best> best;
  for (std::size_t i = 0; i < candidates.size();) {
    // The cells of one scale: what they cover that no better cell does.
    std::size_t j = i;
    Stretches rank;
    for (; j < candidates.size() && candidates[j]->scale == candidates[i]->scale; ++j) {
      Stretches own;
      line.addCoverage(*candidates[j], own);
      Stretches mine = subtractStretches(own, covered);
      if (!mine.empty()) best.push_back({candidates[j], std::move(mine)});
      uniteStretches(rank, own);
    }
    uniteStretches(covered, rank);
    i = j;
  }
  const auto placeAt = [&](double along, RouteFinding& f) {
    f.leg = leg;
    f.alongMetres = along;
    f.position = track.at(along).position;
    f.kind = FindingKind::Indication;
  };
  const Stretches gaps = gapsIn(covered, line.length(), kCoverageTolerance);
  if (!gaps.empty()) {
    RouteFinding f;
    placeAt(gaps.front().first, f);
    f.reason = FindingReason::OutsideCoverage;
    out.push_back(std::move(f));
  }
  if (best.empty()) return;
  const int bestScale = best.front().cell->scale;
  for (const Best& b : best) {
    if (b.cell->scale == bestScale) continue;
    // Stretches too short to matter are the hairs between cells.
    const auto it = std::find_if(b.stretches.begin(), b.stretches.end(), [](const std::pair<double, double>& s) {
      return s.second - s.first >= kCoverageTolerance;
    });
    if (it == b.stretches.end()) continue;
    RouteFinding f;
    placeAt(it->first, f);
    f.reason = FindingReason::LessDetailedData;
    f.cell = b.cell->cell->name;
    f.scale = b.cell->scale;
    f.betterScale = bestScale;
    const ChartPoint at = line.pointAt((it->first + it->second) / 2);
    for (const AreaFeature* area : b.cell->coverage) {
      if (!areaHolds(*area, at)) continue;
      f.objectClass = area->objectClass;
      f.classAcronym = std::string(checkedClassAcronym(area->objectClass));
      f.agency = area->agency;
      f.featureNumber = area->featureNumber;
      f.featureSubdivision = area->featureSubdivision;
      break;
    }
    out.push_back(std::move(f));
  }
}

void Checker::checkLeg(int leg, std::vector<RouteFinding>& out) {
  const RouteLeg legInfo = route_.leg(leg);
  const LegTrack track = route_.legTrack(leg);
  const double port = settings_.xtdMetres ? *settings_.xtdMetres : legInfo.settings.portXtdNm * kMetresPerNauticalMile;
  const double starboard =
      settings_.xtdMetres ? *settings_.xtdMetres : legInfo.settings.starboardXtdNm * kMetresPerNauticalMile;
  const LegCorridor corridor(track, port, starboard);
  const CorridorProbe probe(corridor, track, std::max(port, starboard));

  cells_.query(viewHolding(probe.chartBox()), positions_);
  std::vector<const CheckedCell*> candidates;
  for (const std::uint32_t p : positions_) {
    const S57Cell* cell = cells_.cells()[p];
    if (cell->extents.empty()) continue;
    const bool near = std::any_of(cell->extents.begin(), cell->extents.end(),
                                  [&](const ChartBox& b) { return !probe.copiesMeeting(b).empty(); });
    if (!near) continue;
    if (cell->unloaded) {
      // Listed without its features: nothing of it can be checked.
      RouteFinding f;
      f.leg = leg;
      f.position = track.from();
      f.kind = FindingKind::Alarm;
      f.reason = FindingReason::CellNotLoaded;
      f.cell = cell->name;
      out.push_back(std::move(f));
      continue;
    }
    candidates.push_back(&checked(cell));
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const CheckedCell* a, const CheckedCell* b) { return a->scale < b->scale; });

  std::vector<RouteFinding> found;
  LegScan scan;
  scan.leg = leg;
  scan.probe = &probe;
  scan.start = geoToChart(track.from());
  scan.routeStart = leg == 0;
  scan.safetyContour = settings_.safetyContour;
  scan.date = settings_.date;
  scan.better = &candidates;
  for (const CheckedCell* cell : candidates) scanCell(scan, *cell, found);
  coverageFindings(leg, track, candidates, found);

  // One finding per object: the first along the leg. An object that cells
  // of one scale share (the same identifier) counts once.
  std::stable_sort(found.begin(), found.end(),
                   [](const RouteFinding& a, const RouteFinding& b) { return a.alongMetres < b.alongMetres; });
  std::vector<RouteFinding> kept;
  for (RouteFinding& f : found) {
    const bool identified = f.objectClass != 0 && (f.agency != 0 || f.featureNumber != 0);
    const bool seen = identified && std::any_of(kept.begin(), kept.end(), [&](const RouteFinding& k) {
                        return k.objectClass == f.objectClass && k.agency == f.agency &&
                               k.featureNumber == f.featureNumber && k.featureSubdivision == f.featureSubdivision &&
                               k.reason == f.reason;
                      });
    if (!seen) kept.push_back(std::move(f));
  }
  for (RouteFinding& f : kept) out.push_back(std::move(f));
}

RouteCheckResult Checker::run() {
  RouteCheckResult result;
  result.legs = route_.legCount();
  result.lengthMetres = route_.lengthMetres();
  for (int leg = 0; leg < route_.legCount(); ++leg) {
    if (settings_.cancel && settings_.cancel->load()) {
      result.cancelled = true;
      break;
    }
    checkLeg(leg, result.findings);
  }
  return result;
}

}  // namespace

RouteCheckResult checkRoute(const Route& route, const CellIndex& cells, const RouteCheckSettings& settings) {
  return Checker(route, cells, settings).run();
}
