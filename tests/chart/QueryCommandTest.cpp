// enctool query as a process on a small written cell: what it lists at a
// few positions, in the window's order with decoded values, and how it
// refuses bad options and reports a cell it cannot load.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "CellFixtures.h"
#include "PortfolioPlan.h"

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

struct ToolRun {
  int status = -1;
  std::vector<std::string> lines;  // standard output
};

ToolRun query(const std::string& args) {
  ToolRun run;
  FILE* pipe = popen((std::string(ENCTOOL_PATH) + " query " + args + " 2>/dev/null").c_str(), "r");
  if (!pipe) return run;
  std::string output;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) run.lines.push_back(line);
  return run;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class EnctoolQuery : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "needs the library " << kLibrary;
    cell = fixtures::writeCell(fixtures::smallCell("QUERY001"), dir.path, "QUERY001.000");
  }
  fixtures::TempDirectory dir;
  std::string cell;
};
}  // namespace

// The written cell: an outer depth area (DRVAL1 0) over 47.0-47.1N,
// 122.0-121.9W, a deeper one (DRVAL1 10) in its middle half, a light at
// its centre; the extent (M_NSYS) is never listed. Positions are as the
// cell's coordinate factor stores them, a little off the round degrees.
TEST_F(EnctoolQuery, ListsWhatTheWindowWouldInItsOrder) {
  struct Case {
    const char* at;
    std::vector<std::vector<std::string>> lines;  // parts each line holds, in order
  };
  const Case cases[] = {
      {"47.05,-121.95",
       {{"\"title\":\"Light (LIGHTS)\"", "\"kind\":\"point\"", "\"cell\":\"QUERY001\"",
         "\"position\":[47.0500", ",-121.95000000]"},
        {"\"title\":\"Depth area (DEPARE)\"", "\"kind\":\"area\"",
         "{\"acronym\":\"DRVAL1\",\"name\":\"Depth range value 1\",\"value\":\"10 m\",\"raw\":\"10\"}",
         "\"extent\":[47.0250", ",-121.97500000,47.0750", ",-121.92500000]"},
        {"\"title\":\"Depth area (DEPARE)\"", "\"value\":\"0 m\""}}},
      {"47.01,-121.99", {{"\"title\":\"Depth area (DEPARE)\"", "\"value\":\"0 m\""}}},
      {"46.9,-122.1", {}},
  };
  for (const Case& c : cases) {
    const ToolRun run = query("--library '" + kLibrary + "' --category 2 --at " + c.at + " '" + cell + "'");
    EXPECT_EQ(run.status, 0) << c.at;
    ASSERT_EQ(run.lines.size(), c.lines.size()) << c.at;
    for (std::size_t i = 0; i < c.lines.size(); ++i)
      for (const std::string& part : c.lines[i])
        EXPECT_TRUE(contains(run.lines[i], part)) << c.at << ": " << part << "\n" << run.lines[i];
  }
}

TEST_F(EnctoolQuery, RefusesBadOptionsAndReportsCellsItCannotLoad) {
  const std::string library = "--library '" + kLibrary + "' ";
  struct Case {
    std::string args;
    int status;
  };
  const Case refusals[] = {
      {library + "'" + cell + "'", 2},                                    // no --at
      {library + "--at 91,0 '" + cell + "'", 2},                          // latitude out of range
      {library + "--at 47.05 '" + cell + "'", 2},                         // one number
      {library + "--at 47.05,-121.95 --scale 0 '" + cell + "'", 2},       // scale not positive
      {library + "--at 47.05,-121.95 --size 10x0 '" + cell + "'", 2},     // empty surface
      {library + "--at 47.05,-121.95 --category 3 '" + cell + "'", 2},    // no such category
      {library + "--at 47.05,-121.95 --frobnicate '" + cell + "'", 2},    // unknown option
      {library + "--at 47.05,-121.95 --cells '" + dir.path + "' '" + cell + "'", 2},  // both
      {library + "--at 47.05,-121.95", 2},                                // no cell
      {"--library '" + dir.path + "/none' --at 47.05,-121.95 '" + cell + "'", 1},  // no library
  };
  for (const Case& c : refusals) {
    const ToolRun run = query(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_TRUE(run.lines.empty()) << c.args;
  }
  // A cell that cannot be loaded fails the run; the others are queried.
  const ToolRun run = query(library + "--at 47.05,-121.95 '" + dir.path + "/MISSING1.000' '" + cell + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.lines.size(), 3u);
}

// --chinese tells the same objects as the window's panel does under 中文显示.
TEST_F(EnctoolQuery, InChineseNamesAndValuesAreChinese) {
  const ToolRun run = query("--library '" + kLibrary + "' --category 2 --chinese --at 47.05,-121.95 '" + cell + "'");
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 3u);
  for (const auto& [line, part] : std::vector<std::pair<std::size_t, std::string>>{
           {0, "\"title\":\"灯标 (LIGHTS)\""},
           {0, "\"class\":\"灯标\""},
           {1, "\"title\":\"水深区 (DEPARE)\""},
           {1, "{\"acronym\":\"DRVAL1\",\"name\":\"最小水深\",\"value\":\"10 米\",\"raw\":\"10\"}"}})
    EXPECT_TRUE(contains(run.lines[line], part)) << part << "\n" << run.lines[line];
}

// Where the cells of a portfolio overlap (a harbour cell inside an approach
// cell inside a coastal cell inside a general cell, all drawn in a view that
// reaches past the harbour cells), a click lists the areas of the cell that
// shows there: on the harbour cells only theirs, beside them only the
// approach cell's, never the four depth areas of four cells under one
// another.
TEST_F(EnctoolQuery, OverlappingCellsListOnlyTheCellThatShows) {
  const std::string portfolio = dir.path + "/portfolio";
  std::filesystem::create_directories(portfolio);
  ASSERT_EQ(std::system((std::string(ENCTOOL_PATH) + " demo --portfolio 28 --out '" + portfolio + "' >/dev/null").c_str()), 0);
  double south = 90, west = 180, north = -90, east = -180;  // the harbour cells
  for (const portfolio::PlannedCell& c : portfolio::planPortfolio(28))
    if (c.band == 5) {
      south = std::min(south, c.south / 1e7), north = std::max(north, c.north / 1e7);
      west = std::min(west, c.west / 1e7), east = std::max(east, c.east / 1e7);
    }
  const double middle = (south + north) / 2;
  const struct {
    double longitude;
    const char* band;  // of every cell listed
  } cases[] = {{east - 0.02, "\"cell\":\"XX5P"}, {east + 0.02, "\"cell\":\"XX4P"}};
  for (const auto& c : cases) {
    char at[64];
    std::snprintf(at, sizeof at, "%.6f,%.6f", middle, c.longitude);
    const ToolRun run =
        query("--library '" + kLibrary + "' --category 2 --scale 35000 --at " + at + " --cells '" + portfolio + "'");
    EXPECT_EQ(run.status, 0) << at;
    int areas = 0;
    for (const std::string& line : run.lines) {
      if (!contains(line, "\"kind\":\"area\"")) continue;
      ++areas;
      EXPECT_TRUE(contains(line, c.band)) << at << "\n" << line;
    }
    EXPECT_GT(areas, 0) << at;
  }
}
