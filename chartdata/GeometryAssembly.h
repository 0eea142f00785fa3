#pragma once
// Turns the records of a read cell into chart features with their geometry
// in chart units. Knows nothing of portrayal: the look-up selection runs on
// the assembled features afterwards.
#include <cstdint>

#include "Catalogue.h"
#include "ChartModel.h"
#include "ReaderResult.h"

class S57CellReader;

// A cell position in coordinate units to chart units, with the cell's
// coordinate factor and projection radius. In a cell that crosses the 180th
// meridian (crossesAntimeridian) a longitude below 0 is taken one turn east.
ChartVertex projectVertex(const S57Cell& cell, std::int32_t YCOO, std::int32_t XCOO);

// Appends one feature per usable feature record to the cell's lists, in file
// order: PRIM 1 gives a point and/or a sounding feature (2-D and 3-D
// coordinates of its node), PRIM 2 a line, PRIM 3 an area; any other PRIM
// nothing. Missing references are skipped. Attributes not in `attributes`
// are dropped, except that codes 132 and 133 of ATTF always set the scale
// limits. The cell's name and factors must be set. Sets the cell's
// crossesAntimeridian first (Antimeridian.h), so that its geometry comes
// out continuous.
//
// Every reference to an edge or a sounding node copies its coordinates, so
// the geometry a cell assembles is bounded by what its file holds:
// kAssembledVerticesPerCoordinate times the coordinates of its vector
// records, plus kAssembledVerticesFloor. Real cells stay far below (see
// the constants). Past the bound assembly stops and GeometryTooLarge
// is returned, the cell half-filled (to be discarded); else Ok.
ReaderResult assembleFeatures(const S57CellReader& reader, S57Cell& cell, const AttributeCatalogue& attributes);

// Measured as vertices of lines and areas, soundings and points assembled
// per 2-D and 3-D coordinate of the file's vector records, the real cells
// give 1.5 to 3.4 (US5WA22M 3.4) and the 4-coordinate test cell AA3MSPAN 5:
// each edge serves the two areas on its sides and a line or two. Twelve
// leaves a wide margin; the floor keeps the smallest cells out of reach.
// A cell whose coastline repeats one long edge thousands of times goes
// past it and is refused instead of growing to gigabytes.
constexpr long long kAssembledVerticesPerCoordinate = 12;
constexpr long long kAssembledVerticesFloor = 100000;
