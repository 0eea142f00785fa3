#pragma once
// Which of a pass's candidate cells are drawn.
#include <vector>

#include "ChartModel.h"
#include "ViewCoverage.h"
#include "ViewGeometry.h"

// For the candidates as chooseCandidates left them (most detailed first),
// sets drawn[i] for candidates[i]: a cell is drawn when its scale rule
// admits it at the view's true scale, unless the coverage (ViewCoverage) of the drawn cells of a
// more detailed compilation scale already covers the whole view. A cell
// never hides one of its own compilation scale, and a cell its scale rule
// leaves out hides nothing. Returns whether the coverage of the cells
// drawn covers the whole view, so that nothing drawn under them shows.
bool chooseDrawnCells(const std::vector<S57Cell*>& candidates, const ViewGeometry& view, ViewCoverage& coverage,
                      std::vector<char>& drawn);
