#pragma once
// The chart where there is no chart data: the whole viewport in NODTA
// hatched with the NODATA03 pattern, as S-52 presents areas without ENC
// data, drawn first in a pass. The world base map's land and the cells
// paint over it where they have something to show, so it remains wherever
// no cell drawn has coverage: it never passes for water.
#include "Canvas.h"
#include "ViewGeometry.h"

// Patterned: NODTA and NODATA03. Plain: NODTA alone, for a view the cells'
// coverage fills, where only a gap in their data would show it.
enum class NoDataFill { Patterned, Plain };

void drawNoDataBackground(const Canvas& canvas, const ViewGeometry& view, NoDataFill fill = NoDataFill::Patterned);
