#pragma once
// The mark of data that is not an ENC of an official hydrographic office:
// the boundary of its coverage drawn in NONHODAT over the cell's features,
// at every scale and in every display category, so the mariner sees where
// such data lies. It takes the place of the limit of the data (HODATA01,
// CoverageLimits.h) along that coverage. NONHODAT is one of the project's
// own drawings in the library (tools/mklib/SupplementaryDrawings.xml): a
// magenta line with a tick at right angles every repetition, on the right
// of the way it is drawn; each ring is drawn the way that puts the ticks on
// the side of the data. A library without NONHODAT draws its stand-in
// (DrawingStandIns.h), so the mark never vanishes.
#include "ChartModel.h"
#include "DrawContext.h"

// Draws NONHODAT along the whole boundary of the cell's coverage, its
// M_COVR areas of CATCOV 1 (data limits included: the data ends there),
// each told to the recorder as that area's LC(NONHODAT) (or the stand-in
// drawn); a cell without them is marked round its extent boxes.
void drawNonOfficialMark(DrawContext& dc, const S57Cell& cell);
