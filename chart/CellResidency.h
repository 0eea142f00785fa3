#pragma once
// Which loaded cells stay in memory: those a view drew lately. Cells drawn
// by the last pass stay whatever the budget; of the others, those seen
// longest ago are unloaded first (CellList::unload) until no more than the
// budget of cells are loaded. An unloaded cell a pass wants is asked for
// once, until its read ends. Names are the cells' data set names (DSNM).
// Used on one thread (the window's).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "CellList.h"

class CellResidency {
public:
  explicit CellResidency(std::size_t budget) : budget_(budget) {}

  std::size_t budget() const { return budget_; }

  // The cells a pass drew: seen now, and kept while they are the last drawn.
  void noteDrawn(const std::vector<S57Cell*>& drawn);

  // Unloads loaded cells, least recently drawn first (never drawn before
  // all), while more than the budget are loaded; never one of the last
  // pass, nor one `unloadable` refuses (a cell that cannot be read again,
  // or one a panel still shows). Returns how many it unloaded.
  std::size_t trim(CellList& cells, const std::function<bool(const S57Cell&)>& unloadable);

  // Of the unloaded cells a pass wanted, the names not asked for yet; they
  // count as asked from now until readEnded.
  std::vector<std::string> toRead(const std::vector<S57Cell*>& unloaded);
  // The read of these names ended (loaded or not): a later pass may ask
  // again for one still unloaded.
  void readEnded(const std::vector<std::string>& names);
  // A name whose read failed is not asked for again.
  void readFailed(const std::string& name) { failed_.insert(name); }
  // Everything forgotten of reads (the cells' source changed).
  void forgetReads();

private:
  std::size_t budget_;
  std::uint64_t pass_ = 0;
  std::unordered_map<std::string, std::uint64_t> drawnAt_;  // by name: the pass that last drew it
  std::unordered_set<std::string> asked_;
  std::unordered_set<std::string> failed_;
  std::vector<std::pair<std::uint64_t, const S57Cell*>> order_;  // scratch of trim
};
