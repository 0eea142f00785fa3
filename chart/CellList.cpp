#include "CellList.h"

#include "CellBuilder.h"
#include "ReaderResult.h"

CellList::CellList() : published_(std::make_shared<const CellIndex>()) {}

ReaderResult CellList::append(std::unique_ptr<S57Cell> cell, ViewGeometry* centreOn) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& c : cells_)
    if (c->name == cell->name) return ReaderResult::DuplicateCell;
  std::vector<S57Cell*> listed = published_->cells();
  listed.push_back(cell.get());
  auto next = std::make_shared<const CellIndex>(std::move(listed));
  if (centreOn) centreView(*cell, *centreOn);
  cells_.push_back(std::move(cell));
  published_ = std::move(next);
  return ReaderResult::Ok;
}

bool CellList::withdraw(std::string_view name) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto it = cells_.begin(); it != cells_.end(); ++it) {
    if ((*it)->name != name) continue;
    const S57Cell* gone = it->get();
    std::vector<S57Cell*> listed;
    listed.reserve(cells_.size() - 1);
    for (S57Cell* c : published_->cells())
      if (c != gone) listed.push_back(c);
    withdrawn_.push_back(std::move(*it));
    cells_.erase(it);
    published_ = std::make_shared<const CellIndex>(std::move(listed));
    return true;
  }
  return false;
}

bool CellList::contains(std::string_view name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& c : cells_)
    if (c->name == name) return true;
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
