#include "PolylineClipping.h"

#include <utility>

namespace {
// One straight bound: `testX` bounds compare x, the others y; the inner
// side is above the value when `keepGreater`, below it otherwise.
struct Bound {
  bool testX;
  int value;
  bool keepGreater;  // inside is coordinate > value (else < value)

  int coordinate(const QPoint& p) const { return testX ? p.x() : p.y(); }
  bool insideOrOn(const QPoint& p) const {
    return keepGreater ? coordinate(p) >= value : coordinate(p) <= value;
  }
  bool strictlyInside(const QPoint& p) const {
    return keepGreater ? coordinate(p) > value : coordinate(p) < value;
  }
  // Where the segment from `a` to `b` meets the bound, in floating point:
  // differences of coordinates clamped to the int range would not fit.
  QPoint crossing(const QPoint& a, const QPoint& b) const {
    const double ax = a.x(), ay = a.y(), bx = b.x(), by = b.y();
    if (testX) {
      const double t = (value - ax) / (bx - ax);
      return QPoint(value, static_cast<int>(ay + t * (by - ay)));
    }
    const double t = (value - ay) / (by - ay);
    return QPoint(static_cast<int>(ax + t * (bx - ax)), value);
  }
};

void clipPass(const std::vector<QPoint>& in, const Bound& bound, std::vector<QPoint>& out) {
  out.clear();
  if (in.empty()) return;
  bool previousInside = bound.insideOrOn(in[0]);
  if (previousInside) out.push_back(in[0]);
  for (std::size_t i = 1; i < in.size(); ++i) {
    const QPoint& p = in[i];
    const bool inside = bound.strictlyInside(p);
    if (inside && previousInside) {
      out.push_back(p);
    } else if (inside) {
      out.push_back(bound.crossing(in[i - 1], p));
      out.push_back(p);
    } else if (previousInside) {
      // A previous point on the bound itself meets it where it stands.
      out.push_back(bound.coordinate(in[i - 1]) == bound.value ? in[i - 1] : bound.crossing(in[i - 1], p));
    }
    previousInside = inside;
  }
}
}  // namespace

int clipPolyline(std::vector<QPoint>& points, int left, int right, int top, int bottom,
                 std::vector<QPoint>& scratch) {
  const Bound bounds[4] = {{true, left, true}, {true, right, false}, {false, top, true}, {false, bottom, false}};
  for (const Bound& bound : bounds) {
    clipPass(points, bound, scratch);
    std::swap(points, scratch);
    if (points.size() <= 1) {
      points.clear();
      return 0;
    }
  }
  return static_cast<int>(points.size());
}
