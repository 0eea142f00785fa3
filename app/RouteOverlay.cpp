#include "RouteOverlay.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "Geodesic.h"
#include "Route.h"

namespace {

constexpr double kWaypointPixels = 5;   // ring radius
constexpr double kFindingPixels = 12;   // the finding's ring radius
constexpr double kWaypointHitPixels = 9;
constexpr double kLegHitPixels = 6;
const QColor kRouteColour(214, 72, 0);

// The position `metres` from `at` along a true course.
GeoPoint offset(GeoPoint at, double course, double metres) {
  if (metres <= 0) return at;
  return GeodesicLine(at, std::fmod(course + 720.0, 360.0)).at(metres).position;
}

QPointF pixelOf(const ChartPoint& p, const ViewGeometry& view) {
  return toLogicalExact(p, view) / LOGICAL_UNITS_PER_PIXEL;
}

double segmentDistance(QPointF p, QPointF a, QPointF b) {
  const QPointF ab = b - a, ap = p - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0.0;
  const QPointF d = ap - t * ab;
  return std::hypot(d.x(), d.y());
}

// A quarter (or any) arc about `centre` from course `from` to `to`, `steps`
// points after the first, appended.
void appendArc(GeoPoint centre, double from, double to, double metres, int steps, std::vector<ChartPoint>& out) {
  for (int i = 1; i <= steps; ++i)
    out.push_back(geoToChart(offset(centre, from + (to - from) * i / steps, metres)));
}

}  // namespace

RouteOverlay::RouteOverlay() {
  legPen_ = QPen(kRouteColour, 2.5);
  legPen_.setCosmetic(true);
  corridorPen_ = QPen(kRouteColour, 1, Qt::DashLine);
  corridorPen_.setCosmetic(true);
  waypointPen_ = QPen(kRouteColour, 2);
  waypointPen_.setCosmetic(true);
  findingPen_ = QPen(QColor(200, 0, 200), 3);
  findingPen_.setCosmetic(true);
  QColor band = kRouteColour;
  band.setAlpha(45);
  corridorBrush_ = QBrush(band);
  waypointBrush_ = QBrush(Qt::white);
}

void RouteOverlay::setRoute(const Route* route) {
  waypoints_.clear();
  track_.clear();
  corridor_.clear();
  legStart_.assign(1, 0);
  corridorStart_.assign(1, 0);
  if (!route) return;
  for (const Waypoint& w : route->waypoints()) waypoints_.push_back(geoToChart(w.position));
  for (int i = 0; i < route->legCount(); ++i) {
    const LegTrack leg = route->legTrack(i);
    const LegSettings& s = route->legSettings()[static_cast<std::size_t>(i)];
    const double port = s.portXtdNm * kMetresPerNauticalMile;
    const double starboard = s.starboardXtdNm * kMetresPerNauticalMile;
    std::vector<LegTrack::Point> along;
    for (int k = 0; k <= kLegSteps; ++k) along.push_back(leg.at(leg.metres() * k / kLegSteps));
    along.back().position = leg.to();
    for (const LegTrack::Point& p : along) track_.push_back(geoToChart(p.position));
    legStart_.push_back(static_cast<int>(track_.size()));

    // The corridor's outline: the starboard limit forward, the end's two
    // quarter circles, the port limit back, the start's two quarter circles.
    const double first = along.front().course, last = along.back().course;
    for (const LegTrack::Point& p : along) corridor_.push_back(geoToChart(offset(p.position, p.course + 90, starboard)));
    appendArc(leg.to(), last + 90, last, starboard, kCapSteps, corridor_);
    appendArc(leg.to(), last, last - 90, port, kCapSteps, corridor_);
    for (auto p = along.rbegin(); p != along.rend(); ++p)
      corridor_.push_back(geoToChart(offset(p->position, p->course - 90, port)));
    appendArc(leg.from(), first - 90, first - 180, port, kCapSteps, corridor_);
    appendArc(leg.from(), first + 180, first + 90, starboard, kCapSteps, corridor_);
    corridorStart_.push_back(static_cast<int>(corridor_.size()));
  }
  logical_.reserve(std::max({track_.size(), corridor_.size(), waypoints_.size()}));
}

void RouteOverlay::draw(QPainter& painter, const ViewGeometry& view) const {
  if (waypoints_.empty() && !finding_) return;
  // No save and restore (a saved state is an allocation): the pen and brush
  // are set for every part, and the brush is left empty.
  const auto project = [&](const std::vector<ChartPoint>& points, int from, int to) {
    logical_.clear();  // keeps its capacity
    for (int i = from; i < to; ++i) logical_.push_back(toLogicalExact(points[static_cast<std::size_t>(i)], view));
    return static_cast<int>(logical_.size());
  };
  painter.setPen(corridorPen_);
  painter.setBrush(corridorBrush_);
  for (std::size_t i = 0; i + 1 < corridorStart_.size(); ++i) {
    const int n = project(corridor_, corridorStart_[i], corridorStart_[i + 1]);
    painter.drawPolygon(logical_.data(), n);
  }
  painter.setPen(legPen_);
  painter.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i + 1 < legStart_.size(); ++i) {
    const int n = project(track_, legStart_[i], legStart_[i + 1]);
    painter.drawPolyline(logical_.data(), n);
  }
  painter.setPen(waypointPen_);
  painter.setBrush(waypointBrush_);
  const double r = kWaypointPixels * LOGICAL_UNITS_PER_PIXEL;
  for (const ChartPoint& w : waypoints_) painter.drawEllipse(toLogicalExact(w, view), r, r);
  if (finding_) {
    const double f = kFindingPixels * LOGICAL_UNITS_PER_PIXEL;
    painter.setPen(findingPen_);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(toLogicalExact(geoToChart(*finding_), view), f, f);
  }
  painter.setBrush(Qt::NoBrush);
}

int RouteOverlay::waypointAt(QPointF pixel, const ViewGeometry& view) const {
  int best = -1;
  double bestDistance = kWaypointHitPixels;
  for (std::size_t i = 0; i < waypoints_.size(); ++i) {
    const QPointF d = pixelOf(waypoints_[i], view) - pixel;
    const double distance = std::hypot(d.x(), d.y());
    if (distance <= bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

int RouteOverlay::legAt(QPointF pixel, const ViewGeometry& view) const {
  int best = -1;
  double bestDistance = kLegHitPixels;
  for (std::size_t leg = 0; leg + 1 < legStart_.size(); ++leg) {
    for (int i = legStart_[leg]; i + 1 < legStart_[leg + 1]; ++i) {
      const double distance = segmentDistance(pixel, pixelOf(track_[static_cast<std::size_t>(i)], view),
                                              pixelOf(track_[static_cast<std::size_t>(i) + 1], view));
      if (distance <= bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(leg);
      }
    }
  }
  return best;
}
