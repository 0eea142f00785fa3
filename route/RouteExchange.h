#pragma once
// Route files in and out: RTZ and GPX, told apart on reading by the root
// element (not by the name), written by the name's extension. A file that
// is refused leaves the caller's document as it was, and a file is written
// whole or not at all (the old file stays until the new one is complete).
#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>

#include "RouteDocument.h"
#include "RouteFileResult.h"

// Route files are small; anything larger is refused unread.
constexpr std::uint64_t kMaxRouteFileBytes = 16u << 20;

// Reads an RTZ route or a GPX file's routes (whose legs are `gpxLegs`).
RouteFileResult readRouteDocument(const QByteArray& bytes, LegKind gpxLegs, RouteDocument& document);
RouteFileResult readRouteFile(const std::string& path, LegKind gpxLegs, RouteDocument& document);

// The format a file name's extension asks for (.rtz or .gpx, any case).
std::optional<RouteFormat> routeFormatOfName(const std::string& path);

// The document in its format: an RTZ file holds exactly one route (more or
// none is refused as TooFewWaypoints or BadValue, nothing written), a GPX
// file all of them; every route needs two waypoints or more.
RouteFileResult encodeRouteDocument(const RouteDocument& document, QByteArray& bytes);
RouteFileResult writeRouteFile(const std::string& path, const RouteDocument& document);
