#pragma once
// The true scale of a view: a distance on the screen against the same
// distance on the ground at the view's centre. One pixel spans 23 x scale
// chart units of the projection plane, which at the centre's latitude are
// that many metres on the ground times groundMetresPerProjectionMetre, and
// one pixel is pixelMillimetres long on the screen. So the same view scale
// shows more of the Earth per millimetre towards the poles, and a screen of
// larger pixels shows a smaller true scale. The status bar, SCAMIN, the
// scale rules of cells and points and the overscale factor all read it.
#include "ViewGeometry.h"

// The denominator N of the true scale 1:N at the view's centre, rounded to
// a whole number as it is shown and as compilation scales and SCAMIN are
// stated, so that a view set to 1:30,000 is at 30,000 for every rule. A
// pixel size that is not a positive finite number counts as the default.
double trueScale(const ViewGeometry& view);

// The view scale (chart units per logical unit) that shows the true scale
// 1:`denominator` at chart y `centreY` on a screen of `pixelMillimetres`
// pixels; 0 where no view scale does (a denominator or pixel size that is
// not positive and finite, a centre at a pole).
double viewScaleForTrueScale(double denominator, double centreY, double pixelMillimetres);

// Sets the view's scale so that its true scale at its centre is
// 1:`denominator`. False, and nothing changes, when no positive finite
// view scale does that.
bool setTrueScale(ViewGeometry& view, double denominator);

// The pixel size of a screen that reports `dotsPerInch` physical pixels to
// the inch; the default when that is no number a screen has (outside 20 to
// 2000, as screens that do not know their size report).
double pixelMillimetresFromDotsPerInch(double dotsPerInch);
