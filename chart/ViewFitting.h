#pragma once
// Moving a view so that it shows a set of cells.
#include <vector>

#include "ChartModel.h"

struct ViewGeometry;

// The limits of the view's true scale (TrueScale.h): the wheel, the keys,
// go to and every fitting stay within them.
constexpr float kMinimumViewScale = 1000.0f;
constexpr float kMaximumViewScale = 36978668.0f;

// Gives the view the true scale 1:`denominator` at its centre, held within
// the limits above. False, and the view unchanged, for a denominator that
// is not a number or a centre where no view scale shows it.
bool setTrueScaleWithinLimits(ViewGeometry& view, double denominator);

// Centres the view on the union of the cells' bounding boxes at the most
// detailed true scale (within the limits above) that shows all of it inside the
// viewport, with a tenth of the viewport to spare on each side. East and
// west the union is the narrowest the round world allows: cells on both
// sides of the 180th meridian are shown together across it. The view's
// viewport size must be set. Cells without extents count for nothing; when
// none has extents the view is left alone and false is returned.
bool fitViewToCells(const std::vector<S57Cell*>& cells, ViewGeometry& view);
