#pragma once
// A picture of a checked route: the chart under it as the window draws it,
// the route's legs and waypoints over it, and a ring at each finding (red
// for alarms, orange for indications), for a person to see what the check
// found where.
#include <string>

#include "Route.h"
#include "RouteCheck.h"

class ChartEngine;
struct ChartView;

// Draws into a PNG file of 1200 x 900 pixels the cells of `engine` (which
// has its library): the view is moved to show the whole route. Needs a
// QGuiApplication. False with the reason in `error` when the file cannot be
// written.
bool writeRouteCheckPicture(const std::string& path, ChartEngine& engine, const Route& route,
                            const RouteCheckResult& result, float safetyContour, ChartView& view,
                            std::string& error);
