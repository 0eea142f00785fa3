// Real cells against an independent reader: for every cell under
// CHART_SHARED_ENC the features built per class (plus the records that have
// no geometry to build) equal GDAL's per-layer feature counts (ogrinfo).
// Needs the generated library in S57Lib for the class acronyms.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "CellBuilder.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "S57CellReader.h"
#include "ToolRun.h"

namespace fs = std::filesystem;

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

std::vector<fs::path> cellFiles() {
  std::vector<fs::path> files;
  if (!fs::is_directory(CHART_SHARED_ENC)) return files;
  for (const auto& e : fs::recursive_directory_iterator(CHART_SHARED_ENC))
    if (e.is_regular_file() && e.path().extension() == ".000") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool haveOgrinfo() { return testsupport::onPath("ogrinfo"); }

// Layer name -> feature count from ogrinfo's summary of one cell.
std::map<std::string, long> ogrCounts(const fs::path& cell) {
  const std::string command = "ogrinfo -ro -al -so -oo UPDATES=IGNORE " + testsupport::shellQuote(cell.string());
  std::map<std::string, long> counts;
  std::string layer;
  for (const std::string& text : testsupport::runCommand(command).lines()) {
    if (text.rfind("Layer name: ", 0) == 0) layer = text.substr(12);
    else if (text.rfind("Feature Count: ", 0) == 0 && !layer.empty()) counts[layer] = std::atol(text.c_str() + 15);
  }
  return counts;
}

class RealCellModel : public testing::Test {
protected:
  void SetUp() override {
    if (cellFiles().empty()) GTEST_SKIP() << "no cells under " << CHART_SHARED_ENC;
    if (!fs::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
    engine = std::make_unique<ChartEngine>(kLibrary);
    ASSERT_EQ(engine->libraryResult(), LibraryResult::Ok);
  }
  std::string acronym(int code) const {
    const auto& classes = engine->library().objectClassCatalogue;
    const auto it = classes.find(code);
    return it == classes.end() ? "OBJL " + std::to_string(code) : it->second.acronym;
  }

  std::unique_ptr<ChartEngine> engine;
};
}  // namespace

TEST_F(RealCellModel, FeatureCountsPerClassMatchOgrinfo) {
  if (!haveOgrinfo()) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
  for (const fs::path& file : cellFiles()) {
    SCOPED_TRACE(file.filename().string());
    S57CellReader reader;
    ASSERT_EQ(reader.readCell(file.string()), ReaderResult::Ok);
    ASSERT_NE(reader.dataSetParameters.COMF, 0);
    const auto cell = buildCell(reader, engine->library());
    ASSERT_TRUE(cell) << "assembled geometry past its bound";

    std::map<std::string, long> ours;
    auto count = [&](const auto& list) {
      for (const auto& f : list) ++ours[acronym(f->objectClass)];
    };
    count(cell->points);
    count(cell->soundings);  // sounding features, compared as feature records
    count(cell->lines);
    count(cell->areas);

    // GDAL counts every feature record; records without geometry (PRIM 255,
    // collections) build nothing here. Count them per class and list them.
    std::map<std::string, long> notBuilt;
    for (const auto& record : reader.features)
      if (record->PRIM != 1 && record->PRIM != 2 && record->PRIM != 3) ++notBuilt[acronym(record->OBJL)];
    std::string listed;
    for (const auto& [cls, n] : notBuilt) {
      ours[cls] += n;
      listed += " " + cls + " " + std::to_string(n);
    }
    if (!listed.empty()) std::printf("%s: records without geometry:%s\n", file.filename().c_str(), listed.c_str());

    std::map<std::string, long> theirs = ogrCounts(file);
    ASSERT_FALSE(theirs.empty()) << "ogrinfo gave no layers";
    theirs.erase("DSID");
    EXPECT_EQ(ours, theirs);
  }
}

TEST_F(RealCellModel, LoadingADirectoryTwiceAddsNothingTheSecondTime) {
  const CellList& list = engine->cells();
  ChartView view;
  std::vector<CellLoadResult> first;
  for (const fs::path& file : cellFiles()) first.push_back(engine->loadCell(file.string(), &view));
  const size_t loaded = list.size();
  // A cell listed despite its code (an S-58 cell whose records disagree
  // with its DSSI) is in the list too.
  const auto listed = [](const CellLoadResult& code) { return code.listed(); };
  EXPECT_EQ(loaded, static_cast<size_t>(std::count_if(first.begin(), first.end(), listed)));
  EXPECT_GT(loaded, 0u);
  const ChartView after = view;
  size_t i = 0;
  for (const fs::path& file : cellFiles()) {
    const CellLoadResult code = engine->loadCell(file.string(), &view);
    EXPECT_EQ(code, listed(first[i]) ? CellLoadResult(ReaderResult::DuplicateCell) : first[i]) << file;
    ++i;
  }
  EXPECT_EQ(list.size(), loaded);
  EXPECT_EQ(view.centre.x, after.centre.x);
  EXPECT_EQ(view.scale, after.scale);
}

// Of the real cells only the S-58 cell built across the 180th meridian
// (177E to 177W) is taken as crossing it, and it comes out in one piece:
// every area 6 degrees wide about 180, its extent reading 177E to 177W.
TEST_F(RealCellModel, OnlyTheCellAcross180IsJoinedAcrossIt) {
  bool seen = false;
  for (const fs::path& file : cellFiles()) {
    SCOPED_TRACE(file.filename().string());
    S57CellReader reader;
    ASSERT_EQ(reader.readCell(file.string()), ReaderResult::Ok);
    const auto cell = buildCell(reader, engine->library());
    ASSERT_TRUE(cell);
    const bool spanning = file.filename() == "AA3MSPAN.000";
    seen = seen || spanning;
    EXPECT_EQ(cell->crossesAntimeridian, spanning);
    if (!spanning) continue;
    ASSERT_EQ(cell->areas.size(), 4u);
    for (const auto& area : cell->areas) {
      ASSERT_TRUE(area->hasBounds);
      EXPECT_NEAR(area->bounds.minX, geoToChart({0, 177}).x, 1e-3);
      EXPECT_NEAR(area->bounds.maxX, geoToChart({0, 183}).x, 1e-3);
    }
    EXPECT_NEAR(chartToGeo({cell->boundingBox.minX, 0}).longitude, 177, 1e-9);
    EXPECT_NEAR(chartToGeo({cell->boundingBox.maxX, 0}).longitude, -177, 1e-9);
  }
  if (!seen) GTEST_SKIP() << "AA3MSPAN.000 is not among the shared cells";
}
