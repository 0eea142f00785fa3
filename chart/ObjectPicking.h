#pragma once
// Object selection: the objects a view's last draw pass drew under a chart
// position, the way a mariner asks "what is this?". Picking follows what is
// drawn: it takes the cells the pass drew and puts every candidate through
// the draw pass's own tests (FeatureVisibility.h), so an object hidden by
// its scale range, the display category, the viewing groups or the scale
// limits of points and soundings, a line too short to show at the view's
// scale (thinned to one point), or one with nothing to draw, is never
// picked. Like the pass, it writes
// nothing into the cells but the procedure results they keep for any view.
#include <cstddef>
#include <vector>

#include "ChartModel.h"
#include "DisplaySettings.h"
#include "ViewGeometry.h"

struct PickedObject {
  const S57Cell* cell = nullptr;
  const ChartFeature* feature = nullptr;
  std::size_t sounding = 0;  // for a sounding feature: the sounding's number
  int displayPriority = -1;  // as the procedures left it

  bool operator==(const PickedObject& other) const {
    return cell == other.cell && feature == other.feature && sounding == other.sounding;
  }
};

// Half the side of the square that points and soundings are picked in, in
// pixels of the view: about half a buoy's symbol, so a click on a symbol
// picks it and not its neighbours, at any scale.
constexpr double POINT_PICK_PIXELS = 8.0;
// Lines are picked within this many pixels of the position.
constexpr double LINE_PICK_PIXELS = 4.0;

// The objects of `drawnCells` (the cells a pass of `view` drew, in drawing
// order) that the pass drew at `at`:
//  - points whose position is within the pick square (less than
//    POINT_PICK_PIXELS away in x and in y) and on the drawing surface;
//  - of the soundings within the pick square and on the surface, the
//    nearest, when soundings are drawn;
//  - lines passing within LINE_PICK_PIXELS of the position;
//  - areas that contain the position, outside their holes (a hole's edge
//    belongs to the area).
// Only of the cells whose data shows at `at`: a cell drawn later of a more
// detailed compilation scale whose coverage (M_COVR of CATCOV 1) holds the
// position is painted over it, so nothing of the cells under it is picked
// there. Cells of one compilation scale never hide each other.
// Ordered points, soundings, lines, areas; within a kind by display
// priority, highest first; then objects of the cell drawn later (it lies on
// top) first, and within a cell the one drawn later first. The view's
// origin need not be current.
std::vector<PickedObject> pickObjects(const std::vector<S57Cell*>& drawnCells, const ViewGeometry& view,
                                      const DisplaySettings& settings, const ChartPoint& at);
