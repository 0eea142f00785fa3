// The world base map: its land file, the TopoJSON it is converted from, and
// the drawing under the cells.
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "CellFixtures.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ColourToken.h"
#include "DrawTestSupport.h"
#include "TestView.h"
#include "TopoJsonLand.h"
#include "WorldBaseMap.h"
#include "WorldLandFile.h"

using namespace drawtest;

namespace {

using Ring = std::vector<GeoPoint>;

// A square of `half` degrees about a position, as a ring.
Ring square(double latitude, double longitude, double half) {
  return {{latitude - half, longitude - half},
          {latitude - half, longitude + half},
          {latitude + half, longitude + half},
          {latitude + half, longitude - half}};
}

// Two levels: a coarse one from scale 5e7 with one island, a fine one with
// the island and a lake in it.
WorldLandData twoLevels() {
  WorldLandData data;
  data.levels.push_back({5e7f, {{{square(0, 0, 5)}}}});
  data.levels.push_back({0, {{{square(0, 0, 5), square(0, 0, 1)}}}});
  return data;
}

void putU32(std::string& s, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(WorldLandFile, RoundTripKeepsLevelsRingsAndPositions) {
  WorldLandData in = twoLevels();
  in.levels[1].polygons[0].rings[1][2] = {-0.1234567, 179.9999999};
  WorldLandData out;
  std::string error;
  const std::string bytes = encodeWorldLand(in);
  ASSERT_TRUE(decodeWorldLand(bytes.data(), bytes.size(), out, error)) << error;
  ASSERT_EQ(out.levels.size(), 2u);
  EXPECT_EQ(out.levels[0].fromScale, 5e7f);
  ASSERT_EQ(out.levels[1].polygons[0].rings.size(), 2u);
  const GeoPoint p = out.levels[1].polygons[0].rings[1][2];
  EXPECT_NEAR(p.latitude, -0.1234567, 1e-7);
  EXPECT_NEAR(p.longitude, 179.9999999, 1e-7);
}

TEST(WorldLandFile, DamagedFilesAreRefusedWithTheirReason) {
  const std::string good = encodeWorldLand(twoLevels());
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  std::vector<Case> cases = {
      {"empty", "", "no CHWB tag"},
      {"other tag", "CHWX" + good.substr(4), "no CHWB tag"},
      {"truncated header", good.substr(0, 9), "inside the header"},
      {"truncated in a ring", good.substr(0, good.size() - 3), "point count"},
      {"trailing bytes", good + "xy", "2 bytes after the last level"},
  };
  auto patched = [&](std::size_t at, std::uint32_t value) {
    std::string s = good;
    putU32(s, at, value);
    return s;
  };
  cases.push_back({"version 2", patched(4, 2), "unknown version 2"});
  // Hostile counts are refused before anything is allocated for them.
  cases.push_back({"level count", patched(8, 0xFFFFFFFFu), "level count 4294967295 too large"});
  cases.push_back({"polygon count", patched(16, 0x7FFFFFFFu), "polygon count"});
  cases.push_back({"ring count", patched(20, 0x7FFFFFFFu), "ring count"});
  cases.push_back({"point count", patched(24, 0x7FFFFFFFu), "point count"});
  cases.push_back({"latitude beyond 90", patched(32, 910000000u), "outside"});
  QElapsedTimer clock;
  clock.start();
  for (const Case& c : cases) {
    WorldLandData data = twoLevels();
    std::string error;
    EXPECT_FALSE(decodeWorldLand(c.bytes.data(), c.bytes.size(), data, error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(data.levels.empty()) << c.what;
  }
  EXPECT_LT(clock.elapsed(), 1000);

  WorldLandData data;
  std::string error;
  EXPECT_FALSE(readWorldLandFile("/no/such/worldland.bin", data, error));
  EXPECT_EQ(error, "/no/such/worldland.bin: cannot be opened");
}

// ---- TopoJSON ------------------------------------------------------------------

TEST(TopoJsonLand, QuantisedDeltaArcsReversedArcsAndHoles) {
  // Arc 0 runs from (0,0) to (10,0) to (10,10), arc 1 from (10,10) to
  // (0,10) to (0,0), both as integer steps scaled by 0.5 and moved by
  // (100, -20). Arc 2 is a small ring, used reversed as a hole.
  const QByteArray json = R"({"type":"Topology",
    "transform":{"scale":[0.5,0.5],"translate":[100,-20]},
    "objects":{"land":{"type":"GeometryCollection","geometries":[
      {"type":"MultiPolygon","arcs":[[[0,1],[-3]]]},
      {"type":"Point","coordinates":[1,1]}]}},
    "arcs":[[[0,0],[10,0],[0,10]],[[10,10],[-10,0],[0,-10]],[[2,2],[0,2],[2,0],[0,-2],[-2,0]]]})";
  std::vector<WorldLandPolygon> polygons;
  QString error;
  ASSERT_TRUE(decodeTopoJsonLand(json, polygons, error)) << qPrintable(error);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_EQ(polygons[0].rings.size(), 2u);
  auto text = [](const Ring& ring) {
    std::string s;
    for (const GeoPoint& p : ring) s += "(" + std::to_string(int(p.longitude)) + "," + std::to_string(int(p.latitude)) + ")";
    return s;
  };
  // Positions in degrees: x = 100 + 0.5 * sum of x steps, y = -20 + 0.5 * sum of y steps.
  EXPECT_EQ(text(polygons[0].rings[0]), "(100,-20)(105,-20)(105,-15)(100,-15)");
  EXPECT_EQ(text(polygons[0].rings[1]), "(101,-19)(102,-19)(102,-18)(101,-18)");
}

TEST(TopoJsonLand, MalformedTopologiesAreRefused) {
  struct Case {
    const char* json;
    const char* reason;
  } cases[] = {
      {"{not json", "not JSON"},
      {R"({"type":"FeatureCollection","features":[]})", "not a TopoJSON topology"},
      {R"({"type":"Topology","objects":{"l":{"type":"Polygon","arcs":[[5]]}},"arcs":[[[0,0],[1,1]]]})",
       "arc index 5 out of range"},
      {R"({"type":"Topology","objects":{"l":{"type":"Polygon","arcs":[[0]]}},"arcs":[[[0,"a"]]]})",
       "not two numbers"},
      // A ring that runs one arc over and over costs more than the file holds.
      {R"({"type":"Topology","objects":{"l":{"type":"Polygon","arcs":[[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]]}},"arcs":[[[0,0],[1,1]]]})",
       "more than twice over"},
  };
  for (const Case& c : cases) {
    std::vector<WorldLandPolygon> polygons(1);
    QString error;
    EXPECT_FALSE(decodeTopoJsonLand(c.json, polygons, error)) << c.json;
    EXPECT_TRUE(error.contains(c.reason)) << qPrintable(error);
    EXPECT_TRUE(polygons.empty());
  }
}

// ---- drawing -----------------------------------------------------------------

class WorldBaseMapDraw : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("LANDA", kLand);
    setColour("NODTA", kNoData);
    setColour("DEPDW", kDeep);
    setColour("DEPMD", kCell);
    map.setLand(twoLevels());
  }

  // The view centred on a position at a scale, drawn through the base map
  // alone or (with cells) the whole pass, into a 400 x 300 image.
  QImage draw(GeoPoint centre, float scale, const std::vector<S57Cell*>* cells = nullptr) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    setupPainter(painter, image.width(), image.height(), view);
    view.scale = scale;
    setCentreGeo(centre.latitude, centre.longitude, view);
    // The levels go by the true scale: at the equator, this pixel size makes
    // it the view scale.
    view.pixelMillimetres = testsupport::pixelMillimetresOfViewScale();
    if (cells) {
      ChartEngine engine(library());
      engine.worldBaseMap().setLand(twoLevels());
      view.draw(painter, engine, settings(), *cells);
    } else {
      map.draw(canvas(painter), view, view.baseMapBuffers);
    }
    return image;
  }
  // The pixel of a position in the last view.
  QColor at(const QImage& image, GeoPoint g) const {
    const QPointF p = toLogicalExact(geoToChart(g), view);
    return image.pixelColor(static_cast<int>(p.x() / 23), static_cast<int>(p.y() / 23));
  }

  // The base map's land is halfway between the chart's land and no data;
  // its sea is left as it was (white here), and in a pass it is no data.
  const QColor kLand{201, 185, 122}, kNoData{163, 181, 183}, kMuted{182, 183, 152}, kSea{Qt::white},
      kDeep{212, 234, 238}, kCell{97, 183, 255};
  WorldBaseMap map;
  ChartView view;
};

TEST_F(WorldBaseMapDraw, LandInAMutedToneWithLakesOpenAndTheLevelByScale) {
  EXPECT_EQ(map.levelFor(6e7f), 0);
  EXPECT_EQ(map.levelFor(5e7f), 0);
  EXPECT_EQ(map.levelFor(4.9e7f), 1);
  EXPECT_EQ(map.levelFor(1000), 1);

  // Fine level: the lake is open water.
  QImage image = draw({0, 0}, 3e7f);
  EXPECT_EQ(at(image, {0, 0}), kSea);       // the lake
  EXPECT_EQ(at(image, {3, 3}), kMuted);      // the island around it
  EXPECT_EQ(at(image, {-3, -2}), kMuted);
  EXPECT_EQ(at(image, {0, 6.5}), kSea);     // the sea beyond its coast
  EXPECT_EQ(map.polygonsDrawn(), 1);
  // Coarse level: no lake.
  image = draw({0, 0}, 5e7f);
  EXPECT_EQ(at(image, {0, 0}), kMuted);
  // Far away from the island: sea only, nothing drawn.
  image = draw({40, 60}, 3e7f);
  EXPECT_EQ(image.pixelColor(200, 150), kSea);
  EXPECT_EQ(map.polygonsDrawn(), 0);
  // Zoomed right in on the coast: the polygon is clipped to the view, not
  // lost to coordinates far beyond it.
  image = draw({0, 5}, 1000);
  EXPECT_EQ(image.pixelColor(100, 150), kMuted);
  EXPECT_EQ(image.pixelColor(300, 150), kSea);
}

TEST_F(WorldBaseMapDraw, LandPastTheAntimeridianShowsOnBothSides) {
  WorldLandData data;
  data.levels.push_back({0, {{{square(0, -178, 1)}}}});
  map.setLand(data);
  const QImage image = draw({0, 179}, 3e7f);
  EXPECT_EQ(at(image, {0, 178}), kSea);
  // 182 degrees east is the island at 178 west.
  EXPECT_EQ(at(image, {0, 182}), kMuted);
}

// Natural Earth's rings cross the 180th meridian as a step of nearly 360
// degrees (Fiji, Chukotka), and Antarctica's goes once round the pole. Each
// is filled as the land it is: no band of land round the world along the
// island's latitudes, no slab over the sea beside it.
TEST_F(WorldBaseMapDraw, RingsAcrossTheAntimeridianAndRoundAPoleAreFilledAsLand) {
  WorldLandData data;
  const Ring island = {{-17, 179}, {-17, -179}, {-16, -179}, {-16, 179}};  // across 180
  // From 60 east across 180 to 60 west and back: a long strip of land (as
  // Eurasia's round Chukotka), with a lake on the far side of 180.
  const Ring coast = {{63.5, 60},   {63.5, 120},  {63.5, 170},  {63.5, -170}, {63.5, -120}, {63.5, -60},
                      {66.5, -60},  {66.5, -120}, {66.5, -170}, {66.5, 170},  {66.5, 120},  {66.5, 60}};
  const Ring lake = {{64.5, -176}, {64.5, -172}, {65.5, -172}, {65.5, -176}};
  Ring antarctica;  // round the south pole eastwards, not closed on the plane
  for (int longitude = -180; longitude < 180; longitude += 30) antarctica.push_back({-70, double(longitude)});
  data.levels.push_back({0, {{{island}}, {{coast, lake}}, {{antarctica}}}});
  map.setLand(data);

  QImage image = draw({-16.5, 179.5}, 5e6f);
  EXPECT_EQ(at(image, {-16.5, 179.5}), kMuted);
  EXPECT_EQ(at(image, {-16.5, 180.5}), kMuted);  // 179.5 west, in the copy of the world in view
  EXPECT_EQ(at(image, {-16.5, 178}), kSea);  // beside the island, on its latitude
  EXPECT_EQ(at(image, {-16.5, 181.4}), kSea);

  image = draw({65, 179.9}, 2e7f);
  EXPECT_EQ(at(image, {65, 179.9}), kMuted);
  EXPECT_EQ(at(image, {65, 182}), kMuted);
  EXPECT_EQ(at(image, {65, 186}), kSea);       // the lake, beyond 180
  EXPECT_EQ(at(image, {62.8, 179.9}), kSea);   // south of the strip
  EXPECT_EQ(at(image, {67.2, 185}), kSea);     // north of it

  image = draw({-70, 0}, 2e7f);
  for (double longitude : {-5.0, 0.0, 5.0}) {
    EXPECT_EQ(at(image, {-71.5, longitude}), kMuted) << longitude;
    EXPECT_EQ(at(image, {-68.5, longitude}), kSea) << longitude;
  }
}

TEST_F(WorldBaseMapDraw, CellsDrawOverItAndTheSwitchTurnsItOff) {
  // A cell with one area in DEPMD over the island's middle.
  S57Cell cell;
  cell.name = "OVERLAND.000";
  cell.compilationScale = 10000000;
  const ChartPoint a = geoToChart({-2, -2}), b = geoToChart({2, 2});
  cell.extents = {{a.x, a.y, b.x, b.y}};
  cell.boundingBox = cell.extents[0];
  auto area = std::make_unique<AreaFeature>();
  area->objectClass = 42;
  AreaColour fill;
  fill.colour = colourIndex("DEPMD");
  area->secondLookup.instructions = {fill};
  area->display.secondCategory = 0;
  area->exteriorVertices = {{{a.x, a.y}}, {{b.x, a.y}}, {{b.x, b.y}}, {{a.x, b.y}}};
  area->updateBounds();
  cell.areas.push_back(std::move(area));
  settings().setShowCellBoundaries(2);
  const std::vector<S57Cell*> cells = {&cell};

  // The sea of the base map is no data, never the colour of deep water.
  QImage image = draw({0, 0}, 3e7f, &cells);
  EXPECT_EQ(at(image, {1.5, 1.5}), kCell);
  EXPECT_EQ(at(image, {3.5, 3.5}), kMuted);
  EXPECT_EQ(at(image, {0, 7}), kNoData);

  settings().setShowWorldBaseMap(2);
  image = draw({0, 0}, 3e7f, &cells);
  EXPECT_EQ(at(image, {1.5, 1.5}), kCell);
  EXPECT_EQ(at(image, {3.5, 3.5}), kNoData);
  EXPECT_EQ(at(image, {0, 7}), kNoData);
}

}  // namespace

namespace {

int runEnctool(const std::string& args) {
  return std::system((std::string(ENCTOOL_PATH) + " basemap " + args + " >/dev/null 2>&1").c_str());
}

TEST(EnctoolBasemap, WritesTheLevelsCoarsestFirstOrNothingOnABadSource) {
  fixtures::TempDirectory dir;
  const std::string good = dir.path + "/land.json", bad = dir.path + "/bad.json", out = dir.path + "/world.bin";
  std::ofstream(good) << R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[[0]]}},)"
                      << R"("arcs":[[[10,10],[20,10],[20,20],[10,10]]]})";
  std::ofstream(bad) << R"({"type":"Topology","objects":{"land":{"type":"Polygon","arcs":[[3]]}},"arcs":[]})";
  ASSERT_EQ(runEnctool("--level '" + good + "' 0 --level '" + good + "' 2e7 --out '" + out + "'"), 0);
  WorldLandData data;
  std::string error;
  ASSERT_TRUE(readWorldLandFile(out, data, error)) << error;
  ASSERT_EQ(data.levels.size(), 2u);
  EXPECT_EQ(data.levels[0].fromScale, 2e7f);
  EXPECT_EQ(data.levels[1].polygons[0].rings[0].size(), 3u);

  std::filesystem::remove(out);
  EXPECT_NE(runEnctool("--level '" + bad + "' 0 --out '" + out + "'"), 0);
  EXPECT_NE(runEnctool("--level '" + good + "' abc --out '" + out + "'"), 0);
  EXPECT_NE(runEnctool("--level '" + dir.path + "/none.json' 0 --out '" + out + "'"), 0);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
