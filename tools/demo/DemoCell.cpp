#include "DemoCell.h"

#include <vector>

#include "CellRecords.h"

using namespace s57write;

namespace demo {

namespace {

// Object classes and attributes (S-57 codes).
enum ObjectClass : int {
  BOYCAR = 14, BOYLAT = 17, COALNE = 30, DEPARE = 42, DEPCNT = 43, DRGARE = 46, LNDARE = 71,
  LNDMRK = 74, LIGHTS = 75, OBSTRN = 86, RESARE = 112, SLCONS = 122, SOUNDG = 129, TOPMAR = 144,
  UWTROC = 153, WRECKS = 159, M_NSYS = 306,
};
enum AttributeCode : int {
  BOYSHP = 4, CATCAM = 13, CATCOA = 15, CATLAM = 36, CATLMK = 35, CATOBS = 42, CATSLC = 60,
  CATWRK = 71, COLOUR = 75, COLPAT = 76, DRVAL1 = 87, DRVAL2 = 88, EXPSOU = 93, HEIGHT = 95,
  LITCHR = 107, MARSYS = 109, OBJNAM = 116, ORIENT = 117, RESTRN = 131, SECTR1 = 136,
  SECTR2 = 137, SIGGRP = 141, SIGPER = 142, TOPSHP = 171, VALDCO = 174, VALNMR = 178,
  VALSOU = 179, WATLEV = 187, NOBJNM = 301,
};
constexpr int kAgency = 550;

// Positions on a local grid: x 0..12 from west to east and y 0..10 from
// south to north, one unit being 0.01 degree.
struct P {
  double x, y;
};
Coordinate at(P p) {
  const double latitude = kSouth + p.y * 0.01, longitude = kWest + p.x * 0.01;
  return {static_cast<int32_t>(latitude * 1e7 + 0.5), static_cast<int32_t>(longitude * 1e7 + 0.5)};
}
std::vector<Coordinate> line(const std::vector<P>& points) {
  std::vector<Coordinate> out;
  for (P p : points) out.push_back(at(p));
  return out;
}

// The demo cell's records, positions given on the local grid.
class Builder {
public:
  Builder() : records_(dataSet(), parameters(), kAgency) {}

  int64_t connectedNode(P p) { return records_.connectedNode(at(p)); }
  int64_t isolatedNode(P p) { return records_.isolatedNode(at(p)); }
  int64_t soundingNode(const std::vector<std::pair<P, double>>& soundings) {
    std::vector<Sounding> s;
    for (auto [p, depth] : soundings) {
      const Coordinate c = at(p);
      s.push_back({c.y, c.x, static_cast<int32_t>(depth * 10 + 0.5)});  // SOMF 10
    }
    return records_.soundingNode(s);
  }
  int64_t edge(int64_t from, int64_t to, const std::vector<P>& interior = {}) {
    return records_.edge(from, to, line(interior));
  }
  int64_t ring(const std::vector<P>& points) { return records_.ring(line(points)); }

  size_t point(int64_t node, int objl, std::vector<Attribute> attributes, Names names = {}) {
    return records_.point(node, objl, std::move(attributes), names);
  }
  void lineFeature(const std::vector<EdgeUse>& edges, int objl, std::vector<Attribute> attributes,
                   Names names = {}) {
    records_.lineFeature(edges, objl, std::move(attributes), names);
  }
  void area(const std::vector<EdgeUse>& edges, int objl, std::vector<Attribute> attributes, Names names = {}) {
    records_.area(edges, objl, std::move(attributes), names);
  }
  void link(size_t master, size_t slave) { records_.link(master, slave); }
  S57Writer finish() { return records_.finish(); }

private:
  static DataSet dataSet() {
    DataSet d;
    d.dsnm = kCellName;
    d.intu = 5;  // harbour
    d.agen = kAgency;
    d.comt = "Synthetic demonstration cell; not for navigation";
    return d;
  }
  static Parameters parameters() {
    Parameters p;
    p.cscl = 22000;
    return p;
  }

  CellRecords records_;
};

}  // namespace

S57Writer demoCell() {
  Builder b;

  // Seven boundary lines from the south edge to the north edge: the west
  // edge, the coastline, the 2, 5, 10 and 20 m contours, the east edge.
  const std::vector<std::vector<P>> lines = {
      {{0, 0}, {0, 10}},
      {{3.0, 0}, {3.2, 1.5}, {2.8, 3.0}, {3.5, 3.6}, {2.6, 4.2}, {2.2, 5.0}, {2.6, 5.8}, {3.6, 6.2},
       {3.1, 7.5}, {3.4, 10}},
      {{4.0, 0}, {4.1, 1.6}, {3.8, 3.0}, {4.3, 3.7}, {3.9, 4.5}, {3.6, 5.2}, {4.0, 6.0}, {4.5, 6.4},
       {4.1, 7.6}, {4.3, 10}},
      {{5.5, 0}, {5.4, 2.0}, {5.7, 3.8}, {5.2, 5.0}, {5.6, 6.3}, {5.9, 8.0}, {5.7, 10}},
      {{7.2, 0}, {7.0, 2.5}, {7.4, 4.5}, {7.1, 6.5}, {7.6, 10}},
      {{9.3, 0}, {9.6, 3.0}, {9.1, 6.0}, {9.5, 10}},
      {{12, 0}, {12, 10}},
  };
  const size_t n = lines.size();
  std::vector<int64_t> south(n), north(n), along(n), southEdge(n - 1), northEdge(n - 1);
  for (size_t i = 0; i < n; ++i) {
    south[i] = b.connectedNode(lines[i].front());
    north[i] = b.connectedNode(lines[i].back());
  }
  for (size_t i = 0; i < n; ++i)
    along[i] = b.edge(south[i], north[i], std::vector<P>(lines[i].begin() + 1, lines[i].end() - 1));
  for (size_t i = 0; i + 1 < n; ++i) {
    southEdge[i] = b.edge(south[i], south[i + 1]);
    northEdge[i] = b.edge(north[i], north[i + 1]);
  }
  // The strip between line i and line i + 1, clockwise: north along i, east
  // along the north edge, south along i + 1, west along the south edge.
  auto strip = [&](size_t i) {
    return std::vector<std::pair<int64_t, int>>{
        {along[i], 1}, {northEdge[i], 1}, {along[i + 1], 2}, {southEdge[i], 2}};
  };

  // The whole cell: marks follow IALA system A.
  std::vector<std::pair<int64_t, int>> outline = {{along[0], 1}};
  for (size_t i = 0; i + 1 < n; ++i) outline.push_back({northEdge[i], 1});
  outline.push_back({along[n - 1], 2});
  for (size_t i = n - 1; i-- > 0;) outline.push_back({southEdge[i], 2});
  b.area(outline, M_NSYS, {{MARSYS, "1"}, {ORIENT, "0"}});

  b.area(strip(0), LNDARE, {}, {"Shifan Point", u"示范角"});
  const char* bands[][2] = {{"0", "2"}, {"2", "5"}, {"5", "10"}, {"10", "20"}, {"20", "50"}};
  for (size_t i = 1; i <= 5; ++i) b.area(strip(i), DEPARE, {{DRVAL1, bands[i - 1][0]}, {DRVAL2, bands[i - 1][1]}});
  b.lineFeature({{along[1], 1}}, COALNE, {{CATCOA, "1"}});
  const char* contours[] = {"2", "5", "10", "20"};
  for (size_t i = 2; i <= 5; ++i) b.lineFeature({{along[i], 1}}, DEPCNT, {{VALDCO, contours[i - 2]}});

  // The harbour: a breakwater off the headland, a dredged channel to the
  // bay, and an area where anchoring is prohibited.
  const int64_t breakwaterRoot = b.connectedNode({3.5, 3.6});
  const int64_t breakwaterHead = b.connectedNode({4.4, 4.6});
  b.lineFeature({{b.edge(breakwaterRoot, breakwaterHead, {{3.9, 3.9}, {4.2, 4.2}}), 1}}, SLCONS,
                {{CATSLC, "1"}}, {"South Breakwater", u"南防波堤"});
  b.area({{b.ring({{4.0, 4.85}, {4.0, 5.35}, {11.0, 5.35}, {11.0, 4.85}, {4.0, 4.85}}), 1}}, DRGARE,
         {{DRVAL1, "7.5"}, {DRVAL2, "7.5"}}, {"Shifan Harbour Channel", u"示范港航道"});
  b.area({{b.ring({{7.8, 0.8}, {7.8, 2.6}, {10.8, 2.6}, {10.8, 0.8}, {7.8, 0.8}}), 1}}, RESARE,
         {{RESTRN, "1"}}, {"Anchoring Prohibited Area", u"禁锚区"});

  // Soundings across the bands and one in the channel (metres).
  b.point(b.soundingNode({{{3.6, 1.0}, 1.2}, {{4.7, 1.2}, 3.4}, {{6.3, 1.0}, 7.1}, {{8.3, 1.0}, 14.6},
                          {{10.8, 1.0}, 26.0}, {{4.8, 8.0}, 3.9}, {{6.6, 8.5}, 8.2}, {{8.5, 9.0}, 16.3},
                          {{11.0, 8.0}, 31.5}, {{10.5, 5.8}, 22.7}, {{6.5, 3.8}, 6.8}, {{8.6, 4.2}, 15.9},
                          {{7.6, 5.1}, 7.8}, {{3.1, 5.0}, 0.8}, {{11.2, 3.4}, 28.4}}),
          SOUNDG, {{EXPSOU, "1"}});

  // Channel buoys: red cans to port, green cones to starboard when entering
  // from the sea (westbound), each with its topmark.
  auto lateral = [&](P p, bool port, const char* name) {
    const int64_t node = b.isolatedNode(p);
    const std::string colour = port ? "3" : "4";
    const size_t buoy = b.point(
        node, BOYLAT, {{BOYSHP, port ? "2" : "1"}, {CATLAM, port ? "1" : "2"}, {COLOUR, colour}}, {name, nullptr});
    b.link(buoy, b.point(node, TOPMAR, {{TOPSHP, port ? "3" : "1"}, {COLOUR, colour}}));
  };
  lateral({9.2, 4.7}, true, "No. 1");
  lateral({9.2, 5.5}, false, "No. 2");
  lateral({6.4, 4.7}, true, "No. 3");
  lateral({6.4, 5.5}, false, "No. 4");

  // A dangerous wreck marked by a north cardinal buoy.
  b.point(b.isolatedNode({8.2, 7.2}), WRECKS, {{CATWRK, "2"}, {VALSOU, "6.2"}, {WATLEV, "3"}},
          {"Wreck of the Dongfang", u"东方号沉船"});
  {
    const int64_t node = b.isolatedNode({8.2, 7.75});
    const size_t buoy = b.point(node, BOYCAR, {{BOYSHP, "4"}, {CATCAM, "1"}, {COLOUR, "2,6"}, {COLPAT, "1"}},
                                {"Wreck North", nullptr});
    b.link(buoy, b.point(node, TOPMAR, {{TOPSHP, "13"}, {COLOUR, "2"}}));
  }
  b.point(b.isolatedNode({5.0, 7.0}), UWTROC, {{VALSOU, "1.8"}, {WATLEV, "3"}});
  b.point(b.isolatedNode({6.4, 2.2}), OBSTRN, {{CATOBS, "1"}, {VALSOU, "4.5"}, {WATLEV, "3"}});

  // The lighthouse on the headland.
  {
    const int64_t node = b.isolatedNode({3.25, 3.45});
    const size_t tower = b.point(node, LNDMRK, {{CATLMK, "17"}, {COLOUR, "1"}, {HEIGHT, "24"}},
                                 {"Shifan Point Lighthouse", u"示范角灯塔"});
    // Bearings from seaward: green north of the channel, white along it,
    // red south of it.
    const char* sectors[][3] = {{"4", "230", "248"}, {"1", "248", "258"}, {"3", "258", "275"}};
    for (auto& s : sectors)
      b.link(tower, b.point(node, LIGHTS,
                            {{COLOUR, s[0]}, {SECTR1, s[1]}, {SECTR2, s[2]}, {LITCHR, "2"}, {SIGGRP, "(1)"},
                             {SIGPER, "4"}, {VALNMR, "12"}, {HEIGHT, "28"}},
                            {"Shifan Point", u"示范角"}));
  }
  // The breakwater head light.
  b.point(b.isolatedNode({4.4, 4.6}), LIGHTS,
          {{COLOUR, "3"}, {LITCHR, "2"}, {SIGGRP, "(1)"}, {SIGPER, "3"}, {VALNMR, "5"}, {HEIGHT, "8"}},
          {"South Breakwater Head", u"南防波堤头"});

  return b.finish();
}

std::string writeDemoCell(const std::string& directory) {
  const std::string path = directory + "/" + kCellName;
  return demoCell().writeFile(path) ? path : std::string();
}

}  // namespace demo
