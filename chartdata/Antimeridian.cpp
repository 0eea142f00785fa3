#include "Antimeridian.h"

#include <cstdint>
#include <cstdlib>

#include "S57CellReader.h"

namespace {
struct Crossings {
  std::int64_t half = 0;  // 180 degrees in coordinate units
  bool antimeridian = false;
  bool primeMeridian = false;

  void segment(std::int32_t a, std::int32_t b) {
    const std::int64_t d = std::llabs(static_cast<std::int64_t>(a) - b);
    if (d > half && d < 2 * half) antimeridian = true;
    else if (d <= half && (a < 0) != (b < 0)) primeMeridian = true;
  }
};

const VRID* nodeOf(const S57CellReader& reader, const VRPT& pointer) {
  const auto it = reader.vectorIndex.find(nameKey(pointer.NAME));
  if (it == reader.vectorIndex.end() || !it->second || it->second->coordinates2D.empty()) return nullptr;
  return it->second.get();
}
}  // namespace

bool crossesAntimeridian(const S57CellReader& reader, int coordinateFactor) {
  if (coordinateFactor <= 0) return false;
  Crossings c;
  c.half = 180LL * coordinateFactor;
  for (const auto& [key, edge] : reader.vectorIndex) {
    if (!edge || edge->RCNM != 130) continue;
    const VRID* begin = nullptr;
    const VRID* end = nullptr;
    for (const VRPT& p : edge->pointers) {
      if (p.TOPI == 1 && !begin) begin = nodeOf(reader, p);
      else if (p.TOPI == 2 && !end) end = nodeOf(reader, p);
    }
    bool have = false;
    std::int32_t last = 0;
    auto visit = [&](std::int32_t x) {
      if (have) c.segment(last, x);
      last = x;
      have = true;
    };
    if (begin) visit(begin->coordinates2D.front().XCOO);
    for (const SG2D& p : edge->coordinates2D) visit(p.XCOO);
    if (end) visit(end->coordinates2D.front().XCOO);
    if (c.antimeridian && c.primeMeridian) return false;
  }
  return c.antimeridian && !c.primeMeridian;
}
