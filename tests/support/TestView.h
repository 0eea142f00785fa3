#pragma once
// The view the drawing tests draw through: scale 1 and the chart origin at
// the top-left corner, so chart (x, y) lands on logical (x, -y), on a
// surface of `pixels` x `pixels` (23 logical units to the pixel).
#include "MercatorProjection.h"
#include "ViewGeometry.h"

namespace testsupport {

// The pixel size at which a view centred at chart y `centreY` reads its
// view scale as its true scale (0.2654 mm at the equator): for tests that
// name one number for both the geometry of a view and its scale rules.
inline double pixelMillimetresOfViewScale(double centreY = 0) {
  const double latitude = chartToGeo(ChartPoint{0, centreY}).latitude;
  return LOGICAL_UNITS_PER_PIXEL * groundMetresPerProjectionMetre(latitude) * 1000.0 / mercator::kChartUnitsPerMetre;
}

inline ViewGeometry testView(int pixels = 1000) {
  ViewGeometry view;
  view.scale = 1;
  view.viewportWidth = view.viewportHeight = pixels * LOGICAL_UNITS_PER_PIXEL;
  view.centre = {view.viewportWidth / 2.0, -view.viewportHeight / 2.0};
  view.pixelMillimetres = pixelMillimetresOfViewScale(view.centre.y);
  updateOrigin(view);
  return view;
}

}  // namespace testsupport
