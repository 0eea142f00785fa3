// Simplifying lines together: the tolerance alone on one line, and the
// vertices a line must keep back so that it neither crosses a neighbour nor
// passes to its other side, nor collapses onto another line or to nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "LineSimplification.h"

namespace {
using Kept = std::vector<std::uint32_t>;

std::vector<ChartVertex> line(std::initializer_list<ChartPoint> points) {
  std::vector<ChartVertex> out;
  for (const ChartPoint& p : points) out.push_back(ChartVertex{p, 0});
  return out;
}

SimplifiedLineInput input(const std::vector<ChartVertex>& v, bool fixed = false) {
  return SimplifiedLineInput{v.data(), static_cast<std::uint32_t>(v.size()), fixed};
}

bool keeps(const Kept& kept, std::uint32_t i) { return std::find(kept.begin(), kept.end(), i) != kept.end(); }
}  // namespace

TEST(LineSimplification, OneLineKeepsWhatTheToleranceNeeds) {
  struct Case {
    const char* what;
    std::vector<ChartVertex> vertices;
    double tolerance;
    Kept kept;
  };
  const Case cases[] = {
      {"a straight run", line({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}), 0.1, {0, 4}},
      {"a bump within the tolerance", line({{0, 0}, {2, 0.4}, {4, 0}}), 0.5, {0, 2}},
      {"a bump beyond it", line({{0, 0}, {2, 0.6}, {4, 0}}), 0.5, {0, 1, 2}},
      {"two bumps, one beyond", line({{0, 0}, {2, 0.1}, {4, 0}, {6, 3}, {8, 0}}), 0.5, {0, 2, 3, 4}},
      {"two vertices", line({{0, 0}, {5, 5}}), 100, {0, 1}},
      {"a tolerance of nothing keeps corners", line({{0, 0}, {1, 1}, {2, 0}}), 0, {0, 1, 2}},
  };
  for (const Case& c : cases) {
    const auto kept = simplifyLinesTogether({input(c.vertices)}, c.tolerance);
    ASSERT_EQ(kept.size(), 1u) << c.what;
    EXPECT_EQ(kept[0], c.kept) << c.what;
  }
}

// A ring far smaller than the tolerance stays a triangle, closed.
TEST(LineSimplification, RingKeepsATriangle) {
  const auto ring = line({{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {0, 1}, {0, 0}});
  const auto kept = simplifyLinesTogether({input(ring)}, 1000)[0];
  EXPECT_EQ(kept.size(), 4u);
  EXPECT_EQ(kept.front(), 0u);
  EXPECT_EQ(kept.back(), 8u);
}

// The shortcut of a bump within the tolerance would put a neighbour on the
// other side of the line (an island off the coast, a line that leaves
// through it) or make two lines between the same ends one: the line keeps
// its bump. Without the neighbour it would not.
TEST(LineSimplification, ShortcutsKeepClearOfOtherLines) {
  const auto coast = line({{0, 0}, {5, 0.4}, {10, 0}});
  struct Case {
    const char* what;
    std::vector<ChartVertex> other;
  };
  const Case cases[] = {
      {"a line wholly inside the bump", line({{4.5, 0.1}, {5.5, 0.1}})},
      {"a line leaving the bump across the shortcut", line({{5, 0.2}, {5, -3}})},
      {"a line between the same ends on the other side", line({{0, 0}, {5, -0.4}, {10, 0}})},
  };
  for (const Case& c : cases) {
    const auto kept = simplifyLinesTogether({input(coast), input(c.other)}, 1);
    const bool coastKeeps = keeps(kept[0], 1);
    const bool otherKeeps = c.other.size() == 3 && keeps(kept[1], 1);
    EXPECT_TRUE(coastKeeps || otherKeeps) << c.what;
  }
  const auto alone = simplifyLinesTogether({input(coast), input(line({{20, 5}, {21, 5}}))}, 1);
  EXPECT_EQ(alone[0], (Kept{0, 2}));
}

// A line drawn whole keeps every vertex, and the others still keep clear
// of it.
TEST(LineSimplification, FixedLineKeepsEveryVertexAndIsAvoided) {
  const auto fixed = line({{4.5, 0.1}, {5, 0.1}, {5.5, 0.1}});
  const auto coast = line({{0, 0}, {5, 0.4}, {10, 0}});
  const auto kept = simplifyLinesTogether({input(fixed, true), input(coast)}, 1);
  EXPECT_EQ(kept[0], (Kept{0, 1, 2}));
  EXPECT_EQ(kept[1], (Kept{0, 1, 2}));
}
