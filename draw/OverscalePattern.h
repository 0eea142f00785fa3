#pragma once
// The overscale pattern: where a cell is shown more than twice as detailed
// as it was compiled for, its coverage is hatched with OVERSC01 after its
// features, so the mariner sees where the chart is stretched beyond its
// precision. Whether a cell is overscaled is the draw pass's decision.
#include "ChartModel.h"
#include "DrawContext.h"

// Hatches the cell's coverage: its M_COVR areas of CATCOV 1 (data
// coverage), each told to the recorder as that area's AP(OVERSC01); a cell
// without them is hatched over its extent boxes.
void drawOverscalePattern(DrawContext& dc, const S57Cell& cell);
