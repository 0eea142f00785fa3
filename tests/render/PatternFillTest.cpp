#include <QPainter>

#include "DrawTestSupport.h"
#include "PatternFill.h"
#include "ViewGeometry.h"

using namespace drawtest;

namespace {
class PatternFillTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHRED", QColor(255, 0, 0));
    // A linear pattern of 20 x 20 pixels: a red line 2 pixels wide, rows 9 and 10.
    PatternDefinition& p = library().patterns["STRIPES1"];
    p.name = "STRIPES1";
    p.fillKind = "LIN";
    p.width = p.height = 460;
    p.commands = {SP(colour("CHRED")), SW(2), PU(0, 230), PD(460, 230)};
  }

  // Fills a 100 x 100 pixel image with the pattern, as the draw pass does.
  QImage fill(const std::string& name) {
    QImage image = blankImage(100, 100);
    QPainter painter(&image);
    ViewGeometry view;
    setupPainter(painter, 100, 100, view);
    const QPoint square[] = {{0, 0}, {2300, 0}, {2300, 2300}, {0, 2300}};
    fillPattern(canvas(painter), square, 4, name, view);
    EXPECT_EQ(painter.window(), QRect(0, 0, 2300, 2300));  // logical units again afterwards
    return image;
  }
};

bool isRed(QRgb pixel) { return qRed(pixel) == 255 && qGreen(pixel) == 0 && qAlpha(pixel) == 255; }
}  // namespace

TEST_F(PatternFillTest, TileSizes) {
  struct Case {
    const char* fillKind;
    int d, w, h;
    QSize pixels;
  } cases[] = {
      {"LIN", 60, 300, 300, {15, 15}},
      {"STG", 60, 300, 300, {22, 31}},
      {"LIN", 0, 1350, 2587, {58, 112}},  // DIAMOND1 of the library
      {"XYZ", 0, 46, 0, {3, 0}},          // any other kind is staggered
      {"LIN", 0, 0, 400, {17, 17}},       // OVERSC01: a bare vertical stroke, a stroke's length apart
      {"LIN", 0, 460, 0, {20, 20}},       // a bare horizontal one
      {"LIN", 0, 0, 0, {0, 0}},           // nothing to repeat
  };
  for (const Case& c : cases) {
    PatternDefinition p;
    p.fillKind = c.fillKind;
    p.minimumDistance = c.d;
    p.width = c.w;
    p.height = c.h;
    p.commands = {SP(colour("CHRED")), SW(1), PU(0, 0), PD(10, 10)};
    const QSize units = patternTileUnits(p);
    EXPECT_EQ(QSize(units.width() / 23, units.height() / 23), c.pixels) << c.fillKind << " " << c.w;
    const QImage tile = buildPatternTile(p, *settings().colourTable);
    if (c.pixels.height() == 0)
      EXPECT_TRUE(tile.isNull());
    else
      EXPECT_EQ(tile.size(), c.pixels);
  }
}

// A bare vertical stroke stands in the middle of its tile, from top to
// bottom, so the fill shows unbroken lines.
TEST_F(PatternFillTest, BareStrokeInTheMiddleOfItsTile) {
  PatternDefinition p;
  p.fillKind = "LIN";
  p.width = 0;
  p.height = 460;
  p.boxColumn = 1000;
  p.boxRow = 500;
  p.commands = {SP(colour("CHRED")), SW(2), PU(1000, 500), PD(1000, 960)};
  const QImage tile = buildPatternTile(p, *settings().colourTable);
  ASSERT_EQ(tile.size(), QSize(20, 20));
  for (int y : {0, 10, 19}) {
    EXPECT_TRUE(isRed(tile.pixel(10, y))) << y;
    EXPECT_EQ(qAlpha(tile.pixel(3, y)), 0) << y;
    EXPECT_EQ(qAlpha(tile.pixel(16, y)), 0) << y;
  }
}

TEST_F(PatternFillTest, TileDrawnInThePatternPen) {
  const QImage tile = buildPatternTile(library().patterns["STRIPES1"], *settings().colourTable);
  ASSERT_EQ(tile.size(), QSize(20, 20));
  EXPECT_TRUE(isRed(tile.pixel(5, 9)));
  EXPECT_TRUE(isRed(tile.pixel(5, 10)));
  EXPECT_EQ(qAlpha(tile.pixel(5, 5)), 0);
  EXPECT_EQ(qAlpha(tile.pixel(5, 12)), 0);
}

// The texture repeats from the window's corner, whatever the polygon.
TEST_F(PatternFillTest, FillRepeatsTheTileFromTheWindowCorner) {
  const QImage image = fill("STRIPES1");
  for (int y : {9, 10, 29, 30, 89, 90}) EXPECT_TRUE(isRed(image.pixel(50, y))) << y;
  for (int y : {5, 15, 35, 95}) EXPECT_EQ(qAlpha(image.pixel(50, y)), 0) << y;
}

TEST_F(PatternFillTest, UnknownPatternDrawsNothing) {
  RecordingDevice device;
  QPainter painter(&device);
  const QPoint square[] = {{0, 0}, {2300, 0}, {2300, 2300}};
  fillPattern(canvas(painter), square, 3, "NOSUCH01", ViewGeometry());
  painter.end();
  EXPECT_TRUE(device.calls.empty());
}

// The cache builds a tile once per pattern and colour table and gives the
// same picture as building it every time.
TEST_F(PatternFillTest, TileCacheKeepsThePicture) {
  PatternTileCache& tiles = drawings().patternTiles;
  const long long start = tiles.tilesBuilt();
  const QImage first = fill("STRIPES1");
  const QImage second = fill("STRIPES1");
  EXPECT_EQ(tiles.tilesBuilt() - start, 1);
  EXPECT_EQ(first, second);

  // Another colour table is another tile.
  library().colourTables[static_cast<int>(ColourScheme::DUSK)].entries[colour("CHRED")] = QColor(128, 0, 0);
  settings().setColourScheme(2);
  const QImage dusk = fill("STRIPES1");
  EXPECT_EQ(tiles.tilesBuilt() - start, 2);
  EXPECT_EQ(qRed(dusk.pixel(50, 9)), 128);
  settings().setColourScheme(1);
  EXPECT_EQ(fill("STRIPES1"), first);
  EXPECT_EQ(tiles.tilesBuilt() - start, 2);

  tiles.setEnabled(false);
  EXPECT_EQ(fill("STRIPES1"), first);
  EXPECT_EQ(fill("STRIPES1"), first);
  tiles.setEnabled(true);
  EXPECT_EQ(tiles.tilesBuilt() - start, 4);
}
