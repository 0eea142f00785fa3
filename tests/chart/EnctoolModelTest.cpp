// `enctool info --library DIR [--features]` as a process: the model fields of
// each cell's line and one line per feature, on a synthetic cell with the
// generated library.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "CellFixtures.h"
#include "ToolRun.h"

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

struct ToolRun {
  int status = -1;
  std::vector<std::string> lines;  // standard output
};

ToolRun enctool(const std::string& args) {
  const testsupport::ToolRun run = testsupport::runCommand(std::string(ENCTOOL_PATH) + " info " + args);
  return ToolRun{run.status, run.lines()};
}

bool has(const std::string& line, const std::string& part) { return line.find(part) != std::string::npos; }

// The only line that holds every part.
std::string lineWith(const ToolRun& run, std::initializer_list<std::string> parts) {
  std::string found;
  int count = 0;
  for (const std::string& line : run.lines) {
    bool all = true;
    for (const std::string& p : parts) all = all && has(line, p);
    if (all) found = line, ++count;
  }
  EXPECT_EQ(count, 1) << *parts.begin();
  return found;
}
}  // namespace

TEST(EnctoolModel, CellLineAndFeatureLinesShowTheModel) {
  if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  fixtures::TempDirectory dir;
  const std::string cell = fixtures::writeCell(fixtures::smallCell("MODEL.000"), dir.path, "model.000");

  const ToolRun run = enctool("--library '" + kLibrary + "' --features '" + cell + "' '" + cell + "'");
  EXPECT_EQ(run.status, 1);  // the second load of the same cell is refused
  ASSERT_GE(run.lines.size(), 1u + 1 + 5 + 1);

  const std::string first = run.lines[1];
  for (const char* part : {"\"load\":0", "\"pointFeatures\":1", "\"soundingFeatures\":0", "\"lineFeatures\":1",
                           "\"areaFeatures\":3", "\"lineVertices\":4", "\"exteriorVertices\":24", "\"soundings\":0",
                           "\"classes\":{\"DEPARE\":2,\"DEPCNT\":1,\"LIGHTS\":1,\"M_NSYS\":1}",
                           "\"extent\":{\"south\":47.0000", "\"west\":-122,", "\"north\":47.1000",
                           "\"east\":-121.9"})
    EXPECT_TRUE(has(first, part)) << part << " in " << first;
  EXPECT_TRUE(has(run.lines.back(), "\"load\":11")) << run.lines.back();

  // Feature lines in draw order: the depth areas (priority 1) shallow before
  // deep, then M_NSYS (priority 4).
  EXPECT_TRUE(has(run.lines[2], "[\"DRVAL1\",\"0\"]")) << run.lines[2];
  EXPECT_TRUE(has(run.lines[3], "[\"DRVAL1\",\"10\"]")) << run.lines[3];
  EXPECT_TRUE(has(run.lines[4], "\"class\":\"M_NSYS\"")) << run.lines[4];
  const std::string depth = lineWith(run, {"\"kind\":\"area\"", "[\"DRVAL1\",\"0\"]"});
  EXPECT_TRUE(has(depth, "\"first\":{\"category\":0,\"instructions\":\"") && has(depth, "CS(DEPARE")) << depth;
  const std::string light = lineWith(run, {"\"kind\":\"point\"", "\"class\":\"LIGHTS\""});
  EXPECT_TRUE(has(light, "CS(LIGHTS")) << light;
  EXPECT_TRUE(has(light, "\"foid\":\"0226000000050001\"")) << light;  // AGEN 550, FIDN 5, FIDS 1
  EXPECT_TRUE(has(light, "\"vertices\":1")) << light;
  const std::string contour = lineWith(run, {"\"kind\":\"line\"", "\"class\":\"DEPCNT\""});
  EXPECT_TRUE(has(contour, "\"vertices\":4")) << contour;

  EXPECT_EQ(enctool("--features '" + cell + "'").status, 2);  // --features needs --library
}

TEST(EnctoolModel, ADamagedLibraryIsNamedAndNoCellLoads) {
  if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  fixtures::TempDirectory dir;
  const std::filesystem::path library = std::filesystem::path(dir.path) / "S57Lib";
  std::filesystem::copy(kLibrary, library);
  std::FILE* emptied = std::fopen((library / "S57Colours").c_str(), "w");
  ASSERT_NE(emptied, nullptr);
  std::fclose(emptied);
  const std::string cell = fixtures::writeCell(fixtures::smallCell("NOLIB.000"), dir.path, "nolib.000");

  const ToolRun run = enctool("--library '" + library.string() + "' '" + cell + "'");
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_TRUE(has(run.lines[0], "\"result\":40,\"message\":\"S57Colours: nothing could be read")) << run.lines[0];
  EXPECT_TRUE(has(run.lines[1], "\"load\":1")) << run.lines[1];
}
