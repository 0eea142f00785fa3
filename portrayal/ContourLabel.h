#pragma once
// The depth label of a depth contour, as SAFCON digit symbols.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Appends the label of contour value `value` (metres) to `out`: its digit
// symbols, for values from 0 to 99999, and nothing else (a label never
// fills the ring of its contour). The feature and the settings are not
// read; they are taken so that every depth-figure procedure has the same
// shape.
void contourLabel(const ChartFeature& feature, float value, const DisplaySettings& settings,
                  std::vector<Instruction>& out);
