#include "CellResidency.h"

#include <algorithm>

void CellResidency::noteDrawn(const std::vector<S57Cell*>& drawn) {
  ++pass_;
  for (const S57Cell* cell : drawn) drawnAt_[cell->name] = pass_;
}

std::size_t CellResidency::trim(CellList& cells, const std::function<bool(const S57Cell&)>& unloadable) {
  const CellSnapshot listed = cells.snapshot();
  std::size_t loaded = 0;
  order_.clear();
  for (const S57Cell* cell : *listed) {
    if (cell->unloaded) continue;
    ++loaded;
    const auto seen = drawnAt_.find(cell->name);
    const std::uint64_t at = seen == drawnAt_.end() ? 0 : seen->second;
    if (pass_ > 0 && at == pass_) continue;  // drawn by the last pass
    order_.emplace_back(at, cell);
  }
  if (loaded <= budget_) return 0;
  std::stable_sort(order_.begin(), order_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto& [at, cell] : order_) {
    if (loaded <= budget_) break;
    if (!unloadable(*cell)) continue;
    names.push_back(cell->name);
    --loaded;
  }
  return cells.unload(names);
}

std::vector<std::string> CellResidency::toRead(const std::vector<S57Cell*>& unloaded) {
  std::vector<std::string> names;
  for (const S57Cell* cell : unloaded) {
    if (failed_.count(cell->name) || !asked_.insert(cell->name).second) continue;
    names.push_back(cell->name);
  }
  return names;
}

void CellResidency::readEnded(const std::vector<std::string>& names) {
  for (const std::string& name : names) asked_.erase(name);
}

void CellResidency::forgetReads() {
  asked_.clear();
  failed_.clear();
}
