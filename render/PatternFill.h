#pragma once
// Area patterns: the pattern symbol drawn into a transparent tile, the tile
// repeated over the area as a texture fixed to the window's corner.
#include <QImage>
#include <QPoint>
#include <QSize>
#include <string>

#include "Canvas.h"
#include "Primitives.h"

struct ColourTable;
struct PatternDefinition;
struct ViewGeometry;

// Tile size in logical units from the minimum distance d, width w and
// height h: linear patterns (d + w) x (d + h), staggered ones
// trunc(d + 1.5 w) x 2 (d + h).
QSize patternTileUnits(const PatternDefinition& pattern);

// The tile in pixels (the unit size divided by 23): the pattern symbol at
// (d/2, d/2), for staggered patterns again at (d + w/2, 1.5 d + h), in the
// pen of the pattern's first colour and width, on full transparency. Null
// when a side comes out below one pixel.
QImage buildPatternTile(const PatternDefinition& pattern, const ColourTable& colours);

// Fills the polygon (logical points) with the named pattern of the canvas's
// library, its tile from the canvas's PatternTileCache; an unknown or empty
// pattern draws nothing. Leaves the painter without pen, with the tile
// brush, and with the window of `view`.
void fillPattern(const Canvas& canvas, const QPoint* points, int count, const std::string& name,
                 const ViewGeometry& view, const Rings& holes = {});
