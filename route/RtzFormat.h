#pragma once
// RTZ, the route exchange format of IEC 61174 (versions 1.0, 1.1 and 1.2):
//   <route version="1.0" xmlns="http://www.cirm.org/RTZ/1/0">
//     <routeInfo routeName="..."/>
//     <waypoints>
//       <defaultWaypoint radius="..."><leg portXTD="..." .../></defaultWaypoint>
//       <waypoint id="1" name="..." radius="...">
//         <position lat="..." lon="..."/>
//         <leg starboardXTD="0.1" portXTD="0.1" geometryType="Loxodrome"/>
//       </waypoint> ...
//     </waypoints>
//     <schedules>...</schedules> <extensions>...</extensions>
//   </route>
// A waypoint's leg is the leg that arrives at it (the first waypoint's leg
// is not used); what a leg does not give comes from the default waypoint's
// leg, then from the defaults (rhumb line, 0.1 NM each side). XTDs and
// radii are in nautical miles. Schedules, extensions and the leg's other
// values (speeds, safety contour, draughts) are read past and not kept.
#include <QByteArray>

#include "RouteDocument.h"
#include "RouteXmlReader.h"

// Reads the route of the root element `route` (the reader has entered it).
void readRtz(RouteXmlReader& xml, RouteDocument& document);
QByteArray writeRtz(const Route& route, RtzVersion version);
