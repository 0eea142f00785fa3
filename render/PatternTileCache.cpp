#include "PatternTileCache.h"

#include <QImage>

#include "PatternFill.h"

namespace {
QBrush makeTileBrush(const PatternDefinition& pattern, const ColourTable& colours) {
  const QImage tile = buildPatternTile(pattern, colours);
  return tile.isNull() ? QBrush() : QBrush(tile);
}
}  // namespace

QBrush PatternTileCache::brush(const PatternDefinition& pattern, const ColourTable& colours) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!enabled_) {
    ++built_;
    return makeTileBrush(pattern, colours);
  }
  const auto key = std::make_pair(&pattern, &colours);
  auto it = brushes_.find(key);
  if (it == brushes_.end()) {
    ++built_;
    it = brushes_.emplace(key, makeTileBrush(pattern, colours)).first;
  }
  return it->second;
}

void PatternTileCache::setEnabled(bool enabled) {
  std::lock_guard<std::mutex> lock(mutex_);
  enabled_ = enabled;
}

void PatternTileCache::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  brushes_.clear();
}
