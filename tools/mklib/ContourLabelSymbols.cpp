#include "ContourLabelSymbols.h"

#include <string>

#include "DigitGlyphs.h"

namespace {
// Glyph grid steps: digits of 160 x 300 library units.
constexpr int kGridX = 20, kGridY = 25;
constexpr int kGlyphWidth = kGlyphColumns * kGridX, kGlyphHeight = kGlyphRows * kGridY;

constexpr int kPivot = 750;
constexpr int kTenthsDrop = kGlyphHeight / 3;

// Centre of each row's digit place, in half places right of the pivot, and
// whether the row is lowered.
struct Row {
  int halfPlacesRight;
  bool lowered;
};
constexpr Row kRows[8] = {
    {0, false},   // 0: centred on the pivot
    {1, false},   // 1: right of the centre
    {-1, false},  // 2: left of the centre
    {-3, false},  // 3: one place left of row 2
    {-5, false},  // 4: two places left of row 2
    {3, true},    // 5: tenths, right of row 1
    {2, true},    // 6: tenths, right of row 0
    {3, false},   // 7: one place right of row 1
};
}  // namespace

std::vector<XmlDrawing> contourLabelSymbols() {
  std::vector<XmlDrawing> symbols;
  for (int row = 0; row < 8; ++row) {
    const int left = kPivot + kRows[row].halfPlacesRight * kDigitPlace / 2 - kGlyphWidth / 2;
    const int top = kPivot - kGlyphHeight / 2 + (kRows[row].lowered ? kTenthsDrop : 0);
    for (int digit = 0; digit < 10; ++digit) {
      XmlDrawing d;
      d.name = "SAFCON" + std::to_string(row) + std::to_string(digit);
      d.definition = "V";
      d.description = "contour label digit " + std::to_string(digit) + ", place " + std::to_string(row);
      d.colourRef = "ADEPSC";
      d.hasVector = true;
      d.width = kGlyphWidth;
      d.height = kGlyphHeight;
      d.pivotX = d.pivotY = kPivot;
      d.originX = left;
      d.originY = top;
      d.hpgl = "SPA;SW1;" + digitGlyphCommands(digit, left, top, kGridX, kGridY);
      symbols.push_back(std::move(d));
    }
  }
  return symbols;
}
