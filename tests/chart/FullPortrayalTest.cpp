// The real cell US5WA22M drawn with every feature kind: enctool render with
// soundings and depth contours in both symbol styles and both text
// languages, and the library symbols its lights, buoys, wrecks and
// obstructions ask for.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "CellFixtures.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "FeaturePortrayal.h"
#include "LineProcedures.h"
#include "PresentationLibrary.h"
#include "RealData.h"
#include "ToolRun.h"

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";

#define SKIP_WITHOUT_REAL_DATA() SKIP_UNLESS_PRESENT(kLibrary, kCell)

// Runs enctool render; the exit status and standard output.
std::pair<int, std::string> render(const std::string& args) {
  const testsupport::ToolRun run =
      testsupport::runCommand(std::string(ENCTOOL_PATH) + " render " + args, testsupport::Stderr::Merge);
  return {run.status, run.out};
}

// Classes whose symbols the check below follows.
const std::map<int, const char*> kCheckedClasses = {
    {75, "LIGHTS"}, {14, "BOYCAR"}, {15, "BOYINB"}, {16, "BOYISD"}, {17, "BOYLAT"},
    {18, "BOYSAW"}, {19, "BOYSPP"}, {159, "WRECKS"}, {86, "OBSTRN"}, {153, "UWTROC"},
};
}  // namespace

// The cell draws, with soundings and depth contours, at its compilation
// scale and a closer one, in each symbol style and text language; the
// styles give different pictures.
TEST(FullPortrayal, RealCellDrawsInEveryStyleAndLanguage) {
  SKIP_WITHOUT_REAL_DATA();
  fixtures::TempDirectory dir;
  for (const char* scale : {"15000", "5000"}) {
    std::map<std::string, QImage> pictures;
    for (const char* style : {"", "--paper"}) {
      for (const char* language : {"", "--english"}) {
        const std::string out = dir.path + "/full.png";
        std::filesystem::remove(out);
        const std::string args = "--library '" + kLibrary + "' '" + kCell + "' --soundings --depth-contours --scale " +
                                 scale + " --centre 47.27,-122.42 " + style + " " + language + " --out '" + out + "'";
        const auto [status, output] = render(args);
        EXPECT_EQ(status, 0) << args << "\n" << output;
        EXPECT_NE(output.find("\"cells_loaded\":1,\"cells_drawn\":1,"), std::string::npos) << output;
        pictures[std::string(style) + language] = QImage(QString::fromStdString(out));
        EXPECT_EQ(pictures[std::string(style) + language].size(), QSize(862, 686)) << args;
      }
    }
    EXPECT_NE(pictures[""], pictures["--paper"]) << "scale " << scale;
  }
}

// Every symbol the lights, buoys, wrecks, obstructions and rocks of the cell
// can ask for (their look-ups and procedure output in both symbol styles
// and all contour sets) is in the library. Prints the features whose
// symbols are missing; those not in the known list fail.
TEST(FullPortrayal, PointSymbolsAreInTheLibrary) {
  SKIP_WITHOUT_REAL_DATA();
  ChartEngine engine(kLibrary, MissingFileReport::Silent);
  ASSERT_EQ(engine.libraryResult(), LibraryResult::Ok);
  ChartView view;
  ASSERT_EQ(engine.loadCell(kCell, &view), ReaderResult::Ok);
  S57Cell& cell = *engine.cells().snapshot()->front();

  std::map<std::string, std::set<std::string>> missingByFeature;  // "CLASS n" -> symbols
  std::map<std::string, int> checked;                              // class -> features
  const auto& symbols = engine.library().symbols;
  for (auto& point : cell.points) {
    const auto cls = kCheckedClasses.find(point->objectClass);
    if (cls == kCheckedClasses.end()) continue;
    const std::string key = std::string(cls->second) + " #" + std::to_string(++checked[cls->second]) + " " +
                            point->findAttribute("OBJNAM");
    for (bool paper : {false, true}) {
      for (int contours : {5, 10, 20}) {
        DisplaySettings settings(engine.library());
        settings.setSymbolStyle(paper ? 1 : 2);
        settings.setContourSet(contours);
        for (const LookupResult* r : {&point->firstLookup, &point->secondLookup})
          for (const Instruction& i : r->instructions)
            if (const Symbol* s = i.find<Symbol>(); s && !symbols.count(s->name)) missingByFeature[key].insert(s->name);
        if (const auto result = procedureResult(*point, cell, settings))
          for (const Instruction& i : result->instructions)
            if (const Symbol* s = i.find<Symbol>(); s && !symbols.count(s->name)) missingByFeature[key].insert(s->name);
      }
    }
  }

  // Symbols the library is known to lack: none the cell's points name (the
  // floating hazard FLTHAZ02 of its two floating obstructions is a
  // supplementary drawing); a missing one would be drawn with the question
  // mark QUESMRK1 (StandInPortrayalTest).
  const std::set<std::string> known;
  std::printf("point features checked:");
  for (const auto& [name, count] : checked) std::printf(" %s %d", name.c_str(), count);
  std::printf("\nfeatures with symbols missing from the library: %zu\n", missingByFeature.size());
  std::set<std::string> unexpected;
  for (const auto& [feature, names] : missingByFeature) {
    std::printf("  %s:", feature.c_str());
    for (const std::string& n : names) {
      std::printf(" %s", n.c_str());
      if (!known.count(n)) unexpected.insert(n);
    }
    std::printf("\n");
  }
  std::string list;
  for (const std::string& n : unexpected) list += " " + n;
  EXPECT_TRUE(unexpected.empty()) << "symbols missing from the library, not in the known list:" << list;
  EXPECT_GT(checked["LIGHTS"], 0);
  EXPECT_GT(checked["WRECKS"], 0);
}
