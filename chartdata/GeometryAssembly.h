#pragma once
// Turns the records of a read cell into chart features with their geometry
// in chart units. Knows nothing of portrayal: the look-up selection runs on
// the assembled features afterwards.
#include <cstdint>

#include "Catalogue.h"
#include "ChartModel.h"

class S57CellReader;

// A cell position in coordinate units to chart units, with the cell's
// coordinate factor and projection radius. The cell "WORLD10.000" is moved
// one turn east.
ChartVertex projectVertex(const S57Cell& cell, std::int32_t YCOO, std::int32_t XCOO);

// Appends one feature per usable feature record to the cell's lists, in file
// order: PRIM 1 gives a point and/or a sounding feature (2-D and 3-D
// coordinates of its node), PRIM 2 a line, PRIM 3 an area; any other PRIM
// nothing. Missing references are skipped. Attributes not in `attributes`
// are dropped, except that codes 132 and 133 of ATTF always set the scale
// limits. The cell's name and factors must be set.
void assembleFeatures(const S57CellReader& reader, S57Cell& cell, const AttributeCatalogue& attributes);
