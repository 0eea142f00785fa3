// Real cells from hydrographic offices: they read, they agree with an
// independent reader, and no cut or corrupted copy of them crashes the reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>

#include <unistd.h>

#include "RealCells.h"
#include "S57CellReader.h"
#include "S57Writer.h"

namespace {

// How much of the robustness work to do: CHART_ROBUSTNESS_SCALE (default 1)
// multiplies the number of cuts and corruptions.
double robustnessScale() {
  const char* value = std::getenv("CHART_ROBUSTNESS_SCALE");
  const double scale = value ? std::atof(value) : 1.0;
  return scale > 0 ? scale : 1.0;
}

// Offsets of the record boundaries of a cell image (DDR end and every record end).
std::vector<size_t> recordBoundaries(const std::string& image) {
  std::vector<size_t> boundaries;
  size_t offset = 0;
  while (offset + 5 <= image.size()) {
    const int length = std::atoi(image.substr(offset, 5).c_str());
    if (length <= 0) break;
    offset += static_cast<size_t>(length);
    boundaries.push_back(offset);
  }
  return boundaries;
}

}  // namespace

TEST(RealCells, EveryCellReadsAndMatchesOgrinfoFeatureCount) {
  const std::vector<std::string> cells = realCellPaths();
  if (cells.empty()) GTEST_SKIP() << "no real cells under " << CHART_SHARED_ENC;
  const bool oracle = ogrinfoAvailable();
  for (const std::string& path : cells) {
    S57CellReader reader;
    ASSERT_EQ(reader.readCell(path), ReaderResult::Ok) << path;
    EXPECT_FALSE(reader.features.empty()) << path;
    EXPECT_FALSE(reader.vectors.empty()) << path;
    EXPECT_EQ(reader.dataSetIdentification.DSNM, std::filesystem::path(path).filename().string())
        << path;
    EXPECT_GT(reader.dataSetParameters.COMF, 0) << path;
    EXPECT_GT(reader.dataSetParameters.CSCL, 0) << path;
    EXPECT_TRUE(reader.fieldDescriptions.count("FRID")) << path;
    // Every feature's spatial pointers resolve, except where the test cells
    // are built to lack them; at least most must.
    size_t pointers = 0, resolved = 0;
    for (const auto& f : reader.features)
      for (const FSPT& p : f->spatialPointers) {
        ++pointers;
        resolved += reader.findVector(p.NAME) != nullptr;
      }
    EXPECT_GE(resolved * 10, pointers * 9) << path;
    if (oracle) {
      EXPECT_EQ(static_cast<long>(reader.features.size()), ogrinfoFeatureCount(path)) << path;
    }
  }
  if (!oracle) GTEST_SKIP() << "ogrinfo not installed: feature counts not compared";
}

TEST(RealCells, CutAndCorruptedCopiesNeverCrash) {
  const std::vector<std::string> cells = realCellPaths();
  if (cells.empty()) GTEST_SKIP() << "no real cells under " << CHART_SHARED_ENC;
  const double scale = robustnessScale();
  std::mt19937 random(20240611);
  for (const std::string& path : cells) {
    const std::string image = readWholeFile(path);
    ASSERT_FALSE(image.empty()) << path;
    // Work per cell is kept near 10 MB of reading for the cuts and 30 MB for
    // the corruptions: small cells get thousands of tries, big cells fewer.
    const double cutBudget = 10e6 * scale, corruptionBudget = 30e6 * scale;

    std::vector<size_t> cuts;
    for (size_t n = 0; n <= 64 && n <= image.size(); ++n) cuts.push_back(n);
    const std::vector<size_t> boundaries = recordBoundaries(image);
    const size_t boundaryTries = std::min<size_t>(boundaries.size(), 40);
    for (size_t i = 0; i < boundaryTries; ++i) {
      const size_t b = boundaries[i * boundaries.size() / boundaryTries];
      for (const size_t n : {b - 1, b, b + 1, b + 24, b + 30})
        if (n <= image.size()) cuts.push_back(n);
    }
    const size_t spread = static_cast<size_t>(std::clamp(cutBudget / (image.size() / 2.0), 10.0, 200.0));
    for (size_t i = 1; i <= spread; ++i) cuts.push_back(image.size() * i / (spread + 1));

    for (const size_t n : cuts) {
      S57CellReader reader;
      const ReaderResult code = reader.readCellBytes(std::string_view(image).substr(0, n));
      EXPECT_TRUE(reader.fileBytes.empty());
      if (n == image.size()) {
        EXPECT_EQ(code, ReaderResult::Ok);
      }
    }

    const size_t corruptions =
        static_cast<size_t>(std::clamp(corruptionBudget / static_cast<double>(image.size()), 20.0, 3000.0));
    std::uniform_int_distribution<size_t> where(0, image.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string copy = image;
    for (size_t i = 0; i < corruptions; ++i) {
      const size_t at = where(random);
      copy[at] = static_cast<char>(byte(random));
      S57CellReader reader;
      reader.readCellBytes(copy);
      copy[at] = image[at];
    }
    std::printf("%s: %zu cuts, %zu corruptions\n", path.c_str(), cuts.size(), corruptions);
  }
}

// The independent reader accepts the test writer's cells, so fixtures built
// with it are S-57 as other readers understand it.
TEST(RealCells, OgrinfoReadsTheTestWritersCells) {
  if (!ogrinfoAvailable()) GTEST_SKIP() << "ogrinfo not installed";
  s57write::S57Writer writer;
  writer.addDataSet().addIsolatedNode(1, {475000000, -1223000000});
  writer.addSoundingNode(2, {{475000100, -1223000100, 55}});
  writer.addConnectedNode(3, {0, 0}).addConnectedNode(4, {100, 100}).addEdge(5, 3, 4, {{50, 50}});
  s57write::Feature buoy;
  buoy.objl = 17;
  buoy.attributes = {{116, "No 1"}};
  buoy.nationalAttributes = {{301, u"\u6e2f\u53e3"}};
  buoy.spatialPointers = {{s57write::kIsolatedNode, 1}};
  s57write::Feature sounding;
  sounding.rcid = 2;
  sounding.objl = 129;
  sounding.spatialPointers = {{s57write::kIsolatedNode, 2}};
  s57write::Feature contour;
  contour.rcid = 3;
  contour.prim = 2;
  contour.objl = 43;
  contour.spatialPointers = {{s57write::kEdge, 5, 1}};
  writer.addFeature(buoy).addFeature(sounding).addFeature(contour);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("chartdata_oracle_" + std::to_string(::getpid()) + ".000"))
                               .string();
  ASSERT_TRUE(writer.writeFile(path));
  S57CellReader reader;
  EXPECT_EQ(reader.readCell(path), ReaderResult::Ok);
  EXPECT_EQ(reader.features.size(), 3u);
  EXPECT_EQ(ogrinfoFeatureCount(path), 3);
  std::remove(path.c_str());
}
