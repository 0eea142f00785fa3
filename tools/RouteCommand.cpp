// enctool route --in ROUTE.rtz|gpx [--out ROUTE.rtz|gpx] [--legs rhumb|great-circle]
//               [--route N] [--rtz-version 1.0|1.1|1.2]
//
// Reads a route file (RTZ or GPX, told apart by its content). With --out it
// writes the routes in the format of the output's extension and prints one
// line naming what it wrote; without, it prints one JSON line per leg and a
// summary per route:
//   {"route":1,"leg":1,"from":"WP1","to":"WP2","fromLat":..,"fromLon":..,
//    "toLat":..,"toLon":..,"geometry":"rhumb"|"great-circle","course":..,
//    "finalCourse":..,"distanceNm":..,"xtdPortNm":..,"xtdStarboardNm":..}
//   {"route":1,"name":"..","format":"rtz"|"gpx","version":"1.0",
//    "waypoints":N,"legs":N-1,"distanceNm":..}
// Courses are true, in degrees, on the WGS84 ellipsoid (a great circle leg
// starts on "course" and arrives on "finalCourse"). A GPX route's legs are
// rhumb lines unless --legs great-circle is given; an RTZ route carries each
// leg's geometry. --route N takes only the N-th route of the file (an RTZ
// file holds one route, a GPX file may hold more). An RTZ file is written in
// the version read, 1.0 for a route from GPX, or --rtz-version.
// Exit status: 0; 1 when the file is refused (the message names the line at
// fault) or cannot be written; 2 on a usage error.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Json.h"
#include "RouteExchange.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: enctool route --in ROUTE.rtz|gpx [--out ROUTE.rtz|gpx] [--legs rhumb|great-circle]\n"
               "                     [--route N] [--rtz-version 1.0|1.1|1.2]\n");
  return 2;
}

const char* formatName(RouteFormat f) { return f == RouteFormat::Rtz ? "rtz" : "gpx"; }

void printLegs(int routeNumber, const Route& route, const RouteDocument& document) {
  for (int i = 0; i < route.legCount(); ++i) {
    const RouteLeg leg = route.leg(i);
    std::printf("%s\n", JsonLine()
                            .add("route", routeNumber)
                            .add("leg", i + 1)
                            .add("from", leg.from.name)
                            .add("to", leg.to.name)
                            .addFixed("fromLat", leg.from.position.latitude, 7)
                            .addFixed("fromLon", leg.from.position.longitude, 7)
                            .addFixed("toLat", leg.to.position.latitude, 7)
                            .addFixed("toLon", leg.to.position.longitude, 7)
                            .add("geometry", leg.settings.kind == LegKind::GreatCircle ? "great-circle" : "rhumb")
                            .addFixed("course", leg.initialCourse, 4)
                            .addFixed("finalCourse", leg.finalCourse, 4)
                            .addFixed("distanceNm", leg.metres / kMetresPerNauticalMile, 4)
                            .add("xtdPortNm", leg.settings.portXtdNm)
                            .add("xtdStarboardNm", leg.settings.starboardXtdNm)
                            .str()
                            .c_str());
  }
  JsonLine summary;
  summary.add("route", routeNumber).add("name", route.name()).add("format", formatName(document.format));
  if (document.format == RouteFormat::Rtz) summary.add("version", rtzVersionText(document.rtzVersion));
  summary.add("waypoints", static_cast<int>(route.waypoints().size()))
      .add("legs", route.legCount())
      .addFixed("distanceNm", route.lengthMetres() / kMetresPerNauticalMile, 4);
  std::printf("%s\n", summary.str().c_str());
}

// Whether writing the route as GPX drops anything it holds.
bool gpxLoses(const Route& route) {
  for (const LegSettings& leg : route.legSettings())
    if (leg.kind != LegKind::Rhumb || leg.portXtdNm != kDefaultXtdNm || leg.starboardXtdNm != kDefaultXtdNm)
      return true;
  for (const Waypoint& wp : route.waypoints())
    if (wp.turnRadiusNm) return true;
  return false;
}

}  // namespace

int runRouteCommand(int argc, char** argv) {
  std::string in, out;
  LegKind gpxLegs = LegKind::Rhumb;
  bool legsGiven = false;
  int routeNumber = 0;
  const char* rtzVersion = nullptr;
  for (int i = 0; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--in") == 0 && hasValue) {
      in = argv[++i];
    } else if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--legs") == 0 && hasValue) {
      const std::string kind = argv[++i];
      if (kind != "rhumb" && kind != "great-circle") {
        std::fprintf(stderr, "enctool route: --legs takes rhumb or great-circle, not '%s'\n", kind.c_str());
        return 2;
      }
      gpxLegs = kind == "great-circle" ? LegKind::GreatCircle : LegKind::Rhumb;
      legsGiven = true;
    } else if (std::strcmp(argv[i], "--route") == 0 && hasValue) {
      char* end = nullptr;
      const long n = std::strtol(argv[++i], &end, 10);
      if (end == argv[i] || *end != '\0' || n < 1 || n > 1000000) {
        std::fprintf(stderr, "enctool route: --route takes a route number from 1, not '%s'\n", argv[i]);
        return 2;
      }
      routeNumber = static_cast<int>(n);
    } else if (std::strcmp(argv[i], "--rtz-version") == 0 && hasValue) {
      rtzVersion = argv[++i];
      if (std::strcmp(rtzVersion, "1.0") != 0 && std::strcmp(rtzVersion, "1.1") != 0 &&
          std::strcmp(rtzVersion, "1.2") != 0) {
        std::fprintf(stderr, "enctool route: --rtz-version takes 1.0, 1.1 or 1.2, not '%s'\n", rtzVersion);
        return 2;
      }
    } else {
      std::fprintf(stderr, "enctool route: unexpected argument '%s'\n", argv[i]);
      return usage();
    }
  }
  if (in.empty()) return usage();
  std::optional<RouteFormat> outFormat;
  if (!out.empty()) {
    outFormat = routeFormatOfName(out);
    if (!outFormat) {
      std::fprintf(stderr, "enctool route: %s: the output's name must end in .rtz or .gpx\n", out.c_str());
      return 2;
    }
  }

  RouteDocument document;
  const RouteFileResult read = readRouteFile(in, gpxLegs, document);
  if (!read.ok()) {
    if (read.line > 0) std::fprintf(stderr, "enctool route: %s:%d: %s\n", in.c_str(), read.line, read.message.c_str());
    else std::fprintf(stderr, "enctool route: %s\n", read.message.c_str());
    return 1;
  }
  if (legsGiven && document.format == RouteFormat::Rtz)
    std::fprintf(stderr, "enctool route: %s is RTZ, whose legs carry their geometry; --legs is for GPX input\n",
                 in.c_str());
  if (routeNumber > 0) {
    if (routeNumber > static_cast<int>(document.routes.size())) {
      std::fprintf(stderr, "enctool route: %s holds %zu route(s), no route %d\n", in.c_str(), document.routes.size(),
                   routeNumber);
      return 1;
    }
    Route chosen = document.routes[routeNumber - 1];
    document.routes.assign(1, std::move(chosen));
  }

  if (!outFormat) {
    for (std::size_t i = 0; i < document.routes.size(); ++i)
      printLegs(routeNumber > 0 ? routeNumber : static_cast<int>(i) + 1, document.routes[i], document);
    return 0;
  }

  RouteDocument written = document;
  written.format = *outFormat;
  if (rtzVersion) {
    written.rtzVersion = std::strcmp(rtzVersion, "1.2") == 0   ? RtzVersion::V1_2
                         : std::strcmp(rtzVersion, "1.1") == 0 ? RtzVersion::V1_1
                                                               : RtzVersion::V1_0;
  } else if (document.format != RouteFormat::Rtz) {
    written.rtzVersion = RtzVersion::V1_0;
  }
  if (written.format == RouteFormat::Rtz && written.routes.size() > 1) {
    std::fprintf(stderr, "enctool route: %s holds %zu routes and an RTZ file holds one; choose one with --route N\n",
                 in.c_str(), written.routes.size());
    return 1;
  }
  if (written.format == RouteFormat::Gpx)
    for (const Route& r : written.routes)
      if (gpxLoses(r))
        std::fprintf(stderr,
                     "enctool route: GPX holds no leg geometry, XTD or turn radius; those of route '%s' are not in %s\n",
                     r.name().c_str(), out.c_str());
  const RouteFileResult wrote = writeRouteFile(out, written);
  if (!wrote.ok()) {
    std::fprintf(stderr, "enctool route: %s\n", wrote.message.c_str());
    return 1;
  }
  JsonLine line;
  line.add("out", out).add("format", formatName(written.format));
  if (written.format == RouteFormat::Rtz) line.add("version", rtzVersionText(written.rtzVersion));
  line.add("routes", static_cast<int>(written.routes.size()));
  std::printf("%s\n", line.str().c_str());
  return 0;
}
