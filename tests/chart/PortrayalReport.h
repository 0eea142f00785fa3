#pragma once
// What `enctool info --features --portrayal` reports for a cell, read back
// for the tests of the mariner's settings, and the small cells they write:
// a square from 47N 122W with its extent and what a test adds.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "CellFixtures.h"

namespace portrayalreport {

using namespace s57write;

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kRealCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";

// Class and attribute codes of the S-57 catalogue the cells are written with.
enum : int {
  kBOYLAT = 17, kDEPARE = 42, kLIGHTS = 75, kLNDMRK = 74, kSEAARE = 119, kSOUNDG = 129,
  kM_COVR = 302, kM_NSYS = 306,
};
enum : int {
  kBOYSHP = 4, kCATCOV = 18, kCATLIT = 37, kCOLOUR = 75, kDATEND = 85, kDATSTA = 86, kDRVAL1 = 87,
  kDRVAL2 = 88, kLITCHR = 107, kOBJNAM = 116, kPEREND = 118, kPERSTA = 119, kSCAMIN = 133, kSECTR1 = 136,
  kSECTR2 = 137, kSIGGRP = 141, kSIGPER = 142, kVALNMR = 178,
};

inline Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(std::lround(latitude * 1e7)), static_cast<int32_t>(std::lround(longitude * 1e7))};
}

// One feature line of the report: its class, attributes (as the report
// writes them) and what the pass drew.
struct FeatureLine {
  std::string text;
  std::string drawn;
};

struct Report {
  int status = -1;
  std::string cellLine;
  std::vector<FeatureLine> features;

  // The features whose line holds `part` (an attribute such as
  // ["OBJNAM","A"], a class "class":"SOUNDG").
  std::vector<const FeatureLine*> with(const std::string& part) const {
    std::vector<const FeatureLine*> out;
    for (const FeatureLine& f : features)
      if (f.text.find(part) != std::string::npos) out.push_back(&f);
    return out;
  }
  // What the pass drew for the one feature named `name` (OBJNAM).
  std::string drawn(const std::string& name) const {
    const auto found = with("[\"OBJNAM\",\"" + name + "\"]");
    EXPECT_EQ(found.size(), 1u) << name;
    return found.empty() ? "?" : found.front()->drawn;
  }
};

// `enctool info --library S57Lib --features --portrayal ARGS CELL`.
inline Report portrayal(const std::string& cell, const std::string& args) {
  Report report;
  const std::string command = std::string(ENCTOOL_PATH) + " info --library '" + kLibrary +
                              "' --features --portrayal " + args + " '" + cell + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return report;
  std::string line;
  char buffer[65536];
  while (std::fgets(buffer, sizeof buffer, pipe)) {
    line += buffer;
    if (line.empty() || line.back() != '\n') continue;  // a line longer than the buffer
    if (line.rfind("{\"cell\":", 0) == 0) {
      const std::string key = "\"drawn\":\"";
      const std::size_t from = line.rfind(key);
      const std::size_t to = line.rfind("\"}");
      FeatureLine f{line, ""};
      if (from != std::string::npos && to != std::string::npos && to > from)
        f.drawn = line.substr(from + key.size(), to - from - key.size());
      report.features.push_back(std::move(f));
    } else if (line.rfind("{\"file\":", 0) == 0) {
      report.cellLine = line;
    }
    line.clear();
  }
  const int status = pclose(pipe);
  report.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return report;
}

inline bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Writes small cells: a square of `size` degrees from 47N 122W (compiled
// for 1:20,000 unless told otherwise, by producing agency 550 as an ENC)
// holding its extent (M_NSYS), and whatever a test adds.
class CellBuilder {
public:
  explicit CellBuilder(int compilationScale = 20000, double size = 0.1, int agency = 550, int product = 1)
      : size_(size) {
    DataSet d;
    d.dsnm = "RULES.000";
    d.agen = agency;
    d.prsp = product;
    Parameters p;
    p.cscl = compilationScale;
    writer_.addDataSet(d, p);
    for (int i = 0; i < 4; ++i)
      writer_.addConnectedNode(1 + i, at(47.0 + (i >= 2 ? size : 0), -122.0 + (i == 1 || i == 2 ? size : 0)));
    for (int i = 0; i < 4; ++i) writer_.addEdge(101 + i, 1 + i, 1 + (i + 1) % 4, {});
    addArea(kM_NSYS, {});
  }
  // An area over the whole square.
  void addArea(int objl, std::vector<Attribute> attributes) {
    Feature f = feature(3, objl, std::move(attributes));
    for (int i = 0; i < 4; ++i) f.spatialPointers.push_back({kEdge, 101 + i, 1, 1, 255});
    writer_.addFeature(f);
  }
  // An area over a band of the square from `west` to `east` degrees east of
  // its middle, the square's height.
  void addBand(int objl, std::vector<Attribute> attributes, double west, double east) {
    const int64_t first = 2000 + 10 * lastFeature_;
    const double middle = -122.0 + size_ / 2;
    const Coordinate corners[] = {at(47.0, middle + west), at(47.0, middle + east), at(47.0 + size_, middle + east),
                                  at(47.0 + size_, middle + west)};
    for (int i = 0; i < 4; ++i) writer_.addConnectedNode(first + i, corners[i]);
    Feature f = feature(3, objl, std::move(attributes));
    for (int i = 0; i < 4; ++i) {
      writer_.addEdge(first + 5 + i, first + i, first + (i + 1) % 4, {});
      f.spatialPointers.push_back({kEdge, first + 5 + i, 1, 1, 255});
    }
    writer_.addFeature(f);
  }
  // A point at the centre of the square, shifted by `east` degrees.
  void addPoint(int objl, std::vector<Attribute> attributes, double east = 0) {
    const int64_t node = 1000 + lastFeature_;
    writer_.addIsolatedNode(node, at(47.0 + size_ / 2, -122.0 + size_ / 2 + east));
    Feature f = feature(1, objl, std::move(attributes));
    f.spatialPointers = {{kIsolatedNode, node, 255, 255, 255}};
    writer_.addFeature(f);
  }
  // A sounding feature of two soundings near the centre.
  void addSoundings(std::vector<Attribute> attributes) {
    const int64_t node = 1000 + lastFeature_;
    const Coordinate c = at(47.0 + size_ / 2, -122.0 + size_ / 2);
    writer_.addSoundingNode(node, {{c.y, c.x, 125}, {c.y + 20000, c.x + 20000, 87}});
    Feature f = feature(1, kSOUNDG, std::move(attributes));
    f.spatialPointers = {{kIsolatedNode, node, 255, 255, 255}};
    writer_.addFeature(f);
  }
  std::string write(const fixtures::TempDirectory& directory) const {
    return fixtures::writeCell(writer_, directory.path, "RULES.000");
  }

private:
  Feature feature(int prim, int objl, std::vector<Attribute> attributes) {
    Feature f;
    f.rcid = f.fidn = ++lastFeature_;
    f.prim = prim;
    f.objl = objl;
    f.attributes = std::move(attributes);
    return f;
  }
  S57Writer writer_;
  double size_;
  int64_t lastFeature_ = 0;
};

}  // namespace portrayalreport
