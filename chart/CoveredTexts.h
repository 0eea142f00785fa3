#pragma once
// Texts and soundings painted over by a later cell. The pass draws the
// cells least detailed first, each whole, so where a cell drawn later has
// coverage its areas cover whatever the cells before it drew there. The
// texts wait for the end of the pass (TextPlacement) and would show through:
// those that lie in the coverage of a cell drawn after their own are marked
// hidden, and so are the soundings there, which then keep no text away.
#include <vector>

#include "ChartModel.h"
#include "CoverageLimits.h"
#include "TextPlacement.h"

// `coverage` is collectDrawnCoverage of the cells drawn, `drawn` those
// cells and `drawnOrder` the place of each in the pass's drawing order
// (the `cell` of the texts). `order` is scratch kept by the caller. Past a
// fixed number of coverage vertices visited, what is left stays shown.
void hideCoveredTexts(TextPlacement& texts, const std::vector<DrawnCoverage>& coverage,
                      const std::vector<S57Cell*>& drawn, const std::vector<int>& drawnOrder,
                      std::vector<int>& order);
