#pragma once
// The mark of data that is not an ENC of an official hydrographic office:
// the boundary of its coverage drawn in NONHODAT over the cell's features,
// at every scale and in every display category, so the mariner sees where
// such data lies. The library has no NONHODAT; the line style is the
// project's own (nonOfficialLineStyle), after the library's HODATA01 (the
// boundary of official data): a magenta (CHMGD) line with a short tick at
// right angles to it every repetition.
#include "ChartModel.h"
#include "DrawContext.h"
#include "VectorDrawing.h"

// The project's NONHODAT.
const LineStyleDefinition& nonOfficialLineStyle();

// Draws NONHODAT along the whole boundary of the cell's coverage, its
// M_COVR areas of CATCOV 1 (data limits included: the data ends there),
// each told to the recorder as that area's LC(NONHODAT); a cell without
// them is marked round its extent boxes.
void drawNonOfficialMark(DrawContext& dc, const S57Cell& cell);
