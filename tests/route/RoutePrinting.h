#pragma once
// How a failed expectation shows routes, waypoints and leg settings.
#include <ostream>

#include "Route.h"

inline void PrintTo(const LegSettings& s, std::ostream* os) {
  *os << (s.kind == LegKind::GreatCircle ? "great circle" : "rhumb") << " port " << s.portXtdNm << " starboard "
      << s.starboardXtdNm;
}

inline void PrintTo(const Waypoint& w, std::ostream* os) {
  os->precision(17);
  *os << "'" << w.name << "' " << w.position.latitude << ", " << w.position.longitude;
  if (w.turnRadiusNm) *os << " radius " << *w.turnRadiusNm;
}

inline void PrintTo(const Route& r, std::ostream* os) {
  *os << "route '" << r.name() << "':";
  for (std::size_t i = 0; i < r.waypoints().size(); ++i) {
    *os << "\n  ";
    PrintTo(r.waypoints()[i], os);
    if (i + 1 < r.waypoints().size()) {
      *os << "\n    leg ";
      PrintTo(r.legSettings()[i], os);
    }
  }
}
