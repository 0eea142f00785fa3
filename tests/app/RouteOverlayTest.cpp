// The route overlay keeps the shapes of legs an edit left as they were:
// after each kind of edit it draws exactly what an overlay made afresh for
// the edited route draws.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "ChartView.h"
#include "Route.h"
#include "RouteOverlay.h"

namespace {

Route fourLegs() {
  Route route("overlay");
  const GeoPoint at[] = {{47.25, -122.50}, {47.30, -122.46}, {47.26, -122.42}, {47.31, -122.38}, {47.27, -122.34}};
  for (int i = 0; i < 5; ++i) {
    LegSettings leg;
    leg.kind = i % 2 ? LegKind::GreatCircle : LegKind::Rhumb;
    route.appendWaypoint(Waypoint{at[i], "", std::nullopt}, leg);
  }
  return route;
}

QImage drawn(const RouteOverlay& overlay, ChartView view) {
  QImage image(400, 300, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  setupPainter(painter, image.width(), image.height(), view);
  overlay.draw(painter, view);
  return image;
}

}  // namespace

TEST(RouteOverlay, AnEditedRouteDrawsAsTheSameRouteDrawnAfresh) {
  ChartView view;
  setCentreGeo(47.28, -122.42, view);
  view.scale = 150000;  // the whole route in the picture
  const struct {
    const char* edit;
    std::function<void(Route&)> apply;
  } edits[] = {
      {"a middle waypoint moved", [](Route& r) { r.moveWaypoint(2, {47.27, -122.43}); }},
      {"the last waypoint moved", [](Route& r) { r.moveWaypoint(4, {47.25, -122.33}); }},
      {"a corridor widened", [](Route& r) { r.setLegSettings(3, {LegKind::GreatCircle, 0.3, 0.1}); }},
      {"a waypoint inserted", [](Route& r) { r.insertOnLeg(1, Waypoint{{47.29, -122.44}, "", std::nullopt}); }},
      {"a waypoint deleted", [](Route& r) { r.deleteWaypoint(1); }},
  };
  for (const auto& e : edits) {
    Route route = fourLegs();
    RouteOverlay kept;
    kept.setRoute(&route);
    const QImage before = drawn(kept, view);
    e.apply(route);
    kept.setRoute(&route);
    RouteOverlay afresh;
    afresh.setRoute(&route);
    const QImage after = drawn(afresh, view);
    EXPECT_FALSE(after == before) << e.edit << ": the edit should show";
    EXPECT_TRUE(drawn(kept, view) == after) << e.edit;
  }
}
