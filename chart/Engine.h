#pragma once
// Start-up and cell loading.
#include <string>
#include <vector>

#include "CellFileBytes.h"
#include "EngineState.h"
#include "LoadWarning.h"
#include "UpdateChain.h"

class CellList;
struct ChartView;
struct S57Cell;
struct ViewGeometry;

// How loadCell treats a cell's files beyond its base file.
struct CellLoadOptions {
  bool applyUpdates = true;  // the update files NAME.001, NAME.002, ... in sequence
  // The update files to take instead of looking beside the base file (a
  // folder scan has listed them already); null: look.
  const std::vector<UpdateFileName>* updateFiles = nullptr;
  // Reads the base and update files (a chart store's copies); null: from disk.
  CellFileBytes fileBytes;
  // Findings about the cell's files made before loading (a catalogue's CRC
  // check), put first in the cell's loadWarnings. One that says the base
  // file failed its CRC check refuses the cell (ReaderCrcMismatch).
  std::vector<LoadWarning> warnings;
  // The cell comes encrypted under a permit that has expired
  // (OpenedCell::permitExpired of the chart store): S57Cell::permitExpired.
  bool permitExpired = false;
};

// What a load found out besides its result code.
struct CellLoadReport {
  S57Cell* cell = nullptr;    // the listed cell: when loadCell gave 0, or a code
                              // cellListedDespite (ReaderResult.h) tells
  UpdateChainResult updates;  // the updates applied and what stopped them
  std::string loadedAlready;  // ReaderDuplicateCell: the data set name of the cell it repeats
};

// Loads the presentation library from "S57Lib" (1 on failure, nothing else
// done; the loader's code, which names a damaged file, stays in
// engineState().libraryResult), marks it loaded, registers the application
// font ":/syn.ttf" (when a QGuiApplication exists), loads the world base
// map from "worldland.bin" (without it, a warning in the log and no base
// map), and returns 0 when the directory "s57000" exists, else 2.
int startEngine();

// Registers the application font ":/syn.ttf" compiled into the chart
// library and keeps its id in engineState().appFontId (-1 without a
// QGuiApplication). For the tools that draw without startEngine.
void registerChartFont();

// Reads a cell file into the process-wide cell list, centring the
// process-wide loading view on it. Returns 0, 1 when the library is not
// loaded, a reader code (a damaged cell, cut short or over the size limit,
// is refused with its code), ReaderNoFactors (13) for a cell without
// coordinate or sounding factor, ReaderGeometryTooLarge (16) for a cell
// whose edges are referenced past the assembly's bound, or 11 when a cell
// of the same name is already listed. Nothing of a refused cell reaches the
// list.
//
// A base cell whose records are not what its data set declares (records of
// a kind fewer or more than its DSSI says, two records of one name, no
// feature at all: checkCellRecords) is built as far as it goes and listed
// all the same, with the finding as the first of its loadWarnings, and the
// code of that finding is returned (10, 18 or 19): test a result with
// cellListedDespite to know that the cell is listed although the code is
// not 0.
//
// The update files beside the base are applied in sequence before the
// geometry is built. An update that fails does not fail the load: the cell
// is built as of the last update applied, and the failure, naming the file
// and the reason, is the last of the cell's loadWarnings. An update that
// cancels the cell (edition 0) keeps it out of the list: ReaderCellCancelled,
// the report's `updates` naming the file.
int loadCell(const std::string& path);
// The same, centring the given view.
int loadCell(const std::string& path, ChartView& view);
// The same, into the given list.
int loadCell(const std::string& path, ViewGeometry& view, CellList& list);
// The same with options; `report`, when given, is filled.
int loadCell(const std::string& path, ViewGeometry& view, CellList& list, const CellLoadOptions& options,
             CellLoadReport* report = nullptr);
