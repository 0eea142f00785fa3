#include <QPainter>

#include "ChartFont.h"
#include "ColourTable.h"
#include "ColourToken.h"
#include "DrawScratch.h"
#include "DrawTestSupport.h"
#include "Instruction.h"
#include "LibraryDrawings.h"
#include "TextDrawing.h"

using namespace drawtest;

// Found by argument lookup: TextBox lives in the global namespace.
static bool operator==(const TextBox& a, const TextBox& b) {
  return a.left == b.left && a.right == b.right && a.top == b.top && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& s, const TextBox& b) {
  return s << "[" << b.left << ".." << b.right << " x " << b.top << ".." << b.bottom << "]";
}

namespace {
class TextDrawingTest : public DrawTest {};

// A prepared text: justification h and v, offsets x and y.
PlainText text(std::string shown, int h = 1, int v = 1, int x = 0, int y = 0, std::string national = "") {
  PlainText t;
  t.horizontal = h;
  t.vertical = v;
  t.xOffset = x;
  t.yOffset = y;
  t.text = std::move(shown);
  t.nationalText = std::move(national);
  t.prepared = true;
  return t;
}

std::vector<QString> drawnTexts(const std::vector<PlainText>& instructions, bool national = true,
                                QPointF anchor = {10000, 10000}) {
  RecordingDevice device;
  TextBoxList boxes;
  QPainter painter(&device);
  ChartFont().setUp(painter);
  ColourTable table;
  table.entries[static_cast<std::size_t>(colourIndex("CHBLK"))] = QColor(7, 7, 7);
  const PresentationLibrary library;
  LibraryDrawings drawings(library);
  DrawScratch scratch;
  for (const PlainText& t : instructions) drawText(Canvas{painter, table, drawings, scratch}, anchor, t, boxes, national);
  painter.end();
  std::vector<QString> texts;
  for (const PaintCall& c : device.ofKind(PaintCall::Text)) {
    texts.push_back(c.text);
    EXPECT_EQ(c.pen.color(), QColor(7, 7, 7));  // CHBLK when the instruction names no colour
  }
  return texts;
}
}  // namespace

TEST_F(TextDrawingTest, HalfWidthPerByte) {
  const std::pair<int, int> cases[] = {{0, 150}, {4, 150}, {5, 120}, {9, 120}, {10, 110},
                                       {19, 110}, {20, 100}, {39, 100}, {40, 95}, {200, 95}};
  for (auto [bytes, half] : cases) EXPECT_EQ(textHalfWidthPerByte(bytes), half) << bytes;
}

TEST_F(TextDrawingTest, BoxesFromJustificationAndOffsets) {
  struct Case {
    PlainText instruction;
    TextBox box;
    bool alignRight;
  } cases[] = {
      {text("Name", 1, 1), {1000 - 600, 1000 + 600, 2000 - 150, 2000 + 250}, false},
      {text("Name", 2, 2), {1000 - 1200, 1000, 2000 - 250, 2000 + 250}, true},
      {text("Name", 3, 3), {1000, 1000 + 1200, 2000, 2000 + 500}, false},
      // Offsets: 2 b per x unit (b = 150 here), 300 per y unit.
      {text("Name", 3, 3, 2, -1), {1600, 1600 + 1200, 1700, 1700 + 500}, false},
      // Two Chinese characters are 6 bytes: b = 120, 1440 wide when centred.
      {text("\xE8\xA5\xBF\xE6\xB9\x96", 1, 1), {1000 - 720, 1000 + 720, 1850, 2250}, false},
  };
  for (const Case& c : cases) {
    bool right = false;
    const TextBox box = textBoxFor(QPointF(1000.7, 2000.7), c.instruction,
                                   static_cast<int>(c.instruction.text.size()), &right);
    EXPECT_EQ(box, c.box) << c.instruction.text << " " << c.instruction.horizontal;
    EXPECT_EQ(right, c.alignRight);
  }
}

TEST_F(TextDrawingTest, OverlapOfAHundredUnitsBothWaysSuppresses) {
  const TextBox placed{0, 1000, 0, 400};
  struct Case {
    const char* what;
    TextBox box;
    bool accepted;
  } cases[] = {
      {"same box", placed, false},
      {"overlap 100 both ways", {900, 1900, 300, 700}, false},
      {"overlap 99 across", {901, 1901, 0, 400}, true},
      {"overlap 99 down", {0, 1000, 301, 701}, true},
      {"inside", {400, 600, 100, 200}, false},
      {"to the left, overlapping 100", {-900, 100, 0, 400}, false},
  };
  for (const Case& c : cases) {
    TextBoxList boxes;
    boxes.boxes.push_back(placed);
    EXPECT_EQ(claimTextBox(boxes, c.box), c.accepted) << c.what;
    EXPECT_EQ(boxes.boxes.size(), c.accepted ? 2u : 1u) << c.what;
  }
}

TEST_F(TextDrawingTest, DeclutteringAndLanguage) {
  // Two identical labels at one place: the second is suppressed.
  EXPECT_EQ(drawnTexts({text("Bay"), text("Bay")}), (std::vector<QString>{"Bay"}));
  // An empty text draws nothing and keeps no other text away.
  EXPECT_EQ(drawnTexts({text(""), text("Bay")}), (std::vector<QString>{"Bay"}));
  // National text when chosen and present, else the text.
  const PlainText both = text("Bay", 1, 1, 0, 0, "\xE6\xB9\xBE");
  EXPECT_EQ(drawnTexts({both}), (std::vector<QString>{QString::fromUtf8("\xE6\xB9\xBE")}));
  EXPECT_EQ(drawnTexts({both}, false), (std::vector<QString>{"Bay"}));
}

TEST_F(TextDrawingTest, ChartFont) {
  const ChartFont chartFont;
  const QFont font = chartFont.font();
  EXPECT_EQ(font.pointSize(), 184);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_FALSE(font.italic());
  if (chartFont.applicationFontId() < 0) {
    EXPECT_EQ(font.family(), "Times New Roman");
  }
}
