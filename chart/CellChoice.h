#pragma once
// Which cells and features a draw pass shows at the view's scale.
#include <cstdint>
#include <vector>

#include "CellIndex.h"
#include "ChartModel.h"
#include "ViewGeometry.h"

// The compilation scale the scale rules below use. A CSCL of 0 or less
// means the scale is unknown: the usual scale of the cell's navigational
// purpose stands in for it, read from the third character of its name
// (1 overview 3,000,000; 2 general 1,000,000; 3 coastal 200,000;
// 4 approach 50,000; 5 harbour 10,000; 6 berthing 3,000), else 50,000.
int compilationScaleForRules(const S57Cell& cell);

// Whether an extent box, in any copy of the world 360 degrees east or west,
// meets the view's box (touching edges count). The view's origin must be
// current.
bool extentMeetsView(const ChartBox& box, const ViewGeometry& view);

// The cells with an extent box meeting the view, in list order, then sorted
// by compilation scale (for the rules), most detailed first. A cell without extents is
// never a candidate.
void chooseCandidates(const std::vector<S57Cell*>& cells, const ViewGeometry& view,
                      std::vector<S57Cell*>& candidates);
// The same through the index over a list: the same cells in the same order,
// found without a scan of every cell. `positions` is scratch.
void chooseCandidates(const CellIndex& index, const ViewGeometry& view, std::vector<std::uint32_t>& positions,
                      std::vector<S57Cell*>& candidates);

// A cell is nested in a candidate of a scale more than 8 times less detailed
// when one extent box of that candidate strictly contains all of its own
// (each in the copy of the world nearest that box).
bool isNestedCell(const S57Cell& cell, const std::vector<S57Cell*>& candidates);
// The same among the candidates from `first` to `last` (not included).
bool isNestedCell(const S57Cell& cell, S57Cell* const* first, S57Cell* const* last);

// A nested cell shows up to twice its compilation scale, any other cell
// below 100 times it.
bool cellShownAtScale(const S57Cell& cell, bool nested, float scale);
