#pragma once
// The index of a chart store: every cell it holds with its files, edition,
// updates, status and coverage, written last and whole by each import, so
// that a start reads one file instead of every cell.
//
// One JSON object per line: a head line, a line per cell in name order,
// and an end line with the number of cells and the CRC-32 of everything
// before it. An index cut short, changed or otherwise damaged fails its
// check and is rebuilt from the store's files.
#include <string>
#include <string_view>
#include <vector>

#include "StoredCell.h"

struct StoreIndex {
  int nextFolder = 1;             // the number of the next cell folder made
  std::vector<StoredCell> cells;  // by name

  StoredCell* find(const std::string& name);
  const StoredCell* find(const std::string& name) const;
};

std::string indexBytes(const StoreIndex& index);

// Parses the index; false, with the reason in `error`, when it is damaged.
bool readIndexBytes(std::string_view bytes, StoreIndex& index, std::string& error);

// What a damaged index still says: every line that reads whole as a cell
// of the store, whatever the rest of the file. Not to be taken on trust: a
// rebuild uses a cell's line only where the files it names are there with
// the sizes and CRC-32s it gives.
std::vector<StoredCell> salvageIndexCells(std::string_view bytes);
