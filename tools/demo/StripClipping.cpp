#include "StripClipping.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace portfolio {

namespace {

// Where between two rows the curve from a to b reaches `edge`, as a
// fraction in (0, 1); none when it does not cross it there.
bool crossing(double a, double b, double edge, double& t) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  if ((a < edge && b > edge) || (a > edge && b < edge)) {
    t = (edge - a) / (b - a);
    return true;
  }
  return false;
}

double between(double a, double b, double t) {
  if (!std::isfinite(a)) return a;  // an infinite curve stays so
  return a + (b - a) * t;
}

// The rows plus every point where one of the curves crosses an edge.
struct Refined {
  std::vector<double> y;
  std::vector<std::vector<double>> x;  // per curve
};

Refined refine(const std::vector<double>& rows, const std::vector<const std::vector<double>*>& curves, double west,
               double east) {
  struct Crossing {
    double t;
    size_t curve;
    double edge;
  };
  Refined out;
  out.x.resize(curves.size());
  auto add = [&](size_t i, const Crossing* at) {
    out.y.push_back(at ? rows[i] + (rows[i + 1] - rows[i]) * at->t : rows[i]);
    for (size_t c = 0; c < curves.size(); ++c) {
      const std::vector<double>& x = *curves[c];
      // The crossing curve lies exactly on the edge there.
      out.x[c].push_back(!at ? x[i] : at->curve == c ? at->edge : between(x[i], x[i + 1], at->t));
    }
  };
  std::vector<Crossing> crossings;
  for (size_t i = 0; i < rows.size(); ++i) {
    add(i, nullptr);
    if (i + 1 == rows.size()) break;
    crossings.clear();
    for (size_t c = 0; c < curves.size(); ++c) {
      const std::vector<double>& x = *curves[c];
      for (double edge : {west, east}) {
        double t = 0;
        if (crossing(x[i], x[i + 1], edge, t)) crossings.push_back({t, c, edge});
      }
    }
    std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.t < b.t; });
    for (const Crossing& c : crossings) add(i, &c);
  }
  return out;
}

bool samePoint(const PlanePoint& a, const PlanePoint& b) { return a.x == b.x && a.y == b.y; }

// Drops repeated points and the middle of three points on one cell edge.
std::vector<PlanePoint> tidyRing(const std::vector<PlanePoint>& ring) {
  std::vector<PlanePoint> out;
  for (const PlanePoint& p : ring)
    if (out.empty() || !samePoint(out.back(), p)) out.push_back(p);
  while (out.size() > 1 && samePoint(out.front(), out.back())) out.pop_back();
  std::vector<PlanePoint> kept;
  const size_t n = out.size();
  for (size_t i = 0; i < n && n >= 3; ++i) {
    const PlanePoint& before = out[(i + n - 1) % n];
    const PlanePoint& after = out[(i + 1) % n];
    const bool onVerticalEdge = before.x == out[i].x && after.x == out[i].x;
    const bool onHorizontalEdge = before.y == out[i].y && after.y == out[i].y;
    if (!onVerticalEdge && !onHorizontalEdge) kept.push_back(out[i]);
  }
  return n >= 3 ? kept : out;
}

}  // namespace

std::vector<StripPiece> clipStrip(const std::vector<double>& rows, const std::vector<double>& left,
                                  const std::vector<double>& right, double west, double east) {
  const Refined r = refine(rows, {&left, &right}, west, east);
  const size_t n = r.y.size();
  std::vector<double> l(n), w(n);
  for (size_t i = 0; i < n; ++i) {
    l[i] = std::clamp(r.x[0][i], west, east);
    w[i] = std::clamp(r.x[1][i], west, east) - l[i];
  }
  std::vector<StripPiece> pieces;
  size_t i = 0;
  while (i < n) {
    if (!(w[i] > 0)) {
      ++i;
      continue;
    }
    // A stretch of open rows, with the crossing point (width 0) before and
    // after it where there is one.
    const size_t first = i > 0 ? i - 1 : i;
    size_t last = i;
    while (last + 1 < n && w[last + 1] > 0) ++last;
    if (last + 1 < n) ++last;
    StripPiece piece;
    for (size_t k = first; k <= last; ++k) piece.ring.push_back({l[k], r.y[k]});
    for (size_t k = last + 1; k-- > first;) piece.ring.push_back({l[k] + std::max(0.0, w[k]), r.y[k]});
    piece.ring = tidyRing(piece.ring);
    piece.south = r.y[first];
    piece.north = r.y[last];
    if (piece.ring.size() >= 3) pieces.push_back(std::move(piece));
    i = last + 1;
  }
  return pieces;
}

std::vector<std::vector<PlanePoint>> clipCurve(const std::vector<double>& rows, const std::vector<double>& curve,
                                               double west, double east) {
  const Refined r = refine(rows, {&curve}, west, east);
  std::vector<std::vector<PlanePoint>> pieces;
  std::vector<PlanePoint> piece;
  auto close = [&] {
    if (piece.size() >= 2) pieces.push_back(piece);
    piece.clear();
  };
  for (size_t i = 0; i < r.y.size(); ++i) {
    const double x = r.x[0][i];
    if (x >= west && x <= east) {
      piece.push_back({x, r.y[i]});
    } else {
      close();
    }
  }
  close();
  return pieces;
}

}  // namespace portfolio
