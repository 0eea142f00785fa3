// Where the chart has data and where it ends, on small written cells drawn
// with the generated library: a cell's extent holds its coverage, the
// no-data presentation outside every coverage drawn (M_COVR CATCOV 2
// included), the limit of the data (HODATA01) along coverage no other cell
// continues, the scale boundary (SCLBDY51) where cells of other scales meet
// and round M_CSCL areas, and the safety contour along land and the other
// areas that are never safe water.
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

#include "CellFixtures.h"
#include "CellList.h"
#include "CellLoad.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "FeaturePortrayal.h"
#include "ProcedureResult.h"
#include "S57Vocabulary.h"
#include "TestView.h"
#include "TrueScale.h"

using namespace drawtest;
using namespace s57write;

namespace {

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

enum Code : int {
  kCATCOV = 18,
  kCSCALE = 37,
  kDRVAL1 = 87,
  kDRVAL2 = 88,
  kVALDCO = 174,
  kDEPARE = 42,
  kDEPCNT = 43,
};

Coordinate at(double latitude, double longitude) {
  return {static_cast<int32_t>(std::lround(latitude * 1e7)), static_cast<int32_t>(std::lround(longitude * 1e7))};
}

using Ring = std::vector<std::pair<double, double>>;  // latitude, longitude; closed implicitly

Ring box(double south, double west, double north, double east) {
  return {{south, west}, {south, east}, {north, east}, {north, west}};
}

// A cell written with full topology: nodes at equal positions and edges
// between equal nodes are shared, so areas that meet share their edges as
// an encoder writes them.
class TopologyCell {
public:
  explicit TopologyCell(const std::string& name, int compilationScale = 20000) {
    DataSet d;
    d.dsnm = name;
    Parameters p;
    p.cscl = compilationScale;
    writer.addDataSet(d, p);
  }

  // An area: the first ring its exterior, the others its holes.
  void area(int objl, std::vector<Attribute> attributes, const std::vector<Ring>& rings) {
    Feature f = feature(3, objl, std::move(attributes));
    for (std::size_t r = 0; r < rings.size(); ++r)
      for (std::size_t i = 0; i < rings[r].size(); ++i) {
        const auto& a = rings[r][i];
        const auto& b = rings[r][(i + 1) % rings[r].size()];
        const auto [id, forward] = edge(node(a), node(b));
        f.spatialPointers.push_back({kEdge, id, forward ? 1 : 2, r == 0 ? 1 : 2, 255});
      }
    writer.addFeature(f);
  }
  void line(int objl, std::vector<Attribute> attributes, const Ring& points) {
    Feature f = feature(2, objl, std::move(attributes));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const auto [id, forward] = edge(node(points[i]), node(points[i + 1]));
      f.spatialPointers.push_back({kEdge, id, forward ? 1 : 2, 255, 255});
    }
    writer.addFeature(f);
  }

  S57Writer writer;

private:
  Feature feature(int prim, int objl, std::vector<Attribute> attributes) {
    Feature f;
    f.rcid = f.fidn = ++lastFeature_;
    f.prim = prim;
    f.objl = objl;
    f.attributes = std::move(attributes);
    return f;
  }
  int64_t node(const std::pair<double, double>& p) {
    const auto found = nodes_.find(p);
    if (found != nodes_.end()) return found->second;
    const int64_t id = static_cast<int64_t>(nodes_.size()) + 1;
    writer.addConnectedNode(id, at(p.first, p.second));
    nodes_[p] = id;
    return id;
  }
  // The edge between two nodes and whether it runs from a to b.
  std::pair<int64_t, bool> edge(int64_t a, int64_t b) {
    if (const auto f = edges_.find({a, b}); f != edges_.end()) return {f->second, true};
    if (const auto r = edges_.find({b, a}); r != edges_.end()) return {r->second, false};
    const int64_t id = 1000 + static_cast<int64_t>(edges_.size());
    writer.addEdge(id, a, b, {});
    edges_[{a, b}] = id;
    return {id, true};
  }

  std::map<std::pair<double, double>, int64_t> nodes_;
  std::map<std::pair<int64_t, int64_t>, int64_t> edges_;
  int64_t lastFeature_ = 0;
};

// The instructions a pass executed, per feature, as "LC HODATA01" texts.
class Recorder : public InstructionRecorder {
public:
  void executed(const ChartFeature& feature, const Instruction& i) override {
    std::string text = i.is<ComplexLine>()  ? "LC " + i.as<ComplexLine>().name
                       : i.is<LineStyle>()  ? "LS " + std::string(colourToken(i.as<LineStyle>().colour))
                       : i.is<AreaColour>() ? "AC " + std::string(colourToken(i.as<AreaColour>().colour))
                                            : "kind " + std::to_string(static_cast<int>(i.kind()));
    drawn[&feature].push_back(text);
  }
  int count(const ChartFeature* feature, const std::string& text) const {
    const auto it = drawn.find(feature);
    return it == drawn.end() ? 0 : static_cast<int>(std::count(it->second.begin(), it->second.end(), text));
  }
  std::map<const ChartFeature*, std::vector<std::string>> drawn;
};

class CoverageTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    if (!std::filesystem::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
    ASSERT_EQ(loadPresentationLibrary(library(), kLibrary, MissingFileReport::Silent), LibraryResult::Ok);
    engine = std::make_unique<ChartEngine>(library());
    settings().setContourSet(10);
    settings().showCellBoundaries = false;
    settings().showWorldBaseMap = false;
  }

  S57Cell& load(const TopologyCell& cell, const std::string& file) {
    ChartView loading;
    EXPECT_EQ(loadCell(fixtures::writeCell(cell.writer, directory.path, file), library(), *cells, &loading),
              ReaderResult::Ok)
        << file;
    return *cells->snapshot()->back();
  }
  // A view of 600 x 600 pixels centred on a position, on pixels of the size
  // that makes `scale` its true scale there too.
  void look(double latitude, double longitude, float scale) {
    setCentreGeo(latitude, longitude, view);
    view.scale = scale;
    view.pixelMillimetres = testsupport::pixelMillimetresOfViewScale(view.centre.y);
    EXPECT_EQ(trueScale(view), scale);
    view.viewportWidth = view.viewportHeight = 600 * 23;
    updateOrigin(view);
  }
  Recorder drawRecorded() {
    Recorder recorder;
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    view.draw(painter, *engine, settings(), *cells->snapshot(), &recorder);
    return recorder;
  }
  QImage drawImage() {
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    view.draw(painter, *engine, settings(), *cells->snapshot());
    painter.end();
    return image;
  }
  QPoint pixelOf(double latitude, double longitude) const {
    const ChartPoint p = geoToChart({latitude, longitude});
    return QPoint(static_cast<int>((p.x - view.origin.x) / view.scale / 23),
                  static_cast<int>((view.origin.y - p.y) / view.scale / 23));
  }
  QColor colourOf(const char* token) { return ::colourOf(*settings().colourTable, colourIndex(token)); }
  // Whether the 41 x 41 pixels round `centre` show the no-data
  // presentation: mostly NODTA, the rest the no-data pattern's CHGRD or, at
  // the pattern's smoothed edges, between the two.
  bool noDataAround(const QImage& image, const QPoint& centre) {
    const QColor noData = colourOf("NODTA"), pattern = colourOf("CHGRD");
    const auto between = [](int v, int a, int b) { return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2; };
    int background = 0, all = 0;
    for (int y = centre.y() - 20; y <= centre.y() + 20; ++y)
      for (int x = centre.x() - 20; x <= centre.x() + 20; ++x) {
        const QColor c = image.pixelColor(x, y);
        if (!between(c.red(), noData.red(), pattern.red()) || !between(c.green(), noData.green(), pattern.green()) ||
            !between(c.blue(), noData.blue(), pattern.blue()))
          return false;
        background += c == noData;
        ++all;
      }
    return 2 * background > all;
  }
  static const AreaFeature* areaOf(const S57Cell& cell, int objectClass, const char* attribute = nullptr,
                                   const char* value = nullptr) {
    for (const auto& a : cell.areas)
      if (a->objectClass == objectClass && (!attribute || a->findAttribute(attribute) == value)) return a.get();
    return nullptr;
  }

  fixtures::TempDirectory directory;
  std::unique_ptr<ChartEngine> engine;  // over the test's library
  std::unique_ptr<CellList> cells = std::make_unique<CellList>();
  ChartView view;
};

}  // namespace

// A cell whose system of marks (M_NSYS) covers one small corner: its
// extent is its coverage, so the cell is drawn in the far corner too.
TEST_F(CoverageTest, TheExtentHoldsTheCoverageNotASmallSystemOfMarks) {
  TopologyCell cell("EXTENT01.000");
  cell.area(s57::M_NSYS, {}, {box(47.0, -122.0, 47.01, -121.99)});
  cell.area(s57::M_COVR, {{kCATCOV, "1"}}, {box(47.0, -122.0, 47.1, -121.9)});
  cell.area(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, {box(47.0, -122.0, 47.1, -121.9)});
  const S57Cell& loaded = load(cell, "EXTENT01.000");
  ASSERT_EQ(loaded.extents.size(), 1u);
  const ChartPoint southWest = geoToChart({47.0, -122.0}), northEast = geoToChart({47.1, -121.9});
  EXPECT_NEAR(loaded.extents[0].minX, southWest.x, 1e3);
  EXPECT_NEAR(loaded.extents[0].minY, southWest.y, 1e3);
  EXPECT_NEAR(loaded.extents[0].maxX, northEast.x, 1e3);
  EXPECT_NEAR(loaded.extents[0].maxY, northEast.y, 1e3);

  look(47.09, -121.91, 20000);
  const Recorder recorder = drawRecorded();
  ASSERT_EQ(view.drawnCells.size(), 1u);
  EXPECT_EQ(recorder.count(areaOf(loaded, kDEPARE), "AC DEPDW"), 1);
}

// Outside every coverage drawn, and over the cell's own area without data
// (CATCOV 2), the chart shows NODTA with the NODATA03 pattern, never the
// colour of water; the coverage ends in HODATA01 on each of its four edges.
TEST_F(CoverageTest, NoDataWhereNoCellDrawnHasCoverage) {
  TopologyCell cell("NODATA01.000");
  cell.area(s57::M_COVR, {{kCATCOV, "1"}}, {box(47.0, -122.0, 47.1, -121.95)});
  cell.area(s57::M_COVR, {{kCATCOV, "2"}}, {box(47.0, -121.95, 47.1, -121.9)});
  cell.area(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, {box(47.0, -122.0, 47.1, -121.95)});
  const S57Cell& loaded = load(cell, "NODATA01.000");
  look(47.05, -121.95, 200000);
  for (const QPoint& p : {pixelOf(47.05, -121.98), pixelOf(47.05, -121.92), pixelOf(47.12, -121.95)})
    ASSERT_TRUE(QRect(20, 20, 560, 560).contains(p)) << p.x() << "," << p.y();

  for (const bool paper : {false, true})
    for (const int scheme : {1, 5}) {
      settings().setSymbolStyle(paper ? 1 : 2);
      settings().setColourScheme(scheme);
      const QImage image = drawImage();
      const std::string what = std::string(paper ? "paper" : "simplified") + " scheme " + std::to_string(scheme);
      EXPECT_EQ(image.pixelColor(pixelOf(47.05, -121.98)), colourOf("DEPDW")) << what;
      EXPECT_TRUE(noDataAround(image, pixelOf(47.05, -121.92))) << "CATCOV 2, " << what;
      EXPECT_TRUE(noDataAround(image, pixelOf(47.12, -121.95))) << "outside the cell, " << what;
    }

  const Recorder recorder = drawRecorded();
  EXPECT_EQ(recorder.count(areaOf(loaded, s57::M_COVR, "CATCOV", "1"), "LC HODATA01"), 4);
  EXPECT_EQ(recorder.count(areaOf(loaded, s57::M_COVR, "CATCOV", "2"), "LC HODATA01"), 0);
}

// Two cells side by side: no limit where they join when they are of one
// compilation scale; where their scales differ, the scale boundary when
// the mariner turns it on, and still no limit of the data.
TEST_F(CoverageTest, LimitsAndScaleBoundariesWhereCellsMeet) {
  struct Case {
    int eastScale;
    bool scaleBoundaries;
    int westLimits, westScaleBoundaries;
  } cases[] = {
      {20000, false, 3, 0},
      {20000, true, 3, 0},
      {50000, false, 3, 0},
      {50000, true, 3, 1},
  };
  int n = 0;
  for (const Case& c : cases) {
    cells = std::make_unique<CellList>();
    const std::string west = "WEST000" + std::to_string(++n) + ".000", east = "EAST000" + std::to_string(n) + ".000";
    TopologyCell a(west, 20000), b(east, c.eastScale);
    a.area(s57::M_COVR, {{kCATCOV, "1"}}, {box(47.0, -122.0, 47.1, -121.95)});
    a.area(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, {box(47.0, -122.0, 47.1, -121.95)});
    b.area(s57::M_COVR, {{kCATCOV, "1"}}, {box(47.0, -121.95, 47.1, -121.9)});
    b.area(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, {box(47.0, -121.95, 47.1, -121.9)});
    const S57Cell& westCell = load(a, west);
    const S57Cell& eastCell = load(b, east);
    settings().setShowScaleBoundaries(c.scaleBoundaries ? 1 : 2);
    look(47.05, -121.95, 120000);  // both cells whole
    const Recorder recorder = drawRecorded();
    ASSERT_EQ(view.drawnCells.size(), 2u);
    const AreaFeature* westCoverage = areaOf(westCell, s57::M_COVR);
    EXPECT_EQ(recorder.count(westCoverage, "LC HODATA01"), c.westLimits) << c.eastScale << c.scaleBoundaries;
    EXPECT_EQ(recorder.count(westCoverage, "LC SCLBDY51"), c.westScaleBoundaries) << c.eastScale << c.scaleBoundaries;
    EXPECT_EQ(recorder.count(areaOf(eastCell, s57::M_COVR), "LC HODATA01"), 3) << c.eastScale << c.scaleBoundaries;
  }
}

// An M_CSCL area along the cell's west limit: its one edge inside the
// coverage is a scale boundary, shown when the mariner turns it on; its
// edges along the limit are not.
TEST_F(CoverageTest, ScaleBoundaryRoundAnAreaOfAnotherScale) {
  TopologyCell cell("CSCALE01.000");
  cell.area(s57::M_COVR, {{kCATCOV, "1"}}, {box(47.0, -122.0, 47.1, -121.9)});
  cell.area(s57::M_CSCL, {{kCSCALE, "10000"}}, {box(47.0, -122.0, 47.1, -121.97)});
  cell.area(kDEPARE, {{kDRVAL1, "20"}, {kDRVAL2, "30"}}, {box(47.0, -122.0, 47.1, -121.9)});
  const S57Cell& loaded = load(cell, "CSCALE01.000");
  look(47.05, -121.95, 40000);
  const AreaFeature* scaleArea = areaOf(loaded, s57::M_CSCL);
  ASSERT_NE(scaleArea, nullptr);
  EXPECT_EQ(drawRecorded().count(scaleArea, "LC SCLBDY51"), 0);
  settings().setShowScaleBoundaries(1);
  EXPECT_EQ(drawRecorded().count(scaleArea, "LC SCLBDY51"), 1);
}

// A safe depth area (10-30 m at a safety contour of 10) with holes: the
// edges round land, an unsurveyed area, a floating dock, a hulk, a pontoon
// and a dredged area shallower than the safety contour are the safety
// contour; those round a deeper dredged area are not, nor those round a
// shallower depth area where a depth contour of 10 m is the safety contour
// already (but they are where the cell has no such contour).
TEST_F(CoverageTest, TheSafetyContourRunsAlongLandAndEveryAreaThatIsNotSafeWater) {
  struct Hole {
    int objl;
    std::vector<Attribute> attributes;
    bool safetyContour;
  };
  const std::vector<Hole> holes = {
      {s57::LNDARE, {}, true},
      {s57::UNSARE, {}, true},
      {s57::FLODOC, {}, true},
      {s57::HULKES, {}, true},
      {s57::PONTON, {}, true},
      {s57::DRGARE, {{kDRVAL1, "5"}}, true},
      {s57::DRGARE, {{kDRVAL1, "12"}}, false},
      {kDEPARE, {{kDRVAL1, "5"}, {kDRVAL2, "10"}}, false},
  };
  for (const bool contour : {true, false}) {
    const std::string name = contour ? "SAFCON01.000" : "SAFCON02.000";
    TopologyCell cell(name);
    std::vector<Ring> rings = {box(47.0, -122.0, 47.1, -121.9)};
    for (std::size_t i = 0; i < holes.size(); ++i) {
      const double west = -121.99 + 0.011 * static_cast<double>(i);
      rings.push_back(box(47.04, west, 47.05, west + 0.008));
    }
    for (std::size_t i = 0; i < holes.size(); ++i) cell.area(holes[i].objl, holes[i].attributes, {rings[i + 1]});
    cell.area(kDEPARE, {{kDRVAL1, "10"}, {kDRVAL2, "30"}}, rings);
    if (contour) cell.line(kDEPCNT, {{kVALDCO, "10"}}, rings.back());
    const S57Cell& loaded = load(cell, name);
    const AreaFeature* safe = areaOf(loaded, kDEPARE, "DRVAL1", "10");
    ASSERT_NE(safe, nullptr);
    ASSERT_EQ(safe->exteriorParts.size(), 4u);
    ASSERT_EQ(safe->interiorParts.size(), 4 * holes.size());

    const auto result = procedureResult(*safe, loaded, settings());
    ASSERT_TRUE(result);
    ASSERT_EQ(result->partInstructions.size(), 4 + 4 * holes.size()) << name;
    for (std::size_t part = 0; part < 4; ++part)
      EXPECT_TRUE(result->partInstructions[part].empty()) << "the cell's limit, part " << part;
    int expected = 0;
    for (std::size_t i = 0; i < holes.size(); ++i) {
      const bool drawn = holes[i].safetyContour || (!contour && holes[i].objl == kDEPARE);
      expected += drawn ? 4 : 0;
      for (std::size_t side = 0; side < 4; ++side)
        EXPECT_EQ(result->partInstructions[4 + 4 * i + side].size(), drawn ? 1u : 0u)
            << name << ": hole " << i << " (OBJL " << holes[i].objl << "), side " << side;
    }

    // The pass draws them, round the holes, in the base display.
    settings().setDisplayCategory(0);
    look(47.045, -121.95, 120000);  // every hole
    EXPECT_EQ(drawRecorded().count(safe, "LS DEPSC"), expected) << name;
    settings().setDisplayCategory(1);
  }
}
