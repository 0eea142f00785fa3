// Data that is not an ENC of an official hydrographic office: named so by
// enctool info and marked round its coverage by the draw pass (NONHODAT),
// on written cells and on the IHO's test cell 1B5X01NE.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <filesystem>

#include "PortrayalReport.h"

namespace {
using namespace portrayalreport;

const std::string kS64 = CHART_SHARED_ENC "/../iho/s64";
const std::string kNonOfficial = kS64 + "/3.4 Non-Official Data/ENC_ROOT/1B5X01NE.000";
const std::string kOfficial = kS64 + "/2.1.1 Power Up/ENC_ROOT/GB5X01NE.000";  // the same cell from GB

bool drawsOnCoverage(const Report& report, const char* instruction) {
  for (const FeatureLine* f : report.with("\"class\":\"M_COVR\""))
    if (has(f->drawn, instruction)) return true;
  return false;
}

bool drawsMark(const Report& report) { return drawsOnCoverage(report, "LC(NONHODAT)"); }

class NonOfficialData : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  }
  fixtures::TempDirectory directory;
};

// The producing agency 65535 (not a hydrographic office) and a product
// other than an ENC each make data non-official; the cell's line says why
// and its coverage is marked, whatever the display category and scale. The
// mark takes the place of the limit of the data along that coverage: one
// line there, not two on top of each other.
TEST_F(NonOfficialData, ProducerAndProductDecide) {
  const struct {
    int agency, product;
    bool official;
    const char* reason;
  } cases[] = {
      {550, 1, true, ""},
      {65535, 1, false, "producing agency 65535 is not an official hydrographic office"},
      {550, 2, false, "product specification 2 is not an ENC"},
      {65535, 0, false,
       "producing agency 65535 is not an official hydrographic office; no product specification: not an ENC"},
      {65534, 1, true, ""},
  };
  for (const auto& c : cases) {
    CellBuilder cell(20000, 0.1, c.agency, c.product);
    cell.addArea(kM_COVR, {{kCATCOV, "1"}});
    const std::string path = cell.write(directory);
    for (const char* args : {"--category 0", "--category 2 --scale 400000", "--scale 2000"}) {
      const Report report = portrayal(path, args);
      ASSERT_EQ(report.status, 0) << c.agency << " " << c.product;
      EXPECT_TRUE(has(report.cellLine, c.official ? "\"official\":true" : "\"official\":false")) << report.cellLine;
      EXPECT_EQ(has(report.cellLine, "\"nonOfficialReason\""), !c.official) << report.cellLine;
      if (!c.official) {
        EXPECT_TRUE(has(report.cellLine, std::string("\"nonOfficialReason\":\"") + c.reason + "\""))
            << report.cellLine;
      }
      EXPECT_EQ(drawsMark(report), !c.official) << c.agency << " " << c.product << " " << args;
      EXPECT_EQ(drawsOnCoverage(report, "LC(HODATA01)"), c.official) << c.agency << " " << c.product << " " << args;
    }
  }
}

// The IHO's non-official cell, end to end: enctool info names it, the pass
// marks its data coverage (CATCOV 1) and nothing else; the same cell from
// the UK hydrographic office is not marked.
TEST_F(NonOfficialData, TheIhoTestCellIsNamedAndMarked) {
  if (!std::filesystem::exists(kNonOfficial) || !std::filesystem::exists(kOfficial))
    GTEST_SKIP() << "the IHO test data is absent: " << kNonOfficial;
  for (const char* style : {"", "--paper --plain-boundaries"}) {
    const Report report = portrayal(kNonOfficial, std::string("--category 0 ") + style);
    ASSERT_EQ(report.status, 0);
    EXPECT_TRUE(has(report.cellLine, "\"official\":false")) << report.cellLine;
    EXPECT_TRUE(has(report.cellLine, "producing agency 65535")) << report.cellLine;
    int marked = 0;
    for (const FeatureLine* f : report.with("\"class\":\"M_COVR\"")) {
      const bool data = has(f->text, "[\"CATCOV\",\"1\"]");
      EXPECT_EQ(has(f->drawn, "LC(NONHODAT)"), data) << f->text;
      marked += data;
    }
    EXPECT_GT(marked, 0);
    const Report official = portrayal(kOfficial, std::string("--category 0 ") + style);
    EXPECT_TRUE(has(official.cellLine, "\"official\":true")) << official.cellLine;
    EXPECT_FALSE(drawsMark(official));
  }
}

// A cell without coverage areas is marked round its extent: the mark's
// magenta shows along the edge of the cell in the day and night tables.
TEST_F(NonOfficialData, ACellWithoutCoverageIsMarkedRoundItsExtent) {
  for (const int agency : {65535, 550}) {
    CellBuilder cell(20000, 0.1, agency);
    const std::string path = cell.write(directory);
    for (const char* scheme : {"1", "5"}) {
      const std::string out = directory.path + "/mark.png";
      // The cell's western edge, 122 W, down the middle of the picture.
      const std::string command = std::string(ENCTOOL_PATH) + " render --library '" + kLibrary + "' '" + path +
                                  "' --centre 47.05,-122.0 --scale 10000 --size 200x100 --no-boundaries --scheme " +
                                  scheme + " --out '" + out + "' >/dev/null 2>&1";
      ASSERT_EQ(std::system(command.c_str()), 0) << command;
      const QImage image(QString::fromStdString(out));
      ASSERT_FALSE(image.isNull());
      const QColor background = image.pixelColor(10, 50);
      int marked = 0;
      for (int x = 95; x <= 110; ++x)
        for (int y = 0; y < 100; ++y) {
          const QColor p = image.pixelColor(x, y);
          marked += p.red() > p.green() + 20 && p.blue() > p.green() + 20 && p != background;
        }
      EXPECT_EQ(marked > 20, agency == 65535) << agency << " scheme " << scheme << ": " << marked;
    }
  }
}

}  // namespace
