#pragma once
// The tiles of area patterns, each drawn once per pattern and colour table
// and reused by later fills. The views of one engine share it, on any
// thread: it is locked while a tile is looked up or made.
#include <QBrush>
#include <atomic>
#include <map>
#include <mutex>
#include <utility>

struct ColourTable;
struct PatternDefinition;

class PatternTileCache {
public:
  // The brush of the pattern's tile in the table (buildPatternTile);
  // Qt::NoBrush when the tile is empty.
  QBrush brush(const PatternDefinition& pattern, const ColourTable& colours);

  // Turned off (for measurements), the tile is built at every fill.
  void setEnabled(bool enabled);
  // Needed when a library the cache has seen goes away: tiles are kept by
  // the definition's and the table's address.
  void clear();
  // Tiles built since the cache was made, cached or not.
  long long tilesBuilt() const { return built_; }

private:
  std::mutex mutex_;
  bool enabled_ = true;
  std::atomic<long long> built_{0};
  std::map<std::pair<const PatternDefinition*, const ColourTable*>, QBrush> brushes_;
};
