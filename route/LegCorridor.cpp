#include "LegCorridor.h"

#include <algorithm>
#include <cmath>

#include "Route.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180.0;
// The leg is followed by points at most this far apart, and closer where
// the leg, its limits or its scale between two points would stray from a
// straight line by more than kStraightness.
constexpr double kMaxSpacing = 50000.0;
constexpr double kStraightness = 0.02;  // metres
constexpr int kMaxDepth = 20;
// However a leg is shaped, it is followed by no more points than this, and
// an edge is cut into no more pieces than this (ten halvings take the bend
// of 20 km of a 1,000 km edge in the oblique frame down to 2 cm).
constexpr std::size_t kMaxVertices = 20000;
constexpr int kMaxPieceDepth = 16;
constexpr int kMaxPieces = 4096;
// Metres in a degree of latitude and of longitude on the equator, rounded
// down: a margin in metres is at most this many degrees.
constexpr double kMetresPerDegreeLatitude = 110574.0;
constexpr double kMetresPerDegreeLongitude = 111319.0;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

// Parameters t in [lo, hi] with c + d t >= 0.
void keepWhere(double c, double d, double& lo, double& hi) {
  if (d == 0) {
    if (c < 0) hi = lo - 1;
  } else if (d > 0) {
    lo = std::max(lo, -c / d);
  } else {
    hi = std::min(hi, -c / d);
  }
}

// The point at parameter t of the chart's straight line from p to q: on
// Mercator, latitude by its isometric latitude and longitude in proportion.
GeoPoint edgePoint(GeoPoint p, GeoPoint q, double t) {
  if (t <= 0) return p;
  if (t >= 1) return q;
  const double dLon = std::remainder(q.longitude - p.longitude, 360.0);
  const double longitude = normalizedLongitude(p.longitude + t * dLon);
  if (std::fabs(p.latitude) >= 89.9999999 || std::fabs(q.latitude) >= 89.9999999)
    return {lerp(p.latitude, q.latitude, t), longitude};
  const Ellipsoid& e = Ellipsoid::wgs84();
  const double psi = lerp(e.isometricLatitude(p.latitude * kRadians), e.isometricLatitude(q.latitude * kRadians), t);
  return {e.latitudeAtIsometric(psi) / kRadians, longitude};
}

bool rangesMeet(double lo, double hi, double minimum, double maximum) {
  for (double shift : {-360.0, 0.0, 360.0})
    if (lo <= maximum + shift && hi >= minimum + shift) return true;
  return false;
}
}  // namespace

LegCorridor::LegCorridor(const LegTrack& leg, double portXtdMetres, double starboardXtdMetres)
    : leg_(leg),
      frame_(LegFrame::mercator(0, 90)),
      port_(std::max(0.0, portXtdMetres)),
      starboard_(std::max(0.0, starboardXtdMetres)),
      length_(leg.metres()) {
  const bool point = !(length_ >= 1e-3);
  const bool meridian = leg.kind() == LegKind::Rhumb && std::fmod(leg.initialCourse(), 180.0) == 0;
  if (point) {
    frame_ = LegFrame::oblique(leg.from(), 0);
  } else if (leg.kind() == LegKind::GreatCircle || meridian) {
    const LegTrack::Point middle = leg.at(length_ / 2);
    frame_ = LegFrame::oblique(middle.position, middle.course);
  } else {
    const double centre =
        leg.from().longitude + std::remainder(leg.to().longitude - leg.from().longitude, 360.0) / 2;
    frame_ = LegFrame::mercator(centre, leg.initialCourse());
  }

  vertices_.push_back(vertexAt(0, nullptr));
  if (!point) {
    const int pieces = static_cast<int>(std::ceil(length_ / kMaxSpacing));
    for (int k = 1; k <= pieces; ++k) {
      const Vertex next = vertexAt(k == pieces ? length_ : length_ * k / pieces, &vertices_.back());
      const Vertex previous = vertices_.back();
      refine(previous, next, 0);
      vertices_.push_back(next);
    }
  }
  // Each point's direction: that of the leg between its neighbours.
  const std::size_t n = vertices_.size();
  for (std::size_t i = 0; i < n && n > 1; ++i) {
    const Vertex& a = vertices_[i == 0 ? 0 : i - 1];
    const Vertex& b = vertices_[i + 1 == n ? n - 1 : i + 1];
    const double dx = b.x - a.x, dy = b.y - a.y, h = std::hypot(dx, dy);
    if (h > 0) vertices_[i].dx = dx / h, vertices_[i].dy = dy / h;
  }
  setBox();
}

LegCorridor::Vertex LegCorridor::vertexAt(double along, const Vertex* previous) const {
  Vertex v;
  v.position = leg_.at(along).position;
  const LegFrame::Point f =
      previous ? frame_.projectNear(v.position, {previous->x, previous->y, 1}) : frame_.project(v.position);
  v.x = f.x;
  v.y = f.y;
  v.along = along;
  v.metresPerUnit = f.metresPerUnit;
  v.port = halfWidth(f, -1, port_);
  v.starboard = halfWidth(f, 1, starboard_);
  return v;
}

// The frame distance from a point of the leg to the side that is `metres`
// away, the scale taken as the mean of the scales at both ends.
double LegCorridor::halfWidth(const LegFrame::Point& p, double side, double metres) const {
  if (metres <= 0) return 0;
  double w = metres / p.metresPerUnit;
  for (int i = 0; i < 3; ++i) {
    const double there = frame_.project(frame_.unproject(p.x, p.y + side * w)).metresPerUnit;
    w = 2 * metres / (p.metresPerUnit + there);
  }
  return w;
}

void LegCorridor::refine(const Vertex& a, const Vertex& b, int depth) {
  if (depth >= kMaxDepth || vertices_.size() >= kMaxVertices) return;
  const Vertex m = vertexAt((a.along + b.along) / 2, &a);
  const double t = b.x != a.x ? (m.x - a.x) / (b.x - a.x) : 0.5;
  const double scale = m.metresPerUnit;
  const bool straight = t > 0 && t < 1 && std::fabs(lerp(a.y, b.y, t) - m.y) * scale <= kStraightness &&
                        std::fabs(lerp(a.along, b.along, t) - m.along) <= kStraightness &&
                        std::fabs(lerp(a.port, b.port, t) - m.port) * scale <= kStraightness &&
                        std::fabs(lerp(a.starboard, b.starboard, t) - m.starboard) * scale <= kStraightness &&
                        std::fabs(lerp(a.metresPerUnit, b.metresPerUnit, t) - scale) <= 1e-6 * scale;
  if (straight) return;
  refine(a, m, depth + 1);
  vertices_.push_back(m);
  refine(m, b, depth + 1);
}

void LegCorridor::setBox() {
  const double widest = std::max(port_, starboard_);
  minX_ = maxX_ = vertices_[0].x;
  minY_ = maxY_ = vertices_[0].y;
  slant_ = 0;
  double minLat = 90, maxLat = -90, minRel = 360, maxRel = -360;
  boxLongitude_ = vertices_[vertices_.size() / 2].position.longitude;
  for (const Vertex& v : vertices_) {
    const double w = std::max(v.port, v.starboard);
    slant_ = std::max(slant_, w * std::fabs(v.dy));
    minX_ = std::min(minX_, v.x - w);
    maxX_ = std::max(maxX_, v.x + w);
    minY_ = std::min(minY_, v.y - w);
    maxY_ = std::max(maxY_, v.y + w);
    minLat = std::min(minLat, v.position.latitude);
    maxLat = std::max(maxLat, v.position.latitude);
    const double rel = std::remainder(v.position.longitude - boxLongitude_, 360.0);
    minRel = std::min(minRel, rel);
    maxRel = std::max(maxRel, rel);
  }
  // A great circle's latitude is highest (or lowest) where it runs east or
  // west, which may lie between two points (over a pole, far between).
  if (leg_.kind() == LegKind::GreatCircle && length_ > 0) {
    double s1, c1, s2, c2;
    sinCosDegrees(leg_.initialCourse(), s1, c1);
    sinCosDegrees(leg_.finalCourse(), s2, c2);
    if ((c1 > 0) != (c2 > 0) || c1 == 0 || c2 == 0) {
      const Ellipsoid& e = Ellipsoid::wgs84();
      const double beta1 = std::atan((1 - e.f()) * std::tan(leg_.from().latitude * kRadians));
      const double sinAlpha0 = std::min(1.0, std::fabs(s1 * std::cos(beta1)));
      const double beta = std::acos(sinAlpha0);
      const double highest = std::atan2(std::sin(beta), (1 - e.f()) * std::cos(beta)) / kRadians;
      if (c1 > 0 || (c1 == 0 && c2 < 0)) maxLat = std::max(maxLat, highest);
      if (c1 < 0 || (c1 == 0 && c2 > 0)) minLat = std::min(minLat, -highest);
    }
  }
  // Between its points a leg bows out in latitude by less than this.
  const double margin = widest + 100.0;
  minLatitude_ = std::max(-90.0, minLat - margin / kMetresPerDegreeLatitude);
  maxLatitude_ = std::min(90.0, maxLat + margin / kMetresPerDegreeLatitude);
  const double highest = std::max(std::fabs(minLatitude_), std::fabs(maxLatitude_));
  const double lonMargin = highest < 89.99 ? margin / (kMetresPerDegreeLongitude * std::cos(highest * kRadians)) : 360;
  minRelativeLongitude_ = minRel - lonMargin;
  maxRelativeLongitude_ = maxRel + lonMargin;
  allLongitudes_ = maxRelativeLongitude_ - minRelativeLongitude_ >= 360;
}

bool LegCorridor::boxHolds(GeoPoint p) const {
  if (!(p.latitude >= minLatitude_ && p.latitude <= maxLatitude_)) return false;
  if (allLongitudes_) return true;
  const double rel = std::remainder(p.longitude - boxLongitude_, 360.0);
  return rangesMeet(rel, rel, minRelativeLongitude_, maxRelativeLongitude_);
}

LegCorridor::GeoBox LegCorridor::geoBox() const {
  return {minLatitude_, maxLatitude_, boxLongitude_ + minRelativeLongitude_, boxLongitude_ + maxRelativeLongitude_,
          allLongitudes_};
}

bool LegCorridor::boxMeetsEdge(GeoPoint p, GeoPoint q) const {
  if (!(std::max(p.latitude, q.latitude) >= minLatitude_ && std::min(p.latitude, q.latitude) <= maxLatitude_))
    return false;
  if (allLongitudes_) return true;
  const double relP = std::remainder(p.longitude - boxLongitude_, 360.0);
  const double relQ = relP + std::remainder(q.longitude - p.longitude, 360.0);
  return rangesMeet(std::min(relP, relQ), std::max(relP, relQ), minRelativeLongitude_, maxRelativeLongitude_);
}

int LegCorridor::segmentAt(double x) const {
  const auto it = std::upper_bound(vertices_.begin(), vertices_.end(), x,
                                   [](double value, const Vertex& v) { return value < v.x; });
  const int i = static_cast<int>(it - vertices_.begin()) - 1;
  return std::max(0, std::min(static_cast<int>(vertices_.size()) - 2, i));
}

int LegCorridor::slabOf(double x, double y) const {
  const int n = static_cast<int>(vertices_.size());
  auto ahead = [&](int i) {  // how far the point is ahead of vertex i's cross line
    const Vertex& v = vertices_[i];
    return (x - v.x) * v.dx + (y - v.y) * v.dy;
  };
  if (n == 1) return ahead(0) <= 0 ? -1 : -2;
  if (ahead(0) < 0) return -1;
  if (ahead(n - 1) > 0) return -2;
  int i = segmentAt(x);
  while (i > 0 && ahead(i) < 0) --i;
  while (i < n - 2 && ahead(i + 1) > 0) ++i;
  return i;
}

LegCorridor::Place LegCorridor::place(GeoPoint position) const {
  const LegFrame::Point f = frame_.project(position);
  Place place;
  const int i = slabOf(f.x, f.y);
  if (i < 0) {
    // Before the start or after the end: the quarter circles about the waypoint.
    const Vertex& v = i == -1 ? vertices_.front() : vertices_.back();
    const double rx = f.x - v.x, ry = f.y - v.y;
    const double ahead = rx * v.dx + ry * v.dy, off = -rx * v.dy + ry * v.dx;
    place.alongTrackMetres = v.along + ahead * v.metresPerUnit;
    place.crossTrackMetres = off * (v.metresPerUnit + f.metresPerUnit) / 2;
    place.inside = std::hypot(rx, ry) <= (off >= 0 ? v.starboard : v.port);
    return place;
  }
  const Vertex& a = vertices_[i];
  const Vertex& b = vertices_[i + 1];
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double rx = f.x - a.x, ry = f.y - a.y;
  const double t = length2 > 0 ? (rx * dx + ry * dy) / length2 : 0;
  const double off = length2 > 0 ? (dx * ry - dy * rx) / std::sqrt(length2) : 0;
  place.alongTrackMetres = lerp(a.along, b.along, t);
  place.crossTrackMetres = off * (lerp(a.metresPerUnit, b.metresPerUnit, t) + f.metresPerUnit) / 2;
  // Inside both limit lines: the port one from a's to b's port corner, the starboard one likewise.
  const double lax = a.x + a.dy * a.port, lay = a.y - a.dx * a.port;
  const double lbx = b.x + b.dy * b.port, lby = b.y - b.dx * b.port;
  const double uax = a.x - a.dy * a.starboard, uay = a.y + a.dx * a.starboard;
  const double ubx = b.x - b.dy * b.starboard, uby = b.y + b.dx * b.starboard;
  place.inside = (lbx - lax) * (f.y - lay) - (lby - lay) * (f.x - lax) >= 0 &&
                 (ubx - uax) * (f.y - uay) - (uby - uay) * (f.x - uax) <= 0;
  return place;
}

bool LegCorridor::contains(GeoPoint position) const { return boxHolds(position) && place(position).inside; }

void LegCorridor::clipCap(const Vertex& v, double outward, const LegFrame::Point& a, const LegFrame::Point& b,
                          double ta, double tb, std::vector<Span>& out) const {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double ax = a.x - v.x, ay = a.y - v.y;
  for (double side : {-1.0, 1.0}) {
    const double r = side > 0 ? v.starboard : v.port;
    if (r <= 0) continue;
    double lo = 0, hi = 1;
    // Beyond the waypoint's cross line, on this side of the leg's line.
    keepWhere(outward * (ax * v.dx + ay * v.dy), outward * (dx * v.dx + dy * v.dy), lo, hi);
    keepWhere(side * (-ax * v.dy + ay * v.dx), side * (-dx * v.dy + dy * v.dx), lo, hi);
    const double A = dx * dx + dy * dy, B = 2 * (ax * dx + ay * dy), C = ax * ax + ay * ay - r * r;
    if (A == 0) {
      if (C > 0) continue;
    } else {
      const double disc = B * B - 4 * A * C;
      if (disc < 0) continue;
      const double root = std::sqrt(disc);
      lo = std::max(lo, (-B - root) / (2 * A));
      hi = std::min(hi, (-B + root) / (2 * A));
    }
    if (lo <= hi) out.push_back({lerp(ta, tb, lo), lerp(ta, tb, hi), {}, {}});
  }
}

void LegCorridor::clipStraight(const LegFrame::Point& a, const LegFrame::Point& b, double ta, double tb,
                               std::vector<Span>& out) const {
  const Vertex& first = vertices_.front();
  const Vertex& last = vertices_.back();
  const double xlo = std::min(a.x, b.x) - slant_, xhi = std::max(a.x, b.x) + slant_;
  const double dx = b.x - a.x, dy = b.y - a.y;
  if (vertices_.size() >= 2 && xhi >= first.x && xlo <= last.x) {
    const int i0 = segmentAt(xlo), i1 = segmentAt(xhi);
    for (int i = i0; i <= i1; ++i) {
      const Vertex& u = vertices_[i];
      const Vertex& w = vertices_[i + 1];
      // Corners: port (l) and starboard (s) limits at both vertices.
      const double lux = u.x + u.dy * u.port, luy = u.y - u.dx * u.port;
      const double lwx = w.x + w.dy * w.port, lwy = w.y - w.dx * w.port;
      const double sux = u.x - u.dy * u.starboard, suy = u.y + u.dx * u.starboard;
      const double swx = w.x - w.dy * w.starboard, swy = w.y + w.dx * w.starboard;
      double lo = 0, hi = 1;
      keepWhere((a.x - u.x) * u.dx + (a.y - u.y) * u.dy, dx * u.dx + dy * u.dy, lo, hi);
      keepWhere(-((a.x - w.x) * w.dx + (a.y - w.y) * w.dy), -(dx * w.dx + dy * w.dy), lo, hi);
      keepWhere((lwx - lux) * (a.y - luy) - (lwy - luy) * (a.x - lux), (lwx - lux) * dy - (lwy - luy) * dx, lo, hi);
      keepWhere(-((swx - sux) * (a.y - suy) - (swy - suy) * (a.x - sux)), -((swx - sux) * dy - (swy - suy) * dx), lo,
                hi);
      if (lo <= hi) out.push_back({lerp(ta, tb, lo), lerp(ta, tb, hi), {}, {}});
    }
  }
  if (xlo <= first.x + slant_ + std::max(first.port, first.starboard)) clipCap(first, -1, a, b, ta, tb, out);
  if (xhi >= last.x - slant_ - std::max(last.port, last.starboard)) clipCap(last, 1, a, b, ta, tb, out);
}

// A piece of an edge on the oblique frame, where the chart's straight line
// is slightly curved: halved until each half is straight to kStraightness.
void LegCorridor::clipPiece(GeoPoint p, GeoPoint q, double ta, double tb, const LegFrame::Point& fa,
                            const LegFrame::Point& fb, int depth, int& budget, std::vector<Span>& out) const {
  const double tm = (ta + tb) / 2;
  const LegFrame::Point fm = frame_.projectNear(edgePoint(p, q, tm), fa);
  const double bow = std::hypot(fm.x - (fa.x + fb.x) / 2, fm.y - (fa.y + fb.y) / 2);
  const double reach = 2 * bow;
  if (std::max({fa.x, fb.x, fm.x}) + reach < minX_ || std::min({fa.x, fb.x, fm.x}) - reach > maxX_ ||
      std::max({fa.y, fb.y, fm.y}) + reach < minY_ || std::min({fa.y, fb.y, fm.y}) - reach > maxY_)
    return;
  if (!(bow * fm.metresPerUnit > kStraightness) || depth >= kMaxPieceDepth || --budget < 0) {
    clipStraight(fa, fm, ta, tm, out);
    clipStraight(fm, fb, tm, tb, out);
    return;
  }
  clipPiece(p, q, ta, tm, fa, fm, depth + 1, budget, out);
  clipPiece(p, q, tm, tb, fm, fb, depth + 1, budget, out);
}

bool LegCorridor::appendEdgeSpans(GeoPoint p, GeoPoint q, std::vector<Span>& out) const {
  if (!boxMeetsEdge(p, q)) return false;
  const std::size_t begin = out.size();
  const LegFrame::Point fp = frame_.project(p);
  const LegFrame::Point fq = frame_.projectNear(q, fp);
  if (frame_.straightRhumbs()) {
    clipStraight(fp, fq, 0, 1, out);
  } else {
    int budget = kMaxPieces;
    clipPiece(p, q, 0, 1, fp, fq, 0, budget, out);
  }
  if (out.size() == begin) return false;
  // In order along the edge, touching and overlapping parts joined.
  std::sort(out.begin() + begin, out.end(), [](const Span& x, const Span& y) { return x.from < y.from; });
  std::size_t kept = begin;
  for (std::size_t i = begin + 1; i < out.size(); ++i) {
    if (out[i].from <= out[kept].to + 1e-9) out[kept].to = std::max(out[kept].to, out[i].to);
    else out[++kept] = out[i];
  }
  out.resize(kept + 1);
  for (std::size_t i = begin; i < out.size(); ++i) {
    out[i].from = std::max(0.0, out[i].from);
    out[i].to = std::min(1.0, out[i].to);
    out[i].enter = edgePoint(p, q, out[i].from);
    out[i].leave = edgePoint(p, q, out[i].to);
  }
  return true;
}

std::vector<LegCorridor> routeCorridors(const Route& route) {
  std::vector<LegCorridor> corridors;
  corridors.reserve(route.legCount());
  for (int i = 0; i < route.legCount(); ++i) {
    const LegSettings& s = route.legSettings()[i];
    corridors.emplace_back(route.legTrack(i), s.portXtdNm * kMetresPerNauticalMile,
                           s.starboardXtdNm * kMetresPerNauticalMile);
  }
  return corridors;
}
