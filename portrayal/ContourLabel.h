#pragma once
// The depth label of a depth contour, as SAFCON digit symbols.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Appends the label of contour value `value` (metres) to `out`: a DEPVS fill
// (transparency 2) when the value is at most the contour label limit, then
// the digit symbols for values from 0 to 99999. The feature is not read; it
// is taken so that every depth-figure procedure has the same shape.
void contourLabel(const ChartFeature& feature, float value, const DisplaySettings& settings,
                  std::vector<Instruction>& out);
