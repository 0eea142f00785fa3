#pragma once
// The view the drawing tests draw through: scale 1 and the chart origin at
// the top-left corner, so chart (x, y) lands on logical (x, -y), on a
// surface of `pixels` x `pixels` (23 logical units to the pixel).
#include "ViewGeometry.h"

namespace testsupport {

inline ViewGeometry testView(int pixels = 1000) {
  ViewGeometry view;
  view.scale = 1;
  view.viewportWidth = view.viewportHeight = pixels * LOGICAL_UNITS_PER_PIXEL;
  view.centre = {view.viewportWidth / 2.0, -view.viewportHeight / 2.0};
  updateOrigin(view);
  return view;
}

}  // namespace testsupport
