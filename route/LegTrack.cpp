#include "LegTrack.h"

#include <algorithm>
#include <cmath>

namespace {
GeodesicSolution measure(GeoPoint from, GeoPoint to, LegKind kind) {
  if (kind == LegKind::GreatCircle) return solveGeodesic(from, to);
  const RhumbSolution r = solveRhumb(from, to);
  return {r.metres, r.course, r.course};
}
}  // namespace

LegTrack::LegTrack(GeoPoint from, GeoPoint to, LegKind kind) : LegTrack(from, to, kind, measure(from, to, kind)) {}

// Only the line of the leg's kind is walked; the other is built along the
// same course and never used.
LegTrack::LegTrack(GeoPoint from, GeoPoint to, LegKind kind, const GeodesicSolution& m)
    : from_(from),
      to_(to),
      kind_(kind),
      metres_(m.metres),
      initialCourse_(m.initialCourse),
      finalCourse_(m.finalCourse),
      geodesic_(from, m.initialCourse),
      rhumb_(from, m.initialCourse) {}

LegTrack::Point LegTrack::at(double metres) const {
  if (metres == metres_) return {to_, finalCourse_};
  if (kind_ == LegKind::GreatCircle) {
    const GeodesicLine::Point p = geodesic_.at(metres);
    return {p.position, p.course};
  }
  return {rhumb_.at(metres), initialCourse_};
}

void LegTrack::appendPoints(double spacingMetres, std::vector<GeoPoint>& out) const {
  int steps = 1;
  if (spacingMetres > 0 && std::isfinite(spacingMetres) && metres_ > spacingMetres)
    steps = static_cast<int>(std::min<double>(kMaxPoints - 1, std::ceil(metres_ / spacingMetres)));
  const double step = std::max(spacingMetres > 0 ? spacingMetres : metres_, metres_ / steps);
  out.push_back(from_);
  for (int i = 1; i < steps; ++i) out.push_back(at(i * step).position);
  out.push_back(to_);
}
