// The true scale of a view: a screen distance against the ground at the
// view's centre, from the screen's pixel size.
#include <gtest/gtest.h>

#include <cmath>

#include "TrueScale.h"

namespace {
ViewGeometry viewAt(double latitude, float scale, double pixelMillimetres = kDefaultPixelMillimetres) {
  ViewGeometry view;
  view.scale = scale;
  view.pixelMillimetres = pixelMillimetres;
  setCentreGeo(latitude, 10.0, view);
  return view;
}
}  // namespace

// One pixel of a view of scale 10000 spans 2.3 m of the projection plane;
// on the ground that is 2.3 m times N cos(phi) / R30 (the plane is true at
// 30 degrees), against 0.32 mm (or 0.2646 mm, a 96 dpi screen) of screen.
// The projection's own number is 21 % too large at 47 N and 5 times at 80 N.
TEST(TrueScale, AtTheCentresLatitudeFromThePixelSize) {
  const struct {
    double latitude;
    double at032, at02646;  // from N cos(phi) of the WGS84 ellipsoid
  } cases[] = {
      {0, 8292.45, 10028.66},
      {30, 7187.50, 8692.37},
      {47, 5665.61, 6851.83},
      {80, 1444.67, 1747.15},
      {-47, 5665.61, 6851.83},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(trueScale(viewAt(c.latitude, 10000)), c.at032, 0.51) << c.latitude;
    EXPECT_NEAR(trueScale(viewAt(c.latitude, 10000, 0.2646)), c.at02646, 0.51) << c.latitude;
    // Whole numbers, as they are shown and compared with SCAMIN.
    const double shown = trueScale(viewAt(c.latitude, 10000));
    EXPECT_EQ(shown, std::round(shown)) << c.latitude;
  }
}

// Setting a true scale and reading it back gives the same whole number
// wherever the view is, on any screen; where no view scale can show it,
// nothing changes.
TEST(TrueScale, SetAndReadBackAndRefusals) {
  for (double latitude : {0.0, 30.0, 47.0, 80.0, -89.0})
    for (double pixel : {kDefaultPixelMillimetres, 0.2646, 0.1})
      for (double denominator : {1000.0, 12000.0, 25000.0, 1e6, 8e6}) {
        ViewGeometry view = viewAt(latitude, 1, pixel);
        ASSERT_TRUE(setTrueScale(view, denominator)) << latitude;
        EXPECT_EQ(trueScale(view), denominator) << latitude << " " << pixel;
      }
  // The same true scale needs a larger view scale towards the pole: at 60
  // degrees twice the equator's, less the ellipsoid's flattening.
  ViewGeometry equator = viewAt(0, 1), north = viewAt(60, 1);
  setTrueScale(equator, 25000);
  setTrueScale(north, 25000);
  EXPECT_NEAR(north.scale / equator.scale, 2 * std::sqrt(1 - 0.0067059721 * 0.75), 1e-4);

  ViewGeometry view = viewAt(47, 777);
  for (double bad : {0.0, -5.0, double(NAN), double(INFINITY), 1e300}) {
    EXPECT_FALSE(setTrueScale(view, bad)) << bad;
    EXPECT_EQ(view.scale, 777.0f);
  }
  view.centre.y = NAN;
  EXPECT_FALSE(setTrueScale(view, 25000));
  // A pixel size that is no size counts as S-52's 0.32 mm.
  ViewGeometry unknown = viewAt(47, 10000, 0), plain = viewAt(47, 10000);
  EXPECT_EQ(trueScale(unknown), trueScale(plain));
}

TEST(TrueScale, PixelSizeFromTheScreensDotsPerInch) {
  EXPECT_NEAR(pixelMillimetresFromDotsPerInch(96), 0.264583, 1e-6);
  EXPECT_NEAR(pixelMillimetresFromDotsPerInch(254), 0.1, 1e-12);
  for (double nothing : {0.0, -96.0, 5.0, 1e6, double(NAN), double(INFINITY)})
    EXPECT_EQ(pixelMillimetresFromDotsPerInch(nothing), kDefaultPixelMillimetres) << nothing;
}
