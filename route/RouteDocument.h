#pragma once
// What a route file holds once read: its format and the routes in it (an
// RTZ file holds one route, a GPX file one or more).
#include <string>
#include <vector>

#include "Route.h"

enum class RouteFormat { Rtz, Gpx };
enum class RtzVersion { V1_0, V1_1, V1_2 };

// "1.0", "1.1", "1.2".
const char* rtzVersionText(RtzVersion version);

struct RouteDocument {
  RouteFormat format = RouteFormat::Rtz;
  RtzVersion rtzVersion = RtzVersion::V1_0;  // of an RTZ file
  std::vector<Route> routes;
};
