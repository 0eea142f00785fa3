#include "ContourLabelSymbols.h"

#include <string>

namespace {
// Stroke glyphs on a grid 8 wide and 12 high (y down); each stroke is a pen-up
// point followed by pen-down points. Scaled to 160 x 300 library units.
constexpr int kGridX = 20, kGridY = 25;
constexpr int kGlyphWidth = 8 * kGridX, kGlyphHeight = 12 * kGridY;

struct Point {
  int x, y;
};
using Stroke = std::vector<Point>;

const std::vector<Stroke>& glyph(int digit) {
  static const std::vector<Stroke> kGlyphs[10] = {
      {{{2, 0}, {6, 0}, {8, 2}, {8, 10}, {6, 12}, {2, 12}, {0, 10}, {0, 2}, {2, 0}}},
      {{{2, 2}, {4, 0}, {4, 12}}, {{2, 12}, {6, 12}}},
      {{{0, 2}, {2, 0}, {6, 0}, {8, 2}, {8, 4}, {0, 12}, {8, 12}}},
      {{{0, 1}, {2, 0}, {6, 0}, {8, 2}, {8, 4}, {6, 6}, {3, 6}},
       {{6, 6}, {8, 8}, {8, 10}, {6, 12}, {2, 12}, {0, 11}}},
      {{{6, 12}, {6, 0}, {0, 8}, {8, 8}}},
      {{{8, 0}, {1, 0}, {0, 5}, {5, 5}, {8, 7}, {8, 10}, {6, 12}, {2, 12}, {0, 11}}},
      {{{7, 0}, {3, 0}, {0, 4}, {0, 10}, {2, 12}, {6, 12}, {8, 10}, {8, 7}, {6, 5}, {2, 5}, {0, 7}}},
      {{{0, 0}, {8, 0}, {3, 12}}},
      {{{2, 6}, {0, 4}, {0, 2}, {2, 0}, {6, 0}, {8, 2}, {8, 4}, {6, 6}, {2, 6}, {0, 8}, {0, 10}, {2, 12}, {6, 12},
        {8, 10}, {8, 8}, {6, 6}}},
      {{{1, 12}, {5, 12}, {8, 8}, {8, 2}, {6, 0}, {2, 0}, {0, 2}, {0, 5}, {2, 7}, {6, 7}, {8, 5}}},
  };
  return kGlyphs[digit];
}

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
      d.hpgl = "SPA;SW1;";
      for (const Stroke& stroke : glyph(digit)) {
        auto point = [&](const Point& p) {
          return std::to_string(left + p.x * kGridX) + "," + std::to_string(top + p.y * kGridY);
        };
        d.hpgl += "PU" + point(stroke[0]) + ";PD";
        for (std::size_t i = 1; i < stroke.size(); ++i) d.hpgl += (i > 1 ? "," : "") + point(stroke[i]);
        d.hpgl += ";";
      }
      symbols.push_back(std::move(d));
    }
  }
  return symbols;
}
