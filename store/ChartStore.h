#pragma once
// The chart store: the display's own copy of the charts installed, in one
// folder shared by the window and enctool (the user's data folder unless
// told otherwise). It keeps each cell's files as delivered, with its
// edition, issue dates, the updates applied, its status and its coverage,
// in an index that a start reads instead of every cell.
//
// An import changes the store whole or not at all: files are written
// beside their place and renamed, the index last and atomically, and files
// no index names any more are removed only after it. One program changes
// the store at a time (StoreLock); readers hold the lock shared while they
// read, so an import never removes a file under them.
#include <memory>
#include <string>
#include <vector>

#include "CellFileBytes.h"
#include "CellFolder.h"
#include "ImportOutcome.h"
#include "StoreFiles.h"
#include "StoreIndex.h"

struct ImportOptions {
  std::string now;    // the time recorded as the date applied; empty: the clock's
  int waitMs = 3000;  // how long to wait for another program's import
};

class StoreLock;

class ChartStore {
public:
  explicit ChartStore(std::string folder);
  ~ChartStore();

  // The user's store: the chart display's data folder, "charts" in it
  // (~/.local/share/chartdisplay/charts).
  static std::string defaultFolder();

  const std::string& folder() const { return files_.root(); }
  // The store's file access (tests inject faults through it).
  StoreFiles& files() { return files_; }

  // Reads the index. A store never written is empty. A damaged or lost
  // index is rebuilt from the store's files and written again, and
  // messages() says so. False, with the reason, when the store cannot be
  // read (another program keeps it locked past the wait). With `hold` the
  // store stays locked for reading until release() (or the store's end),
  // so that no import removes a file the index names while it is loaded.
  bool load(std::string& error, int waitMs = 3000, bool hold = false);
  void release();
  const StoreIndex& index() const { return index_; }
  const std::vector<StoreMessage>& messages() const { return messages_; }
  // Why the last load failed (kind None when it did not).
  const StoreMessage& failure() const { return failure_; }

  // Imports exchange sets, folders of cells or cell files into the store
  // and reads its index again.
  ImportReport import(const std::vector<std::string>& sources, const ImportOptions& options = {});

  // What the loader takes for a cell in use: its base file and the updates
  // applied, in sequence (with the CRC-32 each was stored with). Read them
  // through fileBytes(), never from disk directly.
  CellSource cellSource(const StoredCell& cell) const;
  // Reads the store's files for the loader (StoreFiles::read: the CRC
  // check, and decryption where it will be needed); a path the index does
  // not name is refused.
  CellFileBytes fileBytes() const;

private:
  // Reads the index file; false with `damage` when it is damaged or absent
  // while the store holds files.
  bool readIndexFile(StoreIndex& index, std::string& damage) const;
  bool rebuild(const std::string& damage, StoreMessage& failure);

  StoreFiles files_;
  std::unique_ptr<StoreLock> held_;
  StoreIndex index_;
  std::vector<StoreMessage> messages_;
  StoreMessage failure_;
};
