#pragma once
// Loading one cell file into a cell list: read, checked against what its
// data set declares, its update files applied, built with a library and
// appended. The engine loads its cells through this (ChartEngine::loadCell);
// a caller that keeps a list of its own calls it directly.
#include <string>
#include <vector>

#include "CellFileBytes.h"
#include "CellLoadResult.h"
#include "LoadWarning.h"
#include "UpdateChain.h"

class CellList;
struct PresentationLibrary;
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
  // file failed its CRC check refuses the cell (CrcMismatch).
  std::vector<LoadWarning> warnings;
  // The cell comes encrypted under a permit that has expired
  // (OpenedCell::permitExpired of the chart store): S57Cell::permitExpired.
  bool permitExpired = false;
};

// What a load found out besides its result.
struct CellLoadReport {
  S57Cell* cell = nullptr;    // the listed cell, when the result is listed()
  UpdateChainResult updates;  // the updates applied and what stopped them
  std::string loadedAlready;  // DuplicateCell: the data set name of the cell it repeats
};

// Reads a cell file, builds it with `library` into `list` and centres
// `centreOn`, when given, on it. Returns Ok, the reader's result (a damaged
// cell, cut short or over the size limit, is refused with it), NoFactors
// for a cell without coordinate or sounding factor, GeometryTooLarge for a
// cell whose edges are referenced past the assembly's bound, or
// DuplicateCell when a cell of the same name is already listed. Nothing of
// a refused cell reaches the list.
//
// A base cell whose records are not what its data set declares (records of
// a kind fewer or more than its DSSI says, two records of one name, no
// feature at all: checkCellRecords) is built as far as it goes and listed
// all the same, with the finding as the first of its loadWarnings, and the
// result of that finding is returned (NoFeatures, RecordCountMismatch or
// DuplicateRecord): listed() tells that the cell is listed although the
// result is not Ok.
//
// The update files beside the base are applied in sequence before the
// geometry is built. An update that fails does not fail the load: the cell
// is built as of the last update applied, and the failure, naming the file
// and the reason, is the last of the cell's loadWarnings. An update that
// cancels the cell (edition 0) keeps it out of the list: CellCancelled, the
// report's `updates` naming the file. `report`, when given, is filled.
CellLoadResult loadCell(const std::string& path, const PresentationLibrary& library, CellList& list,
                        ViewGeometry* centreOn = nullptr, const CellLoadOptions& options = CellLoadOptions(),
                        CellLoadReport* report = nullptr);
