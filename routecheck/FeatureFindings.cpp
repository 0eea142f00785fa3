#include "FeatureFindings.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "CheckedClasses.h"
#include "ChartDate.h"
#include "DepthAreaEdges.h"
#include "HazardDepth.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {

using Hit = CorridorProbe::Hit;

// Whether one of the listed values of a list attribute ("7,14") is `value`.
bool listHas(const std::string& list, const char* value) {
  std::size_t begin = 0;
  while (begin <= list.size()) {
    std::size_t end = list.find(',', begin);
    if (end == std::string::npos) end = list.size();
    if (list.compare(begin, end - begin, value) == 0) return true;
    begin = end + 1;
  }
  return false;
}

class CellScan {
public:
  CellScan(const LegScan& scan, const CheckedCell& cell, std::vector<RouteFinding>& out)
      : scan_(scan), cell_(cell), out_(out) {}
  void run();

private:
  // Whether the object exists on the date of the check: within its dates
  // (DATSTA, DATEND) and its season (PERSTA, PEREND), as the display shows it.
  bool inForce(const ChartFeature& f) const {
    return scan_.date == 0 ||
           (withinPeriod(f.findAttribute("DATSTA"), f.findAttribute("DATEND"), scan_.date) &&
            withinPeriod(f.findAttribute("PERSTA"), f.findAttribute("PEREND"), scan_.date));
  }
  bool coveredByBetter(const GeoPoint& position) const;
  // The first hit (by distance along) not under a better cell's coverage.
  bool firstHit(Hit& hit);
  void report(const ChartFeature& f, const Hit& hit, FindingKind kind, FindingReason reason, float depth = NAN,
              float limit = NAN, int scale = 0, int betterScale = 0);

  // Hits of an area: its boundary, and its start when the leg starts in it
  // (`startInside`).
  bool areaHits(const AreaFeature& area, bool startInside);
  bool lineHits(const LineFeature& line);

  void area(const AreaFeature& area);
  void line(const LineFeature& line, std::size_t index);
  void point(const PointFeature& point);
  void soundings(const SoundingFeature& feature, std::size_t index);
  float dangerDepth(const ChartFeature& f, const std::vector<ChartVertex>& outline) const;
  float deepestWaterAt(const ChartPoint& p) const;

  const LegScan& scan_;
  const CheckedCell& cell_;
  std::vector<RouteFinding>& out_;
  std::vector<Hit> hits_;
};

bool CellScan::coveredByBetter(const GeoPoint& position) const {
  const ChartPoint p = geoToChart(position);
  for (const CheckedCell* better : *scan_.better)
    if (better->scale < cell_.scale && better->covers(p)) return true;
  return false;
}

bool CellScan::firstHit(Hit& hit) {
  std::sort(hits_.begin(), hits_.end(), [](const Hit& a, const Hit& b) { return a.along < b.along; });
  for (const Hit& h : hits_) {
    if (coveredByBetter(h.position)) continue;
    hit = h;
    return true;
  }
  return false;
}

void CellScan::report(const ChartFeature& f, const Hit& hit, FindingKind kind, FindingReason reason, float depth,
                      float limit, int scale, int betterScale) {
  RouteFinding r;
  r.leg = scan_.leg;
  r.alongMetres = std::max(0.0, std::min(scan_.probe->corridor().lengthMetres(), hit.along));
  r.position = hit.position;
  r.kind = kind;
  r.reason = reason;
  r.objectClass = f.objectClass;
  r.classAcronym = std::string(checkedClassAcronym(f.objectClass));
  r.agency = f.agency;
  r.featureNumber = f.featureNumber;
  r.featureSubdivision = f.featureSubdivision;
  r.cell = cell_.cell->name;
  r.depth = depth;
  r.limit = limit;
  r.scale = scale;
  r.betterScale = betterScale;
  out_.push_back(std::move(r));
}

bool CellScan::areaHits(const AreaFeature& area, bool startInside) {
  hits_.clear();
  if (!area.hasBounds) return false;
  const WorldCopies copies = scan_.probe->copiesMeeting(area.bounds);
  if (copies.empty()) return false;
  const auto boundary = [&](const std::vector<BoundaryPart>& parts, const std::vector<ChartVertex>& ring) {
    if (parts.empty()) {  // one closed ring
      scan_.probe->appendLineHits(ring.data(), ring.size(), copies, hits_);
      if (ring.size() > 2) {
        const ChartVertex closing[2] = {ring.back(), ring.front()};
        scan_.probe->appendLineHits(closing, 2, copies, hits_);
      }
      return;
    }
    for (const BoundaryPart& part : parts)
      if (std::size_t(part.offset) + part.count <= ring.size())
        scan_.probe->appendLineHits(ring.data() + part.offset, part.count, copies, hits_);
  };
  boundary(area.exteriorParts, area.exteriorVertices);
  boundary(area.interiorParts, area.interiorVertices);
  if (startInside && areaHolds(area, scan_.start))
    hits_.push_back({0, chartToGeo(scan_.start)});
  return !hits_.empty();
}

bool CellScan::lineHits(const LineFeature& line) {
  hits_.clear();
  ChartBox box;
  if (!boxOfVertices(line.vertices.data(), line.vertices.size(), box)) return false;
  const WorldCopies copies = scan_.probe->copiesMeeting(box);
  if (copies.empty()) return false;
  if (line.parts.empty()) return scan_.probe->appendLineHits(line.vertices.data(), line.vertices.size(), copies, hits_);
  for (const BoundaryPart& part : line.parts)
    if (std::size_t(part.offset) + part.count <= line.vertices.size())
      scan_.probe->appendLineHits(line.vertices.data() + part.offset, part.count, copies, hits_);
  return !hits_.empty();
}

// The depth a rock, wreck or obstruction is drawn with: its VALSOU, else
// the depth of the water over it as the depth areas tell it, else what its
// kind and water level say (a non-dangerous wreck deep, a foul or
// submerged obstruction just under the surface).
float CellScan::dangerDepth(const ChartFeature& f, const std::vector<ChartVertex>& outline) const {
  const S57Cell& cell = *cell_.cell;
  if (f.objectClass == s57::WRECKS) {
    if (f.kind == FeatureKind::Point)
      return wreckDepth(f, static_cast<const PointFeature&>(f).position.point, cell);
    if (f.kind == FeatureKind::Area) return wreckDepthOverPoints(f, outline, cell);
  }
  if (!f.findAttribute("VALSOU").empty()) return attributeFloat(f, "VALSOU");
  const std::string& watlev = f.findAttribute("WATLEV");
  const std::string& expsou = f.findAttribute("EXPSOU");
  float depth = f.kind == FeatureKind::Point
                    ? shallowestUnderlyingDepth(f, watlev, expsou, cell, static_cast<const PointFeature&>(f).position.point)
                    : shallowestUnderlyingDepthOverPoints(f, watlev, expsou, cell, outline);
  if (depth == kUnknownDepth) depth = obstructionDepthWithoutSounding(f);
  return depth;
}

// The deepest DRVAL1 of the cell's depth areas that hold the point; the
// unknown depth where none does.
float CellScan::deepestWaterAt(const ChartPoint& p) const {
  float deepest = kUnknownDepth;
  for (const auto& a : cell_.cell->areas)
    if (isDepthArea(*a) && areaHolds(*a, p)) deepest = std::max(deepest, drval1Of(*a));
  return deepest;
}

void CellScan::area(const AreaFeature& a) {
  const CheckRole role = checkRole(a.objectClass);
  Hit hit;
  switch (role) {
    case CheckRole::DepthArea: {
      const float depth = drval1Of(a);
      if (!(depth < cell_.safetyDepth)) return;
      if (areaHits(a, scan_.routeStart) && firstHit(hit))
        report(a, hit, FindingKind::Alarm, FindingReason::ShallowWater, depth, cell_.safetyDepth);
      return;
    }
    case CheckRole::NeverSafe:
      if (areaHits(a, scan_.routeStart) && firstHit(hit)) report(a, hit, FindingKind::Alarm, FindingReason::NotNavigable);
      return;
    case CheckRole::Danger: {
      if (!areaHits(a, true) || !firstHit(hit)) return;
      const float depth = dangerDepth(a, a.exteriorVertices);
      if (depth <= scan_.safetyContour)
        report(a, hit, FindingKind::Alarm, FindingReason::Danger, depth, scan_.safetyContour);
      return;
    }
    case CheckRole::Obstacle:
      if (areaHits(a, true) && firstHit(hit)) report(a, hit, FindingKind::Alarm, FindingReason::Obstacle);
      return;
    case CheckRole::SpecialArea: {
      if (!areaHits(a, true) || !firstHit(hit)) return;
      // Entry prohibited (7) or an area to be avoided (14).
      const std::string& restrictions = a.findAttribute("RESTRN");
      const bool keepOut = listHas(restrictions, "7") || listHas(restrictions, "14");
      report(a, hit, keepOut ? FindingKind::Alarm : FindingKind::Indication, FindingReason::SpecialArea);
      return;
    }
    case CheckRole::ScaleArea: {
      const int areaScale = std::atoi(a.findAttribute("CSCALE").c_str());
      if (areaScale <= cell_.scale) return;
      if (areaHits(a, true) && firstHit(hit))
        report(a, hit, FindingKind::Indication, FindingReason::Overscaled, NAN, NAN, areaScale, cell_.scale);
      return;
    }
    case CheckRole::Sounding:
    case CheckRole::None: return;
  }
}

void CellScan::line(const LineFeature& l, std::size_t index) {
  const CheckRole role = checkRole(l.objectClass);
  if (role != CheckRole::NeverSafe && role != CheckRole::Danger && role != CheckRole::Obstacle &&
      role != CheckRole::SpecialArea)
    return;
  if (!cell_.lineHasBox[index] || scan_.probe->copiesMeeting(cell_.lineBoxes[index]).empty()) return;
  Hit hit;
  if (!lineHits(l) || !firstHit(hit)) return;
  switch (role) {
    case CheckRole::NeverSafe: report(l, hit, FindingKind::Alarm, FindingReason::NotNavigable); return;
    case CheckRole::Danger: {
      const float depth = dangerDepth(l, l.vertices);
      if (depth <= scan_.safetyContour)
        report(l, hit, FindingKind::Alarm, FindingReason::Danger, depth, scan_.safetyContour);
      return;
    }
    case CheckRole::Obstacle: report(l, hit, FindingKind::Alarm, FindingReason::Obstacle); return;
    default: report(l, hit, FindingKind::Indication, FindingReason::SpecialArea); return;
  }
}

void CellScan::point(const PointFeature& p) {
  const CheckRole role = checkRole(p.objectClass);
  if (role != CheckRole::NeverSafe && role != CheckRole::Danger && role != CheckRole::Obstacle &&
      role != CheckRole::SpecialArea)
    return;
  Hit hit;
  if (!scan_.probe->pointHit(p.position.point, hit) || coveredByBetter(hit.position)) return;
  switch (role) {
    case CheckRole::NeverSafe: report(p, hit, FindingKind::Alarm, FindingReason::NotNavigable); return;
    case CheckRole::Danger: {
      const float depth = dangerDepth(p, {});
      if (depth <= scan_.safetyContour)
        report(p, hit, FindingKind::Alarm, FindingReason::Danger, depth, scan_.safetyContour);
      return;
    }
    case CheckRole::Obstacle: report(p, hit, FindingKind::Alarm, FindingReason::Obstacle); return;
    default: report(p, hit, FindingKind::Indication, FindingReason::SpecialArea); return;
  }
}

// A sounding shallower than the safety contour where the depth areas give
// water at least as deep as it: a shoal the depth areas do not show. The
// first such sounding of the feature in the corridor (by distance along)
// stands for it.
void CellScan::soundings(const SoundingFeature& feature, std::size_t index) {
  if (!cell_.soundingHasBox[index] || scan_.probe->copiesMeeting(cell_.soundingBoxes[index]).empty()) return;
  bool found = false;
  Hit first;
  float depth = 0;
  for (const Sounding& s : feature.soundings) {
    if (!(s.depth < scan_.safetyContour)) continue;
    Hit hit;
    if (!scan_.probe->pointHit({s.x, s.y}, hit) || (found && hit.along >= first.along)) continue;
    if (!(deepestWaterAt({s.x, s.y}) >= cell_.safetyDepth) || coveredByBetter(hit.position)) continue;
    found = true;
    first = hit;
    depth = s.depth;
  }
  if (found) report(feature, first, FindingKind::Alarm, FindingReason::ShoalSounding, depth, scan_.safetyContour);
}

void CellScan::run() {
  const S57Cell& cell = *cell_.cell;
  for (const auto& a : cell.areas)
    if (checkRole(a->objectClass) != CheckRole::None && inForce(*a)) area(*a);
  for (std::size_t i = 0; i < cell.lines.size(); ++i)
    if (checkRole(cell.lines[i]->objectClass) != CheckRole::None && inForce(*cell.lines[i])) line(*cell.lines[i], i);
  for (const auto& p : cell.points)
    if (checkRole(p->objectClass) != CheckRole::None && inForce(*p)) point(*p);
  for (std::size_t i = 0; i < cell.soundings.size(); ++i)
    if (inForce(*cell.soundings[i])) soundings(*cell.soundings[i], i);
}

}  // namespace

void scanCell(const LegScan& scan, const CheckedCell& cell, std::vector<RouteFinding>& out) {
  CellScan(scan, cell, out).run();
}
