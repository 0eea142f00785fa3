// Every feature draws something, as `enctool info --portrayal` and `enctool
// query` show it: S-52's default for objects no look-up draws (a class the
// catalogue lacks, a BRIDGE point), shoreline construction areas, the
// symbol instructions of new objects, and Display Base as the viewing
// groups define it; on written cells and on the IHO's test data (S-64),
// which are skipped when absent.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "CellFixtures.h"
#include "ToolRun.h"

using namespace s57write;
using testsupport::runCommand;
using testsupport::shellQuote;

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kS64 = CHART_SHARED_ENC "/../iho/s64";

enum : int { kBRIDGE = 11, kNEWOBJ = 163, kSLCONS = 122, kUNKNOWN = 999 };
enum : int { kCATSLC = 60, kOBJNAM = 116, kSYMINS = 192 };

// The value of a string field of a JSON line ("" when absent); the values
// read here hold no escaped quotes.
std::string field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":\"";
  const std::size_t at = line.find(key);
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size();
  return line.substr(start, line.find('"', start) - start);
}

// The feature lines of `enctool info --library S57Lib --features --portrayal ARGS CELL`.
std::vector<std::string> featureLines(const std::string& cell, const std::string& args) {
  const testsupport::ToolRun run = runCommand(std::string(ENCTOOL_PATH) + " info --library " + shellQuote(kLibrary) +
                                              " --features --portrayal " + args + " " + shellQuote(cell));
  EXPECT_EQ(run.status, 0) << cell << " " << args;
  std::vector<std::string> out;
  for (const std::string& line : run.lines())
    if (line.rfind("{\"cell\":", 0) == 0) out.push_back(line);
  return out;
}

// The class and kind of a feature line: "SLCONS:area"; a class the
// catalogue lacks by its code, "999:point".
std::string classAndKind(const std::string& line) { return field(line, "class") + ":" + field(line, "kind"); }

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class UnportrayedObjects : public testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
  }
  fixtures::TempDirectory directory;
};

// An S-64 cell, or a skip naming it.
#define S64_CELL(variable, relative)                                                   \
  const std::string variable = kS64 + "/" + relative;                                  \
  if (!std::filesystem::exists(variable)) GTEST_SKIP() << "no IHO test cell " << variable
}  // namespace

// Each feature alone in its square, in Display Base and in both symbol styles.
TEST_F(UnportrayedObjects, EveryFeatureOfAWrittenCellDrawsSomething) {
  fixtures::GridCell cell("UNPORTR1");
  cell.addArea(kSLCONS, {{kCATSLC, "6"}, {kOBJNAM, "quay"}});
  cell.addArea(kSLCONS, {{kOBJNAM, "mole"}});
  cell.addPoint(kBRIDGE, {{kOBJNAM, "bridge point"}});
  cell.addPoint(kUNKNOWN, {{kOBJNAM, "unknown point"}});
  cell.addLine(kUNKNOWN, {{kOBJNAM, "unknown line"}});
  cell.addArea(kUNKNOWN, {{kOBJNAM, "unknown area"}});
  const std::string path = cell.write(directory.path);
  const std::map<std::string, std::string> expected = {
      {"quay", "LS(SOLD,4,CSTLN)"},
      {"mole", "LS(SOLD,2,CSTLN)"},
      {"bridge point", "SY(QUESMRK1)"},
      {"unknown point", "SY(QUESMRK1)"},
      {"unknown line", "LC(QUESMRK1)"},
      {"unknown area", "AP(QUESMRK1);LS(DASH,1,CHMGD)"},
  };
  for (const char* style : {"", "--paper"}) {
    SCOPED_TRACE(*style ? "paper chart symbols" : "simplified symbols");
    std::map<std::string, std::string> drawn;
    for (const std::string& line : featureLines(path, std::string("--category 0 ") + style)) {
      const std::size_t name = line.find("[\"OBJNAM\",\"");
      if (name != std::string::npos) drawn[line.substr(name + 11, line.find('"', name + 11) - name - 11)] = field(line, "drawn");
    }
    EXPECT_EQ(drawn, expected);
  }
}

// A NEWOBJ draws what its SYMINS says, with quoted texts of its own; without
// SYMINS the new object symbol. They are Standard display.
TEST_F(UnportrayedObjects, NewObjectsDrawTheirSymbolInstructions) {
  fixtures::GridCell cell("NEWOBJS1");
  cell.addPoint(kNEWOBJ, {{kOBJNAM, "WP1"}, {kSYMINS, "SY(BRTHNO01);TE('%s','OBJNAM',2,1,2,'15110',4,-1,CHMGD,29)"}});
  cell.addPoint(kNEWOBJ, {{kOBJNAM, "note"}, {kSYMINS, "TX('Separate objects',3,2,2,'14109',0,0,CHBLK,11)"}});
  cell.addLine(kNEWOBJ, {{kOBJNAM, "track"}, {kSYMINS, "LS(SOLD,1,CHGRD)"}});
  cell.addPoint(kNEWOBJ, {{kOBJNAM, "plain"}});
  cell.addLine(kNEWOBJ, {{kOBJNAM, "plain line"}});
  const std::string path = cell.write(directory.path);
  const std::map<std::string, std::string> expected = {
      {"WP1", "SY(BRTHNO01);TE('%s','WP1',2,1,2,4,-1)"},
      {"note", "TX(Separate objects,3,2,2,0,0)"},
      {"track", "LS(SOLD,1,CHGRD)"},
      {"plain", "SY(NEWOBJ01)"},
      {"plain line", "LC(NEWOBJ01)"},
  };
  for (const char* style : {"", "--paper"}) {
    SCOPED_TRACE(*style ? "paper chart symbols" : "simplified symbols");
    std::map<std::string, std::string> drawn, base;
    for (const std::string& line : featureLines(path, std::string("--category 1 --scale 2000 ") + style)) {
      const std::size_t name = line.find("[\"OBJNAM\",\"");
      if (name != std::string::npos) drawn[line.substr(name + 11, line.find('"', name + 11) - name - 11)] = field(line, "drawn");
    }
    EXPECT_EQ(drawn, expected);
    for (const std::string& line : featureLines(path, std::string("--category 0 --scale 2000 ") + style))
      if (has(line, "\"NEWOBJ\"")) {
        EXPECT_EQ(field(line, "drawn"), "") << line;
      }
  }
}

// The unknown object is picked where it stands and described by its code,
// with its attributes.
TEST_F(UnportrayedObjects, AnUnknownObjectIsPickedAndDescribed) {
  fixtures::GridCell cell("UNKNOWN1");
  const int square = cell.addPoint(kUNKNOWN, {{kOBJNAM, "mystery"}});
  const std::string path = cell.write(directory.path);
  const auto [lat, lon] = cell.middle(square);
  const testsupport::ToolRun run =
      runCommand(std::string(ENCTOOL_PATH) + " query --library " + shellQuote(kLibrary) + " --category 0 --at " +
                 std::to_string(lat) + "," + std::to_string(lon) + " " + shellQuote(path));
  ASSERT_EQ(run.status, 0);
  const std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 1u) << run.out;
  EXPECT_EQ(field(lines[0], "title"), "unknown object (OBJL 999)");
  EXPECT_EQ(field(lines[0], "kind"), "point");
  EXPECT_TRUE(has(lines[0], "{\"acronym\":\"OBJNAM\",\"name\":\"Object name\",\"value\":\"mystery\"")) << lines[0];
}

// What S-52 puts in Display Base (viewing groups 1xxxx) is there in the
// IHO's Display Base test cell, in both symbol styles: the dredged channel
// and unsurveyed area, and the hulks, mooring facilities, piles, platforms
// and pylons given as points.
TEST_F(UnportrayedObjects, DisplayBaseHoldsTheObjectsOfItsViewingGroups) {
  S64_CELL(cell, "3.1 ENC Display/Base/ENC_ROOT/AA5DBASE.000");
  for (const char* style : {"", "--paper"}) {
    SCOPED_TRACE(*style ? "paper chart symbols" : "simplified symbols");
    std::map<std::string, int> drawn, total;
    for (const std::string& line : featureLines(cell, std::string("--category 0 ") + style)) {
      ++total[classAndKind(line)];
      if (!field(line, "drawn").empty()) ++drawn[classAndKind(line)];
    }
    for (const char* wanted : {"DRGARE:area", "UNSARE:area", "HULKES:point", "MORFAC:point", "PILPNT:point",
                               "OFSPLF:point", "PYLONS:point", "SLCONS:area", "SLCONS:point", "BRIDGE:point"}) {
      EXPECT_GT(total[wanted], 0) << wanted;
      EXPECT_EQ(drawn[wanted], total[wanted]) << wanted;
    }
    // Everything but the coverage and the rivers (Standard and Other display).
    for (const auto& [kind, count] : total)
      if (kind != "M_COVR:area" && kind.rfind("RIVERS:", 0) != 0) {
        EXPECT_EQ(drawn[kind], count) << kind;
      }
  }
}

// Objects of classes the catalogue does not know show S-52's default in
// Display Base: OBJL 999 in the invalid object test, OBJL 255 points, lines
// and areas in the display priority test; the first is picked as such.
TEST_F(UnportrayedObjects, UnknownObjectsOfTheTestDataShowTheQuestionMark) {
  S64_CELL(invalid, "3.2 Invalid Object/Invalid Base/ENC_ROOT/GB5X01NE.000");
  S64_CELL(priorities, "3.6 Display Priorities/ENC_ROOT/2J5X0001.000");
  std::map<std::string, std::set<std::string>> drawn;
  for (const std::string* cell : {&invalid, &priorities})
    for (const std::string& line : featureLines(*cell, "--category 0"))
      if (field(line, "class").find_first_not_of("0123456789") == std::string::npos)  // a class by its code
        drawn[classAndKind(line)].insert(field(line, "drawn"));
  const std::map<std::string, std::set<std::string>> expected = {
      {"999:point", {"SY(QUESMRK1)"}},
      {"255:point", {"SY(QUESMRK1)"}},
      {"255:line", {"LC(QUESMRK1)"}},
      {"255:area", {"AP(QUESMRK1);LS(DASH,1,CHMGD)"}},
  };
  EXPECT_EQ(drawn, expected);

  const testsupport::ToolRun run = runCommand(std::string(ENCTOOL_PATH) + " query --library " + shellQuote(kLibrary) +
                                              " --category 0 --at -32.51536852,60.97865232 " + shellQuote(invalid));
  ASSERT_EQ(run.status, 0);
  ASSERT_FALSE(run.lines().empty());
  EXPECT_EQ(field(run.lines()[0], "title"), "unknown object (OBJL 999)");
}

// The shoreline construction areas of the power-up cell draw their boundary.
TEST_F(UnportrayedObjects, ShorelineConstructionAreasOfTheTestDataDraw) {
  S64_CELL(cell, "2.1.1 Power Up/ENC_ROOT/GB5X01SW.000");
  int areas = 0;
  for (const std::string& line : featureLines(cell, "--category 2")) {
    if (classAndKind(line) != "SLCONS:area") continue;
    ++areas;
    EXPECT_TRUE(has(field(line, "drawn"), "CSTLN")) << line;
  }
  EXPECT_EQ(areas, 19);
}

// The new objects of the display priority test and the waypoints of the
// hazards route all draw their SYMINS at a scale where their texts do not
// crowd each other out.
TEST_F(UnportrayedObjects, NewObjectsOfTheTestDataDrawTheirSymbolInstructions) {
  S64_CELL(priorities, "3.6 Display Priorities/ENC_ROOT/2J5X0001.000");
  S64_CELL(hazards, "5.0 Navigational Hazards/ENC_ROOT/AA3NAVHZ.000");
  int objects = 0;
  for (const std::string& line : featureLines(priorities, "--category 2 --scale 1000")) {
    if (!has(line, "\"class\":\"NEWOBJ\"")) continue;
    ++objects;
    EXPECT_FALSE(field(line, "drawn").empty()) << line;
  }
  EXPECT_EQ(objects, 49);

  int waypoints = 0;
  for (const std::string& line : featureLines(hazards, "--category 2 --scale 1000")) {
    if (!has(line, "\"class\":\"NEWOBJ\"") || !has(line, "SY(BRTHNO01)")) continue;
    ++waypoints;
    EXPECT_TRUE(has(field(line, "drawn"), "SY(BRTHNO01)")) << line;
  }
  EXPECT_GE(waypoints, 17);
}
