#pragma once
// Whether the coverage of the better cells drawn in a pass hides the whole
// view, so that cells of less detailed bands under them need not be drawn.
// A cell's coverage is the union of its M_COVR areas of CATCOV 1, each the
// even-odd inside of its exterior ring. The answer errs only towards "not
// covered": an area with holes adds nothing, nor does any area of a cell
// that has an M_COVR area of CATCOV 2 without holes meeting the view (a
// gap in its coverage, maybe), nor an area with a coordinate that is not
// finite (or absurdly far out). A CATCOV 2 area with holes whose box holds
// every CATCOV 1 area of the cell is the usual ring round the cell's
// coverage, its holes that coverage: it changes nothing.
//
// The test is exact otherwise: the view is cut into horizontal slabs at
// every vertex, and further where two edges (or an edge and a side of the
// view) cross, until no two edges change order within a slab; across such a
// slab the inside of each ring and the view's sides keep their order, so
// the slab is covered when, along its middle, the rings' inside spans chain
// from the view's left side to its right. Coverage so tangled that its
// slabs need more than a few thousand cuts counts as not covering. Cells that join edge to edge
// share their edges' coordinates, so their spans meet exactly.
//
// The scratch vectors are kept from one pass to the next, so that a pass
// allocates nothing once they have grown.
#include <cstdint>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

class ViewCoverage {
public:
  // Starts over for the view (its origin must be current): nothing covered.
  void reset(const ViewGeometry& view);
  // Adds the cell's coverage.
  void addCell(const S57Cell& cell);
  // Whether the coverage added since reset covers the whole view.
  bool coversView();

private:
  struct Edge {
    double x0, y0, x1, y1;  // y0 < y1
    std::int32_t ring;      // -1 for the view's sides
    double xAt(double y) const;
  };
  struct Span {
    double left, right;
  };
  struct Crossing {
    double x;
    std::int32_t ring;
  };
  void addRing(const std::vector<ChartVertex>& ring);
  bool slabCovered(double bottom, double top);
  double lowestCrossing(double bottom, double top);
  bool spansCover(double y);

  ChartBox view_;
  bool usable_ = false;
  bool covered_ = false;
  std::int32_t rings_ = 0;
  std::vector<Edge> edges_;
  std::vector<double> levels_;
  std::vector<Edge> active_;
  std::vector<std::uint32_t> order_;
  int splitsLeft_ = 0;
  std::vector<double> ringStart_;
  std::vector<double> xs_;  // x of each active edge at a slab's bottom and top
  std::vector<Crossing> crossings_;
  std::vector<Span> spans_;
};
