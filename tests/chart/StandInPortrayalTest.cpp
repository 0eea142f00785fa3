// Features whose look-ups name drawings the generated library lacks, as the
// tools show them: what `enctool info --portrayal` reports they drew, that
// `enctool render` puts pixels where they are, the names still missing in
// the library line, and the real cells, on which every such feature drawn
// shows a stand-in.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>

#include "CellFixtures.h"
#include "S57Vocabulary.h"

using namespace s57write;

namespace {
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kRealCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";

struct ToolRun {
  int status = -1;
  std::vector<std::string> lines;  // standard output
  std::string errors;              // standard error
};

ToolRun enctool(const std::string& args, const std::string& errorFile) {
  ToolRun run;
  FILE* pipe = popen((std::string(ENCTOOL_PATH) + " " + args + " 2>'" + errorFile + "'").c_str(), "r");
  if (!pipe) return run;
  char buffer[1 << 16];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.lines.emplace_back(buffer);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream in(errorFile);
  std::stringstream s;
  s << in.rdbuf();
  run.errors = s.str();
  return run;
}

// The text of a JSON string field, "" when absent (the values here hold no
// escaped quotes).
std::string field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":\"";
  const std::size_t at = line.find(key);
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size();
  return line.substr(start, line.find('"', start) - start);
}
// The instruction texts of a feature line's look-ups.
std::string lookupText(const std::string& line, const char* which) {
  const std::size_t at = line.find(std::string("\"") + which + "\":{");
  return at == std::string::npos ? std::string() : field(line.substr(at), "instructions");
}

// The names in a JSON array of strings.
std::set<std::string> names(const std::string& line, const std::string& key) {
  std::set<std::string> out;
  const std::size_t at = line.find("\"" + key + "\":[");
  if (at == std::string::npos) return out;
  const std::size_t end = line.find(']', at);
  for (std::size_t q = line.find('"', at + key.size() + 3); q < end; q = line.find('"', q + 1)) {
    const std::size_t close = line.find('"', q + 1);
    out.insert(line.substr(q + 1, close - q - 1));
    q = close;
  }
  return out;
}

// The SY, LC and AP names of an instruction text.
std::set<std::string> drawingNames(const std::string& instructions) {
  std::set<std::string> out;
  for (const char* code : {"SY(", "LC(", "AP("})
    for (std::size_t at = instructions.find(code); at != std::string::npos; at = instructions.find(code, at + 1)) {
      const std::size_t end = instructions.find_first_of(",)", at + 3);
      out.insert(instructions.substr(at + 3, end - at - 3));
    }
  return out;
}

Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(latitude * 1e7), static_cast<int32_t>(longitude * 1e7)};
}

// Every look in this file centres on this place.
constexpr double kLatitude = 47.05, kLongitude = -122.05;

enum Attribute : int { kCATOBS = 42, kCATROS = 53, kBOYSHP = 4, kCOLOUR = 75, kCOLPAT = 76, kVALSOU = 179,
                       kWATLEV = 187 };
constexpr int kAIRARE = 2, kBOYLAT = 17, kRDOSTA = 105, kARCSLN = 161;

// A cell of one feature (or none): a point at the centre, or a square area
// 0.002 degrees across centred on it or with its west side through it.
struct CellFeature {
  int objl = 0;
  int prim = 1;  // 1 point, 3 area
  std::vector<s57write::Attribute> attributes;
  bool westSideAtCentre = false;
};

std::string writeOneFeatureCell(const std::string& directory, const std::string& name, const CellFeature* f) {
  S57Writer w;
  DataSet d;
  d.dsnm = name + ".000";
  Parameters p;
  p.cscl = 5000;
  w.addDataSet(d, p);
  // The extent: an M_NSYS square of 0.02 degrees, which draws nothing itself.
  const double half = 0.01;
  const double corners[4][2] = {{-half, -half}, {-half, half}, {half, half}, {half, -half}};
  for (int i = 0; i < 4; ++i) w.addConnectedNode(1 + i, at(kLatitude + corners[i][0], kLongitude + corners[i][1]));
  for (int i = 0; i < 4; ++i) w.addEdge(101 + i, 1 + i, 1 + (i + 1) % 4, {});
  Feature extent;
  extent.rcid = extent.fidn = 1;
  extent.prim = 3;
  extent.objl = s57::M_NSYS;
  for (int i = 0; i < 4; ++i) extent.spatialPointers.push_back({kEdge, 101 + i, 1, 1, 255});
  w.addFeature(extent);
  if (!f) return fixtures::writeCell(w, directory, name + ".000");

  Feature feature;
  feature.rcid = feature.fidn = 2;
  feature.prim = f->prim;
  feature.objl = f->objl;
  feature.attributes = f->attributes;
  if (f->prim == 1) {
    w.addIsolatedNode(21, at(kLatitude, kLongitude));
    feature.spatialPointers = {{kIsolatedNode, 21, 255, 255, 255}};
  } else {
    const double side = 0.002, west = f->westSideAtCentre ? kLongitude : kLongitude - side / 2;
    const double square[4][2] = {{-side / 2, 0}, {-side / 2, side}, {side / 2, side}, {side / 2, 0}};
    for (int i = 0; i < 4; ++i) w.addConnectedNode(11 + i, at(kLatitude + square[i][0], west + square[i][1]));
    for (int i = 0; i < 4; ++i) w.addEdge(111 + i, 11 + i, 11 + (i + 1) % 4, {});
    for (int i = 0; i < 4; ++i) feature.spatialPointers.push_back({kEdge, 111 + i, 1, 1, 255});
  }
  w.addFeature(feature);
  return fixtures::writeCell(w, directory, name + ".000");
}

// A drawing record to take out of a library file: the file, the tag of its
// definition line and the name.
struct Removal {
  const char* file;
  const char* tag;
  const char* name;
};

// A copy of the library without some drawing records: the library lacks no
// drawing its look-ups name but one, so the stand-ins are seen on a copy.
std::string libraryWithout(const std::string& directory, std::initializer_list<Removal> removals) {
  const std::filesystem::path copy = std::filesystem::path(directory) / "S57Lib";
  std::filesystem::copy(kLibrary, copy);
  for (const Removal& r : removals) {
    std::ifstream in(copy / r.file);
    std::string kept, record;
    bool drop = false;
    for (std::string line; std::getline(in, line);) {
      record += line + "\n";
      if (line.rfind(r.tag, 0) == 0 && line.find(r.name) != std::string::npos) drop = true;
      if (line.rfind("****", 0) == 0) {
        if (!drop) kept += record;
        record.clear();
        drop = false;
      }
    }
    kept += record;
    in.close();
    std::ofstream(copy / r.file, std::ios::trunc) << kept;
  }
  return copy.string();
}

// The drawings the stand-in cases need missing.
std::string libraryWithoutStandInDrawings(const std::string& directory) {
  return libraryWithout(directory, {{"S57Patterns", "PATD", "AIRARE02"},
                                    {"S57Symbols", "SYMD", "FLTHAZ02"},
                                    {"S57Symbols", "SYMD", "BOYSPH79"},
                                    {"S57ComplexLineStyles", "LIND", "ARCSLN01"}});
}

// Pixels that differ between two pictures of the same size within `box`.
int differingPixels(const QImage& a, const QImage& b, const QRect& box) {
  int n = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x) n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
  return n;
}

bool libraryPresent() { return std::filesystem::is_directory(kLibrary); }
}  // namespace

// One feature per kind of stand-in, each alone in a written cell: the
// instructions --portrayal reports it drew, and pixels near the centre of
// its picture that the same place without it does not have.
TEST(StandInPortrayal, EachKindOfStandInIsReportedAndDrawn) {
  if (!libraryPresent()) GTEST_SKIP() << "no generated library in " << kLibrary;
  fixtures::TempDirectory dir;
  // The library lacks only DGPS01DRFSTA01 of what the look-ups name: the
  // other drawings are taken out of a copy.
  const std::string library = libraryWithoutStandInDrawings(dir.path);
  struct Case {
    const char* what;
    CellFeature feature;
    const char* style;
    const char* drawn;
  } cases[] = {
      {"the simplified look-up's DGPS01DRFSTA01 from the paper chart look-up",
       {kRDOSTA, 1, {{kCATROS, "10"}}}, "", "SY(RDOSTA02)"},
      {"the paper chart look-up's BOYSPH79 from the simplified look-up (its default buoy)",
       {kBOYLAT, 1, {{kBOYSHP, "1"}, {kCOLOUR, "3,4"}, {kCOLPAT, "1"}}}, "--paper", "SY(BOYDEF03)"},
      {"a floating obstruction's FLTHAZ02 (both look-ups)",
       {s57::OBSTRN, 1, {{kCATOBS, "10"}, {kVALSOU, ""}, {kWATLEV, "7"}}}, "", "SY(QUESMRK1)"},
      {"the same with paper chart symbols",
       {s57::OBSTRN, 1, {{kCATOBS, "10"}, {kVALSOU, ""}, {kWATLEV, "7"}}}, "--paper", "SY(QUESMRK1)"},
      {"an archipelagic sea lane's line style ARCSLN01", {kARCSLN, 3, {}, true}, "", "LC(QUESMRK1)"},
      {"an airport's pattern AIRARE02", {kAIRARE, 3, {}}, "", "LS(SOLD,1,CHMGD);SY(QUESMRK1);LS(SOLD,1,LANDF)"},
  };
  const std::string errors = dir.path + "/errors.txt";
  const std::string view = " --centre " + std::to_string(kLatitude) + "," + std::to_string(kLongitude) +
                           " --scale 5000 --size 200x200 --category 2 --no-boundaries";
  const std::string empty = writeOneFeatureCell(dir.path, "EMPTY", nullptr);
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string cell = writeOneFeatureCell(dir.path, "STAND" + std::to_string(++n), &c.feature);
    const ToolRun info = enctool("info --library '" + library + "' --features --portrayal --category 2 " + c.style +
                                     " '" + cell + "'",
                                 errors);
    ASSERT_EQ(info.status, 0) << info.errors;
    std::string drawn = "(no feature line)";
    for (const std::string& line : info.lines)
      if (line.find("\"foid\":") != std::string::npos && line.find("\"M_NSYS\"") == std::string::npos)
        drawn = field(line, "drawn");
    EXPECT_EQ(drawn, c.drawn);

    QImage pictures[2];
    for (int with = 0; with < 2; ++with) {
      const std::string out = dir.path + "/picture" + std::to_string(with) + ".png";
      const ToolRun render = enctool("render --library '" + library + "' '" + (with ? cell : empty) + "' " + c.style +
                                         view + " --out '" + out + "'",
                                     errors);
      ASSERT_EQ(render.status, 0) << render.errors;
      pictures[with] = QImage(QString::fromStdString(out));
      ASSERT_EQ(pictures[with].size(), QSize(200, 200));
    }
    EXPECT_GE(differingPixels(pictures[0], pictures[1], QRect(80, 80, 40, 40)), 10);
  }
}

// The library line names what is still missing after mklib's repairs and
// the supplementary drawings, and a render logs each missing name once on
// standard error.
TEST(StandInPortrayal, MissingNamesAreListedAndLoggedOnce) {
  if (!libraryPresent()) GTEST_SKIP() << "no generated library in " << kLibrary;
  fixtures::TempDirectory dir;
  const std::string errors = dir.path + "/errors.txt";
  const ToolRun info = enctool("info --library '" + kLibrary + "'", errors);
  ASSERT_EQ(info.status, 0);
  ASSERT_EQ(info.lines.size(), 1u);
  const std::string& line = info.lines[0];
  EXPECT_EQ(names(line, "symbols"), std::set<std::string>{"DGPS01DR"}) << line;  // RDOCAL02 repaired from rdocal02
  EXPECT_NE(line.find("\"lineStyles\":[]"), std::string::npos) << line;
  EXPECT_NE(line.find("\"patterns\":[]"), std::string::npos) << line;

  // A floating obstruction drawn in three passes, by a library without its
  // symbol: one line.
  const std::string library = libraryWithoutStandInDrawings(dir.path);
  const CellFeature obstruction{s57::OBSTRN, 1, {{kCATOBS, "10"}, {kVALSOU, ""}, {kWATLEV, "7"}}};
  const std::string cell = writeOneFeatureCell(dir.path, "LOGGED", &obstruction);
  const ToolRun render = enctool(
      "render --library '" + library + "' '" + cell + "' --category 2 --repeat 3 --out '" + dir.path + "/out.png'",
      errors);
  EXPECT_EQ(render.status, 0) << render.errors;
  const std::string logged = "the presentation library has no symbol FLTHAZ02";
  const std::size_t first = render.errors.find(logged);
  EXPECT_NE(first, std::string::npos) << render.errors;
  EXPECT_EQ(render.errors.find(logged, first + 1), std::string::npos) << render.errors;
}

// Every feature of the real cells whose look-up in use names a missing
// drawing, and that draws at all, draws a stand-in, in both symbol styles;
// no drawn instruction names a missing drawing. The two floating
// obstructions of US5WA22M draw their own symbol (FLTHAZ02, a
// supplementary drawing).
TEST(StandInPortrayal, RealCellsDrawAStandInForEveryMissingDrawing) {
  if (!libraryPresent() || !std::filesystem::is_directory(CHART_SHARED_ENC))
    GTEST_SKIP() << "needs the cells under " << CHART_SHARED_ENC << " and the library " << kLibrary;
  fixtures::TempDirectory dir;
  const std::string errors = dir.path + "/errors.txt";
  for (const char* style : {"", "--paper"}) {
    SCOPED_TRACE(*style ? "paper chart symbols" : "simplified symbols");
    const ToolRun run = enctool("info --library '" + kLibrary + "' --features --portrayal --category 2 " + style +
                                    " '" + CHART_SHARED_ENC + "'",
                                errors);
    ASSERT_FALSE(run.lines.empty());
    std::set<std::string> missing = names(run.lines[0], "symbols");
    for (const std::string& n : names(run.lines[0], "lineStyles")) missing.insert(n);
    for (const std::string& n : names(run.lines[0], "patterns")) missing.insert(n);
    ASSERT_FALSE(missing.empty());

    std::map<std::string, int> standIns;  // missing name -> features drawn with a stand-in
    int floatingObstructions = 0;
    for (const std::string& line : run.lines) {
      const std::string cell = field(line, "cell"), drawn = field(line, "drawn");
      if (drawn.empty()) continue;
      for (const std::string& n : drawingNames(drawn)) EXPECT_EQ(missing.count(n), 0u) << n << " in " << line;
      const std::string inUse = lookupText(line, *style ? "first" : "second"), other = lookupText(line, *style ? "second" : "first");
      for (const std::string& n : drawingNames(inUse)) {
        if (!missing.count(n)) continue;
        bool standIn = drawn.find("QUESMRK1") != std::string::npos;
        for (const std::string& o : drawingNames(other)) standIn = standIn || drawn.find("SY(" + o) != std::string::npos;
        EXPECT_TRUE(standIn) << cell << ": " << n << " drawn as " << drawn;
        ++standIns[n];
      }
      if (cell.find("US5WA22M") != std::string::npos && line.find("\"kind\":\"point\",\"class\":\"OBSTRN\"") != std::string::npos &&
          lookupText(line, "first").find("FLTHAZ02") != std::string::npos && drawn == "SY(FLTHAZ02)")
        ++floatingObstructions;
    }
    std::printf("%s: features drawn with a stand-in:", *style ? "paper" : "simplified");
    for (const auto& [name, count] : standIns) std::printf(" %s %d", name.c_str(), count);
    std::printf("\n");
    EXPECT_EQ(floatingObstructions, 2);
  }
}
