#pragma once
// How the window words routes: the kind of a leg, a distance in nautical
// miles, a route finding (its kind, 警报 or 提示, and its reason with the
// values behind it) and why a route file was refused, in Chinese.
#include <QString>

#include "LegTrack.h"
#include "RouteFileResult.h"
#include "RouteFinding.h"

// "恒向线", "大圆航线".
QString legKindText(LegKind kind);
// "1.23": nautical miles to a hundredth.
QString nauticalMilesText(double metres);
// "警报", "提示".
QString findingKindText(FindingKind kind);
// "水深 5.0 m，浅于安全等深线 10.0 m" and the like.
QString findingReasonText(const RouteFinding& finding);
// The refusal in Chinese with its line ("第 12 行：…"), then the English
// reason as the reader gave it.
QString routeFileErrorText(const RouteFileResult& result);
