// Routes in the window: the route mode's clicks and drags, the route panel's
// legs and typed positions, routes kept across starts, RTZ and GPX files in
// and out, and the route check with its findings.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "FindingObject.h"
#include "ObjectPanel.h"
#include "ReadoutText.h"
#include "RouteBook.h"
#include "RouteChecker.h"
#include "RouteExchange.h"
#include "RoutePanel.h"
#include "RouteText.h"
#include "WindowFixture.h"

using namespace apptest;
namespace fs = std::filesystem;

namespace {

const fs::path kSafetyContourCell =
    fs::path(CHART_SHARED_ENC) / "../iho/s64/7.0 Safety Contour/ENC_ROOT/AA3SAFCO.000";

class Routes : public WindowTest {
protected:
  const Route& route() { return *window->routes().active(); }
  QString legText(int leg, int column) { return window->routePanel()->legTable()->item(leg, column)->text(); }
  void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    press(*window->chart(), at, button);
    release(*window->chart(), at, button);
  }
  void drag(QPoint from, QPoint to) {
    press(*window->chart(), from);
    move(*window->chart(), (from + to) / 2, true);
    move(*window->chart(), to, true);
    release(*window->chart(), to);
  }
  void expectAt(int waypoint, QPoint pixel) {
    const GeoPoint expected = geoAt(pixel);
    const GeoPoint& p = route().waypoints()[static_cast<std::size_t>(waypoint)].position;
    EXPECT_NEAR(p.latitude, expected.latitude, 1e-9) << "waypoint " << waypoint;
    EXPECT_NEAR(p.longitude, expected.longitude, 1e-9) << "waypoint " << waypoint;
  }
  // Types into a cell of the waypoint table; the panel lists anew after it.
  void typeWaypoint(int row, int column, const QString& text) {
    window->routePanel()->waypointTable()->item(row, column)->setText(text);
    QCoreApplication::processEvents();
  }
  void waitForCheck() {
    for (int i = 0; i < 3000 && window->routeChecker().busy(); ++i) QTest::qWait(5);
    QCoreApplication::processEvents();
  }
  std::string directory() const { return cwd.path; }
  QPushButton* button(const char* name) {
    return window->routePanel()->findChild<QPushButton*>(QString::fromLatin1(name));
  }
};

// The route mode on a chart without cells: on the Mercator chart a rhumb
// line's true course is its direction on the screen.
TEST_F(Routes, ClicksAddMoveDeleteAndInsertWaypointsAndThePanelFollows) {
  showAndDraw();
  action("actionRoutes")->trigger();
  ASSERT_TRUE(window->chart()->routeMode());
  ASSERT_TRUE(window->routePanel()->isVisible());
  const ChartPoint centre = window->chart()->view().centre;

  click({300, 300});
  click({500, 300});
  click({500, 500});
  ASSERT_EQ(route().waypoints().size(), 3u);
  expectAt(1, {500, 300});
  EXPECT_EQ(window->chart()->view().centre.x, centre.x) << "a click in route mode must not pan";
  ASSERT_EQ(window->routePanel()->legTable()->rowCount(), 2);
  EXPECT_EQ(legText(0, RoutePanel::LegCourse), QStringLiteral("090.0°"));
  EXPECT_EQ(legText(1, RoutePanel::LegCourse), QStringLiteral("180.0°"));
  const double total = route().leg(0).metres + route().leg(1).metres;
  EXPECT_TRUE(window->routePanel()->totals()->text().contains(nauticalMilesText(total)))
      << window->routePanel()->totals()->text().toStdString();
  EXPECT_EQ(legText(0, RoutePanel::LegXtd), QStringLiteral("0.1"));

  // A drag from a waypoint moves it and does not pan.
  drag({500, 300}, {400, 400});
  expectAt(1, {400, 400});
  EXPECT_EQ(window->chart()->view().centre.x, centre.x);
  EXPECT_EQ(legText(0, RoutePanel::LegCourse), QStringLiteral("135.0°"));
  EXPECT_EQ(legText(1, RoutePanel::LegCourse), QStringLiteral("135.0°"));

  // A right click on a waypoint deletes it; on a leg it inserts one there;
  // anywhere else it does nothing.
  click({400, 400}, Qt::RightButton);
  ASSERT_EQ(route().waypoints().size(), 2u);
  expectAt(1, {500, 500});
  EXPECT_EQ(legText(0, RoutePanel::LegCourse), QStringLiteral("135.0°"));
  click({350, 350}, Qt::RightButton);
  ASSERT_EQ(route().waypoints().size(), 3u);
  expectAt(1, {350, 350});
  EXPECT_EQ(legText(0, RoutePanel::LegCourse), QStringLiteral("135.0°"));
  EXPECT_EQ(legText(1, RoutePanel::LegCourse), QStringLiteral("135.0°"));
  click({100, 600}, Qt::RightButton);
  EXPECT_EQ(route().waypoints().size(), 3u);

  // A drag away from the route pans the chart and adds nothing.
  drag({200, 600}, {260, 640});
  EXPECT_EQ(route().waypoints().size(), 3u);
  EXPECT_NE(window->chart()->view().centre.x, centre.x);

  // Route mode off: clicks no longer edit.
  action("actionRoutes")->trigger();
  click({600, 200});
  EXPECT_EQ(route().waypoints().size(), 3u);
}

TEST_F(Routes, TypedPositionsAndCorridorsAreTakenOrRefusedWithTheReason) {
  Route r("typed");
  r.appendWaypoint({{47.0, -122.0}, "A", {}});
  r.appendWaypoint({{47.5, -122.0}, "B", {}});
  window->addRoute(r);

  typeWaypoint(1, RoutePanel::WaypointLatitude, QStringLiteral("47 16.29 N"));
  EXPECT_NEAR(route().waypoints()[1].position.latitude, 47.2715, 1e-9);
  typeWaypoint(1, RoutePanel::WaypointLongitude, QStringLiteral("西经122度30分"));
  EXPECT_NEAR(route().waypoints()[1].position.longitude, -122.5, 1e-9);
  EXPECT_TRUE(window->routePanel()->message()->text().isEmpty());
  // The panel shows what the route holds.
  EXPECT_EQ(window->routePanel()->waypointTable()->item(1, RoutePanel::WaypointLatitude)->text(),
            latitudeText(47.2715));

  for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("95 00 N"), QString()}) {
    typeWaypoint(0, RoutePanel::WaypointLatitude, bad);
    EXPECT_EQ(route().waypoints()[0].position.latitude, 47.0) << bad.toStdString();
    EXPECT_FALSE(window->routePanel()->message()->text().isEmpty()) << bad.toStdString();
    EXPECT_EQ(window->routePanel()->waypointTable()->item(0, RoutePanel::WaypointLatitude)->text(), latitudeText(47.0));
  }

  QTableWidget* legs = window->routePanel()->legTable();
  legs->item(0, RoutePanel::LegXtd)->setText(QStringLiteral("0.2/0.3"));
  QCoreApplication::processEvents();
  EXPECT_EQ(route().legSettings()[0].portXtdNm, 0.2);
  EXPECT_EQ(route().legSettings()[0].starboardXtdNm, 0.3);
  for (const QString& bad : {QStringLiteral("-1"), QStringLiteral("wide"), QStringLiteral("0.1/0.2/0.3")}) {
    window->routePanel()->legTable()->item(0, RoutePanel::LegXtd)->setText(bad);
    QCoreApplication::processEvents();
    EXPECT_EQ(route().legSettings()[0].portXtdNm, 0.2) << bad.toStdString();
    EXPECT_EQ(window->routePanel()->legTable()->item(0, RoutePanel::LegXtd)->text(), QStringLiteral("0.2/0.3"));
  }
}

TEST_F(Routes, RoutesAndTheActiveOneSurviveARestart) {
  showAndDraw();
  action("actionRoutes")->trigger();
  click({300, 300});
  click({500, 400});
  window->routePanel()->nameEdit()->setText(QStringLiteral("北线"));
  QTest::keyClick(window->routePanel()->nameEdit(), Qt::Key_Return);
  EXPECT_EQ(route().name(), "北线");
  // A second route made in the panel, great circle on its leg.
  button("routeNew")->click();
  ASSERT_EQ(window->routes().routes().size(), 2u);
  click({200, 200});
  click({600, 250});
  window->routePanel()->legTable()->item(0, RoutePanel::LegXtd)->setText(QStringLiteral("0.5"));
  QCoreApplication::processEvents();
  const std::vector<Route> before = window->routes().routes();
  ASSERT_EQ(before[1].legSettings()[0].portXtdNm, 0.5);

  window.reset();
  window = makeWindow();
  EXPECT_EQ(window->routes().routes(), before);
  EXPECT_EQ(window->routes().activeIndex(), 1);
  EXPECT_EQ(window->routePanel()->legTable()->rowCount(), 1);
  EXPECT_FALSE(window->chart()->routeOverlay().empty());
}

TEST_F(Routes, AStoredRouteWithBadValuesLosesOnlyThem) {
  window.reset();
  QSettings store;
  store.beginWriteArray("routes/list", 1);
  store.setArrayIndex(0);
  store.setValue("name", "damaged");
  store.beginWriteArray("waypoints", 3);
  const char* lats[] = {"10", "not a number", "11"};
  for (int i = 0; i < 3; ++i) {
    store.setArrayIndex(i);
    store.setValue("lat", lats[i]);
    store.setValue("lon", 20);
    store.setValue("port", i == 2 ? -5 : 0.2);  // a refused corridor falls back to the default
  }
  store.endArray();
  store.endArray();
  store.setValue("routes/active", 7);
  store.sync();
  window = makeWindow();
  ASSERT_EQ(window->routes().routes().size(), 1u);
  ASSERT_EQ(route().waypoints().size(), 2u);
  EXPECT_EQ(route().legSettings()[0].portXtdNm, kDefaultXtdNm);
  EXPECT_EQ(window->routes().activeIndex(), 0);
}

const char* kRtz = R"(<?xml version="1.0" encoding="UTF-8"?>
<route xmlns="http://www.cirm.org/RTZ/1/1" version="1.1">
  <routeInfo routeName="Approach"/>
  <waypoints>
    <waypoint id="1" name="Outer"><position lat="47.60" lon="-122.50"/></waypoint>
    <waypoint id="2" name="Inner"><position lat="47.65" lon="-122.40"/><leg portXTD="0.2" starboardXTD="0.15" geometryType="Orthodrome"/></waypoint>
    <waypoint id="3" name="Berth"><position lat="47.66" lon="-122.38"/></waypoint>
  </waypoints>
</route>
)";

TEST_F(Routes, RtzImportExportRoundTripAndAMalformedFileChangesNothing) {
  const std::string rtz = directory() + "/approach.rtz";
  std::ofstream(rtz) << kRtz;
  QString chosen = QString::fromStdString(rtz);
  window->dialogs.openRouteFile = [&](QWidget*, const QString&) { return chosen; };
  button("routeImport")->click();
  ASSERT_EQ(window->routes().routes().size(), 1u);
  EXPECT_EQ(route().name(), "Approach");
  ASSERT_EQ(route().legCount(), 2);
  EXPECT_EQ(route().legSettings()[0].kind, LegKind::GreatCircle);
  EXPECT_EQ(window->routePanel()->legTable()->rowCount(), 2);

  // Out as RTZ (the extension added) and as GPX, and back in: the same route.
  const QString out = QString::fromStdString(directory() + "/out");
  window->dialogs.saveRouteFile = [&](QWidget*, const QString&) { return out; };
  button("routeExport")->click();
  ASSERT_TRUE(QFile::exists(out + ".rtz"));
  ASSERT_TRUE(window->exportRoute(out + ".gpx"));
  const Route original = route();
  ASSERT_TRUE(window->importRoute(out + ".rtz"));
  EXPECT_EQ(route(), original);
  ASSERT_TRUE(window->importRoute(out + ".gpx"));
  EXPECT_EQ(route().waypoints(), original.waypoints());
  EXPECT_TRUE(notices.isEmpty()) << notices.join('\n').toStdString();

  // A file broken on line 6: refused, told once with the line in Chinese and
  // the English reason, and the routes stay as they were.
  std::string broken = kRtz;
  broken.replace(broken.find("lat=\"47.65\""), 11, "lat=\"north\"");
  std::ofstream(directory() + "/broken.rtz") << broken;
  const std::vector<Route> before = window->routes().routes();
  const int active = window->routes().activeIndex();
  EXPECT_FALSE(window->importRoute(QString::fromStdString(directory() + "/broken.rtz")));
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices[0].contains(QStringLiteral("第 6 行"))) << notices[0].toStdString();
  EXPECT_TRUE(notices[0].contains(QStringLiteral("line 6"))) << notices[0].toStdString();
  EXPECT_EQ(window->routes().routes(), before);
  EXPECT_EQ(window->routes().activeIndex(), active);

  // A route of one waypoint is not written, and the user is told.
  Route single("one");
  single.appendWaypoint({{1, 1}, "", {}});
  window->addRoute(single);
  EXPECT_FALSE(window->exportRoute(QString::fromStdString(directory() + "/one.rtz")));
  EXPECT_FALSE(fs::exists(directory() + "/one.rtz"));
  EXPECT_EQ(notices.size(), 2);
}

// The route through the cell's WP1, WP2, ... marks, as the IHO's test data
// lays it out.
Route waypointRoute(const S57Cell& cell) {
  std::map<int, GeoPoint> named;
  for (const auto& p : cell.points) {
    const std::string& name = p->findAttribute("OBJNAM");
    if (p->objectClass != 163 || name.size() < 3 || name.compare(0, 2, "WP") != 0) continue;
    named[std::stoi(name.substr(2))] = chartToGeo(p->position.point);
  }
  Route route(cell.name);
  for (const auto& [number, position] : named) route.appendWaypoint({position, "WP" + std::to_string(number), {}});
  return route;
}

TEST_F(Routes, TheCheckListsFindingsChoosingOneShowsItAndAChangeChecksAgain) {
  if (!fs::exists(kSafetyContourCell)) GTEST_SKIP() << "the IHO test data are not in " << kSafetyContourCell;
  showAndDraw();
  ASSERT_EQ(window->openCell(QString::fromStdString(kSafetyContourCell.string())), ReaderResult::Ok);
  const CellSnapshot cells = engine().cells().snapshot();
  const S57Cell* cell = nullptr;
  for (const S57Cell* c : *cells)
    if (c->name.rfind("AA3SAFCO", 0) == 0) cell = c;
  ASSERT_NE(cell, nullptr);
  window->addRoute(waypointRoute(*cell));
  ASSERT_EQ(route().legCount(), 3);
  window->displaySettings().safetyContour = 30;
  action("actionRoutes")->trigger();

  window->routePanel()->checkButton()->click();
  waitForCheck();
  const std::vector<RouteFinding> findings = window->routeFindings();
  QTreeWidget* list = window->routePanel()->findingList();
  ASSERT_FALSE(findings.empty());
  ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(findings.size()));
  EXPECT_TRUE(window->routePanel()->checkState()->text().contains(QStringLiteral("检查完成")));
  // Leg 2 of the test route meets nothing but the waypoint marks (NEWOBJ);
  // legs 1 and 3 cross land and shallow water.
  int onLeg[3] = {0, 0, 0};
  for (const RouteFinding& f : findings) onLeg[f.leg] += f.classAcronym != "NEWOBJ";
  EXPECT_GT(onLeg[0], 0);
  EXPECT_EQ(onLeg[1], 0);
  EXPECT_GT(onLeg[2], 0);
  EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("警报"));

  // Choosing a finding of land centres the chart on it and marks its object.
  int land = -1;
  for (std::size_t i = 0; i < findings.size() && land < 0; ++i)
    if (findings[i].classAcronym == "LNDARE") land = static_cast<int>(i);
  ASSERT_GE(land, 0);
  list->setCurrentItem(list->topLevelItem(land));
  const RouteFinding& chosen = findings[static_cast<std::size_t>(land)];
  const GeoPoint centre = chartToGeo(window->chart()->view().centre);
  EXPECT_NEAR(centre.latitude, chosen.position.latitude, 1e-5);
  EXPECT_NEAR(centre.longitude, chosen.position.longitude, 1e-5);
  ASSERT_NE(window->objectPanel()->chosen(), nullptr);
  EXPECT_TRUE(window->objectPanel()->isVisible());
  EXPECT_EQ(window->objectPanel()->chosen()->feature->featureNumber, chosen.featureNumber);
  EXPECT_EQ(window->objectPanel()->chosen()->feature->objectClass, chosen.objectClass);
  // The picture of the README (CHART_ROUTE_SCREENSHOT=file.png).
  if (qEnvironmentVariableIsSet("CHART_ROUTE_SCREENSHOT")) {
    window->resize(1280, 900);
    window->resizeDocks({window->routePanel()}, {560}, Qt::Horizontal);
    QTest::qWait(50);
    window->chart()->zoomAboutCentre(false);
    window->repaint();
    window->grab().save(qEnvironmentVariable("CHART_ROUTE_SCREENSHOT"));
  }

  // Moving a waypoint checks the route again: the list then holds what a
  // check of the route as it now is finds.
  typeWaypoint(1, RoutePanel::WaypointLatitude, latitudeText(route().waypoints()[2].position.latitude));
  EXPECT_TRUE(window->routePanel()->checkState()->text().contains(QStringLiteral("重新检查")));
  waitForCheck();
  RouteCheckSettings settings;
  settings.safetyContour = 30;
  const RouteCheckResult expected = checkRoute(route(), *engine().cells().indexedSnapshot(), settings);
  ASSERT_EQ(window->routeFindings().size(), expected.findings.size());
  EXPECT_NE(window->routeFindings().size(), findings.size());
  EXPECT_EQ(list->topLevelItemCount(), static_cast<int>(expected.findings.size()));

  // So does another safety contour.
  action("action_5m")->trigger();
  waitForCheck();
  settings.safetyContour = window->displaySettings().safetyContour;
  EXPECT_EQ(window->routeFindings().size(),
            checkRoute(route(), *engine().cells().indexedSnapshot(), settings).findings.size());
  EXPECT_TRUE(window->routePanel()->checkState()->text().contains(
      QStringLiteral("%1 m").arg(static_cast<double>(settings.safetyContour))));

  // A typed edit and two contour changes in quick succession start one
  // check, of the route and contour as they end up.
  const int started = window->routeChecker().started();
  typeWaypoint(1, RoutePanel::WaypointLatitude, latitudeText(route().waypoints()[0].position.latitude));
  action("action_20m")->trigger();
  action("action_10m")->trigger();
  waitForCheck();
  EXPECT_EQ(window->routeChecker().started(), started + 1);
  settings.safetyContour = window->displaySettings().safetyContour;
  EXPECT_EQ(window->routeFindings().size(),
            checkRoute(route(), *engine().cells().indexedSnapshot(), settings).findings.size());
  EXPECT_TRUE(window->routePanel()->checkState()->text().contains(
      QStringLiteral("%1 m").arg(static_cast<double>(settings.safetyContour))));
}

}  // namespace
