#include "RouteOverlay.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "ColourToken.h"
#include "Geodesic.h"
#include "Route.h"
#include "WorldCopies.h"

namespace {

constexpr double kWaypointPixels = 5;   // ring radius
constexpr double kFindingPixels = 12;   // the finding's ring radius
constexpr double kWaypointHitPixels = 9;
constexpr double kLegHitPixels = 6;
// Over this distance a great circle strays from the straight line on the
// chart by under a metre at the latitudes charted.
constexpr double kGreatCircleStepMetres = 5000;

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

// Points moved by whole world widths so that each follows on from the one
// before (the first from `near`): a line across the 180th meridian goes on
// east or west instead of jumping across the world.
void unwrap(std::vector<ChartPoint>& points, double near) {
  for (ChartPoint& p : points) near = p.x = nearestCopyX(p.x, near);
}

// Shifts points by `dx` and appends them.
void appendShifted(const std::vector<ChartPoint>& points, double dx, std::vector<ChartPoint>& out) {
  for (ChartPoint p : points) {
    p.x += dx;
    out.push_back(p);
  }
}

bool same(GeoPoint a, GeoPoint b) { return a.latitude == b.latitude && a.longitude == b.longitude; }

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
  // Until a colour table is given: the day colours of the tokens below.
  ColourTable day;
  day.entries[static_cast<std::size_t>(colourIndex("PLRTE"))] = QColor(220, 64, 37);
  day.entries[static_cast<std::size_t>(colourIndex("UIBCK"))] = QColor(212, 234, 238);
  day.entries[static_cast<std::size_t>(colourIndex("CHMGD"))] = QColor(197, 69, 195);
  setColours(day);
}

void RouteOverlay::setColours(const ColourTable& table) {
  // The planned route's colour for the legs, corridors and rings, the
  // background's inside the rings, and the strong magenta for the finding:
  // at dusk and night they come dimmed with the rest of the chart.
  const auto colour = [&](const char* token, QColor otherwise) {
    const QColor c = table.entries[static_cast<std::size_t>(colourIndex(token))];
    return c.isValid() ? c : otherwise;
  };
  const QColor route = colour("PLRTE", QColor(220, 64, 37));
  const QColor inside = colour("UIBCK", Qt::white);
  const QColor finding = colour("CHMGD", QColor(197, 69, 195));
  if (route == routeColour_ && inside == ringColour_ && finding == findingPen_.color()) return;
  routeColour_ = route;
  ringColour_ = inside;
  // Hairlines only (one pixel wide): Qt's raster engine strokes them on a
  // fast path, and anything wider many times slower. A leg is two hairlines
  // side by side.
  legPen_ = QPen(route, 1);
  legPen_.setCosmetic(true);
  corridorPen_ = QPen(route, 1);
  corridorPen_.setCosmetic(true);
  findingPen_ = QPen(finding, 3);
  findingPen_.setCosmetic(true);
  const int side = static_cast<int>(2 * kWaypointPixels) + 3;
  waypointMark_ = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
  waypointMark_.fill(Qt::transparent);
  QPainter ring(&waypointMark_);
  ring.setRenderHint(QPainter::Antialiasing, true);
  ring.setPen(QPen(route, 2));
  ring.setBrush(inside);
  ring.drawEllipse(QPointF(side / 2.0, side / 2.0), kWaypointPixels, kWaypointPixels);
}

RouteOverlay::LegShape RouteOverlay::legShape(const LegTrack& leg, const LegSettings& s) {
  LegShape shape{leg.from(), leg.to(), s, {}, {}};
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
  for (const LegTrack::Point& p : along) shape.track.push_back(geoToChart(p.position));
  unwrap(shape.track, shape.track.front().x);

  // The corridor's outline: the starboard limit forward, the end's two
  // quarter circles, the port limit back, the start's two quarter circles.
  std::vector<ChartPoint>& corridor = shape.corridor;
  const double first = along.front().course, last = along.back().course;
  for (const LegTrack::Point& p : along) corridor.push_back(geoToChart(offset(p.position, p.course + 90, starboard)));
  appendArc(leg.to(), last + 90, last, starboard, kCapSteps, corridor);
  appendArc(leg.to(), last, last - 90, port, kCapSteps, corridor);
  for (auto p = along.rbegin(); p != along.rend(); ++p)
    corridor.push_back(geoToChart(offset(p->position, p->course - 90, port)));
  appendArc(leg.from(), first - 90, first - 180, port, kCapSteps, corridor);
  appendArc(leg.from(), first + 180, first + 90, starboard, kCapSteps, corridor);
  unwrap(corridor, shape.track.front().x);
  return shape;
}

void RouteOverlay::setRoute(const Route* route) {
  waypoints_.clear();
  track_.clear();
  corridor_.clear();
  legStart_.assign(1, 0);
  corridorStart_.assign(1, 0);
  std::vector<LegShape> kept;
  kept.swap(legs_);
  if (!route) return;
  for (const Waypoint& w : route->waypoints()) waypoints_.push_back(geoToChart(w.position));
  if (!waypoints_.empty()) unwrap(waypoints_, wrappedX(waypoints_.front().x));
  // A leg whose ends and settings are as before keeps its shape: a dragged
  // waypoint rebuilds only the two legs it joins.
  for (int i = 0; i < route->legCount(); ++i) {
    const auto at = static_cast<std::size_t>(i);
    const GeoPoint from = route->waypoints()[at].position, to = route->waypoints()[at + 1].position;
    const LegSettings& s = route->legSettings()[at];
    if (at < kept.size() && same(kept[at].from, from) && same(kept[at].to, to) && kept[at].settings == s)
      legs_.push_back(std::move(kept[at]));
    else
      legs_.push_back(legShape(route->legTrack(i), s));
    // A leg keeps its own copy of the world; it is moved to the one its
    // first waypoint is in.
    const LegShape& shape = legs_.back();
    const double dx = nearestCopyX(shape.track.front().x, waypoints_[at].x) - shape.track.front().x;
    appendShifted(shape.track, dx, track_);
    legStart_.push_back(static_cast<int>(track_.size()));
    appendShifted(shape.corridor, dx, corridor_);
    corridorStart_.push_back(static_cast<int>(corridor_.size()));
  }
  if (waypoints_.empty()) return;
  box_ = ChartBox{waypoints_.front().x, waypoints_.front().y, waypoints_.front().x, waypoints_.front().y};
  for (const std::vector<ChartPoint>* points : {&waypoints_, &corridor_})
    for (const ChartPoint& p : *points) {
      box_.minX = std::min(box_.minX, p.x);
      box_.maxX = std::max(box_.maxX, p.x);
      box_.minY = std::min(box_.minY, p.y);
      box_.maxY = std::max(box_.maxY, p.y);
    }
  pixels_.reserve(std::max(track_.size(), corridor_.size()) + 1);  // a corridor closes with its first point
}

void RouteOverlay::draw(QPainter& painter, const ViewGeometry& view) const {
  if (waypoints_.empty() && !finding_) return;
  // Drawn in each copy of the world that it meets, as the cells are: a
  // route across the 180th meridian shows on both sides of it.
  ChartBox box = box_;
  std::optional<ChartPoint> finding;
  if (finding_) {
    finding = geoToChart(*finding_);
    if (waypoints_.empty()) box = ChartBox{finding->x, finding->y, finding->x, finding->y};
    finding->x = nearestCopyX(finding->x, (box.minX + box.maxX) / 2);
  }
  const WorldCopies copies = worldCopiesMeeting(box, viewBox(view));
  for (int k = copies.first; k <= copies.last; ++k) drawCopy(painter, viewOfWorldCopy(view, k), finding);
}

void RouteOverlay::drawCopy(QPainter& painter, const ViewGeometry& view, std::optional<ChartPoint> finding) const {
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
  if (finding) {
    painter.setPen(findingPen_);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(pixelOf(*finding, view), kFindingPixels, kFindingPixels);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setWindow(window);
}

// Picking looks in every copy of the world the route is drawn in.
int RouteOverlay::waypointAt(QPointF pixel, const ViewGeometry& view) const {
  int best = -1;
  double bestDistance = kWaypointHitPixels;
  if (waypoints_.empty()) return best;
  const WorldCopies copies = worldCopiesMeeting(box_, viewBox(view));
  for (int k = copies.first; k <= copies.last; ++k) {
    const ViewGeometry copy = viewOfWorldCopy(view, k);
    for (std::size_t i = 0; i < waypoints_.size(); ++i) {
      const QPointF d = pixelOf(waypoints_[i], copy) - pixel;
      const double distance = std::hypot(d.x(), d.y());
      if (distance <= bestDistance) {
        bestDistance = distance;
        best = static_cast<int>(i);
      }
    }
  }
  return best;
}

int RouteOverlay::legAt(QPointF pixel, const ViewGeometry& view) const {
  int best = -1;
  double bestDistance = kLegHitPixels;
  if (waypoints_.empty()) return best;
  const WorldCopies copies = worldCopiesMeeting(box_, viewBox(view));
  for (int k = copies.first; k <= copies.last; ++k) {
    const ViewGeometry copy = viewOfWorldCopy(view, k);
    for (std::size_t leg = 0; leg + 1 < legStart_.size(); ++leg) {
      for (int i = legStart_[leg]; i + 1 < legStart_[leg + 1]; ++i) {
        const double distance = segmentDistance(pixel, pixelOf(track_[static_cast<std::size_t>(i)], copy),
                                                pixelOf(track_[static_cast<std::size_t>(i) + 1], copy));
        if (distance <= bestDistance) {
          bestDistance = distance;
          best = static_cast<int>(leg);
        }
      }
    }
  }
  return best;
}
