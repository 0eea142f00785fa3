#pragma once
// A spatial index over the extent boxes of a list of cells: a packed R-tree
// (sort-tile-recursive), built once for an unchanging list. It answers which
// cells have an extent box meeting a view exactly as a scan of every cell
// with extentMeetsView would, in time that grows with the cells found, not
// with the cells listed.
#include <cstdint>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

class CellIndex {
public:
  CellIndex() = default;
  // Indexes the cells' extents as they are now; they must not change while
  // the index is used.
  explicit CellIndex(std::vector<S57Cell*> cells);

  // The list indexed, in its order.
  const std::vector<S57Cell*>& cells() const { return cells_; }

  // Replaces `positions` by the positions in cells() of the cells with an
  // extent box meeting the view (touching edges count), ascending, each
  // once. The view's origin must be current.
  void query(const ViewGeometry& view, std::vector<std::uint32_t>& positions) const;

private:
  struct Entry {
    ChartBox box;
    std::uint32_t item = 0;  // a cell's position (leaves) or the first child
    std::uint32_t count = 0; // children, 0 for a leaf entry
  };
  void search(const ViewGeometry& view, const ChartBox& within, size_t level, const Entry& node,
              std::vector<std::uint32_t>& positions) const;

  std::vector<S57Cell*> cells_;
  // levels_[0] holds one entry per extent box; each level above groups the
  // one below in runs of consecutive entries; the last has the roots.
  std::vector<std::vector<Entry>> levels_;
  // Boxes with a coordinate that is not a number meet every view in the
  // scan; they are kept apart and tested one by one.
  std::vector<Entry> unordered_;
};
