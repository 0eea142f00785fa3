#pragma once
// Loading the cells a drawing or querying command was given (render, query,
// tiles) as the window loads them, with what went wrong on standard error.
#include <string>

#include "CellFileBytes.h"
#include "CellLoadResult.h"

class ChartEngine;
struct CellSource;
struct ChartView;

// Loads `path` into the engine's cell list, centring `view` (loadCell).
// A cell that failed prints "enctool COMMAND: PATH: code N: reason"; a cell
// listed despite its code (one that is not whole, cellListedDespite) prints
// that line and its finding ("...: warning: ..."). Returns loadCell's
// result; `listed` tells whether the cell is in the list.
CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const std::string& path,
                                 ChartView& view, bool& listed);

// The same for a cell of a folder scan or a chart store: its update files
// and catalogue findings as the source gives them, its files read through
// `fileBytes` when set (a store's).
CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const CellSource& source,
                                 const CellFileBytes& fileBytes, ChartView& view, bool& listed);
