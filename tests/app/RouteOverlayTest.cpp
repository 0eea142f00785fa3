// The route overlay keeps the shapes of legs an edit left as they were:
// after each kind of edit it draws exactly what an overlay made afresh for
// the edited route draws. And it is drawn in the colour table's planned
// route colour, which the dusk and night tables dim.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
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

// A route across the 180th meridian is drawn and picked in each copy of the
// world the view shows, as the same route 10 degrees west of it is.
TEST(RouteOverlay, ARouteAcrossThe180thMeridianDrawsAsOneThatIsNot) {
  const auto routeAt = [](double east) {
    Route route("dateline");
    const GeoPoint at[] = {{-16.9, 179.7}, {-17.0, 179.95}, {-17.1, -179.8}, {-16.95, -179.7}};
    for (const GeoPoint& p : at) {
      const double longitude = std::remainder(p.longitude + east, 360.0);
      route.appendWaypoint(Waypoint{{p.latitude, longitude}, "", std::nullopt});
    }
    return route;
  };
  const auto differs = [](const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) {
        const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
        n += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 6;
      }
    return n;
  };
  // Centred east of, on, and west of the meridian (the last in the copy of
  // the world west of the route's first waypoint).
  for (const double centre : {179.8, 180.0, -179.85}) {
    Route across = routeAt(0), west = routeAt(-10);
    RouteOverlay acrossOverlay, westOverlay;
    acrossOverlay.setRoute(&across);
    westOverlay.setRoute(&west);
    ChartView acrossView, westView;
    setCentreGeo(-17.0, centre, acrossView);
    setCentreGeo(-17.0, centre - 10, westView);
    acrossView.scale = westView.scale = 1000000;  // the whole route in the picture
    for (ChartView* view : {&acrossView, &westView}) {
      QImage surface(400, 300, QImage::Format_ARGB32_Premultiplied);
      QPainter painter(&surface);
      setupPainter(painter, surface.width(), surface.height(), *view);
    }
    const QImage expected = drawn(westOverlay, westView);
    const QImage image = drawn(acrossOverlay, acrossView);
    QImage blank(expected.size(), expected.format());
    blank.fill(Qt::white);
    ASSERT_EQ(west.waypoints().size(), 4u);
    EXPECT_GT(differs(expected, blank), 200) << centre << ": a route drawn";
    EXPECT_LT(differs(image, expected), 20) << "centred at " << centre;
    for (int i = 0; i < 4; ++i) {
      const QPoint at = toLogical(geoToChart(west.waypoints()[static_cast<std::size_t>(i)].position), westView) /
                        LOGICAL_UNITS_PER_PIXEL;
      EXPECT_EQ(acrossOverlay.waypointAt(at, acrossView), i) << "centred at " << centre << ", waypoint " << i;
    }
  }
}
