#pragma once
// Takes what an import offers for one cell onto what the store holds of it,
// in the order chart updating requires:
//
// - base files first: of every copy offered whose bytes pass their
//   catalogue's CRC-32 and read as a base cell of this name, the newest
//   (edition, then update number) is weighed against the installed cell. A
//   new edition replaces the installed one and its updates; one of the
//   installed edition is a re-issue and replaces the cell, keeping only the
//   installed updates after its update number; an older edition is refused,
//   and so is any edition of a cancelled cell but a newer one;
// - then the updates, to the edition now installed only and in sequence:
//   updates the cell holds already are passed over, one of another edition
//   is refused, and the first that fails its CRC-32, leaves a gap or does
//   not apply in full stops the chain with the reason; the cell stands at
//   its last update applied in full, in use;
// - an update of edition 0 cancels the cell: it stays in the store as
//   cancelled, with the file that cancelled it.
//
// Every file taken is read once; the bytes checked are the bytes stored.
// A file of an encrypted exchange set is first taken through the data
// client's checks (StoreProtection): what they refuse is not taken, with
// its SSE codes; what they let through is read decrypted and stored as it
// was delivered, encrypted.
#include <set>
#include <string>

#include "ImportOutcome.h"
#include "OfferedCells.h"
#include "StoreFiles.h"
#include "StoreProtection.h"
#include "StoredCell.h"

struct CellImportContext {
  const StoreFiles& files;
  std::string now;          // the time of the import, YYYY-MM-DDThh:mm:ssZ
  int& nextFolder;          // the next cell folder number, raised as folders are made
  bool rebuilding = false;  // the offered files lie in the store already: nothing is written
  // Decrypts encrypted files; without it they are refused.
  const StoreProtection* protection = nullptr;
  // The exchange sets whose SSE 26 was said: once per set.
  std::set<std::string> notBySchemeSaid;
};

struct CellImportResult {
  bool keep = false;  // `cell` is the cell's entry after the import (false: none, as before)
  StoredCell cell;
  CellOutcome outcome;
  std::string writeError;  // a file could not be written: the import must not be committed
};

CellImportResult importCell(const StoredCell* installed, const OfferedCell& offered, CellImportContext& context);
