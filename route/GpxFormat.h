#pragma once
// GPX 1.1 routes (also read from GPX 1.0, whose routes look the same):
//   <gpx version="1.1" creator="..." xmlns="http://www.topografix.com/GPX/1/1">
//     <rte><name>...</name>
//       <rtept lat="..." lon="..."><name>...</name></rtept> ...
//     </rte> ...
//   </gpx>
// Every rte is a route. GPX gives no leg geometry or corridor: the legs are
// of the kind the caller says (rhumb lines unless told great circles), with
// the default XTD. Waypoints (wpt), tracks and metadata are read past.
#include <QByteArray>

#include "RouteDocument.h"
#include "RouteXmlReader.h"

// Reads the routes of the root element `gpx` (the reader has entered it).
void readGpx(RouteXmlReader& xml, LegKind legs, RouteDocument& document);
QByteArray writeGpx(const std::vector<Route>& routes);
