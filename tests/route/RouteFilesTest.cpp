// RTZ and GPX files: round trips keep what each format holds, files as
// other programs write them read as meant, and a malformed file is refused
// with the line at fault while the caller's document stays as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "RouteExchange.h"
#include "RoutePrinting.h"

namespace {

namespace fs = std::filesystem;

Waypoint wp(double lat, double lon, std::string name, std::optional<double> radius = std::nullopt) {
  return Waypoint{{lat, lon}, std::move(name), radius};
}

RouteDocument read(const std::string& text, RouteFileResult* result = nullptr, LegKind gpxLegs = LegKind::Rhumb) {
  RouteDocument doc;
  const RouteFileResult r = readRouteDocument(QByteArray::fromStdString(text), gpxLegs, doc);
  if (result) *result = r;
  else EXPECT_TRUE(r.ok()) << r.text();
  return doc;
}

Route mixedRoute() {
  Route r("Fairway & <approach> \"north\" 北航道");
  r.appendWaypoint(wp(47.6062095, -122.3320708, "WP1 <start>"));
  r.appendWaypoint(wp(47.7, -122.5, "航路点 2", 0.3), LegSettings{LegKind::GreatCircle, 0.2, 0.25});
  r.appendWaypoint(wp(48.0, -123.0, "", 1.5), LegSettings{LegKind::Rhumb, 0.0, 2.5});
  r.appendWaypoint(wp(48.1, -123.1, " two\tlines \r\n and a\rcarriage return "), LegSettings{LegKind::Rhumb, 100, 0.0});
  r.appendWaypoint(wp(-0.000000001, 1e-9, "tiny"), LegSettings{LegKind::GreatCircle, 0.1, 0.1});
  return r;
}

Route extremes() {
  Route r("");
  r.appendWaypoint(wp(90, 180, "north pole"));
  r.appendWaypoint(wp(-90, -180, "south pole"), LegSettings{LegKind::GreatCircle, 0.1, 0.1});
  r.appendWaypoint(wp(-17.25, 179.999999, "Fiji west"), LegSettings{LegKind::GreatCircle, 0.1, 0.1});
  r.appendWaypoint(wp(-16.75, -179.999999, "Fiji east"), LegSettings{LegKind::Rhumb, 0.1, 0.1});
  return r;
}

TEST(RouteFiles, RtzRoundTripsKeepEverything) {
  for (RtzVersion version : {RtzVersion::V1_0, RtzVersion::V1_1, RtzVersion::V1_2}) {
    for (const Route& route : {mixedRoute(), extremes()}) {
      SCOPED_TRACE(testing::Message() << rtzVersionText(version) << " " << route.name());
      RouteDocument doc;
      doc.format = RouteFormat::Rtz;
      doc.rtzVersion = version;
      doc.routes = {route};
      QByteArray bytes;
      ASSERT_TRUE(encodeRouteDocument(doc, bytes).ok());
      EXPECT_TRUE(bytes.contains(QByteArray("http://www.cirm.org/RTZ/1/") + rtzVersionText(version)[2]));
      const RouteDocument back = read(bytes.toStdString());
      EXPECT_EQ(back.format, RouteFormat::Rtz);
      EXPECT_EQ(back.rtzVersion, version);
      ASSERT_EQ(back.routes.size(), 1u);
      EXPECT_EQ(back.routes[0], route);  // names, positions to the bit, radii, leg kinds, XTDs
    }
  }
}

TEST(RouteFiles, GpxRoundTripsKeepNamesAndPositions) {
  RouteDocument doc;
  doc.format = RouteFormat::Gpx;
  doc.routes = {mixedRoute(), extremes()};
  QByteArray bytes;
  ASSERT_TRUE(encodeRouteDocument(doc, bytes).ok());
  for (LegKind legs : {LegKind::Rhumb, LegKind::GreatCircle}) {
    const RouteDocument back = read(bytes.toStdString(), nullptr, legs);
    EXPECT_EQ(back.format, RouteFormat::Gpx);
    ASSERT_EQ(back.routes.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
      // GPX holds no leg geometry, XTD or turn radius: what it holds comes
      // back exactly, the rest as the reader is told.
      Route expected(doc.routes[i].name());
      for (Waypoint w : doc.routes[i].waypoints()) {
        w.turnRadiusNm.reset();
        expected.appendWaypoint(w, LegSettings{legs, kDefaultXtdNm, kDefaultXtdNm});
      }
      EXPECT_EQ(back.routes[i], expected);
    }
  }
}

TEST(RouteFiles, FilesAsOtherProgramsWriteThem) {
  // A default waypoint, a prefixed namespace, a leg on the first waypoint
  // (which no leg arrives at), schedules and extensions to read past.
  const RouteDocument rtz = read(R"(<?xml version="1.0" encoding="UTF-8"?>
<rtz:route xmlns:rtz="http://www.cirm.org/RTZ/1/1" version="1.1">
  <rtz:routeInfo routeName="Seattle &#x2192; Victoria" vesselName="X"><rtz:extensions/></rtz:routeInfo>
  <rtz:waypoints>
    <rtz:defaultWaypoint radius="0.4"><rtz:leg portXTD="0.3" starboardXTD="0.35" geometryType="Orthodrome"/></rtz:defaultWaypoint>
    <!-- the start -->
    <rtz:waypoint id="10" name="Start" revision="2">
      <rtz:position lat=" 47.6 " lon="-122.4"/>
      <rtz:leg portXTD="9" geometryType="Loxodrome"/>
    </rtz:waypoint>
    <rtz:waypoint id="11" name="Turn"><rtz:position lat="4.8e1" lon="-123"/><rtz:leg portXTD="0.5" speedMax="12"/>
      <rtz:extensions><rtz:extension manufacturer="x" name="y"><anything deep="1"><deeper/></anything></rtz:extension></rtz:extensions>
    </rtz:waypoint>
    <rtz:waypoint id="12" name="End" radius="0"><rtz:position lat="48.42" lon="-123.37"/><rtz:leg geometryType="loxodrome"/></rtz:waypoint>
  </rtz:waypoints>
  <rtz:schedules><rtz:schedule id="1"><rtz:manual><rtz:scheduleElement waypointId="10" etd="2024-01-01T00:00:00Z"/></rtz:manual></rtz:schedule></rtz:schedules>
</rtz:route>
)");
  ASSERT_EQ(rtz.routes.size(), 1u);
  const Route& r = rtz.routes[0];
  EXPECT_EQ(rtz.rtzVersion, RtzVersion::V1_1);
  EXPECT_EQ(r.name(), "Seattle \xE2\x86\x92 Victoria");
  ASSERT_EQ(r.waypoints().size(), 3u);
  EXPECT_EQ(r.waypoints()[1].position.latitude, 48.0);
  EXPECT_EQ(r.waypoints()[0].turnRadiusNm, 0.4);
  EXPECT_EQ(r.waypoints()[2].turnRadiusNm, 0.0);
  EXPECT_EQ(r.legSettings()[0], (LegSettings{LegKind::GreatCircle, 0.5, 0.35}));
  EXPECT_EQ(r.legSettings()[1], (LegSettings{LegKind::Rhumb, 0.3, 0.35}));

  // GPX 1.0 with waypoints, tracks, metadata and CDATA.
  const RouteDocument gpx = read(R"(<?xml version="1.0"?>
<gpx version="1.0" creator="other" xmlns="http://www.topografix.com/GPX/1/0">
  <metadata><name>not a route</name></metadata>
  <wpt lat="1" lon="2"><name>lone</name></wpt>
  <rte><name><![CDATA[A & B]]></name><desc>x</desc>
    <rtept lat="10" lon="20"><ele>3</ele><name>one</name><sym>buoy</sym></rtept>
    <rtept lat="11" lon="21"/>
    <extensions><e/></extensions>
  </rte>
  <trk><trkseg><trkpt lat="0" lon="0"/></trkseg></trk>
</gpx>)");
  ASSERT_EQ(gpx.routes.size(), 1u);
  EXPECT_EQ(gpx.routes[0].name(), "A & B");
  EXPECT_EQ(gpx.routes[0].waypoints()[0].name, "one");
  EXPECT_EQ(gpx.routes[0].waypoints()[1].name, "");
  EXPECT_EQ(gpx.routes[0].waypoints()[1].position.longitude, 21.0);
}

TEST(RouteFiles, MalformedFilesAreRefusedWithTheLineAtFault) {
  const std::string rtzHead = "<route xmlns=\"http://www.cirm.org/RTZ/1/0\" version=\"1.0\">\n<waypoints>\n";
  const std::string two =
      "<waypoint id=\"1\"><position lat=\"1\" lon=\"2\"/></waypoint>\n"
      "<waypoint id=\"2\"><position lat=\"3\" lon=\"4\"/></waypoint>\n";
  const std::string rtzTail = "</waypoints>\n</route>\n";
  const std::string gpxHead = "<gpx version=\"1.1\">\n<rte>\n";
  struct Case {
    const char* name;
    std::string text;
    RouteFileCode code;
    int line;
  } cases[] = {
      {"an empty file", "", RouteFileCode::NotXml, 1},
      {"text, not XML", "lat,lon\n1,2\n", RouteFileCode::NotXml, 1},
      {"a waypoint never closed", rtzHead + "<waypoint id=\"1\">\n<position lat=\"1\" lon=\"2\"/>\n",
       RouteFileCode::NotXml, 3},
      {"the route never closed", rtzHead + two + "</waypoints>\n", RouteFileCode::NotXml, 1},
      {"a closing tag for another element", gpxHead + "<rtept lat=\"1\" lon=\"2\">\n<name>x</name>\n</rte>\n</gpx>",
       RouteFileCode::NotXml, 5},
      {"something after the root", rtzHead + two + rtzTail + "<route/>\n", RouteFileCode::NotXml, 7},
      {"a document type with entities",
       "<?xml version=\"1.0\"?>\n<!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>\n"
       "<gpx version=\"1.1\"><rte><name>&b;</name></rte></gpx>",
       RouteFileCode::NotXml, 2},
      {"an undeclared entity", gpxHead + "<name>&nbsp;</name>\n</rte></gpx>", RouteFileCode::NotXml, 3},
      {"an element inside a name", gpxHead + "<name>a<b/>c</name>\n</rte></gpx>", RouteFileCode::NotXml, 3},
      {"neither RTZ nor GPX", "<kml>\n</kml>", RouteFileCode::NotARoute, 1},
      {"an RTZ version not known", "<route version=\"2.0\">\n" + two + "</route>", RouteFileCode::UnknownVersion, 1},
      {"an RTZ route without version or namespace", "<route>\n</route>", RouteFileCode::UnknownVersion, 1},
      {"a GPX version not known", "<gpx version=\"1.2\"/>", RouteFileCode::UnknownVersion, 1},
      {"a latitude that is no number", rtzHead + "<waypoint id=\"1\"><position lat=\"4x\" lon=\"2\"/></waypoint>\n",
       RouteFileCode::BadNumber, 3},
      {"a longitude with a comma", gpxHead + "<rtept lat=\"1\" lon=\"2,5\"/>\n", RouteFileCode::BadNumber, 3},
      {"not a number", gpxHead + "<rtept lat=\"1\" lon=\"2\"/>\n<rtept lat=\"NaN\" lon=\"2\"/>\n",
       RouteFileCode::BadNumber, 4},
      {"an infinite longitude", gpxHead + "<rtept lat=\"1\" lon=\"inf\"/>\n", RouteFileCode::BadNumber, 3},
      {"an empty latitude", gpxHead + "<rtept lat=\"\" lon=\"1\"/>\n", RouteFileCode::BadNumber, 3},
      {"an exponent too large", gpxHead + "<rtept lat=\"1e999\" lon=\"1\"/>\n", RouteFileCode::BadNumber, 3},
      {"an XTD that is no number",
       rtzHead + two + "<waypoint id=\"3\"><position lat=\"5\" lon=\"6\"/><leg portXTD=\"0.1NM\"/></waypoint>\n",
       RouteFileCode::BadNumber, 5},
      {"a latitude north of the pole", rtzHead + two + "<waypoint id=\"3\"><position lat=\"90.0001\" lon=\"6\"/></waypoint>\n",
       RouteFileCode::OutOfRange, 5},
      {"a longitude west of 180", gpxHead + "<rtept lat=\"1\" lon=\"2\"/>\n<rtept lat=\"1\" lon=\"-180.5\"/>\n",
       RouteFileCode::OutOfRange, 4},
      {"a negative XTD", rtzHead + "<waypoint id=\"1\"><position lat=\"1\" lon=\"2\"/>\n<leg starboardXTD=\"-0.1\"/></waypoint>\n",
       RouteFileCode::OutOfRange, 4},
      {"an XTD wider than any corridor",
       rtzHead + "<defaultWaypoint><leg portXTD=\"0.2\"\n starboardXTD=\"100.5\"/></defaultWaypoint>\n",
       RouteFileCode::OutOfRange, 4},
      {"a negative radius", rtzHead + "<waypoint id=\"1\" radius=\"-1\">\n", RouteFileCode::OutOfRange, 3},
      {"an unknown leg geometry", rtzHead + two + "<waypoint id=\"3\"><position lat=\"5\" lon=\"6\"/>\n<leg geometryType=\"GreatCircle\"/></waypoint>\n",
       RouteFileCode::BadValue, 6},
      {"two positions in a waypoint",
       rtzHead + "<waypoint id=\"1\"><position lat=\"1\" lon=\"2\"/>\n<position lat=\"1\" lon=\"2\"/></waypoint>\n",
       RouteFileCode::BadValue, 4},
      {"a waypoint without position", rtzHead + two + "<waypoint id=\"3\" name=\"lost\">\n</waypoint>\n" + rtzTail,
       RouteFileCode::MissingValue, 5},
      {"a position without longitude", rtzHead + "<waypoint id=\"1\">\n<position lat=\"1\"/></waypoint>\n",
       RouteFileCode::MissingValue, 4},
      {"a route point without latitude", gpxHead + "<rtept lon=\"1\"/>\n", RouteFileCode::MissingValue, 3},
      {"one waypoint", rtzHead + "<waypoint id=\"1\"><position lat=\"1\" lon=\"2\"/></waypoint>\n" + rtzTail,
       RouteFileCode::TooFewWaypoints, 2},
      {"no waypoints element", "<route version=\"1.2\">\n<routeInfo routeName=\"x\"/>\n</route>",
       RouteFileCode::TooFewWaypoints, 1},
      {"an empty GPX route", gpxHead + "<name>x</name>\n</rte>\n</gpx>", RouteFileCode::TooFewWaypoints, 2},
      {"a GPX file without routes", "<gpx version=\"1.1\">\n<wpt lat=\"1\" lon=\"2\"/>\n</gpx>", RouteFileCode::NoRoute, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // What the caller held before stays.
    RouteDocument doc;
    doc.format = RouteFormat::Gpx;
    doc.routes = {mixedRoute()};
    const RouteDocument before = doc;
    const RouteFileResult r = readRouteDocument(QByteArray::fromStdString(c.text), LegKind::Rhumb, doc);
    EXPECT_EQ(static_cast<int>(r.code), static_cast<int>(c.code)) << r.text();
    EXPECT_EQ(r.line, c.line) << r.text();
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(doc.format, before.format);
    EXPECT_EQ(doc.routes, before.routes);
  }
}

TEST(RouteFiles, MessagesShowFileBytesSafely) {
  RouteFileResult r;
  // XML lets no control character in but tab, line feed and carriage return.
  read("<gpx version=\"1.1\"><rte><rtept lat=\"1&#10;2&#13;\" lon=\"1\"/></rte></gpx>", &r);
  EXPECT_EQ(r.code, RouteFileCode::BadNumber);
  EXPECT_EQ(r.message.find_first_of("\n\r"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("1\\x0A2\\x0D"), std::string::npos) << r.message;
}

TEST(RouteFiles, ReadingAndWritingFiles) {
  const fs::path dir = fs::temp_directory_path() / ("route_files_" + std::to_string(getpid()));
  fs::create_directories(dir);
  RouteDocument doc;
  doc.format = RouteFormat::Rtz;
  doc.routes = {mixedRoute()};

  // Written whole, read back by content whatever the name says.
  const std::string path = (dir / "route.gpx").string();
  ASSERT_TRUE(writeRouteFile(path, doc).ok());
  RouteDocument back;
  ASSERT_TRUE(readRouteFile(path, LegKind::Rhumb, back).ok());
  EXPECT_EQ(back.format, RouteFormat::Rtz);
  EXPECT_EQ(back.routes, doc.routes);
  EXPECT_EQ(routeFormatOfName("a/B.RTZ"), RouteFormat::Rtz);
  EXPECT_EQ(routeFormatOfName("b.gpx"), RouteFormat::Gpx);
  EXPECT_FALSE(routeFormatOfName("c.kml"));

  // An RTZ file holds one route with two waypoints or more; refused, nothing is written.
  RouteDocument two = doc;
  two.routes.push_back(mixedRoute());
  const std::string other = (dir / "two.rtz").string();
  EXPECT_EQ(writeRouteFile(other, two).code, RouteFileCode::BadValue);
  RouteDocument short_ = doc;
  while (short_.routes[0].waypoints().size() > 1) short_.routes[0].deleteWaypoint(0);
  EXPECT_EQ(writeRouteFile(other, short_).code, RouteFileCode::TooFewWaypoints);
  EXPECT_FALSE(fs::exists(other));
  EXPECT_EQ(writeRouteFile((dir / "no" / "such" / "folder.rtz").string(), doc).code, RouteFileCode::CannotWrite);

  struct Case {
    const char* name;
    std::string path;
    RouteFileCode code;
  } cases[] = {
      {"absent", (dir / "absent.rtz").string(), RouteFileCode::CannotRead},
      {"a folder", dir.string(), RouteFileCode::CannotRead},
      {"a FIFO (never waited on)", (dir / "fifo.rtz").string(), RouteFileCode::CannotRead},
      {"larger than a route file may be", (dir / "huge.gpx").string(), RouteFileCode::TooLarge},
  };
  ASSERT_EQ(mkfifo(cases[2].path.c_str(), 0600), 0);
  { std::ofstream(cases[3].path); }
  fs::resize_file(cases[3].path, kMaxRouteFileBytes + 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RouteDocument kept = doc;
    const RouteFileResult r = readRouteFile(c.path, LegKind::Rhumb, kept);
    EXPECT_EQ(r.code, c.code) << r.text();
    EXPECT_EQ(r.line, 0);
    EXPECT_EQ(kept.routes, doc.routes);
  }
  fs::remove_all(dir);
}

}  // namespace
