// The safe portrayal on real cells, through enctool as a process: what the
// draw pass executes (info --features --portrayal) and what it paints
// (render).
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "RealData.h"
#include "ToolRun.h"

namespace {
using testsupport::generatedLibrary;
using testsupport::runCommand;
using testsupport::sharedEnc;
using testsupport::shellQuote;

const std::string kUs = sharedEnc("US5WA22M/US5WA22M.000");

// The feature lines of `enctool info --features --portrayal` for a cell.
std::vector<std::string> featureLines(const std::string& cell, const std::string& options) {
  const testsupport::ToolRun run =
      runCommand(std::string(ENCTOOL_PATH) + " info --library " + shellQuote(generatedLibrary()) +
                 " --features --portrayal " + options + " " + shellQuote(cell));
  EXPECT_EQ(run.status, 0) << options;
  std::vector<std::string> features;
  for (const std::string& line : run.lines())
    if (line.find("\"drawn\":") != std::string::npos) features.push_back(line);
  return features;
}

bool has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

// The value of the "drawn" field of a feature line.
std::string drawn(const std::string& line) {
  const std::size_t at = line.find("\"drawn\":\"");
  if (at == std::string::npos) return {};
  const std::size_t start = at + 9;
  return line.substr(start, line.find('"', start) - start);
}
}  // namespace

// The dangerous obstruction of US5WA22M (VALSOU 3.3) shows its isolated
// danger symbol in the standard display with either symbol style.
TEST(SafePortrayalRealCells, TheObstructionOfUs5wa22mIsDrawnWithPaperChartSymbols) {
  SKIP_UNLESS_PRESENT(generatedLibrary(), kUs);
  for (const char* style : {"", "--paper"}) {
    int found = 0;
    for (const std::string& line : featureLines(kUs, std::string("--contours 5 --scale 5000 ") + style)) {
      if (!has(line, "\"class\":\"OBSTRN\"") || !has(line, "[\"VALSOU\",\"3.3\"]")) continue;
      ++found;
      EXPECT_TRUE(has(drawn(line), "SY(ISODGR01)")) << style << ": " << line;
    }
    EXPECT_GE(found, 1) << style;
  }
}

// With contour set 10 and depth contours off, US5WA22M shows its safety
// contour in DEPSC.
TEST(SafePortrayalRealCells, Us5wa22mShowsItsSafetyContourWithContoursOff) {
  SKIP_UNLESS_PRESENT(generatedLibrary(), kUs);
  int safety = 0;
  for (const std::string& line : featureLines(kUs, "--contours 10")) safety += has(drawn(line), "LS(SOLD,2,DEPSC)");
  EXPECT_GT(safety, 0);
}

// Every wreck area of AA400002 is drawn, in the full display.
TEST(SafePortrayalRealCells, TheWreckAreasOfAa400002AreDrawn) {
  const std::string cell = sharedEnc("s58/AA400002.000");
  SKIP_UNLESS_PRESENT(generatedLibrary(), cell);
  int areas = 0;
  for (const std::string& line : featureLines(cell, "--category 2")) {
    if (!has(line, "\"class\":\"WRECKS\"") || !has(line, "\"kind\":\"area\"")) continue;
    ++areas;
    EXPECT_FALSE(drawn(line).empty()) << line;
  }
  EXPECT_GE(areas, 1);
}

// The island of 00700014 keeps its land with depth contours on: the count
// of land-coloured pixels changes by at most 1 %.
TEST(SafePortrayalRealCells, TheLandOf00700014KeepsItsPixelsWithContoursOn) {
  const std::string cell = sharedEnc("s58/00700014.000");
  SKIP_UNLESS_PRESENT(generatedLibrary(), cell);
  const std::string scratch = testing::TempDir();
  int land[2] = {0, 0};
  for (int contours : {0, 1}) {
    const std::string out = scratch + "/land" + std::to_string(contours) + ".png";
    const testsupport::ToolRun run =
        runCommand(std::string(ENCTOOL_PATH) + " render --library " + shellQuote(generatedLibrary()) + " " +
                   shellQuote(cell) + " --category 2 --no-boundaries --out " + shellQuote(out) +
                   (contours ? " --depth-contours" : ""));
    ASSERT_EQ(run.status, 0);
    const QImage image(QString::fromStdString(out));
    ASSERT_FALSE(image.isNull());
    // LANDA of the day table, as the library converts it.
    const QColor landa(201, 185, 122);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) land[contours] += image.pixelColor(x, y) == landa;
  }
  ASSERT_GT(land[0], 1000);
  EXPECT_NEAR(land[1], land[0], land[0] / 100.0);
}
