#pragma once
// What an import did with each cell it was offered, as the window lists it
// (installed, updated to N, replaced by a new edition or a re-issue,
// cancelled, refused and why) and enctool import prints it: kinds and
// values, the English text beside them.
#include <string>
#include <vector>

#include "LoadWarning.h"
#include "SseCode.h"
#include "StoreIssue.h"
#include "StoreMessage.h"
#include "StoredCell.h"

enum class ImportAction {
  Installed,     // a cell new to the store, with the updates that came with it
  Updated,       // the installed edition took updates
  NewEdition,    // a new edition replaced the installed one and its updates
  Reissued,      // a re-issue replaced the installed cell, keeping the updates after it
  Cancelled,     // the cell is withdrawn: kept in the store, shown no more
  Unchanged,     // nothing offered was new to the store
  Refused,       // nothing offered was taken (the issues say why)
  NotInstalled,  // updates for a cell the store does not hold
};

// "installed", "updated", "new edition", "re-issued", "cancelled",
// "unchanged", "refused", "not installed".
const char* importActionName(ImportAction action);

struct CellOutcome {
  std::string cell;
  ImportAction action = ImportAction::Unchanged;
  CellStatus status = CellStatus::InUse;  // after the import
  int edition = 0;                        // after the import (0: none installed)
  int updateNumber = 0;                   // the last update the cell holds after it
  std::vector<int> applied;               // the updates this import applied
  std::vector<StoreIssue> issues;         // what was refused, in file order
  // What the protection scheme said of the cell's encrypted files, in the
  // order met: the codes that refused a file (their issues say which) and
  // the warnings of files taken (SSE 15, 20, 26).
  std::vector<SseCode> sse;

  bool refused() const { return !issues.empty(); }
  // The issues' English lines joined by "; " (empty when none).
  std::string reason() const;
  // The English messages of `sse`, "SSE 21 - ..." joined by "; ".
  std::string sseMessage() const;
};

struct ImportReport {
  bool written = false;   // the store took the import (false: it stands as before)
  StoreMessage failure;  // why not: the store is busy, a file could not be written
  std::vector<CellOutcome> cells;  // by cell name
  // Findings about the exchange sets themselves (catalogue entries refused,
  // files listed but absent, ...) and about the store (an index rebuilt).
  std::vector<LoadWarning> setWarnings;
  std::vector<StoreMessage> storeMessages;
  // Files named like cell files whose names are no cell's: not taken.
  std::vector<StoreIssue> filesRefused;

  bool failed() const { return failure.kind != StoreMessageKind::None; }
  // Whether anything offered was refused, or the import failed.
  bool anyRefused() const;
};
