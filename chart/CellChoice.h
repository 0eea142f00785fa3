#pragma once
// Which cells and features a draw pass shows at the view's scale.
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

// Whether an extent box meets the view's box (touching edges count). The
// view's origin must be current.
bool extentMeetsView(const ChartBox& box, const ViewGeometry& view);

// The cells with an extent box meeting the view, in list order, then sorted
// by compilation scale, most detailed first. A cell without extents is
// never a candidate.
void chooseCandidates(const std::vector<S57Cell*>& cells, const ViewGeometry& view,
                      std::vector<S57Cell*>& candidates);

// A cell is nested in a candidate of a scale more than 8 times less detailed
// when one extent box of that candidate strictly contains all of its own.
bool isNestedCell(const S57Cell& cell, const std::vector<S57Cell*>& candidates);

// A nested cell shows up to twice its compilation scale, any other cell
// below 100 times it.
bool cellShownAtScale(const S57Cell& cell, bool nested, float scale);
