#pragma once
// The chart is one continuous world: the Mercator plane repeats every
// mercator::kWorldWidth chart units (360 degrees of longitude), so a view
// near or across the 180th meridian shows what lies on both sides. A cell
// keeps one set of coordinates; the draw pass draws it in every copy of the
// world, k world widths east (k > 0) or west (k < 0), that meets the view.
#include "ChartModel.h"
#include "MercatorProjection.h"

struct ViewGeometry;

// A view wider than this many worlds shows only this many copies of a box,
// those nearest the view's centre (one such world is a few pixels wide).
constexpr int kMostWorldCopies = 8;

// The copies first..last of a box that meet a view; none when last < first.
struct WorldCopies {
  int first = 0;
  int last = -1;
  bool empty() const { return last < first; }
};

// Chart units a box moves in copy k.
inline double worldCopyShift(int k) { return k * mercator::kWorldWidth; }

// The box in chart units that a view shows. Its origin must be current.
ChartBox viewBox(const ViewGeometry& view);

// The copies of `box` that meet `view` (a box, touching edges count).
WorldCopies worldCopiesMeeting(const ChartBox& box, const ChartBox& view);

// The view through which copy k of the chart is drawn at its place: the
// view moved k world widths west (its origin must be current).
ViewGeometry viewOfWorldCopy(const ViewGeometry& view, int k);

// x moved by whole world widths into -W/2 <= x < W/2. Not finite: as it is.
double wrappedX(double x);

// x moved by whole world widths to the copy nearest `near` (within half a
// world width of it). Not finite: as it is.
double nearestCopyX(double x, double near);
