#pragma once
// The loaded cells, in load order. A loading thread appends finished cells
// while the GUI thread draws: readers take a snapshot, which shows the list
// as it was before or after an append, never a cell still being built.
// A cell withdrawn (cancelled, or about to be replaced by its newer copy)
// leaves the snapshots published after it but is kept alive with the list,
// so a snapshot's pointers stay valid. A cell unloaded to free memory
// leaves its place to a copy without its features (UnloadedCell.h); the
// snapshots taken before share its ownership, so its memory goes when the
// last of them goes, never while a pass draws it. Each
// snapshot comes with a spatial index over its cells' extents, built once
// by the append that made it.
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "CellIndex.h"
#include "ChartModel.h"
#include "ReaderResult.h"

struct ViewGeometry;

using CellSnapshot = std::shared_ptr<const std::vector<S57Cell*>>;
using IndexedSnapshot = std::shared_ptr<const CellIndex>;

class CellList {
public:
  CellList();
  CellList(const CellList&) = delete;
  CellList& operator=(const CellList&) = delete;

  // Appends a finished cell unless one of the same name is already listed,
  // in one step under the lock; a cell of that name listed unloaded is
  // replaced in its place instead (read again). On success the view, when
  // given, is centred on the cell (a cell without extents leaves it alone).
  // Returns Ok, or DuplicateCell (the cell is then discarded).
  ReaderResult append(std::unique_ptr<S57Cell> cell, ViewGeometry* centreOn = nullptr);

  // Takes the cell of that name out of the cells listed from now on (its
  // memory stays with the list for snapshots taken before). False when no
  // such cell is listed.
  bool withdraw(std::string_view name);

  // Lists the cell of that name from now on by its copy without features
  // (unloadedCopy); the cell's memory goes once no snapshot holds it. False
  // when no such cell is listed or it is unloaded already.
  bool unload(std::string_view name);
  // The same for each of `names`, published once: how many it unloaded.
  std::size_t unload(const std::vector<std::string>& names);

  bool contains(std::string_view name) const;
  // Listed and loaded: a load of that name would be a duplicate.
  bool containsLoaded(std::string_view name) const;
  CellSnapshot snapshot() const;
  // The same list with its index (the snapshot is its cells()).
  IndexedSnapshot indexedSnapshot() const;
  size_t size() const;

private:
  // Publishes cells_ with its index; each snapshot owns a share of its cells.
  void publish();

  mutable std::mutex mutex_;
  std::vector<std::shared_ptr<S57Cell>> cells_;      // listed
  std::vector<std::shared_ptr<S57Cell>> withdrawn_;  // kept for older snapshots
  IndexedSnapshot published_;  // replaced, never changed, on each change
};
