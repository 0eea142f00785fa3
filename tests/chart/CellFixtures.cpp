#include "CellFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace s57write;

namespace fixtures {

AttributeCatalogue attributeCatalogue() {
  AttributeCatalogue c;
  for (auto [code, acronym] : {std::pair{kOBJNAM, "OBJNAM"}, {kDRVAL1, "DRVAL1"}, {kNOBJNM, "NOBJNM"},
                               {kORIENT, "ORIENT"}, {kSCAMAX, "SCAMAX"}}) {
    AttributeRecord r;
    r.acronym = acronym;
    r.codeText = std::to_string(code);
    c[r.codeText] = r;
  }
  return c;
}

namespace {
Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(latitude * 1e7), static_cast<int32_t>(longitude * 1e7)};
}

// Four connected nodes and four edges around a square, the nodes numbered
// from `firstNode`, the edges from `firstEdge`.
void addSquare(S57Writer& w, int64_t firstNode, int64_t firstEdge, double lat, double lon, double size) {
  w.addConnectedNode(firstNode, at(lat, lon));
  w.addConnectedNode(firstNode + 1, at(lat, lon + size));
  w.addConnectedNode(firstNode + 2, at(lat + size, lon + size));
  w.addConnectedNode(firstNode + 3, at(lat + size, lon));
  for (int i = 0; i < 4; ++i) w.addEdge(firstEdge + i, firstNode + i, firstNode + (i + 1) % 4, {});
}

Feature area(int64_t rcid, int objl, int64_t firstEdge, std::vector<Attribute> attributes) {
  Feature f;
  f.rcid = f.fidn = rcid;
  f.prim = 3;
  f.objl = objl;
  f.attributes = std::move(attributes);
  for (int i = 0; i < 4; ++i) {
    SpatialPointer p;
    p.rcnm = kEdge;
    p.rcid = firstEdge + i;
    p.ornt = 1;
    p.usag = 1;
    f.spatialPointers.push_back(p);
  }
  return f;
}
}  // namespace

S57Writer smallCell(const std::string& name, double size, int compilationScale, int agency) {
  S57Writer w;
  DataSet d;
  d.dsnm = name;
  d.agen = agency;
  Parameters p;
  p.cscl = compilationScale;
  w.addDataSet(d, p);
  addSquare(w, 1, 101, 47.0, -122.0, size);
  addSquare(w, 11, 111, 47.0 + size / 4, -122.0 + size / 4, size / 2);
  w.addIsolatedNode(21, at(47.0 + size / 2, -122.0 + size / 2));

  w.addFeature(area(1, 306, 101, {}));                      // M_NSYS: the extent
  w.addFeature(area(2, 42, 101, {{kDRVAL1, "0"}}));         // DEPARE
  w.addFeature(area(3, 42, 111, {{kDRVAL1, "10"}}));        // a deeper DEPARE inside it
  Feature contour;
  contour.rcid = contour.fidn = 4;
  contour.prim = 2;
  contour.objl = 43;  // DEPCNT
  contour.spatialPointers = {{kEdge, 111, 1, 255, 255}, {kEdge, 112, 1, 255, 255}};
  w.addFeature(contour);
  Feature light;
  light.rcid = light.fidn = 5;
  light.prim = 1;
  light.objl = 75;  // LIGHTS
  light.spatialPointers = {{kIsolatedNode, 21, 255, 255, 255}};
  w.addFeature(light);
  return w;
}

std::string writeCell(const S57Writer& writer, const std::string& directory, const std::string& file) {
  const std::string path = directory + "/" + file;
  EXPECT_TRUE(writer.writeFile(path)) << path;
  return path;
}

TempDirectory::TempDirectory() {
  path = (std::filesystem::temp_directory_path() / "chart-test-XXXXXX").string();
  EXPECT_NE(mkdtemp(path.data()), nullptr);
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

}  // namespace fixtures
