// The synthetic portfolio: the plan's bands, names and nesting, and its
// cells read back: coverage, land and depth areas that fill each cell, depth
// contours that meet across cell edges, soundings within their depth areas;
// where it and the demo harbour lie on the world base map.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CellFinishing.h"
#include "DemoCell.h"
#include "GeometryAssembly.h"
#include "MercatorProjection.h"
#include "PortfolioCell.h"
#include "PortfolioPlan.h"
#include "S57CellReader.h"
#include "WorldLandFile.h"

using namespace portfolio;

namespace {

constexpr int kM_COVR = 302, kDEPARE = 42, kLNDARE = 71, kDEPCNT = 43, kCOALNE = 30, kSOUNDG = 129;
constexpr int kLNDMRK = 74, kLIGHTS = 75, kUWTROC = 153;

AttributeCatalogue catalogue() {
  AttributeCatalogue c;
  for (auto [code, acronym] : {std::pair{18, "CATCOV"}, {87, "DRVAL1"}, {88, "DRVAL2"}, {133, "SCAMIN"},
                               {174, "VALDCO"}, {178, "VALNMR"}}) {
    AttributeRecord r;
    r.acronym = acronym;
    r.codeText = std::to_string(code);
    c[r.codeText] = r;
  }
  return c;
}

struct ReadCell {
  std::unique_ptr<S57Cell> cell;
  int intendedUsage = 0;
};

ReadCell readBack(const PlannedCell& planned) {
  S57CellReader reader;
  EXPECT_EQ(reader.readCellBytes(portfolioCell(planned).image()), ReaderResult::Ok) << planned.name;
  ReadCell out;
  out.cell = std::make_unique<S57Cell>();
  out.cell->name = reader.dataSetIdentification.DSNM;
  out.cell->compilationScale = reader.dataSetParameters.CSCL;
  out.cell->coordinateFactor = reader.dataSetParameters.COMF;
  out.cell->soundingFactor = reader.dataSetParameters.SOMF;
  out.intendedUsage = reader.dataSetIdentification.INTU;
  assembleFeatures(reader, *out.cell, catalogue());
  return out;
}

ChartPoint corner(int64_t latitude, int64_t longitude) {
  return geoToChart({static_cast<double>(latitude) / kUnitsPerDegree, static_cast<double>(longitude) / kUnitsPerDegree});
}

// Area of a ring of chart points (shoelace), always positive.
double ringArea(const ChartVertex* v, size_t n) {
  double twice = 0;
  for (size_t i = 0, j = n - 1; i < n; j = i++) twice += v[j].point.x * v[i].point.y - v[i].point.x * v[j].point.y;
  return std::fabs(twice) / 2;
}

double areaOf(const AreaFeature& a) {
  double sum = 0;
  for (const BoundaryPart& p : a.exteriorParts) sum += ringArea(&a.exteriorVertices[p.offset], p.count);
  for (const BoundaryPart& p : a.interiorParts) sum -= ringArea(&a.interiorVertices[p.offset], p.count);
  return sum;
}

// XX, the band, P and four digits.
bool producerName(const std::string& name) {
  if (name.size() != 8 || name.compare(0, 2, "XX") != 0 || name[2] < '2' || name[2] > '5' || name[3] != 'P')
    return false;
  for (size_t i = 4; i < 8; ++i)
    if (name[i] < '0' || name[i] > '9') return false;
  return true;
}

bool inside(const PlannedCell& inner, const PlannedCell& outer) {
  return inner.south >= outer.south && inner.north <= outer.north && inner.west >= outer.west &&
         inner.east <= outer.east;
}

}  // namespace

TEST(Portfolio, PlanHasTheCountBandsNamesAndNesting) {
  std::vector<int> counts = {1, 9, 10, 19, 28, 37, 100, 137, 1000, kMaximumCells};
  for (int n = 2; n <= 300; n += 7) counts.push_back(n);
  for (int count : counts) {
    const std::vector<PlannedCell> cells = planPortfolio(count);
    ASSERT_EQ(static_cast<int>(cells.size()), count);
    std::set<std::string> names;
    std::map<int, int> perBand;
    for (const PlannedCell& c : cells) {
      EXPECT_TRUE(producerName(c.name)) << c.name;
      EXPECT_EQ(c.name[2] - '0', c.band) << c.name;
      EXPECT_TRUE(names.insert(c.name).second) << c.name;
      const BandInfo& band = bandInfo(c.band);
      // On the band's grid: cells of a band join edge to edge.
      EXPECT_EQ(c.north - c.south, band.cellSize);
      EXPECT_EQ(c.east - c.west, band.cellSize);
      EXPECT_EQ((c.south - kPortfolioSouth) % band.cellSize, 0);
      EXPECT_EQ((c.west - kPortfolioWest) % band.cellSize, 0);
      ++perBand[c.band];
    }
    if (count >= 28) {
      for (int band = kFirstBand; band <= kLastBand; ++band) EXPECT_GT(perBand[band], 0) << count << " band " << band;
    }
    // Each cell above band 2 lies in one cell of the band below, and each
    // cell with any under it is covered by nine.
    std::map<std::string, int> children;
    for (const PlannedCell& c : cells) {
      if (c.band == kFirstBand) continue;
      int parents = 0;
      for (const PlannedCell& p : cells)
        if (p.band == c.band - 1 && inside(c, p)) ++parents, ++children[p.name];
      EXPECT_EQ(parents, 1) << count << ": " << c.name;
    }
    for (const auto& [parent, n] : children) EXPECT_EQ(n, 9) << count << ": " << parent;
  }
  EXPECT_EQ(planPortfolio(1000)[0].name, "XX2P0001");
  EXPECT_TRUE(planPortfolio(0).empty());
  EXPECT_TRUE(planPortfolio(kMaximumCells + 1).empty());
}

TEST(Portfolio, CellsCoverTheirAreaWithLandAndDepthAreas) {
  const std::vector<PlannedCell> plan = planPortfolio(28);
  std::map<int, int> soundingsByBand;
  for (const PlannedCell& planned : plan) {
    const ReadCell read = readBack(planned);
    const S57Cell& cell = *read.cell;
    EXPECT_EQ(cell.name, planned.name + ".000");
    EXPECT_EQ(read.intendedUsage, planned.band);
    EXPECT_EQ(cell.compilationScale, bandInfo(planned.band).compilationScale);

    // The coverage is the planned rectangle.
    const ChartPoint sw = corner(planned.south, planned.west), ne = corner(planned.north, planned.east);
    const double cellArea = (ne.x - sw.x) * (ne.y - sw.y);
    int coverage = 0;
    double skin = 0;
    for (const auto& area : cell.areas) {
      if (area->objectClass == kM_COVR) {
        ++coverage;
        EXPECT_EQ(area->findAttribute("CATCOV"), "1");
        EXPECT_NEAR(areaOf(*area), cellArea, cellArea * 1e-9) << planned.name;
      }
      if (area->objectClass == kDEPARE || area->objectClass == kLNDARE) skin += areaOf(*area);
    }
    EXPECT_EQ(coverage, 1) << planned.name;
    // Land and depth areas fill the cell without gaps or overlaps (the banks
    // are holes in the areas around them).
    EXPECT_NEAR(skin, cellArea, cellArea * 1e-6) << planned.name;

    // Soundings and rocks hide beyond twice the compilation scale, buoys
    // and their topmarks and lights beyond four times it; lighthouses and
    // their lights (ranges of 10 miles and more) never.
    const int scale = bandInfo(planned.band).compilationScale;
    for (const auto& point : cell.points) {
      const bool lighthouse = point->objectClass == kLNDMRK ||
                              (point->objectClass == kLIGHTS && std::atof(point->findAttribute("VALNMR").c_str()) >= 10);
      const int expected = lighthouse ? -1 : point->objectClass == kUWTROC ? 2 * scale - 1 : 4 * scale - 1;
      EXPECT_EQ(point->scaleMinimum, expected) << planned.name << " class " << point->objectClass;
    }
    // Every sounding lies in a depth area whose range holds it.
    for (const auto& s : cell.soundings) {
      EXPECT_EQ(s->scaleMinimum, 2 * scale - 1) << planned.name;
      soundingsByBand[planned.band] += static_cast<int>(s->soundings.size());
      for (const Sounding& sounding : s->soundings) {
        bool held = false;
        for (const auto& area : cell.areas) {
          if (area->objectClass != kDEPARE || !pointInArea({sounding.x, sounding.y}, *area)) continue;
          const double low = std::atof(area->findAttribute("DRVAL1").c_str());
          const double high = std::atof(area->findAttribute("DRVAL2").c_str());
          held = held || (sounding.depth >= low - 0.05 && sounding.depth <= high + 0.05);
        }
        EXPECT_TRUE(held) << planned.name << ": sounding of " << sounding.depth << " m";
      }
    }
  }
  // More soundings in the cells of the detailed bands.
  EXPECT_LT(soundingsByBand[2], soundingsByBand[5] / 9);
}

// Where two cells of a band meet, each contour or coastline that leaves one
// enters the other at the same point.
TEST(Portfolio, ContoursMeetAcrossCellEdges) {
  const std::vector<PlannedCell> plan = planPortfolio(28);
  std::map<std::string, std::unique_ptr<S57Cell>> cells;
  for (const PlannedCell& p : plan) {
    cells[p.name] = readBack(p).cell;
    // A contour or coastline runs from edge to edge of its cell, or round a bank.
    const ChartPoint sw = corner(p.south, p.west), ne = corner(p.north, p.east);
    for (const auto& line : cells[p.name]->lines) {
      if (line->objectClass != kDEPCNT && line->objectClass != kCOALNE) continue;
      const ChartPoint a = line->vertices.front().point, b = line->vertices.back().point;
      if (a.x == b.x && a.y == b.y) continue;
      for (const ChartPoint& end : {a, b}) {
        const double toEdge = std::min({std::fabs(end.x - sw.x), std::fabs(end.x - ne.x), std::fabs(end.y - sw.y),
                                        std::fabs(end.y - ne.y)});
        EXPECT_LT(toEdge, 1.0) << p.name << ": a line ends inside the cell";
      }
    }
  }
  int sharedEdges = 0, crossings = 0;
  for (const PlannedCell& a : plan) {
    for (const PlannedCell& b : plan) {
      if (a.band != b.band) continue;
      const bool eastward = a.east == b.west && a.south == b.south;
      const bool northward = a.north == b.south && a.west == b.west;
      if (!eastward && !northward) continue;
      ++sharedEdges;
      const ChartPoint edge = corner(a.north, a.east);
      // Line ends on the shared edge, with the line's class and value.
      auto ends = [&](const S57Cell& cell) {
        std::multiset<std::tuple<long long, int, std::string>> out;
        for (const auto& line : cell.lines) {
          if (line->objectClass != kDEPCNT && line->objectClass != kCOALNE) continue;
          for (const ChartVertex* v : {&line->vertices.front(), &line->vertices.back()}) {
            const double onEdge = eastward ? v->point.x - edge.x : v->point.y - edge.y;
            if (std::fabs(onEdge) > 1) continue;  // chart units
            const double along = eastward ? v->point.y : v->point.x;
            out.insert({std::llround(along / 10), line->objectClass, line->findAttribute("VALDCO")});
          }
        }
        return out;
      };
      const auto fromA = ends(*cells[a.name]), fromB = ends(*cells[b.name]);
      EXPECT_EQ(fromA, fromB) << a.name << " and " << b.name;
      crossings += static_cast<int>(fromA.size());
    }
  }
  EXPECT_GE(sharedEdges, 12 * 3);  // 12 in each 3 x 3 block of bands 3, 4 and 5
  EXPECT_GT(crossings, 10);
}

TEST(Portfolio, CellsComeOutTheSameEveryTime) {
  const std::vector<PlannedCell> plan = planPortfolio(10);
  for (const PlannedCell& p : {plan.front(), plan.back()})
    EXPECT_EQ(portfolioCell(p).image(), portfolioCell(p).image()) << p.name;
}

namespace {

// The land of the world base map's finest level, as the window draws it.
class WorldLand {
public:
  explicit WorldLand(const std::string& path) {
    WorldLandData data;
    std::string error;
    if (!readWorldLandFile(path, data, error) || data.levels.empty()) return;
    polygons_ = std::move(data.levels.back().polygons);
    for (const WorldLandPolygon& polygon : polygons_) {
      Box box{90, 180, -90, -180};
      for (const GeoPoint& p : polygon.rings.front()) {
        box.south = std::min(box.south, p.latitude), box.north = std::max(box.north, p.latitude);
        box.west = std::min(box.west, p.longitude), box.east = std::max(box.east, p.longitude);
      }
      boxes_.push_back(box);
    }
  }
  bool loaded() const { return !polygons_.empty(); }

  // Whether any land lies in the box: a vertex of a coast inside it, or the
  // box's middle inside land (degrees).
  bool landIn(double south, double west, double north, double east) const {
    for (std::size_t i = 0; i < polygons_.size(); ++i) {
      const Box& b = boxes_[i];
      if (b.south > north || b.north < south || b.west > east || b.east < west) continue;
      for (const auto& ring : polygons_[i].rings)
        for (const GeoPoint& p : ring)
          if (p.latitude >= south && p.latitude <= north && p.longitude >= west && p.longitude <= east) return true;
    }
    return landAt((south + north) / 2, (west + east) / 2);
  }
  // Odd-even over every ring of every polygon.
  bool landAt(double latitude, double longitude) const {
    bool inside = false;
    for (std::size_t k = 0; k < polygons_.size(); ++k) {
      const Box& box = boxes_[k];
      if (latitude < box.south || latitude > box.north || longitude < box.west || longitude > box.east) continue;
      for (const auto& ring : polygons_[k].rings)
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
          const GeoPoint& a = ring[i];
          const GeoPoint& b = ring[j];
          if ((a.latitude > latitude) != (b.latitude > latitude) &&
              longitude < a.longitude + (latitude - a.latitude) * (b.longitude - a.longitude) / (b.latitude - a.latitude))
            inside = !inside;
        }
    }
    return inside;
  }

private:
  struct Box {
    double south, west, north, east;
  };
  std::vector<WorldLandPolygon> polygons_;
  std::vector<Box> boxes_;  // of each polygon's exterior
};

}  // namespace

// The portfolio and the demo harbour lie in open water off a real coast:
// the world base map has land beside their synthetic land and none under
// their water, for every size a portfolio may have.
TEST(Portfolio, LiesInOpenWaterOffARealCoast) {
  const WorldLand land(std::string(CHART_SOURCE_DIR) + "/worldland.bin");
  if (!land.loaded()) GTEST_SKIP() << "worldland.bin is missing: run scripts/build-basemap.sh";
  const double degree = static_cast<double>(kUnitsPerDegree);
  for (int count : {10, 300, 1000, 3000, kMaximumCells}) {
    for (const PlannedCell& c : planPortfolio(count)) {
      const double south = c.south / degree, north = c.north / degree, west = c.west / degree, east = c.east / degree;
      // Water starts east of the synthetic coast, which stays within 0.094
      // degrees of the portfolio's western edge.
      const double water = std::max(west, kPortfolioWest / degree + 0.1);
      if (water < east) {
        EXPECT_FALSE(land.landIn(south, water, north, east)) << count << " " << c.name;
      }
    }
  }
  // Land of the Kerguelen Islands just west of the southern end.
  const double south = kPortfolioSouth / degree, west = kPortfolioWest / degree;
  EXPECT_TRUE(land.landIn(south, west - 1, south + 2, west + 0.1));

  // The demo harbour: its water (east of 0.04 degrees from its western
  // edge) over open sea, Hainan's coast at its western edge.
  EXPECT_FALSE(land.landIn(demo::kSouth, demo::kWest + 0.04, demo::kNorth, demo::kEast));
  EXPECT_TRUE(land.landAt((demo::kSouth + demo::kNorth) / 2, demo::kWest - 0.01));
  EXPECT_FALSE(land.landIn(demo::kSouth, demo::kEast, demo::kNorth, demo::kEast + 0.5));  // open sea beyond
}
