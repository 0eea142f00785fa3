#pragma once
// How far a view stretches a cell beyond the scale it was compiled for.
#include "ChartModel.h"

// The cell's compilation scale (as the scale rules take it) over the view's
// true scale `scale` (TrueScale.h): 4 when the view is four times as
// detailed; 0 for a scale that is not positive.
double overscaleFactor(const S57Cell& cell, float scale);

// Whether the cell gets the overscale pattern: the view is more than twice
// as detailed as its compilation scale (scale < CSCL / 2).
bool overscalePatternShown(const S57Cell& cell, float scale);
