// The project's own drawings of names the XML lacks (tools/mklib/
// SupplementaryDrawings.xml), as the features whose look-ups name them
// draw them: `enctool info --portrayal` reports the drawing itself, no
// stand-in, and `enctool render` puts pixels where the feature is. The
// pictures of all of them in both colour extremes and symbol styles are
// kept in build/test-artifacts/ for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "CellFixtures.h"
#include "ToolRun.h"

using namespace s57write;
using testsupport::runCommand;
using testsupport::shellQuote;

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

enum : int {
  kBCNSPP = 9, kBOYLAT = 17, kDAYMAR = 39, kOBSTRN = 86, kRESARE = 112, kNEWOBJ = 163, kARCSLN = 161,
  kCSYMB = 502, kBOYWTW = 17061,
};
enum : int {
  kBOYSHP = 4, kCATREA = 56, kCOLOUR = 75, kCOLPAT = 76, kSCODE = 155, kTOPSHP = 171, kWATLEV = 187,
  kCATWWM = 17112,
};

struct Case {
  const char* drawing;  // as drawn: "SY(FLTHAZ02" or "LC(ARCSLN01"
  int objl;
  int prim;             // 1 point, 2 line, 3 area
  std::vector<Attribute> attributes;
  const char* styles;   // "s" simplified, "p" paper chart: where the look-up names it
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"SY(FLTHAZ02", kOBSTRN, 1, {{kWATLEV, "7"}}, "sp"},
      {"SY(FLTHAZ02", kOBSTRN, 3, {{kWATLEV, "7"}}, "sp"},
      {"SY(DANGER53", kCSYMB, 1, {{kSCODE, "DANGER03"}}, "sp"},
      {"SY(PSSARE01", kRESARE, 3, {{kCATREA, "28"}}, "sp"},
      {"SY(ESSARE01", kRESARE, 3, {{kCATREA, "27"}}, "sp"},
      {"SY(NEWOBJ01", kNEWOBJ, 1, {}, "sp"},
      {"SY(NEWOBJ01", kNEWOBJ, 3, {}, "sp"},
      {"LC(NEWOBJ01", kNEWOBJ, 2, {}, "sp"},
      {"LC(ARCSLN01", kARCSLN, 3, {}, "sp"},
      {"SY(TOPSHP33", kDAYMAR, 1, {{kTOPSHP, "19"}, {kCOLPAT, "6"}, {kCOLOUR, "4,3,4"}}, "p"},
      {"SY(BOYSPH79", kBOYLAT, 1, {{kBOYSHP, "1"}, {kCOLOUR, "3,4"}, {kCOLPAT, "1"}}, "p"},
      {"SY(BCNCON81", kBCNSPP, 1, {{kBOYSHP, "1"}, {kCOLPAT, "1,2"}, {kCOLOUR, "5,3,1,5"}}, "p"},
      {"SY(BOYLAT52", kBOYWTW, 1, {{kCATWWM, "7"}, {kCOLOUR, "3,4,3"}}, "s"},
      {"SY(BOYLAT53", kBOYWTW, 1, {{kCATWWM, "8"}, {kCOLOUR, "4,3,4"}}, "s"},
      {"SY(BOYLAT54", kBOYWTW, 1, {{kCATWWM, "6"}, {kCOLOUR, "3,4"}}, "sp"},
      {"SY(BOYLAT55", kBOYWTW, 1, {{kCATWWM, "7"}, {kCOLOUR, "1,3"}}, "sp"},
      {"SY(BOYLAT56", kBOYWTW, 1, {{kCATWWM, "8"}, {kCOLOUR, "1,4"}}, "sp"},
      {"SY(BOYSPP50", kBOYWTW, 1, {{kCOLOUR, "6"}}, "s"},
  };
  return all;
}

int add(fixtures::GridCell& cell, const Case& c) {
  return c.prim == 1 ? cell.addPoint(c.objl, c.attributes)
         : c.prim == 2 ? cell.addLine(c.objl, c.attributes)
                       : cell.addArea(c.objl, c.attributes);
}

std::string field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":\"";
  const std::size_t at = line.find(key);
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size();
  return line.substr(start, line.find('"', start) - start);
}

std::string enctool(const std::string& args) { return std::string(ENCTOOL_PATH) + " " + args; }

QImage render(const std::string& cell, const std::string& args, const std::string& out) {
  const testsupport::ToolRun run =
      runCommand(enctool("render --library " + shellQuote(kLibrary) + " " + shellQuote(cell) + " " + args +
                         " --no-boundaries --category 2 --out " + shellQuote(out)));
  EXPECT_EQ(run.status, 0) << args;
  return QImage(QString::fromStdString(out));
}

int differingPixels(const QImage& a, const QImage& b, const QRect& box) {
  int n = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  return n;
}

class AuthoredDrawings : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  }
  fixtures::TempDirectory directory;
};
}  // namespace

// Each feature alone in a cell: what its pass draws in each style its
// look-up names the drawing in, and pixels near it that the empty cell
// does not have.
TEST_F(AuthoredDrawings, EachIsDrawnWhereItsLookupNamesIt) {
  // Squares of 0.002 degrees: an area's outline is well inside the picture.
  fixtures::GridCell empty("EMPTY001", 1, 0.002);  // its extent alone, over the same square
  const std::string emptyPath = empty.write(directory.path);
  int n = 0;
  for (const Case& c : cases()) {
    fixtures::GridCell cell("DRAWN" + std::to_string(100 + ++n), 1, 0.002);
    const int square = add(cell, c);
    const std::string path = cell.write(directory.path);
    const auto [lat, lon] = cell.middle(square);
    const std::string view = "--centre " + std::to_string(lat) + "," + std::to_string(lon) + " --scale 12000 --size 200x200";
    for (const char style : std::string(c.styles)) {
      const std::string option = style == 'p' ? "--paper" : "";
      SCOPED_TRACE(std::string(c.drawing) + (style == 'p' ? " with paper chart symbols" : " with simplified symbols"));
      const testsupport::ToolRun info = runCommand(enctool("info --library " + shellQuote(kLibrary) +
                                                           " --features --portrayal --category 2 " + option + " " +
                                                           shellQuote(path)));
      ASSERT_EQ(info.status, 0);
      std::string drawn = "(no feature line)";
      for (const std::string& line : info.lines())
        if (line.rfind("{\"cell\":", 0) == 0 && field(line, "class") != "M_NSYS") drawn = field(line, "drawn");
      EXPECT_NE(drawn.find(c.drawing), std::string::npos) << drawn;
      EXPECT_EQ(drawn.find("QUESMRK1"), std::string::npos) << drawn;

      const QImage with = render(path, view + " " + option, directory.path + "/with.png");
      const QImage without = render(emptyPath, view + " " + option, directory.path + "/without.png");
      ASSERT_EQ(with.size(), QSize(200, 200));
      ASSERT_EQ(without.size(), QSize(200, 200));
      EXPECT_GE(differingPixels(with, without, QRect(50, 50, 100, 100)), 20);
    }
  }
}

// All of them side by side, day and night, in both symbol styles, for the
// eye; each picture has something of every colour table but is otherwise
// only kept.
TEST_F(AuthoredDrawings, PicturesOfAllAreKept) {
  fixtures::GridCell cell("GALLERY1", 6, 0.004);
  for (const Case& c : cases()) add(cell, c);
  const std::string path = cell.write(directory.path);
  const std::filesystem::path artifacts = std::filesystem::path(CHART_BINARY_DIR) / "test-artifacts";
  std::filesystem::create_directories(artifacts);
  const auto [south, west] = cell.middle(0);
  const auto [north, east] = cell.middle(17);
  const std::string centre = std::to_string((south + north) / 2) + "," + std::to_string((west + east) / 2);
  for (const auto& [scheme, name] : {std::pair{"1", "day"}, {"5", "night"}}) {
    for (const auto& [option, style] : {std::pair{"", "simplified"}, {"--paper", "paper"}}) {
      const std::string out = (artifacts / ("authored-drawings-" + std::string(name) + "-" + style + ".png")).string();
      const QImage picture = render(path, std::string("--centre ") + centre + " --scale 9000 --size 1100x900 --scheme " +
                                              scheme + " " + option, out);
      EXPECT_EQ(picture.size(), QSize(1100, 900)) << out;
    }
  }
}
