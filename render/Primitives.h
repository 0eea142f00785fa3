#pragma once
// The painter primitives every chart mark goes through: segments, dashed
// segments, colour fills, arcs, rectangles and labels. Coordinates are
// painter logical units (23 per pixel); fractional ones are truncated.
#include <QPoint>
#include <QPointF>
#include <string>
#include <vector>

#include "Canvas.h"
#include "Instruction.h"

class QPainter;
class QPainterPath;

// Dash and gap of a dashed segment, dot and gap of a dotted one, logical
// units.
constexpr int DASH_LENGTH = 360;
constexpr int DASH_GAP = 180;
constexpr int DOT_LENGTH = 60;
constexpr int DOT_GAP = 120;

// A coordinate truncated toward zero, saturating at the int range (far
// outside any view) instead of overflowing; NaN gives 0.
int truncateCoordinate(double value);

// One straight line with the current pen.
void strokeSegment(QPainter& painter, const QPointF& a, const QPointF& b);

// Dashes of 360 separated by gaps of 180 from a towards b, as many whole
// periods as fit, then one solid piece to b when anything is left. Every
// segment starts its own pattern; a zero-length segment, or one with an end
// that is not finite, draws nothing. Only the dashes that meet the
// painter's surface plus a margin are drawn (strokeClipRect), so the cost
// follows the visible part of the segment.
void strokeDashedSegment(QPainter& painter, const QPointF& a, const QPointF& b);
// The same with dots of 60 and gaps of 120; the last piece is a dot too.
void strokeDottedSegment(QPainter& painter, const QPointF& a, const QPointF& b);

// A segment in a line style's dash: solid, dashed or dotted. False, nothing
// drawn, for an unknown one.
bool strokeStyledSegment(QPainter& painter, const QPointF& a, const QPointF& b, LineDash dash);

// One ring of logical points.
struct LogicalRing {
  const QPoint* points = nullptr;
  int size = 0;
};

// Rings of logical points one after the other, and the size of each; a
// range of LogicalRing.
struct Rings {
  const QPoint* points = nullptr;
  const int* sizes = nullptr;
  int count = 0;

  class Iterator {
  public:
    Iterator(const QPoint* points, const int* size) : points_(points), size_(size) {}
    LogicalRing operator*() const { return LogicalRing{points_, *size_}; }
    Iterator& operator++() {
      points_ += *size_++;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return size_ != other.size_; }

  private:
    const QPoint* points_;
    const int* size_;
  };
  Iterator begin() const { return Iterator(points, sizes); }
  Iterator end() const { return Iterator(nullptr, sizes + count); }
};

// Solid fill with colour table entry `index` and no pen: the outline filled
// odd-even, then once more as a convex polygon, in the colour's own alpha.
// With holes, the outline and the holes' rings are filled together odd-even
// (twice, as without), so that what lies in a hole stays visible.
void fillArea(const Canvas& canvas, const QPoint* points, int count, int index, const Rings& holes = {});

// Fill with the colour's alpha set to 252 - 63 x transparency (0 -> 252 ...
// 3 -> 63), drawn once as a convex polygon (with holes: once odd-even).
void fillAreaTransparent(const Canvas& canvas, const QPoint* points, int count, int index, int transparency,
                         const Rings& holes = {});

// The outline and the holes as one path with one subpath per ring, to
// fill odd-even, built in `path` (the view's scratch, reused by the next
// call, so a pass allocates nothing once it has grown) and returned.
// `divisor` divides every coordinate (whole-number division, as pattern
// fills work in pixels).
const QPainterPath& ringsPath(QPainterPath& path, const QPoint* points, int count, const Rings& holes,
                              int divisor = 1);

// An arc of radius 88 x radius about `centre`, start and span in sixteenths
// of a degree, with makePen(colour, width), dashed when asked.
void drawArc(const Canvas& canvas, int index, int width, bool dashed, const QPointF& centre, float radius,
             int start, int span);

// Outline rectangle with the current pen and brush.
void drawRectangle(QPainter& painter, int x, int y, int width, int height);

// A UTF-8 text on one line, vertically centred and aligned left in the box
// from `point` 220 units wide per byte and 300 high, current pen and font.
void drawLabel(QPainter& painter, const QPoint& point, const std::string& text);

// True when count > 2 and the first and last points fall in the same pixel.
bool isClosedRing(const QPoint* points, int count);
