#include "DigitGlyphs.h"

#include <vector>

namespace {
struct Point {
  int x, y;
};
// Each stroke is a pen-up point followed by pen-down points.
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
}  // namespace

std::string digitGlyphCommands(int digit, int left, int top, int stepX, int stepY) {
  std::string hpgl;
  auto point = [&](const Point& p) {
    return std::to_string(left + p.x * stepX) + "," + std::to_string(top + p.y * stepY);
  };
  for (const Stroke& stroke : glyph(digit)) {
    hpgl += "PU" + point(stroke[0]) + ";PD";
    for (std::size_t i = 1; i < stroke.size(); ++i) hpgl += (i > 1 ? "," : "") + point(stroke[i]);
    hpgl += ";";
  }
  return hpgl;
}
