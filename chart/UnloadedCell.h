#pragma once
// What the chart keeps of a cell it unloads to free memory: everything the
// cell list, the choice of cells and the panels read without its features
// (name, scales and factors, edition and updates applied, the findings of
// its load, producer, permit state, extents and centre), marked unloaded.
#include <memory>

#include "ChartModel.h"

std::unique_ptr<S57Cell> unloadedCopy(const S57Cell& cell);
