#pragma once
// Vector forms for the drawings that chartsymbols.xml has only as bitmaps,
// traced from the day sprite sheet. Each pixel that is not mostly
// transparent takes the nearest colour token; the pixels of one token (and
// one transparency) are merged into few axis-aligned rectangles, and each
// rectangle is drawn as a filled polygon.
#include <QImage>
#include <string>
#include <vector>

#include "ChartSymbolsXml.h"

// One bitmap pixel is this many symbol units wide and high, the ratio of
// the vector and bitmap sizes of the drawings that have both.
constexpr int kUnitsPerPixel = 32;

// Pixels with less alpha are left out; those with less than the second
// value are drawn half transparent.
constexpr int kVisibleAlpha = 96, kOpaqueAlpha = 192;

// A block of pixels, corners included, counted from the bitmap's upper left.
struct PixelRectangle {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The pixels of one colour token and transparency.
struct TracedRegion {
  std::string token;
  bool halfTransparent = false;
  int pixels = 0;
  std::vector<PixelRectangle> rectangles;
};

// The regions of `bitmap` (in a format with alpha), largest first, their
// rectangles covering each pixel once. A pixel takes the nearest colour of
// `colours` among the tokens of `preferred`, or among all of them when none
// of `preferred` is there. Rectangles grow greedily: a row run first, then
// downwards while the whole run continues.
std::vector<TracedRegion> traceRegions(const QImage& bitmap, const std::vector<XmlColour>& colours,
                                       const std::vector<std::string>& preferred);

// The vector drawing of the bitmap-only `source` made of `regions`: pivot,
// box and distances from the bitmap scaled by kUnitsPerPixel, a colour
// reference for each token used (keeping the source's letter where it has
// one), and per region "SPx;" ("ST2;" when half transparent) followed by
// "PUx0,y0;PM0;PDx1,y0,x1,y1,x0,y1;PM2;" per rectangle.
//
// The symbol drawer outlines every filled polygon with a pen one screen
// pixel wide, a little more than a bitmap pixel, so a rectangle's polygon
// runs through the centres of its edge pixels and the pen adds the rest.
// A single pixel would then be a point, which draws nothing; its polygon
// keeps kSinglePixelSize units.
//
// A pattern is drawn in its tile as line work only: there each rectangle's
// outline is closed and drawn with pen width 1.
XmlDrawing tracedDrawing(const XmlDrawing& source, const std::vector<TracedRegion>& regions, bool pattern);

constexpr int kSinglePixelSize = 8;

// The colour tokens of a colour reference text (letter and token pairs).
std::vector<std::string> colourRefTokens(const std::string& colourRef);
