#include "CellFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
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

S57Writer smallCell(const std::string& name, double size, int compilationScale, int agency, double south,
                    double west) {
  S57Writer w;
  DataSet d;
  d.dsnm = name;
  d.agen = agency;
  Parameters p;
  p.cscl = compilationScale;
  w.addDataSet(d, p);
  addSquare(w, 1, 101, south, west, size);
  addSquare(w, 11, 111, south + size / 4, west + size / 4, size / 2);
  w.addIsolatedNode(21, at(south + size / 2, west + size / 2));

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

GridCell::GridCell(std::string name, int columns, double side, int compilationScale)
    : name_(std::move(name)), columns_(columns), side_(side) {
  DataSet d;
  d.dsnm = name_ + ".000";
  Parameters p;
  p.cscl = compilationScale;
  writer_.addDataSet(d, p);
}

std::pair<double, double> GridCell::corner(int square) const {
  return {47.0 + (square / columns_) * side_, -122.0 + (square % columns_) * side_};
}

std::pair<double, double> GridCell::middle(int square) const {
  const auto [south, west] = corner(square);
  return {south + side_ / 2, west + side_ / 2};
}

Feature GridCell::feature(int prim, int objl, std::vector<Attribute> attributes) {
  Feature f;
  f.rcid = f.fidn = ++lastRecord_;
  f.prim = prim;
  f.objl = objl;
  f.attributes = std::move(attributes);
  return f;
}

int GridCell::addPoint(int objl, std::vector<Attribute> attributes) {
  const int square = squares_++;
  const auto [lat, lon] = middle(square);
  Feature f = feature(1, objl, std::move(attributes));
  writer_.addIsolatedNode(f.rcid, at(lat, lon));
  f.spatialPointers = {{kIsolatedNode, f.rcid, 255, 255, 255}};
  writer_.addFeature(f);
  return square;
}

int GridCell::addLine(int objl, std::vector<Attribute> attributes) {
  const int square = squares_++;
  const auto [lat, lon] = middle(square);
  Feature f = feature(2, objl, std::move(attributes));
  writer_.addConnectedNode(f.rcid * 10, at(lat, lon - side_ * 0.4));
  writer_.addConnectedNode(f.rcid * 10 + 1, at(lat, lon + side_ * 0.4));
  writer_.addEdge(f.rcid * 10, f.rcid * 10, f.rcid * 10 + 1, {});
  f.spatialPointers = {{kEdge, f.rcid * 10, 1, 255, 255}};
  writer_.addFeature(f);
  return square;
}

int GridCell::addArea(int objl, std::vector<Attribute> attributes) {
  const int square = squares_++;
  const auto [lat, lon] = middle(square);
  Feature f = feature(3, objl, std::move(attributes));
  const double q = side_ / 4;
  const double corners[4][2] = {{lat - q, lon - q}, {lat - q, lon + q}, {lat + q, lon + q}, {lat + q, lon - q}};
  for (int i = 0; i < 4; ++i) writer_.addConnectedNode(f.rcid * 10 + i, at(corners[i][0], corners[i][1]));
  for (int i = 0; i < 4; ++i) {
    writer_.addEdge(f.rcid * 10 + i, f.rcid * 10 + i, f.rcid * 10 + (i + 1) % 4, {});
    f.spatialPointers.push_back({kEdge, f.rcid * 10 + i, 1, 1, 255});
  }
  writer_.addFeature(f);
  return square;
}

std::string GridCell::write(const std::string& directory) {
  const int rows = (std::max(squares_, 1) + columns_ - 1) / columns_;
  const double north = 47.0 + rows * side_, east = -122.0 + columns_ * side_;
  Feature extent = feature(3, 306, {});  // M_NSYS
  const double corners[4][2] = {{47.0, -122.0}, {47.0, east}, {north, east}, {north, -122.0}};
  for (int i = 0; i < 4; ++i) writer_.addConnectedNode(extent.rcid * 10 + i, at(corners[i][0], corners[i][1]));
  for (int i = 0; i < 4; ++i) {
    writer_.addEdge(extent.rcid * 10 + i, extent.rcid * 10 + i, extent.rcid * 10 + (i + 1) % 4, {});
    extent.spatialPointers.push_back({kEdge, extent.rcid * 10 + i, 1, 1, 255});
  }
  writer_.addFeature(extent);
  return writeCell(writer_, directory, name_ + ".000");
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
