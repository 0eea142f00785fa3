#pragma once
// Start-up and cell loading.
#include <string>

class CellList;
struct ChartView;
struct ViewGeometry;

// Loads the presentation library from "S57Lib" (1 on failure, nothing else
// done; the loader's code, which names a damaged file, stays in
// engineState().libraryResult), marks it loaded, registers the application font ":/syn.ttf" (when a
// QGuiApplication exists), and returns 0 when the directory "s57000" exists,
// else 2.
int startEngine();

// Reads a cell file into the process-wide cell list, centring the
// process-wide loading view on it. Returns 0, 1 when the library is not
// loaded, a reader code (a damaged cell, cut short or over the size limit,
// is refused with its code), ReaderNoFactors (13) for a cell without
// coordinate or sounding factor, ReaderGeometryTooLarge (16) for a cell
// whose edges are referenced past the assembly's bound, or 11 when a cell
// of the same name is already listed. Nothing of a refused cell reaches the
// list.
int loadCell(const std::string& path);
// The same, centring the given view.
int loadCell(const std::string& path, ChartView& view);
// The same, into the given list.
int loadCell(const std::string& path, ViewGeometry& view, CellList& list);
