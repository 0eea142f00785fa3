// Feeds arbitrary bytes through the route file reader (RTZ or GPX, by the
// root element). A file that is read holds only routes of two waypoints or
// more on the globe with legs in range; written back in its format it
// reads back as the same routes. The corridors of its first legs are built,
// and each leg's waypoints lie in its own corridor.
#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "LegCorridor.h"
#include "RouteExchange.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
  RouteDocument document;
  const RouteFileResult read = readRouteDocument(bytes, size % 2 ? LegKind::GreatCircle : LegKind::Rhumb, document);
  if (!read.ok()) {
    if (read.message.empty() || read.line < 0 || !document.routes.empty()) std::abort();
    return 0;
  }
  if (document.routes.empty()) std::abort();
  for (const Route& route : document.routes) {
    if (route.waypoints().size() < 2 || route.legCount() + 1 != static_cast<int>(route.waypoints().size()))
      std::abort();
    for (const Waypoint& w : route.waypoints())
      if (!validWaypoint(w)) std::abort();
    for (const LegSettings& s : route.legSettings())
      if (!validLegSettings(s)) std::abort();
  }

  if (document.format == RouteFormat::Rtz || document.routes.size() >= 1) {
    QByteArray again;
    if (!encodeRouteDocument(document, again).ok()) std::abort();
    RouteDocument back;
    if (!readRouteDocument(again, LegKind::Rhumb, back).ok()) std::abort();
    if (back.routes.size() != document.routes.size()) std::abort();
    if (document.format == RouteFormat::Rtz && back.routes != document.routes) std::abort();
    for (std::size_t i = 0; i < back.routes.size(); ++i) {
      if (back.routes[i].name() != document.routes[i].name()) std::abort();
      for (std::size_t k = 0; k < back.routes[i].waypoints().size(); ++k) {
        const Waypoint &a = back.routes[i].waypoints()[k], &b = document.routes[i].waypoints()[k];
        if (a.name != b.name || a.position.latitude != b.position.latitude ||
            a.position.longitude != b.position.longitude)
          std::abort();
      }
    }
  }

  const Route& route = document.routes.front();
  for (int i = 0; i < std::min(route.legCount(), 3); ++i) {
    const LegSettings& s = route.legSettings()[i];
    const LegCorridor corridor(route.legTrack(i), s.portXtdNm * kMetresPerNauticalMile,
                               s.starboardXtdNm * kMetresPerNauticalMile);
    if (std::min(s.portXtdNm, s.starboardXtdNm) * kMetresPerNauticalMile > 1) {
      if (!corridor.contains(route.waypoints()[i].position) || !corridor.contains(route.waypoints()[i + 1].position))
        std::abort();
    }
    std::vector<LegCorridor::Span> spans;
    corridor.appendEdgeSpans(route.waypoints()[i].position, route.waypoints()[i + 1].position, spans);
    for (const LegCorridor::Span& span : spans)
      if (!(span.from >= 0 && span.from <= span.to && span.to <= 1)) std::abort();
  }
  return 0;
}
