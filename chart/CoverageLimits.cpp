#include "CoverageLimits.h"

#include <cmath>

#include "CellChoice.h"
#include "CellFinishing.h"
#include "InstructionExecutor.h"
#include "OfficialData.h"
#include "PolylineProjection.h"
#include "S57Vocabulary.h"
#include "WorldCopies.h"

namespace {

// How far either side of a segment's middle its sides are looked at, in
// pixels: gaps and overlaps narrower than that between cells that join do
// not count.
constexpr double kSidePixels = 3;

// The boundary vertices the side tests of one cell may visit in a pass.
// Past that (coverage of absurd detail), the cell's coverage is taken as
// the limit of the data all along, and no scale boundary is drawn.
constexpr long long kMostVertexVisits = 20000000;

enum class Limit { None, DataLimit, ScaleBoundary };

// The kinds of limit a cell's lines show.
struct ShownLimits {
  bool dataLimits = true;
  bool scaleBoundaries = false;
};

bool isCoverage(const AreaFeature& area) {
  return area.objectClass == s57::M_COVR && area.findAttribute("CATCOV") == "1";
}

bool inBox(const ChartPoint& p, const ChartBox& b) {
  return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

bool meets(const ChartBox& a, const ChartBox& b) {
  return !(a.minX > b.maxX || b.minX > a.maxX || a.minY > b.maxY || b.minY > a.maxY);
}

// Even-odd over the segments of every boundary part, the holes' included
// (each part is one whole edge, so the parts of a ring close it). An area
// built without parts is taken as the ring of its exterior vertices. The
// vertices visited are taken from `budget`.
bool insideArea(const ChartPoint& p, const AreaFeature& area, long long& budget) {
  if (!area.hasBounds || !inBox(p, area.bounds)) return false;
  budget -= static_cast<long long>(area.exteriorVertices.size() + area.interiorVertices.size());
  if (area.exteriorParts.empty()) return pointInArea(p, area);
  bool inside = false;
  const auto cross = [&](const std::vector<ChartVertex>& ring, const std::vector<BoundaryPart>& parts) {
    for (const BoundaryPart& part : parts) {
      if (part.offset + part.count > ring.size()) continue;
      const ChartVertex* v = ring.data() + part.offset;
      for (std::uint32_t i = 1; i < part.count; ++i) {
        const ChartPoint& a = v[i - 1].point;
        const ChartPoint& b = v[i].point;
        if ((a.y < p.y && p.y <= b.y) || (b.y < p.y && p.y <= a.y)) {
          const double x = b.x + (p.y - b.y) * (b.x - a.x) / (b.y - a.y);
          if (x > p.x) inside = !inside;
        }
      }
    }
  };
  cross(area.exteriorVertices, area.exteriorParts);
  cross(area.interiorVertices, area.interiorParts);
  return inside;
}

bool insideCoverage(const DrawnCoverage& coverage, const ChartPoint& p, long long& budget) {
  return insideDrawnCoverage(coverage, p, budget);
}

// The points kSidePixels either side of the middle of segment a-b; false
// for a segment of no length.
bool sidePoints(const ChartPoint& a, const ChartPoint& b, double distance, ChartPoint& left, ChartPoint& right) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (!(length > 0) || !std::isfinite(length)) return false;
  const double nx = -dy / length * distance, ny = dx / length * distance;
  const ChartPoint middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
  left = {middle.x + nx, middle.y + ny};
  right = {middle.x - nx, middle.y - ny};
  return true;
}

// What the segment a-b of `cell`'s coverage limits: nothing where a cell
// drawn of the same compilation scale has coverage beside it (two cells
// that join), the scale boundary where only cells of other scales have,
// the limit of the data where no other cell drawn has.
Limit coverageSegment(const S57Cell& cell, int scale, const std::vector<DrawnCoverage>& coverage,
                      const ChartPoint& a, const ChartPoint& b, double distance, long long& budget) {
  if (budget < 0) return Limit::DataLimit;
  ChartPoint left, right;
  if (!sidePoints(a, b, distance, left, right)) return Limit::None;
  bool otherScale = false;
  for (const DrawnCoverage& other : coverage) {
    if (other.cell == &cell) continue;
    if (!insideCoverage(other, left, budget) && !insideCoverage(other, right, budget)) continue;
    if (other.compilationScale == scale) return Limit::None;
    otherScale = true;
  }
  return otherScale ? Limit::ScaleBoundary : Limit::DataLimit;
}

// Whether `p` lies in the coverage of `cell`.
bool inOwnCoverage(const S57Cell& cell, const std::vector<DrawnCoverage>& coverage, const ChartPoint& p,
                   long long& budget) {
  for (const DrawnCoverage& own : coverage)
    if (own.cell == &cell && insideCoverage(own, p, budget)) return true;
  return false;
}

// A segment of an M_CSCL area is a scale boundary where the cell's own
// coverage lies on both sides of it, not along the cell's limit.
Limit scaleAreaSegment(const S57Cell& cell, const std::vector<DrawnCoverage>& coverage, const ChartPoint& a,
                       const ChartPoint& b, double distance, long long& budget) {
  if (budget < 0) return Limit::None;
  ChartPoint left, right;
  if (!sidePoints(a, b, distance, left, right)) return Limit::None;
  return inOwnCoverage(cell, coverage, left, budget) && inOwnCoverage(cell, coverage, right, budget)
             ? Limit::ScaleBoundary
             : Limit::None;
}

Instruction complexLine(const char* name) { return ComplexLine{name}; }

// Draws the runs of one part whose segments `classify` puts in a class
// that is shown: each run of one class as one polyline.
template <typename Classify>
void drawPart(DrawContext& dc, const AreaFeature& area, const std::vector<ChartVertex>& ring, const BoundaryPart& part,
              const ChartBox& shown, ShownLimits limits, Classify classify) {
  static const Instruction dataLimit = complexLine("HODATA01");
  static const Instruction scaleBoundary = complexLine("SCLBDY51");
  if (part.count < 2 || part.offset + part.count > ring.size()) return;
  const ChartVertex* v = ring.data() + part.offset;
  LineBuffers& buffers = dc.buffers.line;
  const auto flush = [&](Limit kind, std::uint32_t first, std::uint32_t last) {
    if (kind == Limit::None || last <= first) return;
    const int count = projectPolyline(v + first, static_cast<int>(last - first + 1), dc.view, buffers.part,
                                      buffers.scratch);
    if (count >= 2)
      executeEdgeInstruction(dc, kind == Limit::DataLimit ? dataLimit : scaleBoundary, area, buffers.part.data(),
                             count);
  };
  Limit run = Limit::None;
  std::uint32_t runStart = 0;
  for (std::uint32_t i = 0; i + 1 < part.count; ++i) {
    const ChartPoint& a = v[i].point;
    const ChartPoint& b = v[i + 1].point;
    const ChartBox segment{std::fmin(a.x, b.x), std::fmin(a.y, b.y), std::fmax(a.x, b.x), std::fmax(a.y, b.y)};
    Limit kind = meets(segment, shown) ? classify(a, b) : Limit::None;
    if ((kind == Limit::ScaleBoundary && !limits.scaleBoundaries) || (kind == Limit::DataLimit && !limits.dataLimits))
      kind = Limit::None;
    if (kind != run) {
      flush(run, runStart, i);
      run = kind;
      runStart = i;
    }
  }
  flush(run, runStart, part.count - 1);
}

template <typename Classify>
void drawArea(DrawContext& dc, const AreaFeature& area, const ChartBox& shown, ShownLimits limits,
              Classify classify) {
  if (!area.hasBounds || !meets(area.bounds, shown)) return;
  for (const BoundaryPart& part : area.exteriorParts)
    drawPart(dc, area, area.exteriorVertices, part, shown, limits, classify);
  for (const BoundaryPart& part : area.interiorParts)
    drawPart(dc, area, area.interiorVertices, part, shown, limits, classify);
}

}  // namespace

bool insideDrawnCoverage(const DrawnCoverage& coverage, const ChartPoint& p, long long& budget) {
  const AreaFeature& area = *coverage.area;
  const ChartPoint near{nearestCopyX(p.x, (area.bounds.minX + area.bounds.maxX) / 2), p.y};
  return insideArea(near, area, budget);
}

void collectDrawnCoverage(const std::vector<S57Cell*>& drawn, std::vector<DrawnCoverage>& out) {
  out.clear();
  for (const S57Cell* cell : drawn) {
    const int scale = compilationScaleForRules(*cell);
    for (const auto& area : cell->areas)
      if (isCoverage(*area) && area->hasBounds) out.push_back({cell, area.get(), scale});
  }
}

void drawCoverageLimits(DrawContext& dc, const S57Cell& cell, const std::vector<DrawnCoverage>& coverage) {
  const ViewGeometry& view = dc.view;
  // Pixels into chart units: geometry, so the view scale. No scale rule is
  // judged here; the cells were chosen by the true scale (chooseDrawnCells).
  const double distance = kSidePixels * LOGICAL_UNITS_PER_PIXEL * static_cast<double>(view.scale);
  if (!(distance > 0) || !std::isfinite(distance)) return;
  // The view and a margin, so lines that end just outside are not cut short.
  ChartBox shown = viewBox(view);
  const double margin = LINE_MARGIN_BEFORE * static_cast<double>(view.scale);
  shown.minX -= margin, shown.minY -= margin, shown.maxX += margin, shown.maxY += margin;
  // Non-official data is marked all along its coverage (NonOfficialMark.h):
  // that line takes the place of the limit of the data.
  const ShownLimits limits{isOfficialData(cell), dc.settings.showScaleBoundaries};
  if (!limits.dataLimits && !limits.scaleBoundaries) return;
  const int scale = compilationScaleForRules(cell);
  long long budget = kMostVertexVisits;
  for (const DrawnCoverage& own : coverage) {
    if (own.cell != &cell) continue;
    drawArea(dc, *own.area, shown, limits, [&](const ChartPoint& a, const ChartPoint& b) {
      return coverageSegment(cell, scale, coverage, a, b, distance, budget);
    });
  }
  if (!limits.scaleBoundaries) return;
  for (const auto& area : cell.areas)
    if (area->objectClass == s57::M_CSCL)
      drawArea(dc, *area, shown, limits, [&](const ChartPoint& a, const ChartPoint& b) {
        return scaleAreaSegment(cell, coverage, a, b, distance, budget);
      });
}
