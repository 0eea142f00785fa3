#include "BitmapTracing.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {
constexpr long long kFarthestPivot = 1000;  // pixels

// Index into `colours` of the nearest colour (squared RGB distance) among `candidates`.
std::size_t nearestColour(QRgb pixel, const std::vector<XmlColour>& colours,
                          const std::vector<std::size_t>& candidates) {
  std::size_t best = candidates.front();
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i : candidates) {
    const int dr = qRed(pixel) - colours[i].red, dg = qGreen(pixel) - colours[i].green,
              db = qBlue(pixel) - colours[i].blue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

// Greedy cover of the cells of `mask` (row-major, width w) holding `label`.
std::vector<PixelRectangle> coverLabel(std::vector<int>& mask, int w, int h, int label) {
  std::vector<PixelRectangle> rectangles;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (mask[y * w + x] != label) continue;
      int right = x;
      while (right + 1 < w && mask[y * w + right + 1] == label) ++right;
      int bottom = y;
      auto runContinues = [&](int row) {
        for (int i = x; i <= right; ++i)
          if (mask[row * w + i] != label) return false;
        return true;
      };
      while (bottom + 1 < h && runContinues(bottom + 1)) ++bottom;
      for (int row = y; row <= bottom; ++row)
        std::fill(mask.begin() + row * w + x, mask.begin() + row * w + right + 1, -1);
      rectangles.push_back({x, y, right, bottom});
    }
  }
  return rectangles;
}
}  // namespace

std::vector<std::string> colourRefTokens(const std::string& colourRef) {
  std::vector<std::string> tokens;
  for (std::size_t i = 0; i + 6 <= colourRef.size(); i += 6) tokens.push_back(colourRef.substr(i + 1, 5));
  return tokens;
}

std::vector<TracedRegion> traceRegions(const QImage& bitmap, const std::vector<XmlColour>& colours,
                                       const std::vector<std::string>& preferred) {
  std::vector<TracedRegion> regions;
  if (colours.empty()) return regions;
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < colours.size(); ++i)
    if (std::find(preferred.begin(), preferred.end(), colours[i].token) != preferred.end()) candidates.push_back(i);
  if (candidates.empty())
    for (std::size_t i = 0; i < colours.size(); ++i) candidates.push_back(i);

  // Label of each pixel: colour index times two, plus one when half
  // transparent; -1 when left out.
  const QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  std::vector<int> mask(static_cast<std::size_t>(w) * h, -1);
  std::map<int, int> pixelsOfLabel;
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      const int alpha = qAlpha(line[x]);
      if (alpha < kVisibleAlpha) continue;
      const int colour = static_cast<int>(nearestColour(line[x], colours, candidates));
      const int label = colour * 2 + (alpha < kOpaqueAlpha ? 1 : 0);
      mask[y * w + x] = label;
      ++pixelsOfLabel[label];
    }
  }
  for (const auto& [label, pixels] : pixelsOfLabel) {
    TracedRegion region;
    region.token = colours[static_cast<std::size_t>(label / 2)].token;
    region.halfTransparent = label % 2 == 1;
    region.pixels = pixels;
    region.rectangles = coverLabel(mask, w, h, label);
    regions.push_back(std::move(region));
  }
  // Largest first, so that the outlines of large regions do not cover the
  // details drawn over them.
  std::stable_sort(regions.begin(), regions.end(),
                   [](const TracedRegion& a, const TracedRegion& b) { return a.pixels > b.pixels; });
  return regions;
}

XmlDrawing tracedDrawing(const XmlDrawing& source, const std::vector<TracedRegion>& regions, bool pattern) {
  const XmlBitmap& b = source.bitmap;
  XmlDrawing d;
  d.sourceLine = source.sourceLine;
  d.rcid = source.rcid;
  d.name = source.name;
  d.definition = "V";
  d.fillType = source.fillType;
  d.spacing = source.spacing;
  d.description = source.description;
  d.hasVector = true;
  d.bitmap = b;

  // The bitmap's upper-left corner lies far enough right and down that the
  // pivot, the centre of its pixel, has no negative coordinate. A pivot far
  // off the bitmap (the XML writes -2147483648 for none) is taken at its centre.
  auto pivotOffset = [](int pivot, int origin, int size) {
    const long long offset = static_cast<long long>(pivot) - origin;
    return offset < -kFarthestPivot || offset > kFarthestPivot ? size / 2 : static_cast<int>(offset);
  };
  const int pivotColumn = pivotOffset(b.pivotX, b.originX, b.width);
  const int pivotRow = pivotOffset(b.pivotY, b.originY, b.height);
  const int left = kUnitsPerPixel * std::max(0, -pivotColumn), top = kUnitsPerPixel * std::max(0, -pivotRow);
  d.pivotX = left + kUnitsPerPixel * pivotColumn + kUnitsPerPixel / 2;
  d.pivotY = top + kUnitsPerPixel * pivotRow + kUnitsPerPixel / 2;
  d.originX = left;
  d.originY = top;
  d.width = kUnitsPerPixel * b.width;
  d.height = kUnitsPerPixel * b.height;
  d.minimumDistance = kUnitsPerPixel * b.minimumDistance;
  d.maximumDistance = kUnitsPerPixel * b.maximumDistance;

  // A letter per token: the source's own where it names the token, else the
  // first letter not taken.
  const std::vector<std::string> sourceTokens = colourRefTokens(source.colourRef);
  std::map<std::string, char> letters;
  std::string taken;
  for (const TracedRegion& r : regions) {
    if (letters.count(r.token)) continue;
    char letter = 0;
    for (std::size_t i = 0; i < sourceTokens.size() && letter == 0; ++i)
      if (sourceTokens[i] == r.token) letter = source.colourRef[i * 6];
    if (letter == 0 || taken.find(letter) != std::string::npos) {
      letter = 'A';
      while (taken.find(letter) != std::string::npos) ++letter;
    }
    letters[r.token] = letter;
    taken += letter;
    d.colourRef += letter + r.token;
  }

  for (const TracedRegion& r : regions) {
    d.hpgl += std::string("SP") + letters[r.token] + ";";
    if (r.halfTransparent) d.hpgl += "ST2;";
    if (pattern) d.hpgl += "SW1;";
    for (const PixelRectangle& p : r.rectangles) {
      const int inset = p.left == p.right && p.top == p.bottom ? (kUnitsPerPixel - kSinglePixelSize) / 2
                                                                  : kUnitsPerPixel / 2;
      const int x0 = left + kUnitsPerPixel * p.left + inset;
      const int y0 = top + kUnitsPerPixel * p.top + inset;
      const int x1 = left + kUnitsPerPixel * (p.right + 1) - inset;
      const int y1 = top + kUnitsPerPixel * (p.bottom + 1) - inset;
      const std::string corner0 = std::to_string(x0) + "," + std::to_string(y0);
      d.hpgl += "PU" + corner0 + ";PM0;PD" + std::to_string(x1) + "," + std::to_string(y0) + "," + std::to_string(x1) +
                "," + std::to_string(y1) + "," + std::to_string(x0) + "," + std::to_string(y1);
      if (pattern) d.hpgl += "," + corner0;
      d.hpgl += ";PM2;";
    }
  }
  return d;
}
