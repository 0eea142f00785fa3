#include "SoundingFigureSymbols.h"

#include <string>

#include "DigitGlyphs.h"

namespace {
constexpr int kPivot = 750;

// Whole digits: 160 x 300 units, vertically centred on the pivot, with 40
// units between row 1 and row 0 around it.
constexpr int kGridX = 20, kGridY = 25;
constexpr int kDigitWidth = kGlyphColumns * kGridX, kDigitHeight = kGlyphRows * kGridY;
constexpr int kTop = kPivot - kDigitHeight / 2;
constexpr int kBaseline = kTop + kDigitHeight;
constexpr int kRowZeroLeft = kPivot + 20;

// The tenths: three quarters of a whole digit, their foot 90 units below the
// others' baseline.
constexpr int kTenthsGridX = 15, kTenthsGridY = 19;
constexpr int kTenthsWidth = kGlyphColumns * kTenthsGridX, kTenthsHeight = kGlyphRows * kTenthsGridY;
constexpr int kTenthsTop = kBaseline + 90 - kTenthsHeight;

// Left edge of each row's digit, in places right of row 0.
constexpr int kPlacesRight[5] = {0, -1, -2, -3, 1};

struct Family {
  const char* prefix;
  const char* colourRef;
  const char* depths;
};
constexpr Family kFamilies[2] = {{"SOUNDG", "ASNDG1", "deeper than the safety contour"},
                                 {"SOUNDS", "ASNDG2", "at most the safety contour"}};

// The marks, placed as the XML library draws them where it has them: they
// frame rows 2 to 0 and the tenths.
struct Mark {
  const char* suffix;
  const char* what;
  const char* commands;
  int left, top, width, height;
};
constexpr Mark kMarks[3] = {
    {"A1", "drying height", "PU525,970;PD730,970;", 525, 970, 205, 1},
    {"B1", "swept sounding", "PU340,928;PD340,1059;PD971,1059;PD971,928;", 340, 928, 631, 131},
    {"C2", "sounding of low accuracy", "PU750,750;CI427;", 323, 323, 854, 854},
};

XmlDrawing figureSymbol(const Family& family, const std::string& suffix, const std::string& description) {
  XmlDrawing d;
  d.name = family.prefix + suffix;
  d.definition = "V";
  d.description = description + ", for soundings " + family.depths;
  d.colourRef = family.colourRef;
  d.hasVector = true;
  d.pivotX = d.pivotY = kPivot;
  d.hpgl = "SPA;SW1;";
  return d;
}
}  // namespace

std::vector<XmlDrawing> soundingFigureSymbols() {
  std::vector<XmlDrawing> symbols;
  for (const Family& family : kFamilies) {
    for (int row = 0; row < 6; ++row) {
      for (int digit = 0; digit < 10; ++digit) {
        XmlDrawing d = figureSymbol(family, std::to_string(row) + std::to_string(digit),
                                    "sounding digit " + std::to_string(digit) + ", row " + std::to_string(row));
        if (row == 5) {
          d.originX = kRowZeroLeft;
          d.originY = kTenthsTop;
          d.width = kTenthsWidth;
          d.height = kTenthsHeight;
          d.hpgl += digitGlyphCommands(digit, d.originX, d.originY, kTenthsGridX, kTenthsGridY);
        } else {
          d.originX = kRowZeroLeft + kPlacesRight[row] * kSoundingPlace;
          d.originY = kTop;
          d.width = kDigitWidth;
          d.height = kDigitHeight;
          d.hpgl += digitGlyphCommands(digit, d.originX, d.originY, kGridX, kGridY);
        }
        symbols.push_back(std::move(d));
      }
    }
    for (const Mark& mark : kMarks) {
      XmlDrawing d = figureSymbol(family, mark.suffix, mark.what);
      d.originX = mark.left;
      d.originY = mark.top;
      d.width = mark.width;
      d.height = mark.height;
      d.hpgl += mark.commands;
      symbols.push_back(std::move(d));
    }
  }
  return symbols;
}
