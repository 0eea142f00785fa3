// Drawings that the XML has only as bitmaps, traced from a small sprite
// sheet made here: what the loaded commands draw, pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "ColourToken.h"
#include "ConverterFixture.h"
#include "PresentationLibrary.h"

namespace {
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "fixture lacks " << from;
  else text.replace(at, from.size(), to);
  return text;
}

// The traced symbol's pixels on the sheet, from its upper-left corner at
// (3, 2): R red, K near black, k black with alpha 200, h red with alpha 150
// (drawn half transparent), x red with alpha 60 (left out), . transparent.
const char* const kBitmap[] = {"RR..KK", "RRxxKK", "kkkkhh", "..R..."};
constexpr int kSheetWidth = 12, kSheetHeight = 8, kLeft = 3, kTop = 2, kWidth = 6, kHeight = 4;

std::string writeSheet(const TempDir& dir) {
  QImage sheet(kSheetWidth, kSheetHeight, QImage::Format_ARGB32);
  sheet.fill(qRgba(0, 200, 0, 255));  // opaque green around the bitmap shows a misplaced crop
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      QRgb colour = qRgba(0, 0, 0, 0);
      switch (kBitmap[y][x]) {
        case 'R': colour = qRgba(241, 84, 105, 255); break;
        case 'K': colour = qRgba(30, 30, 30, 255); break;
        case 'k': colour = qRgba(0, 0, 0, 200); break;
        case 'h': colour = qRgba(241, 84, 105, 150); break;
        case 'x': colour = qRgba(241, 84, 105, 60); break;
        default: break;
      }
      sheet.setPixel(kLeft + x, kTop + y, colour);
    }
  }
  const std::string path = dir.file("sheet.png");
  EXPECT_TRUE(sheet.save(QString::fromStdString(path), "PNG"));
  return path;
}

// The fixture with day colours to match (BKAJ2 is nearer to the K pixels
// than CHBLK, but not among the symbol's colours), a traced symbol and
// pattern, a bitmap-only sounding digit, and the bitmap-only namesake of
// TESTSY01 placed on the sheet as well.
std::string tracingXml(const std::string& location = "<graphics-location x=\"3\" y=\"2\"/>") {
  std::string xml = replaced(fixtureXml(), "<color name=\"CHBLK\" r=\"7\" g=\"8\" b=\"9\"/></color-table>",
                             "<color name=\"CHBLK\" r=\"7\" g=\"8\" b=\"9\"/><color name=\"CHRED\" r=\"241\" g=\"84\" "
                             "b=\"105\"/><color name=\"CHWHT\" r=\"212\" g=\"234\" b=\"238\"/><color name=\"BKAJ2\" "
                             "r=\"35\" g=\"39\" b=\"40\"/></color-table>");
  xml = replaced(xml, "<bitmap width=\"3\" height=\"3\"><pivot x=\"1\" y=\"1\"/></bitmap>",
                 "<bitmap width=\"3\" height=\"3\"><pivot x=\"1\" y=\"1\"/>" + location + "</bitmap>");
  xml = replaced(xml, "</patterns>",
                 "<pattern RCID=\"20\"><name>TRACEDPA</name><definition>R</definition><filltype>L</filltype>"
                 "<spacing>C</spacing><bitmap width=\"2\" height=\"2\"><distance min=\"3\" max=\"5\"/>"
                 "<pivot x=\"0\" y=\"0\"/><origin x=\"0\" y=\"0\"/>" + location +
                 "</bitmap><color-ref>ACHRED</color-ref></pattern>\n</patterns>");
  return replaced(xml, "</symbols>",
                  "<symbol RCID=\"30\"><name>TRACED01</name><description>traced</description>"
                  "<bitmap width=\"6\" height=\"4\"><distance min=\"0\" max=\"0\"/><pivot x=\"1\" y=\"2\"/>"
                  "<origin x=\"0\" y=\"0\"/>" + location +
                  "</bitmap><color-ref>ACHREDBCHBLKCCHWHT</color-ref><definition>R</definition></symbol>\n"
                  "<symbol RCID=\"31\"><name>SOUNDG12</name><bitmap width=\"6\" height=\"4\"><pivot x=\"1\" y=\"2\"/>"
                  "<origin x=\"0\" y=\"0\"/>" + location +
                  "</bitmap><color-ref>ACHRED</color-ref><definition>R</definition></symbol>\n</symbols>");
}

struct Traced {
  bool ok = false;
  std::string error;
  ConversionReport report;
  PresentationLibrary library;
};

void convertWithSheet(const TempDir& dir, Traced& t, const std::string& xml = tracingXml()) {
  LibrarySources sources = writeFixtureSources(dir, xml);
  sources.raster = writeSheet(dir);
  t.ok = convertLibrary(sources, dir.file("S57Lib"), t.report, t.error);
  if (t.ok) {
    EXPECT_EQ(loadPresentationLibrary(t.library, dir.file("S57Lib")), LibraryResult::Ok);
  }
}

// The filled polygons of a command list: colour, half transparency and bounds.
struct Polygon {
  int colour = 0;
  bool half = false;
  int left = 1 << 30, right = -(1 << 30), top = 1 << 30, bottom = -(1 << 30);
  void add(int x, int y) {
    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
  }
};

std::vector<Polygon> polygons(const std::vector<VectorCommand>& commands) {
  std::vector<Polygon> out;
  Polygon current;
  int penX = 0, penY = 0;
  bool open = false;
  for (const VectorCommand& c : commands) {
    if (c.opcode == kSP) current.colour = c.colour, current.half = false;
    if (c.opcode == kST) current.half = c.first == 2;
    if (c.opcode == kPU) penX = c.first, penY = c.second;
    if (c.opcode == kPM && c.first == 0) {
      Polygon p;
      p.colour = current.colour;
      p.half = current.half;
      p.add(penX, penY);
      out.push_back(p);
      open = true;
    }
    if (c.opcode == kPD && open) out.back().add(c.first, c.second);
    if (c.opcode == kPM && c.first == 2) open = false;
  }
  return out;
}
}  // namespace

TEST(BitmapTracing, TracedSymbolDrawsEachPixelInItsToken) {
  TempDir dir;
  Traced t;
  convertWithSheet(dir, t);
  ASSERT_TRUE(t.ok) << t.error;
  ASSERT_EQ(t.library.symbols.count("TRACED01"), 1u);
  const SymbolDefinition& s = t.library.symbols.at("TRACED01");

  // Which polygons hold each pixel's centre: R red, r red half transparent,
  // K black, . none, ? more than one or another colour.
  const std::vector<Polygon> drawn = polygons(s.commands);
  std::vector<std::string> layout;
  for (int y = 0; y < kHeight; ++y) {
    std::string row;
    for (int x = 0; x < kWidth; ++x) {
      const int cx = scaleSymbolUnits(32 * x + 16), cy = scaleSymbolUnits(32 * y + 16);
      std::string hits;
      for (const Polygon& p : drawn) {
        if (cx < p.left || cx > p.right || cy < p.top || cy > p.bottom) continue;
        hits += p.colour == colourIndex("CHRED") ? (p.half ? 'r' : 'R') : p.colour == colourIndex("CHBLK") ? 'K' : '?';
      }
      row += hits.empty() ? '.' : hits.size() == 1 ? hits[0] : '?';
    }
    layout.push_back(row);
  }
  EXPECT_EQ(layout, (std::vector<std::string>{"RR..KK", "RR..KK", "KKKKrr", "..R..."}));

  // Five rectangles: two blocks and a row of black, a block and a single
  // pixel of red, the half transparent pair; the largest region first.
  EXPECT_EQ(drawn.size(), 5u);
  EXPECT_EQ(drawn.front().colour, colourIndex("CHBLK"));
  EXPECT_EQ(t.report.tracedSymbols, 1);
  EXPECT_EQ(t.report.tracedRectangles, 5 + 1);  // and the pattern's one
  EXPECT_EQ(t.report.mostTracedName, "TRACED01");

  // The source's letters for the tokens used; the pivot at the centre of
  // its pixel; the box the bitmap's, 32 units a pixel.
  EXPECT_EQ(s.colourReferences, (ColourReferences{{"A", "CHRED"}, {"B", "CHBLK"}}));
  EXPECT_EQ(std::make_pair(s.pivotColumn, s.pivotRow), std::make_pair(scaleSymbolUnits(48), scaleSymbolUnits(80)));
  EXPECT_EQ(std::make_tuple(s.boxColumn, s.boxRow, s.width, s.height),
            std::make_tuple(0, 0, scaleSymbolUnits(192), scaleSymbolUnits(128)));
  EXPECT_EQ(s.typeLetter, "V");
}

TEST(BitmapTracing, DrawnAndVectorNamesAreNotTracedAndPatternsAreLineWork) {
  TempDir dir;
  Traced t;
  convertWithSheet(dir, t);
  ASSERT_TRUE(t.ok) << t.error;
  // The vector TESTSY01 and the project's sounding digit stay, in place of their bitmaps.
  EXPECT_EQ(t.library.symbols.at("TESTSY01").commands.size(), 153u);
  const SymbolDefinition& digit = t.library.symbols.at("SOUNDG12");
  EXPECT_TRUE(polygons(digit.commands).empty());
  EXPECT_EQ(digit.colourReferences.at("A"), "SNDG1");
  EXPECT_EQ(t.report.bitmapOnlySymbols, 3);  // TESTSY01's and SOUNDG12's bitmaps, RASTER01 (nowhere on the sheet)

  // The pattern: its pen width set for the tile, the rectangle's outline
  // closed, the distances scaled from pixels.
  const PatternDefinition& p = t.library.patterns.at("TRACEDPA");
  EXPECT_EQ(t.report.tracedPatterns, 1);
  EXPECT_EQ(std::make_tuple(p.fillKind, p.spacingKind, p.minimumDistance, p.maximumDistance),
            std::make_tuple(std::string("LIN"), std::string("CON"), scaleSymbolUnits(96), scaleSymbolUnits(160)));
  ASSERT_GE(p.commands.size(), 4u);
  EXPECT_EQ(p.commands[1].opcode, kSW);
  const VectorCommand& start = p.commands[2];
  const VectorCommand& end = p.commands[p.commands.size() - 2];
  ASSERT_EQ(start.opcode, kPU);
  ASSERT_EQ(end.opcode, kPD);
  EXPECT_EQ(std::make_pair(start.first, start.second), std::make_pair(end.first, end.second));
  EXPECT_EQ(t.library.patterns.count("BITMAPPA"), 0u);  // no place on the sheet
}

TEST(BitmapTracing, UnreadableSheetOrBitmapOffTheSheetIsReported) {
  struct Case {
    const char* what;
    bool imageFile;
    std::string xml;
    std::string message;
  } cases[] = {
      {"not an image", false, tracingXml(), "sheet.png: cannot read as an image"},
      {"off the sheet", true, tracingXml("<graphics-location x=\"7\" y=\"2\"/>"),
       "the bitmap of TRACED01 lies outside the raster sheet of 12 x 8 pixels"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    LibrarySources sources = writeFixtureSources(dir, c.xml);
    sources.raster = c.imageFile ? writeSheet(dir) : dir.write("sheet.png", "not a picture");
    ConversionReport report;
    std::string error;
    EXPECT_FALSE(convertLibrary(sources, dir.file("S57Lib"), report, error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("S57Lib")));
  }
}
