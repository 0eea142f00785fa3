#pragma once
// The digit symbols of a depth figure (S-52 SNDFRM04): SOUNDS (at or
// shallower than the safety depth) or SOUNDG (deeper) followed by a row digit and a
// figure digit, with marks for the sounding technique, doubtful quality and
// drying heights.
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"

// Appends one SY per symbol of the figure of `depth` (metres) to `out`.
// Reads TECSOU, QUASOU, STATUS and QUAPOS of the feature. A depth that is
// not a finite number gets its marks but no digits.
void soundingSymbols(const ChartFeature& feature, float depth, const DisplaySettings& settings,
                     std::vector<Instruction>& out);
