#include "LineSimplification.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Index = std::uint32_t;

struct Box {
  double minX, minY, maxX, maxY;
};

double orient(const ChartPoint& a, const ChartPoint& b, const ChartPoint& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

int sign(double v) { return (v > 0) - (v < 0); }

bool same(const ChartPoint& a, const ChartPoint& b) { return a.x == b.x && a.y == b.y; }

double distanceSquared(const ChartPoint& a, const ChartPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  return dx * dx + dy * dy;
}

double distanceSquaredToSegment(const ChartPoint& p, const ChartPoint& a, const ChartPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = dx * dx + dy * dy;
  if (!(length > 0)) return distanceSquared(p, a);
  const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0);
  return distanceSquared(p, ChartPoint{a.x + t * dx, a.y + t * dy});
}

// Whether c, known to lie on the line through a and b, lies within the segment.
bool withinSegment(const ChartPoint& a, const ChartPoint& b, const ChartPoint& c) {
  return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
         c.y <= std::max(a.y, b.y);
}

// Whether two segments meet anywhere but at an end they share: a crossing,
// an end on the other's inside, or a stretch in common.
bool segmentsConflict(const ChartPoint& p1, const ChartPoint& p2, const ChartPoint& q1, const ChartPoint& q2) {
  if (std::max(p1.x, p2.x) < std::min(q1.x, q2.x) || std::max(q1.x, q2.x) < std::min(p1.x, p2.x) ||
      std::max(p1.y, p2.y) < std::min(q1.y, q2.y) || std::max(q1.y, q2.y) < std::min(p1.y, p2.y))
    return false;
  const int d1 = sign(orient(q1, q2, p1)), d2 = sign(orient(q1, q2, p2));
  const int d3 = sign(orient(p1, p2, q1)), d4 = sign(orient(p1, p2, q2));
  if (d1 * d2 < 0 && d3 * d4 < 0) return true;
  if (d1 == 0 && d2 == 0) {
    // On one line: they conflict when they share more than an end.
    const bool alongX = std::abs(p2.x - p1.x) + std::abs(q2.x - q1.x) >= std::abs(p2.y - p1.y) + std::abs(q2.y - q1.y);
    auto key = [alongX](const ChartPoint& p) { return alongX ? p.x : p.y; };
    const double low = std::max(std::min(key(p1), key(p2)), std::min(key(q1), key(q2)));
    const double high = std::min(std::max(key(p1), key(p2)), std::max(key(q1), key(q2)));
    return high > low;
  }
  // An end lying on the other segment counts unless it is an end of both.
  auto touches = [](const ChartPoint& end, int side, const ChartPoint& a, const ChartPoint& b) {
    return side == 0 && withinSegment(a, b, end) && !same(end, a) && !same(end, b);
  };
  return touches(p1, d1, q1, q2) || touches(p2, d2, q1, q2) || touches(q1, d3, p1, p2) || touches(q2, d4, p1, p2);
}

constexpr Index kNone = std::numeric_limits<Index>::max();

// Segments in a grid of square cells, each listed in every cell it passes
// through. Segments are added as they come; one that changed is added
// again, and a listing that no longer fits it only costs a look.
class SegmentGrid {
public:
  void reset(const Box& box, std::size_t expected, std::size_t ids) {
    minX_ = box.minX;
    minY_ = box.minY;
    const double width = std::max(box.maxX - box.minX, 1.0), height = std::max(box.maxY - box.minY, 1.0);
    const double side = std::sqrt(width * height / std::max<double>(1.0, 8.0 * static_cast<double>(expected)));
    columns_ = std::clamp(static_cast<int>(width / side) + 1, 1, kMaxSide);
    rows_ = std::clamp(static_cast<int>(height / side) + 1, 1, kMaxSide);
    cell_ = std::max(width / columns_, height / rows_) * (1 + 1e-9);
    heads_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), kNone);
    entries_.clear();
    stamps_.assign(ids, 0);
    stamp_ = 0;
  }

  void add(Index id, const ChartPoint& a, const ChartPoint& b) {
    forEachCell(a, b, 0, [&](std::size_t cell) {
      entries_.push_back({id, heads_[cell]});
      heads_[cell] = static_cast<Index>(entries_.size() - 1);
    });
  }

  // Calls `visit` once with each id listed where the segment from a to b,
  // grown by `margin`, passes.
  template <typename Visit>
  void near(const ChartPoint& a, const ChartPoint& b, double margin, Visit visit) {
    if (++stamp_ == 0) {
      std::fill(stamps_.begin(), stamps_.end(), 0);
      stamp_ = 1;
    }
    forEachCell(a, b, margin, [&](std::size_t cell) {
      for (Index e = heads_[cell]; e != kNone; e = entries_[e].next) {
        const Index id = entries_[e].id;
        if (stamps_[id] == stamp_) continue;
        stamps_[id] = stamp_;
        visit(id);
      }
    });
  }

private:
  static constexpr int kMaxSide = 2048;
  struct Entry {
    Index id, next;
  };

  int column(double x) const { return std::clamp(static_cast<int>(std::floor((x - minX_) / cell_)), 0, columns_ - 1); }
  int row(double y) const { return std::clamp(static_cast<int>(std::floor((y - minY_) / cell_)), 0, rows_ - 1); }

  // The cells of each row the segment (grown by `margin`) passes through.
  template <typename Visit>
  void forEachCell(const ChartPoint& a, const ChartPoint& b, double margin, Visit visit) const {
    const double lowY = std::min(a.y, b.y), highY = std::max(a.y, b.y);
    const int firstRow = row(lowY - margin), lastRow = row(highY + margin);
    for (int r = firstRow; r <= lastRow; ++r) {
      const double slabLow = std::max(lowY, minY_ + r * cell_ - margin);
      const double slabHigh = std::min(highY, minY_ + (r + 1) * cell_ + margin);
      double x0 = a.x, x1 = b.x;
      if (highY > lowY) {
        auto xAt = [&](double y) {
          const double t = std::clamp((y - a.y) / (b.y - a.y), 0.0, 1.0);
          return a.x + t * (b.x - a.x);
        };
        x0 = xAt(std::min(slabLow, highY));
        x1 = xAt(std::max(slabHigh, lowY));
      }
      const int firstColumn = column(std::min(x0, x1) - margin), lastColumn = column(std::max(x0, x1) + margin);
      const std::size_t base = static_cast<std::size_t>(r) * static_cast<std::size_t>(columns_);
      for (int c = firstColumn; c <= lastColumn; ++c) visit(base + static_cast<std::size_t>(c));
    }
  }

  std::vector<Index> heads_;  // per cell, its last entry
  std::vector<Entry> entries_;
  std::vector<Index> stamps_;
  Index stamp_ = 0;
  double minX_ = 0, minY_ = 0, cell_ = 1;
  int columns_ = 1, rows_ = 1;
};

// The lines' vertices are numbered one line after the other; a segment is
// named by the number of its first vertex, and each kept vertex knows the
// next one its line keeps.
class Simplifier {
public:
  Simplifier(const std::vector<SimplifiedLineInput>& lines, double tolerance)
      : lines_(lines), tolerance_(tolerance), limit_(tolerance * tolerance), first_(lines.size() + 1, 0) {
    for (Index l = 0; l < lines.size(); ++l) first_[l + 1] = first_[l] + lines[l].count;
    next_.assign(first_.back(), kNone);
    lineOf_.resize(first_.back());
    for (Index l = 0; l < lines.size(); ++l) std::fill(lineOf_.begin() + first_[l], lineOf_.begin() + first_[l + 1], l);
    lineStamps_.assign(lines.size(), 0);
    conflict_.assign(first_.back(), 0);
  }

  std::vector<std::vector<Index>> run() {
    std::vector<Index> kept;
    Box box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
            std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    for (Index l = 0; l < lines_.size(); ++l) {
      simplify(l, kept);
      for (std::size_t k = 0; k + 1 < kept.size(); ++k) next_[first_[l] + kept[k]] = kept[k + 1];
      segments_ += kept.empty() ? 0 : kept.size() - 1;
      for (Index i = 0; i < lines_[l].count; ++i) {
        const ChartPoint& p = point(l, i);
        box.minX = std::min(box.minX, p.x), box.maxX = std::max(box.maxX, p.x);
        box.minY = std::min(box.minY, p.y), box.maxY = std::max(box.maxY, p.y);
      }
    }
    std::vector<Index> fresh;
    if (segments_ > 0) {
      grid_.reset(box, segments_, first_.back());
      for (Index id = 0; id < next_.size(); ++id)
        if (next_[id] != kNone) {
          const auto [a, b] = ends(id);
          grid_.add(id, a, b);
          if (shortcut(id)) fresh.push_back(id);
        }
    }
    // Each round gives every shortcut in conflict one vertex back or more, so
    // the rounds end, at the latest with the full lines.
    for (int round = 0; !fresh.empty(); ++round) {
      if (round == kMaxRounds) return everyVertex();
      fresh = mendConflicts(fresh);
    }
    std::vector<std::vector<Index>> out(lines_.size());
    for (Index l = 0; l < lines_.size(); ++l) {
      if (lines_[l].count == 0) continue;
      for (Index i = 0; i != kNone; i = next_[first_[l] + i]) out[l].push_back(i);
    }
    return out;
  }

private:
  static constexpr int kMaxRounds = 1000;

  const ChartPoint& point(Index line, Index i) const { return lines_[line].vertices[i].point; }

  std::vector<std::vector<Index>> everyVertex() const {
    std::vector<std::vector<Index>> out(lines_.size());
    for (Index l = 0; l < lines_.size(); ++l)
      for (Index i = 0; i < lines_[l].count; ++i) out[l].push_back(i);
    return out;
  }

  // The vertex strictly between i and j farthest from the segment between
  // them, and its squared distance.
  std::pair<Index, double> farthest(Index l, Index i, Index j) const {
    const ChartPoint& a = point(l, i);
    const ChartPoint& b = point(l, j);
    Index best = i;
    double bestDistance = -1;
    for (Index k = i + 1; k < j; ++k) {
      const double d = distanceSquaredToSegment(point(l, k), a, b);
      if (d > bestDistance) bestDistance = d, best = k;
    }
    return {best, bestDistance};
  }

  // Appends to `out` what the line keeps strictly between i and j.
  void simplifyRange(Index l, Index i, Index j, std::vector<Index>& out) {
    stack_.clear();
    stack_.emplace_back(i, j);
    while (!stack_.empty()) {
      const auto [from, to] = stack_.back();
      stack_.pop_back();
      if (to - from < 2) continue;
      const auto [k, d] = farthest(l, from, to);
      if (d <= limit_) continue;
      out.push_back(k);
      stack_.emplace_back(from, k);
      stack_.emplace_back(k, to);
    }
  }

  // What line l keeps by the tolerance alone, ascending, into `kept`.
  void simplify(Index l, std::vector<Index>& kept) {
    const SimplifiedLineInput& line = lines_[l];
    const Index n = line.count;
    kept.clear();
    if (line.fixed || n <= 2) {
      for (Index i = 0; i < n; ++i) kept.push_back(i);
      return;
    }
    kept = {0, n - 1};
    if (n >= 4 && same(point(l, 0), point(l, n - 1))) {
      // A ring: the vertex farthest from its start, and the one farthest
      // from the line between those two, make a triangle that stays.
      Index far = 0;
      double farDistance = 0;
      for (Index k = 1; k + 1 < n; ++k) {
        const double d = distanceSquared(point(l, k), point(l, 0));
        if (d > farDistance) farDistance = d, far = k;
      }
      if (far != 0) {
        Index third = 0;
        double thirdDistance = 0;
        for (Index k = 1; k + 1 < n; ++k) {
          const double d = distanceSquaredToSegment(point(l, k), point(l, 0), point(l, far));
          if (k != far && d > thirdDistance) thirdDistance = d, third = k;
        }
        kept.push_back(far);
        if (third != 0) kept.push_back(third);
        std::sort(kept.begin(), kept.end());
      }
    }
    const std::size_t anchors = kept.size();
    for (std::size_t a = 0; a + 1 < anchors; ++a) simplifyRange(l, kept[a], kept[a + 1], kept);
    std::sort(kept.begin(), kept.end());
  }

  Index line(Index id) const { return lineOf_[id]; }
  Index start(Index id) const { return id - first_[lineOf_[id]]; }
  bool shortcut(Index id) const { return next_[id] - start(id) > 1; }
  std::pair<ChartPoint, ChartPoint> ends(Index id) const {
    const Index l = line(id);
    return {point(l, start(id)), point(l, next_[id])};
  }
  bool lastOfLine(Index id) const { return next_[first_[line(id)] + next_[id]] == kNone; }

  // The ring of the full line from i to j closed by the shortcut between
  // them, and the band along the shortcut that holds it.
  struct Swept {
    Index line, i, j;
    ChartPoint a, b;
    double low = 0, high = 0;      // across the shortcut (orient over its length)
    double before = 0, after = 0;  // along it (dot product over its length)
  };

  void band(Swept& swept) const {
    const double dx = swept.b.x - swept.a.x, dy = swept.b.y - swept.a.y;
    swept.low = swept.high = 0;
    swept.before = 0;
    swept.after = dx * dx + dy * dy;
    for (Index k = swept.i + 1; k < swept.j; ++k) {
      const ChartPoint& p = point(swept.line, k);
      const double across = orient(swept.a, swept.b, p);
      const double along = (p.x - swept.a.x) * dx + (p.y - swept.a.y) * dy;
      swept.low = std::min(swept.low, across), swept.high = std::max(swept.high, across);
      swept.before = std::min(swept.before, along), swept.after = std::max(swept.after, along);
    }
  }

  // Whether p lies inside the swept ring, or on the shortcut itself.
  bool inside(Swept& swept, const ChartPoint& p) const {
    if (same(p, swept.a) || same(p, swept.b)) return false;
    // The ring lies within the tolerance of the shortcut.
    if (distanceSquaredToSegment(p, swept.a, swept.b) > limit_ * (1 + 1e-9)) return false;
    const double across = orient(swept.a, swept.b, p);
    if (across == 0 && withinSegment(swept.a, swept.b, p)) return true;
    const double along = (p.x - swept.a.x) * (swept.b.x - swept.a.x) + (p.y - swept.a.y) * (swept.b.y - swept.a.y);
    if (across < swept.low || across > swept.high || along < swept.before || along > swept.after) return false;
    bool in = false;
    for (Index k = swept.i; k <= swept.j; ++k) {
      const ChartPoint& u = point(swept.line, k);
      const ChartPoint& v = k == swept.j ? swept.a : point(swept.line, k + 1);
      if ((u.y > p.y) != (v.y > p.y) && p.x < u.x + (p.y - u.y) / (v.y - u.y) * (v.x - u.x)) in = !in;
    }
    return in;
  }

  void markConflict(Index id, std::vector<Index>& conflicts) {
    if (conflict_[id]) return;
    conflict_[id] = 1;
    conflicts.push_back(id);
  }

  // Tests segment s against the segments near it: a crossing or a stretch
  // in common puts each of the two that is a shortcut in conflict, and a
  // shortcut is in conflict too where another line lies inside its swept
  // ring.
  void test(Index s, std::vector<Index>& conflicts) {
    const bool isShortcut = shortcut(s);
    Swept swept{line(s), start(s), next_[s], {}, {}};
    std::tie(swept.a, swept.b) = ends(s);
    // A crossing lies where the segment passes; a line inside a swept ring
    // within the ring's band.
    double margin = 0;
    if (isShortcut) {
      band(swept);
      const double length = std::sqrt(distanceSquared(swept.a, swept.b));
      if (length > 0)
        margin = std::max({-swept.low, swept.high, -swept.before, swept.after - length * length}) / length;
      margin = std::min(margin, tolerance_);
    }
    ++stamp_;
    grid_.near(swept.a, swept.b, margin, [&](Index u) {
      if (u == s || next_[u] == kNone) return;
      const auto [c, d] = ends(u);
      if (segmentsConflict(swept.a, swept.b, c, d)) {
        if (isShortcut) markConflict(s, conflicts);
        if (shortcut(u)) markConflict(u, conflicts);
      }
      if (!isShortcut || conflict_[s]) return;
      // A line that neither crosses the shortcut nor the full line (which
      // it cannot, lines meeting only at their ends) lies wholly inside
      // the swept ring or wholly outside, so one vertex of it tells,
      // unless it is the shortcut's own line.
      const Index other = line(u);
      if (other != swept.line) {
        if (lineStamps_[other] == stamp_) return;
        const ChartPoint& probe = same(c, swept.a) || same(c, swept.b) ? d : c;
        if (same(probe, swept.a) || same(probe, swept.b)) return;
        lineStamps_[other] = stamp_;
        if (inside(swept, probe)) markConflict(s, conflicts);
      } else if (inside(swept, c) || (lastOfLine(u) && inside(swept, d))) {
        markConflict(s, conflicts);
      }
    });
  }

  // One round over the segments the last one made (at first every
  // shortcut): a conflict between a new segment and an old one is a
  // crossing or a stretch in common, found from the new one's side. (A line
  // with new vertices inside an old shortcut's swept ring crosses that
  // shortcut to get there: what it kept before lay outside, and it keeps
  // that.) Each shortcut in conflict gets its farthest vertex back, with
  // what its two pieces then need; returns the segments made.
  std::vector<Index> mendConflicts(const std::vector<Index>& fresh) {
    std::vector<Index> conflicts;
    for (Index s : fresh)
      if (next_[s] != kNone) test(s, conflicts);
    std::vector<Index> made, added;
    for (Index id : conflicts) {
      conflict_[id] = 0;
      const Index l = line(id), i = start(id), j = next_[id];
      added.clear();
      added.push_back(farthest(l, i, j).first);
      // What the two pieces need to stay within the tolerance themselves.
      simplifyRange(l, i, added.front(), added);
      simplifyRange(l, added.front(), j, added);
      std::sort(added.begin(), added.end());
      Index previous = i;
      for (Index k : added) {
        next_[first_[l] + previous] = k;
        previous = k;
      }
      next_[first_[l] + previous] = j;
      for (Index from = i; from != j; from = next_[first_[l] + from]) {
        const Index segment = first_[l] + from;
        const auto [a, b] = ends(segment);
        grid_.add(segment, a, b);
        made.push_back(segment);
      }
    }
    return made;
  }

  const std::vector<SimplifiedLineInput>& lines_;
  const double tolerance_;
  const double limit_;        // the tolerance squared
  std::vector<Index> first_;  // per line, the number of its first vertex
  std::vector<Index> lineOf_;  // per vertex number, its line
  std::vector<Index> next_;   // per vertex number, the next vertex its line keeps, or kNone
  std::vector<std::uint8_t> conflict_;  // per segment, in conflict this round
  std::size_t segments_ = 0;
  std::vector<std::pair<Index, Index>> stack_;
  SegmentGrid grid_;
  std::vector<Index> lineStamps_;  // per line, the test that last looked at it
  Index stamp_ = 0;
};

}  // namespace

std::vector<std::vector<std::uint32_t>> simplifyLinesTogether(const std::vector<SimplifiedLineInput>& lines,
                                                              double tolerance) {
  return Simplifier(lines, tolerance).run();
}
