// The route overlay keeps the shapes of legs an edit left as they were:
// after each kind of edit it draws exactly what an overlay made afresh for
// the edited route draws. And it is drawn in the colour table's planned
// route colour, which the dusk and night tables dim.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "ChartView.h"
#include "ColourToken.h"
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

TEST(RouteOverlay, DrawsInTheColoursOfTheTableGiven) {
  ChartView view;
  setCentreGeo(47.28, -122.42, view);
  view.scale = 150000;
  Route route = fourLegs();
  RouteOverlay overlay;
  overlay.setRoute(&route);
  const auto pixelsOf = [](const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
  };
  // A day table and a dark one, as the library's night table dims the route.
  const QColor day(220, 64, 37), night(73, 21, 12);
  for (const QColor& plrte : {day, night, day}) {
    ColourTable table;
    table.entries[static_cast<std::size_t>(colourIndex("PLRTE"))] = plrte;
    overlay.setColours(table);
    const QImage image = drawn(overlay, view);
    EXPECT_GT(pixelsOf(image, plrte), 20) << plrte.name().toStdString();
    EXPECT_EQ(pixelsOf(image, plrte == day ? night : day), 0) << plrte.name().toStdString();
  }
}
