// `enctool route` as a process: the legs of a route as JSON lines, files
// converted between RTZ and GPX, and a refused file named with its line
// while the output file stays as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "RouteExchange.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;

class EnctoolRoute : public testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("enctool_route_" + std::to_string(getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string file(const std::string& name, const std::string& text) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  static testsupport::ToolRun enctool(const std::string& args) {
    return testsupport::runCommand(std::string(ENCTOOL_PATH) + " route " + args, testsupport::Stderr::Keep);
  }
  static std::string contents(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path dir_;
};

const char* kAtlantic = R"(<?xml version="1.0" encoding="UTF-8"?>
<route xmlns="http://www.cirm.org/RTZ/1/2" version="1.2">
  <routeInfo routeName="Atlantic"/>
  <waypoints>
    <waypoint id="1" name="JFK"><position lat="40.6" lon="-73.8"/></waypoint>
    <waypoint id="2" name="LHR"><position lat="51.6" lon="-0.5"/><leg portXTD="0.5" starboardXTD="1" geometryType="Loxodrome"/></waypoint>
    <waypoint id="3" name="JFK again"><position lat="40.6" lon="-73.8"/><leg geometryType="Orthodrome"/></waypoint>
  </waypoints>
</route>
)";

TEST_F(EnctoolRoute, PrintsEveryLegAndASummary) {
  const testsupport::ToolRun run = enctool("--in " + file("atlantic.rtz", kAtlantic));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0],
            "{\"route\":1,\"leg\":1,\"from\":\"JFK\",\"to\":\"LHR\",\"fromLat\":40.6000000,\"fromLon\":-73.8000000,"
            "\"toLat\":51.6000000,\"toLon\":-0.5000000,\"geometry\":\"rhumb\",\"course\":77.7684,"
            "\"finalCourse\":77.7684,\"distanceNm\":3116.1357,\"xtdPortNm\":0.5,\"xtdStarboardNm\":1}");
  // The way back is the published JFK-LHR geodesic reversed (5551759.400 m,
  // 51.198882845 and 107.821776735 degrees).
  EXPECT_NE(lines[1].find("\"geometry\":\"great-circle\",\"course\":287.8218,\"finalCourse\":231.1989,"
                          "\"distanceNm\":2997.7103,\"xtdPortNm\":0.1"),
            std::string::npos)
      << lines[1];
  EXPECT_EQ(lines[2],
            "{\"route\":1,\"name\":\"Atlantic\",\"format\":\"rtz\",\"version\":\"1.2\",\"waypoints\":3,\"legs\":2,"
            "\"distanceNm\":6113.8460}");
}

TEST_F(EnctoolRoute, ConvertsBetweenRtzAndGpx) {
  const std::string rtz = file("atlantic.rtz", kAtlantic);
  testsupport::ToolRun run = enctool("--in " + rtz + " --out " + path("atlantic.gpx"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "{\"out\":\"" + path("atlantic.gpx") + "\",\"format\":\"gpx\",\"routes\":1}\n");
  EXPECT_NE(run.err.find("GPX holds no leg geometry"), std::string::npos) << run.err;

  // Back to RTZ: the legs are rhumb lines, or great circles when told.
  for (const char* legs : {"rhumb", "great-circle"}) {
    run = enctool("--in " + path("atlantic.gpx") + " --legs " + legs + " --out " + path("back.rtz"));
    ASSERT_EQ(run.status, 0) << run.err;
    RouteDocument doc;
    ASSERT_TRUE(readRouteFile(path("back.rtz"), LegKind::Rhumb, doc).ok());
    EXPECT_EQ(doc.rtzVersion, RtzVersion::V1_0);
    ASSERT_EQ(doc.routes.size(), 1u);
    EXPECT_EQ(doc.routes[0].name(), "Atlantic");
    EXPECT_EQ(doc.routes[0].waypoints()[1].name, "LHR");
    for (const LegSettings& leg : doc.routes[0].legSettings())
      EXPECT_EQ(leg.kind, std::string(legs) == "rhumb" ? LegKind::Rhumb : LegKind::GreatCircle);
  }

  // RTZ to RTZ keeps everything and the version, unless told another.
  run = enctool("--in " + rtz + " --out " + path("same.rtz"));
  ASSERT_EQ(run.status, 0) << run.err;
  RouteDocument original, copy;
  ASSERT_TRUE(readRouteFile(rtz, LegKind::Rhumb, original).ok());
  ASSERT_TRUE(readRouteFile(path("same.rtz"), LegKind::Rhumb, copy).ok());
  EXPECT_EQ(copy.routes, original.routes);
  EXPECT_EQ(copy.rtzVersion, RtzVersion::V1_2);
  ASSERT_EQ(enctool("--in " + rtz + " --out " + path("old.rtz") + " --rtz-version 1.0").status, 0);
  EXPECT_NE(contents(path("old.rtz")).find("http://www.cirm.org/RTZ/1/0"), std::string::npos);

  // A GPX file of two routes goes to RTZ one route at a time.
  const std::string two = file("two.gpx",
                               "<gpx version=\"1.1\"><rte><name>a</name><rtept lat=\"1\" lon=\"1\"/><rtept lat=\"2\" "
                               "lon=\"2\"/></rte><rte><name>b</name><rtept lat=\"3\" lon=\"3\"/><rtept lat=\"4\" "
                               "lon=\"4\"/></rte></gpx>");
  run = enctool("--in " + two + " --out " + path("two.rtz"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("--route N"), std::string::npos) << run.err;
  EXPECT_FALSE(fs::exists(path("two.rtz")));
  ASSERT_EQ(enctool("--in " + two + " --route 2 --out " + path("two.rtz")).status, 0);
  ASSERT_TRUE(readRouteFile(path("two.rtz"), LegKind::Rhumb, copy).ok());
  EXPECT_EQ(copy.routes[0].name(), "b");
  EXPECT_EQ(enctool("--in " + two).lines().size(), 4u);  // two legs and two summaries
}

TEST_F(EnctoolRoute, RefusedFilesAndUsage) {
  const std::string out = file("kept.rtz", "the file that was there");
  const std::string bad = file("bad.gpx",
                               "<gpx version=\"1.1\">\n<rte>\n<rtept lat=\"47.1\" lon=\"-122\"/>\n"
                               "<rtept lat=\"47,2\" lon=\"-122\"/>\n</rte>\n</gpx>\n");
  testsupport::ToolRun run = enctool("--in " + bad + " --out " + out);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "enctool route: " + bad + ":4: latitude '47,2' is not a number\n");
  EXPECT_TRUE(run.out.empty());
  EXPECT_EQ(contents(out), "the file that was there");

  // Cut off after the second waypoint's start tag, on line 6.
  const std::string atlantic = kAtlantic;
  const std::string unclosed = file("unclosed.rtz", atlantic.substr(0, atlantic.find("<position lat=\"51.6\"")));
  run = enctool("--in " + unclosed);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(unclosed + ":6: element <waypoint> is not closed"), std::string::npos) << run.err;

  run = enctool("--in " + path("absent.rtz"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot open"), std::string::npos) << run.err;

  for (const std::string& args :
       {std::string(""), "--in " + bad + " --out " + path("x.kml"), "--in " + bad + " --legs straight",
        "--in " + bad + " --route 0", "--in " + bad + " --rtz-version 2.0", "--in " + bad + " --what"}) {
    SCOPED_TRACE(args);
    EXPECT_EQ(enctool(args).status, 2);
  }
}

}  // namespace
