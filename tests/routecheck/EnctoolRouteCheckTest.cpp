// `enctool route-check` as a process: one JSON line per finding and the
// summary, the picture, and the exit status of bad arguments and files.
#include <QImage>
#include <fstream>

#include "RealData.h"
#include "RouteCheckFixture.h"
#include "ToolRun.h"

namespace routetest {
namespace {

class EnctoolRouteCheck : public testing::Test {
protected:
  void SetUp() override {
    library_ = testsupport::generatedLibrary();
    SKIP_UNLESS_PRESENT(library_);
    WrittenCell cell("GB5TOOL1", 20000);
    cell.addCoverage(box(47.0, -122.0, 47.2, -121.8));
    cell.addArea(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, box(47.0, -122.0, 47.2, -121.8));
    cell.addPoint(kUWTROC, {{kVALSOU, "4.5"}, {kWATLEV, "3"}}, {47.1, -121.9});
    cellPath_ = cell.write(directory_.path);
    routePath_ = directory_.path + "/route.gpx";
    std::ofstream(routePath_) << R"(<?xml version="1.0"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1"><rte>
  <rtept lat="47.1" lon="-121.95"/><rtept lat="47.1" lon="-121.85"/><rtept lat="47.15" lon="-121.75"/>
</rte></gpx>
)";
  }
  testsupport::ToolRun enctool(const std::string& args) {
    return testsupport::runCommand(std::string(ENCTOOL_PATH) + " route-check --library " +
                                       testsupport::shellQuote(library_) + " " + args,
                                   testsupport::Stderr::Keep);
  }

  fixtures::TempDirectory directory_;
  std::string library_, cellPath_, routePath_;
};

TEST_F(EnctoolRouteCheck, PrintsEachFindingThenTheSummary) {
  const testsupport::ToolRun run =
      enctool("--route " + routePath_ + " --safety 5 --date 20240601 --picture " + directory_.path + "/check.png " +
              cellPath_);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0],
            "{\"leg\":1,\"lat\":47.1000015,\"lon\":-121.9000000,\"alongNm\":2.0495,\"class\":\"UWTROC\","
            "\"foid\":\"0226000000030001\",\"cell\":\"GB5TOOL1.000\",\"kind\":\"alarm\",\"reason\":\"danger\","
            "\"depth\":4.50,\"safetyContour\":5.00}");
  // The second leg leaves the cell's coverage at 121.8 W.
  EXPECT_NE(lines[1].find("\"leg\":2,"), std::string::npos) << lines[1];
  EXPECT_NE(lines[1].find("\"class\":\"\",\"foid\":\"\",\"cell\":\"\",\"kind\":\"indication\","
                          "\"reason\":\"outside-coverage\"}"),
            std::string::npos)
      << lines[1];
  EXPECT_EQ(lines[2].rfind("{\"legs\":2,\"distanceNm\":", 0), 0u) << lines[2];
  EXPECT_NE(lines[2].find("\"findings\":2}"), std::string::npos) << lines[2];
  const QImage picture(QString::fromStdString(directory_.path + "/check.png"));
  EXPECT_EQ(picture.width(), 1200);

  // A deeper rock than the safety contour is no finding; a corridor can be
  // made narrower than the default everywhere.
  const testsupport::ToolRun shallow = enctool("--route " + routePath_ + " --safety 4 --xtd 50 " + cellPath_);
  ASSERT_EQ(shallow.status, 0) << shallow.err;
  EXPECT_EQ(shallow.lines().size(), 2u) << shallow.out;
}

TEST_F(EnctoolRouteCheck, ChecksAgainstTheCellsOfAChartStore) {
  const std::string store = directory_.path + "/store";
  const testsupport::ToolRun imported = testsupport::runCommand(
      std::string(ENCTOOL_PATH) + " import --store " + testsupport::shellQuote(store) + " " + cellPath_,
      testsupport::Stderr::Keep);
  ASSERT_EQ(imported.status, 0) << imported.out << imported.err;
  // The cell in the store is met as the file was: the rock, then the end
  // of its coverage.
  const testsupport::ToolRun run = enctool("--route " + routePath_ + " --safety 5 --store " + store);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_NE(lines[0].find("\"class\":\"UWTROC\",\"foid\":\"0226000000030001\",\"cell\":\"GB5TOOL1.000\""),
            std::string::npos)
      << lines[0];
  EXPECT_NE(lines[1].find("\"reason\":\"outside-coverage\""), std::string::npos) << lines[1];
}

TEST_F(EnctoolRouteCheck, RefusesBadArgumentsAndFiles) {
  struct Case {
    std::string args;
    int status;
  };
  const Case cases[] = {
      {"--route " + routePath_, 2},                                   // no cells
      {cellPath_, 2},                                                 // no route
      {"--route " + routePath_ + " --safety deep " + cellPath_, 2},   // not a number
      {"--route " + routePath_ + " --date 20241301 " + cellPath_, 2}, // no such date
      {"--route " + routePath_ + " --legs curved " + cellPath_, 2},
      {"--route " + routePath_ + " --bogus " + cellPath_, 2},
      {"--route " + routePath_ + " --store " + directory_.path + " " + cellPath_, 2},  // two sources
      {"--route " + routePath_ + " --store " + directory_.path + "/absent", 1},
      {"--route " + routePath_ + " --manufacturer " + routePath_ + " " + cellPath_, 2},  // without a store
      {"--route " + routePath_ + " --store " + directory_.path + " --manufacturer " + routePath_, 1},  // not a key file
      {"--route " + directory_.path + "/absent.gpx " + cellPath_, 1},
      {"--route " + cellPath_ + " " + cellPath_, 1},                  // not a route file
      {"--route " + routePath_ + " " + directory_.path + "/absent.000", 1},
  };
  for (const Case& c : cases) {
    const testsupport::ToolRun run = enctool(c.args);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.err;
    EXPECT_FALSE(run.err.empty()) << c.args;
  }
}

}  // namespace
}  // namespace routetest
