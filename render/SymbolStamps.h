#pragma once
// Symbols stamped from small images instead of drawn command by command. A
// view zoomed out below a cell's compilation scale shows up to four times as
// many of its soundings and point symbols at every halving of the scale, and
// filling the antialiased outline of each figure costs far more than copying
// its pixels. A symbol is drawn once into an image for each quarter of a
// pixel it may start at (and each rotation), as the painter would have drawn
// it there, and then copied whole at whole pixels. A stamp lies within an
// eighth of a pixel of the symbol drawn in place, and its colours within a
// step of rounding.
#include <QBrush>
#include <QImage>
#include <QPen>
#include <QPointF>
#include <QRgb>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "Canvas.h"
#include "VectorDrawing.h"

// A symbol drawn into an image, with the pen and brush drawing it leaves.
struct SymbolStamp {
  std::vector<VectorCommand> commands;  // what the image was drawn from
  std::vector<QRgb> colours;            // in the colours of its SP commands
  bool usable = false;                  // false: the symbol is drawn in place
  QImage image;
  QPoint corner;  // the image's top left, in pixels from the anchor's pixel
  QPen pen;
  QBrush brush;
};

// A view's stamps, by symbol, rotation and the quarter pixel the anchor
// falls in. They follow one size of the logical unit on the screen; a
// change of it empties them. A view keeps at most kStampBytes of stamps
// (images and entries) and draws any further symbol in place.
class SymbolStamps {
public:
  static constexpr std::size_t kStampBytes = 8u << 20;
  static constexpr std::size_t kEntryBytes = 256;  // an entry without its image or commands

  struct Key {
    const SymbolDefinition* symbol;
    int rotation;
    int quarterX, quarterY;
    bool operator==(const Key& o) const {
      return symbol == o.symbol && rotation == o.rotation && quarterX == o.quarterX && quarterY == o.quarterY;
    }
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      std::size_t h = std::hash<const void*>()(k.symbol);
      h = h * 31 + static_cast<std::size_t>(k.rotation);
      return h * 31 + static_cast<std::size_t>(k.quarterX * 4 + k.quarterY);
    }
  };

  // The stamp of that key at `unitsToPixels`; a stamp not made yet comes
  // back with no commands; null when the view's stamps are full.
  SymbolStamp* entry(const Key& key, double unitsToPixels);
  // Counts an image made for the limit; false when it would pass it.
  bool reserve(std::size_t bytes);

private:
  std::unordered_map<Key, SymbolStamp, KeyHash> stamps_;
  double unitsToPixels_ = 0;
  std::size_t bytes_ = 0;
};

// Stamps `symbol` with its pivot on `anchor` (logical units), turned by
// `rotation` degrees, as drawSymbol (SymbolDrawing.h) draws it, and leaves
// the painter's pen and brush as drawSymbol does. False, nothing drawn,
// when the painter is not set up for stamps (a transform other than a
// scale and shift, a composition other than source over, an opacity, a
// device scaled for high density), or the symbol draws with a pen it does
// not set itself, or the view's stamps are full.
bool stampSymbol(const Canvas& canvas, const QPointF& anchor, const SymbolDefinition& symbol, int rotation);
