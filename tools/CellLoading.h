#pragma once
// Loading the cells a drawing or querying command was given (render, query,
// tiles) as the window loads them, with what went wrong on standard error.
#include <string>

#include "CellLoadResult.h"

class ChartEngine;
struct ChartView;

// Loads `path` into the engine's cell list, centring `view` (loadCell).
// A cell that failed prints "enctool COMMAND: PATH: code N: reason"; a cell
// listed despite its code (one that is not whole, cellListedDespite) prints
// that line and its finding ("...: warning: ..."). Returns loadCell's
// result; `listed` tells whether the cell is in the list.
CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const std::string& path,
                                 ChartView& view, bool& listed);
