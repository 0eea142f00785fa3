#include "LargeCell.h"

#include <cstdint>
#include <string>
#include <vector>

#include "S57Writer.h"

using namespace s57write;

namespace {

constexpr int kGrid = 90;               // nodes along each side
constexpr double kSpacing = 0.002;      // degrees between neighbouring nodes
constexpr double kSouth = 47.0, kWest = -122.5;
constexpr int64_t kHorizontalEdges = int64_t(kGrid) * (kGrid - 1);

Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(latitude * 1e7), static_cast<int32_t>(longitude * 1e7)};
}

int64_t node(int row, int column) { return 1 + int64_t(row) * kGrid + column; }
int64_t horizontalEdge(int row, int column) { return 1 + int64_t(row) * (kGrid - 1) + column; }
int64_t verticalEdge(int row, int column) { return 1 + kHorizontalEdges + int64_t(row) * kGrid + column; }

// 0 to 10 interior vertices between two nodes, a little off the straight line.
std::vector<Coordinate> interior(int64_t rcid, double lat0, double lon0, double lat1, double lon1) {
  const int count = static_cast<int>(rcid * 7 % 11);
  std::vector<Coordinate> points;
  for (int i = 1; i <= count; ++i) {
    const double t = double(i) / (count + 1);
    const double wobble = (i % 2 ? 1 : -1) * kSpacing * 0.05;
    points.push_back(at(lat0 + (lat1 - lat0) * t + wobble, lon0 + (lon1 - lon0) * t - wobble));
  }
  return points;
}

SpatialPointer edgeRef(int64_t rcid, bool reverse, int usage) {
  return {kEdge, rcid, reverse ? 2 : 1, usage, 255};
}

// The source date and source every NOAA feature carries.
void addSource(Feature& f) {
  f.attributes.push_back({147, "2015" + std::to_string(1001 + f.rcid % 1130)});  // SORDAT
  f.attributes.push_back({148, "US,US,graph,Chart " + std::to_string(18400 + f.rcid % 90)});  // SORIND
}

}  // namespace

std::string largeCellImage() {
  S57Writer w;
  DataSet d;
  d.dsnm = "XX4LARGE.000";
  d.edtn = "3";
  Parameters p;
  p.cscl = 40000;
  w.addDataSet(d, p);

  for (int r = 0; r < kGrid; ++r)
    for (int c = 0; c < kGrid; ++c) w.addConnectedNode(node(r, c), at(kSouth + r * kSpacing, kWest + c * kSpacing));
  for (int r = 0; r < kGrid; ++r)
    for (int c = 0; c + 1 < kGrid; ++c) {
      const double lat = kSouth + r * kSpacing, lon = kWest + c * kSpacing;
      const int64_t rcid = horizontalEdge(r, c);
      w.addEdge(rcid, node(r, c), node(r, c + 1), interior(rcid, lat, lon, lat, lon + kSpacing));
    }
  for (int r = 0; r + 1 < kGrid; ++r)
    for (int c = 0; c < kGrid; ++c) {
      const double lat = kSouth + r * kSpacing, lon = kWest + c * kSpacing;
      const int64_t rcid = verticalEdge(r, c);
      w.addEdge(rcid, node(r, c), node(r + 1, c), interior(rcid, lat, lon, lat + kSpacing, lon));
    }

  constexpr int kBuoys = 3500, kSoundingNodes = 50;
  for (int i = 0; i < kBuoys; ++i) {
    const int r = i % (kGrid - 1), c = i / (kGrid - 1) % (kGrid - 1);
    w.addIsolatedNode(1 + i, at(kSouth + (r + 0.5) * kSpacing, kWest + (c + 0.5) * kSpacing));
  }
  for (int n = 0; n < kSoundingNodes; ++n) {
    std::vector<Sounding> soundings;
    for (int i = 0; i < 45; ++i)
      soundings.push_back({at(kSouth + (n + i * 0.02) * kSpacing, 0).y,
                           at(0, kWest + (i + n * 0.3) * kSpacing).x, 10 * (3 + (n * 45 + i) % 250)});
    w.addSoundingNode(1 + kBuoys + n, soundings);
  }

  int64_t feature = 0;
  auto next = [&feature](int prim, int objl) {
    Feature f;
    f.rcid = f.fidn = ++feature;
    f.prim = prim;
    f.objl = objl;
    f.grup = objl == 42 ? 1 : 2;
    return f;
  };

  // The coverage: the grid's outer edges, once round.
  Feature coverage = next(3, 302);  // M_COVR
  coverage.attributes = {{18, "1"}};  // CATCOV
  for (int c = 0; c + 1 < kGrid; ++c) coverage.spatialPointers.push_back(edgeRef(horizontalEdge(0, c), false, 1));
  for (int r = 0; r + 1 < kGrid; ++r)
    coverage.spatialPointers.push_back(edgeRef(verticalEdge(r, kGrid - 1), false, 1));
  for (int c = kGrid - 2; c >= 0; --c)
    coverage.spatialPointers.push_back(edgeRef(horizontalEdge(kGrid - 1, c), true, 1));
  for (int r = kGrid - 2; r >= 0; --r) coverage.spatialPointers.push_back(edgeRef(verticalEdge(r, 0), true, 1));
  w.addFeature(coverage);

  // Depth areas over two grid squares side by side: six edges round each.
  constexpr int kAreas = 3000, kContours = 3000;
  for (int i = 0; i < kAreas; ++i) {
    const int r = i / ((kGrid - 1) / 2), c = 2 * (i % ((kGrid - 1) / 2));
    Feature f = next(3, 42);  // DEPARE
    const int shallow = (i * 3) % 20;
    f.attributes = {{87, std::to_string(shallow) + ".4"}, {88, std::to_string(shallow + 5)}};  // DRVAL1, DRVAL2
    if (i % 4 == 0) f.attributes.push_back({133, "89999"});  // SCAMIN
    addSource(f);
    f.spatialPointers = {edgeRef(horizontalEdge(r, c), false, 1),     edgeRef(horizontalEdge(r, c + 1), false, 1),
                         edgeRef(verticalEdge(r, c + 2), false, 1),   edgeRef(horizontalEdge(r + 1, c + 1), true, 1),
                         edgeRef(horizontalEdge(r + 1, c), true, 1), edgeRef(verticalEdge(r, c), true, 1)};
    w.addFeature(f);
  }
  for (int i = 0; i < kContours; ++i) {
    const int r = i % kGrid, first = i / kGrid * 2 % (kGrid - 6);
    Feature f = next(2, 43);  // DEPCNT
    f.attributes = {{174, std::to_string(5 + i % 30)}};  // VALDCO
    addSource(f);
    for (int c = first; c < first + 1 + i % 5; ++c) f.spatialPointers.push_back(edgeRef(horizontalEdge(r, c), false, 255));
    w.addFeature(f);
  }
  for (int i = 0; i < kBuoys; ++i) {
    Feature f = next(1, 17);  // BOYLAT
    f.attributes = {{4, "2"}, {36, i % 2 ? "1" : "2"}, {75, i % 2 ? "3,4,3" : "4,3,4"}, {76, "1"},  // BOYSHP .. COLPAT
                    {116, "Lateral buoy " + std::to_string(1000 + i)}};  // OBJNAM
    addSource(f);
    if (i % 10 == 0) f.nationalAttributes = {{301, u"\u6d6e\u6807 " + std::u16string(1, char16_t(u'0' + i % 10))}};
    f.spatialPointers = {{kIsolatedNode, 1 + i, 255, 255, 255}};
    w.addFeature(f);
  }
  for (int n = 0; n < kSoundingNodes; ++n) {
    Feature f = next(1, 129);  // SOUNDG
    addSource(f);
    f.spatialPointers = {{kIsolatedNode, 1 + kBuoys + n, 255, 255, 255}};
    w.addFeature(f);
  }
  return w.image();
}
