#pragma once
// Simplification of many lines together that keeps their topology: each
// line loses the vertices that lie within a tolerance of the straight piece
// that replaces them (Douglas-Peucker, keeping its two ends), and then no
// simplified line crosses, touches or runs along another (or itself) where
// the full ones do not, and no vertex kept of any line changes sides: a
// shortcut that would pass over another line, or round an island, gets back
// the vertices it needs. A closed line keeps at least a triangle, so a ring
// never shrinks to nothing.
#include <cstdint>
#include <vector>

#include "ChartVertex.h"

struct SimplifiedLineInput {
  const ChartVertex* vertices = nullptr;
  std::uint32_t count = 0;
  bool fixed = false;  // kept whole; other lines still keep clear of it
};

// The indices each line keeps, ascending, its first and last always among
// them; a fixed line keeps every vertex. Where the lines given cross one
// another already, the pieces that cross keep their vertices.
std::vector<std::vector<std::uint32_t>> simplifyLinesTogether(const std::vector<SimplifiedLineInput>& lines,
                                                              double tolerance);
