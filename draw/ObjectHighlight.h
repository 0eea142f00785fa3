#pragma once
// The object chosen in object selection, marked on the chart over whatever
// the pass drew: areas get their outline and the outlines of their holes
// traced, lines their course, points and soundings a ring. The mark is a
// bright line on a dark halo, so it reads in every colour table: the halo
// against the light day tables, the bright line against the dark night
// ones, and the pair against any chart colour in between.
#include <QColor>
#include <cstddef>

#include "ChartModel.h"
#include "DrawContext.h"
#include "ViewGeometry.h"

class QPainter;

// The mark's colours and widths (pixels).
inline const QColor HIGHLIGHT_COLOUR{255, 230, 0};
inline const QColor HIGHLIGHT_HALO_COLOUR{20, 20, 20};
constexpr int HIGHLIGHT_WIDTH_PIXELS = 3;
constexpr int HIGHLIGHT_HALO_PIXELS = 7;
constexpr int HIGHLIGHT_RING_RADIUS_PIXELS = 12;

// Draws the mark of `feature` (for a sounding feature, of its sounding
// number `sounding`) with the painter set up for `view` (setupPainter), as
// the pass left it. Outlines are projected and clipped through `buffers`
// as the pass projects them. Nothing is drawn for a feature whose geometry
// misses the view, or for a sounding number the feature does not have.
void drawObjectHighlight(QPainter& painter, const ViewGeometry& view, DrawBuffers& buffers,
                         const ChartFeature& feature, std::size_t sounding = 0);
