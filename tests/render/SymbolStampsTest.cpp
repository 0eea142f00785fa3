// Symbols stamped from their images land where drawSymbol draws them: every
// pixel of either picture lies within the colours of the other's pixels at
// most one pixel away, give or take what a shift of an eighth of a pixel
// changes of an edge's shade. A symbol whose pixels depend on the painter's pen is drawn
// in place.
#include <QPainter>
#include <algorithm>

#include "DrawTestSupport.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"
#include "SymbolStamps.h"

using namespace drawtest;

namespace {
// True when each channel of `image`'s pixel at (x, y) lies between the least
// and the most of that channel among `other`'s pixels one pixel around it
// (give or take `slack`).
bool withinAPixel(const QImage& image, const QImage& other, int x, int y, int slack) {
  const QRgb p = image.pixel(x, y);
  const int channels[4] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
  for (int k = 0; k < 4; ++k) {
    int least = 255, most = 0;
    for (int yy = std::max(0, y - 1); yy <= std::min(other.height() - 1, y + 1); ++yy)
      for (int xx = std::max(0, x - 1); xx <= std::min(other.width() - 1, x + 1); ++xx) {
        const QRgb q = other.pixel(xx, yy);
        const int c[4] = {qRed(q), qGreen(q), qBlue(q), qAlpha(q)};
        least = std::min(least, c[k]);
        most = std::max(most, c[k]);
      }
    if (channels[k] < least - slack || channels[k] > most + slack) return false;
  }
  return true;
}

// The pixels of either picture that lie farther than a pixel from the other
// (a stamp lies up to an eighth of a pixel off along each axis: the shade of
// a slanting edge may change by up to a quarter of the full step).
int pixelsApart(const QImage& a, const QImage& b) {
  int apart = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (!withinAPixel(a, b, x, y, 64) || !withinAPixel(b, a, x, y, 64)) ++apart;
  return apart;
}

class SymbolStampsTest : public DrawTest {
protected:
  void SetUp() override {
    DrawTest::SetUp();
    setColour("CHBLK", QColor(0, 0, 0));
    setColour("CHMGD", QColor(200, 0, 200));
    setColour("LITGN", QColor(0, 200, 0));
  }

  void define(const std::string& name, std::vector<VectorCommand> commands) {
    SymbolDefinition& s = library().symbols[name];
    s.name = name;
    s.pivotColumn = 300;
    s.pivotRow = 200;
    s.commands = std::move(commands);
  }

  // The symbol at anchors on and between pixels, 23 logical units to the
  // pixel as in the chart, stamped or drawn in place, over a grey ground.
  QImage picture(const std::string& name, bool stamped, int rotation = 0) {
    QImage image(160, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(180, 190, 200));
    QPainter painter(&image);
    painter.setWindow(0, 0, 160 * 23, 100 * 23);
    painter.setRenderHint(QPainter::Antialiasing, true);
    Canvas c = canvas(painter);
    c.stampSymbols = stamped;
    for (const QPointF& at : {QPointF(460, 460), QPointF(1234.7, 987.3), QPointF(2011.5, 1509.25),
                              QPointF(2900.2, 600.9), QPointF(3300, 1900.6)})
      drawSymbolFast(c, at, name, rotation);
    return image;
  }
};
}  // namespace

TEST_F(SymbolStampsTest, StampsLandWithinAPixelOfTheSymbolDrawnInPlace) {
  struct Case {
    const char* what;
    std::vector<VectorCommand> commands;
    int rotation;
  } cases[] = {
      {"a plain polyline", {SP(colour("CHBLK")), SW(1), PU(300, 100), PD(500, 100), PD(450, 300), PD(300, 250)}, 0},
      {"a filled polygon with its outline and a dot in a circle",
       {SP(colour("LITGN")), SW(1), PU(400, 400), PM(0), PD(400, 0), PD(0, 400), PD(400, 400), PM(2),
        SP(colour("CHBLK")), SW(1), PU(400, 400), PD(400, 0), PD(0, 400), PD(400, 400), PU(300, 300), PM(0), CI(15),
        PM(2)},
       0},
      {"a see-through circle, turned", {SP(colour("CHMGD")), ST(2), SW(2), PU(300, 300), CI(150), PD(600, 300)}, 135},
  };
  for (const Case& c : cases) {
    define("STAMP001", c.commands);
    const QImage inPlace = picture("STAMP001", false, c.rotation);
    const QImage stamped = picture("STAMP001", true, c.rotation);
    EXPECT_NE(stamped, picture("NOSUCH01", true)) << c.what;  // something was drawn
    EXPECT_EQ(pixelsApart(stamped, inPlace), 0) << c.what;
  }
}

TEST_F(SymbolStampsTest, LeavesThePenAndBrushAsDrawingInPlaceDoes) {
  define("STAMP002", {SP(colour("LITGN")), SW(2), PU(0, 0), PD(400, 400), PU(300, 300), PM(0), PD(400, 300),
                      PD(300, 400), PM(2)});
  QImage image = blankImage(100, 100);
  QPainter painter(&image);
  painter.setWindow(0, 0, 2300, 2300);
  Canvas c = canvas(painter);
  drawSymbol(c, QPointF(500, 500), "STAMP002", 0);
  const QPen pen = painter.pen();
  const QBrush brush = painter.brush();
  painter.setPen(QPen(Qt::red));
  painter.setBrush(Qt::blue);
  c.stampSymbols = true;
  ASSERT_TRUE(stampSymbol(c, QPointF(800, 800), library().symbols["STAMP002"], 0));
  EXPECT_EQ(painter.pen(), pen);
  EXPECT_EQ(painter.brush(), brush);
  // The painter's transform is back as it was.
  EXPECT_EQ(painter.combinedTransform(), QTransform::fromScale(1.0 / 23, 1.0 / 23));
}

TEST_F(SymbolStampsTest, ASymbolStrokedWithThePaintersPenIsDrawnInPlace) {
  // No SW: the line takes whatever pen the painter holds.
  define("STAMP003", {SP(colour("CHBLK")), PU(0, 0), PD(600, 300)});
  QImage image = blankImage(100, 100);
  QPainter painter(&image);
  painter.setWindow(0, 0, 2300, 2300);
  Canvas c = canvas(painter);
  c.stampSymbols = true;
  EXPECT_FALSE(stampSymbol(c, QPointF(500, 500), library().symbols["STAMP003"], 0));
  // Nor is anything stamped through a turned painter.
  define("STAMP004", {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(600, 300)});
  painter.rotate(30);
  EXPECT_FALSE(stampSymbol(c, QPointF(500, 500), library().symbols["STAMP004"], 0));
}

TEST_F(SymbolStampsTest, FollowTheColourTable) {
  define("STAMP005", {SP(colour("CHMGD")), SW(2), PU(0, 0), PD(600, 300), PD(0, 600)});
  const QImage before = picture("STAMP005", true);
  setColour("CHMGD", QColor(0, 100, 250));
  EXPECT_EQ(pixelsApart(picture("STAMP005", true), picture("STAMP005", false)), 0);
  EXPECT_NE(picture("STAMP005", true), before);
}

// Symbols turned every way cannot grow a view's stamps without end: once
// full, a new one is refused (and drawn in place) while those kept stay.
TEST_F(SymbolStampsTest, AViewsStampsStayWithinTheirLimit) {
  SymbolDefinition symbol;
  symbol.commands = {SP(colour("CHBLK")), SW(1), PU(0, 0), PD(600, 300)};
  SymbolStamps stamps;
  int kept = 0;
  while (kept < 1000000 && stamps.entry(SymbolStamps::Key{&symbol, kept, 0, 0}, 1.0 / 23)) ++kept;
  EXPECT_GT(kept, 1000);
  EXPECT_LE(static_cast<std::size_t>(kept), SymbolStamps::kStampBytes / SymbolStamps::kEntryBytes);
  EXPECT_NE(stamps.entry(SymbolStamps::Key{&symbol, 0, 0, 0}, 1.0 / 23), nullptr);
}
