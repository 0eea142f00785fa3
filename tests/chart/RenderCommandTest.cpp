// `enctool render` on the real cell US5WA22M: the depth shades of every
// colour scheme in the pictures, the library names its areas use, and the
// refusals of bad options and missing libraries.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "CellFixtures.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourFileReader.h"
#include "ColourToken.h"
#include "DisplaySettings.h"
#include "FeaturePortrayal.h"
#include "RealData.h"
#include "ToolRun.h"

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";
constexpr int kCompilationScale = 15000;

struct ToolRun {
  int status = -1;
  std::string output;  // standard output
};

ToolRun render(const std::string& args) {
  const testsupport::ToolRun run = testsupport::runCommand(std::string(ENCTOOL_PATH) + " render " + args);
  return ToolRun{run.status, run.out};
}

#define SKIP_WITHOUT_REAL_DATA() SKIP_UNLESS_PRESENT(kLibrary, kCell)

std::map<QRgb, int> histogram(const QImage& image) {
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y) | 0xff000000u];
  return counts;
}
}  // namespace

TEST(EnctoolRender, DepthShadesInEveryColourScheme) {
  SKIP_WITHOUT_REAL_DATA();
  std::array<ColourTable, kColourSchemeCount> tables{};
  ASSERT_EQ(readColourFile(kLibrary + "/S57Colours", tables), LibraryResult::Ok);
  fixtures::TempDirectory dir;
  // The cell's depth areas reach from -3.3 to 182.8 m with DRVAL1 at most
  // 9.1: contour set 10 shows DEPIT, DEPVS and DEPMS, set 5 also DEPMD.
  struct Shades {
    int contours;
    std::vector<const char*> tokens;
  } sets[] = {{10, {"DEPIT", "DEPVS", "DEPMS"}}, {5, {"DEPIT", "DEPVS", "DEPMS", "DEPMD"}}};
  for (int multiple : {1, 4}) {
    for (int scheme = 1; scheme <= kColourSchemeCount; ++scheme) {
      for (const Shades& shades : sets) {
        const std::string out = dir.path + "/render.png";
        std::filesystem::remove(out);
        const std::string args = "--library '" + kLibrary + "' '" + kCell + "' --scale " +
                                 std::to_string(kCompilationScale * multiple) + " --scheme " + std::to_string(scheme) +
                                 " --contours " + std::to_string(shades.contours) + " --out '" + out + "'";
        const ToolRun run = render(args);
        ASSERT_EQ(run.status, 0) << args;
        EXPECT_NE(run.output.find("\"cells_loaded\":1,\"cells_drawn\":1,\"ms\":"), std::string::npos) << run.output;
        const QImage image(QString::fromStdString(out));
        ASSERT_EQ(image.size(), QSize(862, 686)) << args;
        const auto counts = histogram(image);
        for (const char* token : shades.tokens) {
          const QColor colour = tables[static_cast<std::size_t>(scheme - 1)].entries[colourIndex(token)];
          const auto it = counts.find(colour.rgb());
          EXPECT_TRUE(it != counts.end() && it->second >= 50)
              << token << " missing at " << multiple << "x, scheme " << scheme << ", contours " << shades.contours;
        }
      }
    }
  }
}

// Every symbol, pattern and complex line style the cell's areas can ask for
// (look-up instructions and procedure output, both symbol styles, all
// contour sets) is in the library, except the names listed here.
TEST(EnctoolRender, AreaNamesAreInTheLibrary) {
  SKIP_WITHOUT_REAL_DATA();
  ChartEngine engine(kLibrary, MissingFileReport::Silent);
  ASSERT_EQ(engine.libraryResult(), LibraryResult::Ok);
  ChartView view;
  ASSERT_EQ(engine.loadCell(kCell, &view), ReaderResult::Ok);
  S57Cell& cell = *engine.cells().snapshot()->front();

  std::set<std::string> used[3];  // symbols, patterns, line styles
  const auto collect = [&](const std::vector<Instruction>& list) {
    for (const Instruction& i : list) {
      if (const Symbol* s = i.find<Symbol>()) used[0].insert(s->name);
      if (const AreaPattern* p = i.find<AreaPattern>()) used[1].insert(p->name);
      if (const ComplexLine* l = i.find<ComplexLine>()) used[2].insert(l->name);
    }
  };
  for (bool paper : {false, true}) {
    for (int contours : {5, 10, 20}) {
      DisplaySettings settings(engine.library());
      settings.setSymbolStyle(paper ? 1 : 2);
      settings.setContourSet(contours);
      for (auto& area : cell.areas) {
        for (const LookupResult* r : {&area->firstLookup, &area->secondLookup}) collect(r->instructions);
        if (const auto result = procedureResult(*area, cell, settings)) collect(result->instructions);
      }
    }
  }
  const PresentationLibrary& library = engine.library();
  std::set<std::string> missing;
  for (const std::string& n : used[0])
    if (!library.symbols.count(n)) missing.insert("symbol " + n);
  for (const std::string& n : used[1])
    if (!library.patterns.count(n)) missing.insert("pattern " + n);
  for (const std::string& n : used[2])
    if (!library.lineStyles.count(n)) missing.insert("line style " + n);
  // The library lacks nothing the areas name (FLTHAZ02, which the XML has in
  // no form, is a supplementary drawing).
  const std::set<std::string> known;
  std::string list;
  for (const std::string& m : missing) list += "  " + m + "\n";
  std::printf("names used by the areas of US5WA22M: %zu symbols, %zu patterns, %zu line styles; missing:\n%s",
              used[0].size(), used[1].size(), used[2].size(), list.empty() ? "  none\n" : list.c_str());
  for (const std::string& m : missing) EXPECT_TRUE(known.count(m)) << m;
}

TEST(EnctoolRender, RefusesBadOptionsWithoutWritingAFile) {
  fixtures::TempDirectory dir;
  const std::string out = dir.path + "/never.png";
  const std::string library = "--library '" + kLibrary + "' ";
  struct Case {
    std::string args;
    int status;
  } cases[] = {
      {library + "--scale abc --out '" + out + "'", 2},
      {library + "--scale -5 --out '" + out + "'", 2},
      {library + "--size 800 --out '" + out + "'", 2},
      {library + "--centre 47.2 --out '" + out + "'", 2},
      {library + "--scheme 6 --out '" + out + "'", 2},
      {library + "--contours 7 --out '" + out + "'", 2},
      {library + "--category 3 --out '" + out + "'", 2},
      {library + "--repeat 0 --out '" + out + "'", 2},
      {library + "--safety-depth 501 --out '" + out + "'", 2},
      {library + "--pixel-size 0 --out '" + out + "'", 2},
      {library + "--out '" + out + "' --pixel-size", 2},
      {library + "--colour red --out '" + out + "'", 2},
      {library + "--cells '" + dir.path + "/none' --out '" + out + "'", 2},
      {library, 2},  // no --out
      {"--library '" + dir.path + "/nolibrary' --out '" + out + "'", 1},
      {"--library '" + dir.path + "' --out '" + out + "'", 1},  // a folder without the library files
      {library + "--base-map '" + dir.path + "/none.bin' --out '" + out + "'", 1},
  };
  for (const Case& c : cases) {
    const ToolRun run = render(c.args);
    EXPECT_EQ(run.status, c.status) << c.args;
    EXPECT_TRUE(run.output.empty()) << c.args;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
  }
}

TEST(EnctoolRender, CellsFromAFolderAndAFailedCell) {
  if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no library in " << kLibrary;
  fixtures::TempDirectory dir;
  fixtures::writeCell(fixtures::smallCell("ONE.000"), dir.path, "one.000");
  fixtures::writeCell(fixtures::smallCell("TWO.000", 0.05), dir.path, "two.000");
  const std::string out = dir.path + "/folder.png";
  ToolRun run = render("--library '" + kLibrary + "' --cells '" + dir.path + "' --repeat 3 --out '" + out + "'");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.output.find("\"cells_loaded\":2"), std::string::npos) << run.output;
  EXPECT_TRUE(std::filesystem::exists(out));

  // A cell that cannot be read is reported; the others are drawn.
  run = render("--library '" + kLibrary + "' '" + dir.path + "/one.000' '" + dir.path + "/missing.000' --out '" + out +
               "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("\"cells_loaded\":1"), std::string::npos) << run.output;
}

// A picture that lacks part of its chart must not pass: a cell that lost
// records is drawn as far as it goes and fails the run, and so does a run
// whose cells all stay out of the picture.
TEST(EnctoolRender, AnIncompleteCellOrAPictureOfNoCellFailsTheRun) {
  if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no library in " << kLibrary;
  fixtures::TempDirectory dir;
  const s57write::S57Writer writer = fixtures::smallCell("PART.000");
  const std::string image = writer.image();
  const std::vector<size_t> at = writer.iso().recordOffsets();
  const std::string part = dir.path + "/part.000";
  std::ofstream(part, std::ios::binary) << image.substr(0, at[at.size() - 4]);  // the last four features lost
  const std::string whole = fixtures::writeCell(writer, dir.path, "whole.000");
  const std::string out = dir.path + "/out.png";
  const std::string library = std::string(ENCTOOL_PATH) + " render --library '" + kLibrary + "' ";

  testsupport::ToolRun run = testsupport::runCommand(library + "'" + part + "' --out '" + out + "'",
                                                     testsupport::Stderr::Keep);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.out.find("\"cells_loaded\":1,\"cells_drawn\":1"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find(part + ": code 18: the records read disagree"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(part + ": warning: part.000: records lost or added, the cell is not whole: NOGR declares 4"),
            std::string::npos)
      << run.err;

  run = testsupport::runCommand(library + "'" + whole + "' --centre 0,0 --out '" + out + "'", testsupport::Stderr::Keep);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("no cell was drawn (1 of 1 loaded)"), std::string::npos) << run.err;
  EXPECT_EQ(testsupport::runCommand(library + "'" + whole + "' --out '" + out + "'").status, 0);
}

TEST(EnctoolRender, TheWorldBaseMapUnderTheCells) {
  const std::string baseMap = CHART_SOURCE_DIR "/worldland.bin";
  if (!std::filesystem::is_directory(kLibrary) || !std::filesystem::exists(baseMap))
    GTEST_SKIP() << "needs the library and worldland.bin (scripts/setup.sh)";
  fixtures::TempDirectory dir;
  const std::string out = dir.path + "/world.png";
  // Australia at 1:30,000,000: land in the middle, the Coral Sea at the right edge.
  const ToolRun run = render("--library '" + kLibrary + "' --base-map '" + baseMap +
                             "' --centre -25,145 --scale 30000000 --size 400x300 --out '" + out + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  const QImage image(QString::fromStdString(out));
  std::array<ColourTable, kColourSchemeCount> tables{};
  ASSERT_EQ(readColourFile(kLibrary + "/S57Colours", tables), LibraryResult::Ok);
  const ColourTable& day = tables[static_cast<int>(ColourScheme::DAY_BRIGHT)];
  // Its land in the muted tone, its sea no data (NODTA, or the NODATA03
  // pattern's CHGRD), never the water colour of a depth.
  const QColor land = day.entries[colourIndex("LANDA")], noData = day.entries[colourIndex("NODTA")];
  const QColor muted((land.red() + noData.red()) / 2, (land.green() + noData.green()) / 2,
                     (land.blue() + noData.blue()) / 2);
  EXPECT_EQ(image.pixelColor(200, 150).rgb(), muted.rgb());
  int sea = 0, water = 0;
  for (int y = 100; y < 200; ++y) {
    const QRgb c = image.pixelColor(395, y).rgb();
    sea += c == noData.rgb();
    for (const char* depth : {"DEPDW", "DEPMD", "DEPMS", "DEPVS", "DEPIT"}) water += c == day.entries[colourIndex(depth)].rgb();
  }
  EXPECT_GT(sea, 50);
  EXPECT_EQ(water, 0);
}
