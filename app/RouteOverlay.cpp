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
// Over this distance a great circle strays from the straight line on the
// chart by under a metre at the latitudes charted.
constexpr double kGreatCircleStepMetres = 5000;
const QColor kRouteColour(214, 72, 0);

// Up to this distance the ellipsoid round a position is taken as its
// tangent plane: off by well under a metre at this distance, and many
// times cheaper than a geodesic, which matters while a waypoint is dragged.
constexpr double kPlaneMetres = 5 * kMetresPerNauticalMile;

// The position `metres` from `at` along a true course.
GeoPoint offset(GeoPoint at, double course, double metres) {
  if (metres <= 0) return at;
  if (metres > kPlaneMetres) return GeodesicLine(at, std::fmod(course + 720.0, 360.0)).at(metres).position;
  constexpr double a = 6378137.0, f = 1 / 298.257223563, e2 = f * (2 - f);
  double sinCourse, cosCourse, sinLatitude, cosLatitude;
  sinCosDegrees(course, sinCourse, cosCourse);
  sinCosDegrees(at.latitude, sinLatitude, cosLatitude);
  const double w = 1 - e2 * sinLatitude * sinLatitude;
  const double meridian = a * (1 - e2) / (w * std::sqrt(w));  // radius of curvature north-south
  const double normal = a / std::sqrt(w);                     // east-west
  constexpr double degrees = 180 / M_PI;
  GeoPoint p{at.latitude + metres * cosCourse / meridian * degrees, at.longitude};
  if (cosLatitude > 1e-9) p.longitude += metres * sinCourse / (normal * cosLatitude) * degrees;
  return p;
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
  // Hairlines only (one pixel wide): Qt's raster engine strokes them on a
  // fast path, and anything wider many times slower. A leg is two hairlines
  // side by side.
  legPen_ = QPen(kRouteColour, 1);
  legPen_.setCosmetic(true);
  corridorPen_ = QPen(kRouteColour, 1);
  corridorPen_.setCosmetic(true);
  findingPen_ = QPen(QColor(200, 0, 200), 3);
  findingPen_.setCosmetic(true);
  const int side = static_cast<int>(2 * kWaypointPixels) + 3;
  waypointMark_ = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
  waypointMark_.fill(Qt::transparent);
  QPainter ring(&waypointMark_);
  ring.setRenderHint(QPainter::Antialiasing, true);
  ring.setPen(QPen(kRouteColour, 2));
  ring.setBrush(Qt::white);
  ring.drawEllipse(QPointF(side / 2.0, side / 2.0), kWaypointPixels, kWaypointPixels);
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
    // A rhumb line is straight on the Mercator chart, and so (to well under
    // a pixel) are its corridor's limits; a great circle is followed in
    // steps short enough that each is straight on the chart too.
    const int steps = leg.kind() == LegKind::Rhumb
                          ? 1
                          : std::clamp(static_cast<int>(std::ceil(leg.metres() / kGreatCircleStepMetres)), 1,
                                       kMaxLegSteps);
    std::vector<LegTrack::Point> along;
    for (int k = 0; k <= steps; ++k) along.push_back(leg.at(leg.metres() * k / steps));
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
  pixels_.reserve(std::max(track_.size(), corridor_.size()) + 1);  // a corridor closes with its first point
}

void RouteOverlay::draw(QPainter& painter, const ViewGeometry& view) const {
  if (waypoints_.empty() && !finding_) return;
  // No save and restore (a saved state is an allocation): the pen and brush
  // are set for every part, and the brush is left empty. Drawn in device
  // pixels, which the raster engine fills and strokes much faster than
  // through the view's scaled window; the window is put back after.
  const QRect window = painter.window();
  painter.setWindow(painter.viewport());
  const auto project = [&](const std::vector<ChartPoint>& points, int from, int to) {
    pixels_.clear();  // keeps its capacity
    for (int i = from; i < to; ++i) pixels_.push_back(pixelOf(points[static_cast<std::size_t>(i)], view));
    return static_cast<int>(pixels_.size());
  };
  painter.setPen(corridorPen_);
  painter.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i + 1 < corridorStart_.size(); ++i) {
    // Closed back to its first point, as a line: a polygon without a fill
    // costs Qt more.
    const int n = project(corridor_, corridorStart_[i], corridorStart_[i + 1]);
    pixels_.push_back(pixels_.front());
    painter.drawPolyline(pixels_.data(), n + 1);
  }
  painter.setPen(legPen_);
  for (std::size_t i = 0; i + 1 < legStart_.size(); ++i) {
    const int n = project(track_, legStart_[i], legStart_[i + 1]);
    painter.drawPolyline(pixels_.data(), n);
    // The second hairline a pixel across the leg's main direction.
    const QPointF span = pixels_[static_cast<std::size_t>(n) - 1] - pixels_.front();
    const QPointF across = std::abs(span.x()) > std::abs(span.y()) ? QPointF(0, 1) : QPointF(1, 0);
    for (QPointF& p : pixels_) p += across;
    painter.drawPolyline(pixels_.data(), n);
  }
  // Each waypoint is the ring drawn once, when the overlay was made.
  const QPointF corner(waypointMark_.width() / 2.0, waypointMark_.height() / 2.0);
  for (const ChartPoint& w : waypoints_) painter.drawImage(pixelOf(w, view) - corner, waypointMark_);
  if (finding_) {
    painter.setPen(findingPen_);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pixelOf(geoToChart(*finding_), view), kFindingPixels, kFindingPixels);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setWindow(window);
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
