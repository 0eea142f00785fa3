#pragma once
// A cell's levels of detail (DetailLevels.h), each made once, the first time
// a view draws at it, and then shared by every view. Features share edges
// (a coastline and the land and depth areas on either side of it run along
// the same edge), so the edges are simplified, not the features: each edge
// once per level, all of a level's edges together (LineSimplification.h),
// so that neighbours stay joined along their edge, an edge keeps its end
// nodes, and no simplified edge crosses another. An edge is known by its
// vertices, whichever feature and direction it comes with. Each feature's
// vertex list then keeps, per level, the vertices its edges keep; areas
// stay closed and holes stay rings.
//
// Threads: level() may be called by several threads at once; the first
// makes the level under its once-guard, the others wait for it. A made level
// is published (release) and never changes again; made() and finestMade()
// read what is published (acquire) and never make nor wait, so a pass that
// must not stall draws with them while another thread makes the level. A
// level lives as long as its cell: every snapshot that holds the cell may
// draw it.
#include <array>
#include <atomic>
#include <mutex>

#include "DetailLevels.h"

struct S57Cell;

class CellDetailLevels {
public:
  explicit CellDetailLevels(const DetailTolerances& tolerances);
  CellDetailLevels(const CellDetailLevels&) = delete;
  CellDetailLevels& operator=(const CellDetailLevels&) = delete;

  const DetailTolerances& tolerances() const { return tolerances_; }

  // Level `level` of `cell` (whose lists prepareDetailLevels numbered), made
  // on first need; null for level 0, a level out of range or one of
  // tolerance 0. The cell's features must not change while it lives.
  const DetailLevel* level(const S57Cell& cell, int level) const;
  // Whether level `level` is one this cell has (1 ... kDetailLevels, of a
  // tolerance above 0).
  bool has(int level) const;
  // Level `level` if it has been made, else null; never makes it.
  const DetailLevel* made(int level) const;
  // The most simplified level made that is no more simplified than `level`
  // (`level` itself or a more detailed one), null when none is: every
  // vertex. A line drawn with it stays within a level's tolerance of the
  // full line, as at `level`. Never makes a level.
  const DetailLevel* finestMade(int level) const;

private:
  DetailTolerances tolerances_;
  mutable std::array<std::once_flag, kDetailLevels> once_;
  mutable std::array<DetailLevel, kDetailLevels> levels_;
  mutable std::array<std::atomic<const DetailLevel*>, kDetailLevels> published_;
};

// Numbers the vertex lists of the cell's lines and areas and gives the cell
// fresh levels of these tolerances, none made yet. A list whose parts do
// not lie one after the other through the whole list is drawn whole at
// every level, and the others keep clear of it.
void prepareDetailLevels(S57Cell& cell, const DetailTolerances& tolerances);
