#pragma once
// From a read cell to a finished S57Cell: assembly, look-up selection for
// every feature, and the finishing steps.
#include <memory>

#include "ChartModel.h"
#include "PresentationLibrary.h"

class S57CellReader;
struct ViewGeometry;

// A new cell from the reader's data set values and records, every feature
// with its look-up results, finished without moving any view. The reader's
// COMF and SOMF must not be 0. Null when the assembled geometry would pass
// its bound (GeometryTooLarge, GeometryAssembly.h).
std::unique_ptr<S57Cell> buildCell(const S57CellReader& reader, const PresentationLibrary& library);

// Extents, centring of `view` (when given), light lists, draw order, and
// the levels of detail of the lines and area outlines (made as views need
// them).
void finishCell(S57Cell& cell, ViewGeometry* view);

// The tolerance of each level of detail of the cell (DetailLevels.h):
// kDetailPixels of a pixel of S-52's size at 2, 4, ... 64 times the
// compilation scale (compilationScaleForRules), at the cell's centre. None
// for a cell without extents.
DetailTolerances detailTolerances(const S57Cell& cell);

// Moves the view to the middle of the cell's first extent box at the cell's
// compilation scale (as the true scale there); a compilation scale of 0 or
// less (unknown) keeps the view's scale. A cell without extents leaves the
// view alone.
void centreView(const S57Cell& cell, ViewGeometry& view);
