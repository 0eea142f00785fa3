#pragma once
// What the draw pass executes for each feature of a cell, as instruction
// records: the check surface of `enctool info --features --portrayal`. The
// cell is drawn by a real draw pass (ChartView::draw with a recorder) on a
// paint device that keeps nothing, through a view that holds the whole cell
// at the asked scale, so the instructions are those of the pass itself: the
// conditional procedures, the scale ranges, the display category, text
// decluttering and every other test included.
#include <map>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"
#include "ViewGeometry.h"

class ChartEngine;

using DrawnInstructions = std::map<const ChartFeature*, std::vector<Instruction>>;

// Runs the pass of `engine` over `cell` alone at the true scale `scale` at the cell's
// middle (the cell's compilation scale when 0 or less) and returns each drawn feature's
// executed instructions, in the order the pass executed them. A feature
// that drew nothing is absent. `overscale`, when given, receives the
// pass's overscale factor (ChartView::overscale). The true scale is that
// of a screen of `pixelMillimetres` pixels.
DrawnInstructions drawnInstructions(ChartEngine& engine, const S57Cell& cell, const DisplaySettings& settings,
                                    float scale, double* overscale = nullptr,
                                    double pixelMillimetres = kDefaultPixelMillimetres);
