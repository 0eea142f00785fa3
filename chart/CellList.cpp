#include "CellList.h"

#include <unordered_set>

#include "CellBuilder.h"
#include "ReaderResult.h"
#include "UnloadedCell.h"

namespace {
// A published index with the shares of the cells it lists.
struct OwnedIndex {
  CellIndex index;
  std::vector<std::shared_ptr<S57Cell>> owners;
};
}  // namespace

CellList::CellList() : published_(std::make_shared<const CellIndex>()) {}

void CellList::publish() {
  auto owned = std::make_shared<OwnedIndex>();
  owned->owners = cells_;
  std::vector<S57Cell*> listed;
  listed.reserve(cells_.size());
  for (const auto& c : cells_) listed.push_back(c.get());
  owned->index = CellIndex(std::move(listed));
  const CellIndex* index = &owned->index;
  published_ = IndexedSnapshot(std::move(owned), index);
}

ReaderResult CellList::append(std::unique_ptr<S57Cell> cell, ViewGeometry* centreOn) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto at = cells_.end();
  for (auto it = cells_.begin(); it != cells_.end(); ++it) {
    if ((*it)->name != cell->name) continue;
    if (!(*it)->unloaded) return ReaderResult::DuplicateCell;
    at = it;
  }
  if (centreOn) centreView(*cell, *centreOn);
  if (at != cells_.end())
    *at = std::move(cell);  // read again: back in its place
  else
    cells_.push_back(std::move(cell));
  publish();
  return ReaderResult::Ok;
}

bool CellList::withdraw(std::string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = cells_.begin(); it != cells_.end(); ++it) {
    if ((*it)->name != name) continue;
    withdrawn_.push_back(std::move(*it));
    cells_.erase(it);
    publish();
    return true;
  }
  return false;
}

bool CellList::unload(std::string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& c : cells_) {
    if (c->name != name) continue;
    if (c->unloaded) return false;
    c = unloadedCopy(*c);  // the loaded cell stays with the snapshots that hold it
    publish();
    return true;
  }
  return false;
}

std::size_t CellList::unload(const std::vector<std::string>& names) {
  if (names.empty()) return 0;
  const std::unordered_set<std::string_view> wanted(names.begin(), names.end());
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t unloaded = 0;
  for (auto& c : cells_) {
    if (c->unloaded || !wanted.count(c->name)) continue;
    c = unloadedCopy(*c);
    ++unloaded;
  }
  // One snapshot and index for all of them: a trim of thousands of cells
  // would otherwise index the whole list again for each.
  if (unloaded > 0) publish();
  return unloaded;
}

bool CellList::contains(std::string_view name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& c : cells_)
    if (c->name == name) return true;
  return false;
}

bool CellList::containsLoaded(std::string_view name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& c : cells_)
    if (c->name == name) return !c->unloaded;
  return false;
}

CellSnapshot CellList::snapshot() const {
  IndexedSnapshot indexed = indexedSnapshot();
  const std::vector<S57Cell*>* cells = &indexed->cells();
  return CellSnapshot(std::move(indexed), cells);  // shares the index's ownership
}

IndexedSnapshot CellList::indexedSnapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return published_;
}

size_t CellList::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return cells_.size();
}
