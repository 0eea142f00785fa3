#include <QPainter>
#include <climits>
#include <cmath>
#include <limits>

#include "ColourPens.h"
#include "DrawTestSupport.h"
#include "PolylineClipping.h"
#include "Primitives.h"
#include "StrokeClipping.h"

using drawtest::PaintCall;
using drawtest::RecordingDevice;

namespace {
class PrimitivesTest : public drawtest::DrawTest {};

std::vector<QLineF> linesOf(const RecordingDevice& device) {
  std::vector<QLineF> lines;
  for (const PaintCall& c : device.ofKind(PaintCall::Line)) lines.emplace_back(c.points[0], c.points[1]);
  return lines;
}
}  // namespace

TEST_F(PrimitivesTest, PenWidthsAndColours) {
  setColour("CHRED", QColor(200, 10, 20));
  struct Case {
    int width, units;
  } cases[] = {{0, 0}, {1, 27}, {2, 55}, {3, 82}, {4, 110}};
  for (const Case& c : cases) {
    const QPen pen = makePen(QColor(Qt::red), c.width);
    EXPECT_EQ(pen.width(), c.units) << c.width;
    EXPECT_EQ(pen.capStyle(), Qt::SquareCap);
    EXPECT_EQ(pen.joinStyle(), Qt::BevelJoin);
    EXPECT_EQ(pen.style(), Qt::SolidLine);
  }
  // A copy: changing it leaves the table alone. Outside the table: invalid.
  QColor c = colourOf(*settings().colourTable, colour("CHRED"));
  c.setAlpha(10);
  EXPECT_EQ(colourOf(*settings().colourTable, colour("CHRED")), QColor(200, 10, 20));
  EXPECT_FALSE(colourOf(*settings().colourTable, -10).isValid());
  EXPECT_FALSE(colourOf(*settings().colourTable, kColourCount).isValid());

  // The kept pens and brushes follow the table; black pens are not the
  // painter's default pen.
  setColour("CHBLK", QColor(0, 0, 0));
  QPainter painter;
  const Canvas kept = canvas(painter);
  for (int width : {0, 1, 3, 12}) {
    const QPen pen = tablePen(kept, colour("CHBLK"), width);
    EXPECT_EQ(pen, makePen(QColor(0, 0, 0), width)) << width;
  }
  EXPECT_EQ(solidBrush(kept, colour("CHRED")), QBrush(QColor(200, 10, 20)));
  setColour("CHRED", QColor(1, 2, 3));
  EXPECT_EQ(solidBrush(kept, colour("CHRED")), QBrush(QColor(1, 2, 3)));
  EXPECT_EQ(tablePen(kept, colour("CHRED"), 2), makePen(QColor(1, 2, 3), 2));
}

TEST_F(PrimitivesTest, DashedSegments) {
  struct Case {
    QPointF a, b;
    std::vector<QLineF> lines;
  } cases[] = {
      // One period fits: a dash of 360, then the rest from 540 solid.
      {{0, 0}, {1000, 0}, {{0, 0, 360, 0}, {540, 0, 1000, 0}}},
      // Shorter than a period: one solid piece.
      {{0, 0}, {300, 0}, {{0, 0, 300, 0}}},
      // Exactly one period: nothing left after the gap.
      {{0, 0}, {540, 0}, {{0, 0, 360, 0}}},
      // Two periods and a bit, upwards; ends truncated to whole units.
      {{10, 2000}, {10, 900}, {{10, 2000, 10, 1640}, {10, 1460, 10, 1100}, {10, 920, 10, 900}}},
      // Diagonal: the dash ends at 360 along the line, truncated.
      {{0, 0}, {600, 800}, {{0, 0, 216, 288}, {324, 432, 600, 800}}},
      // Zero length: nothing.
      {{5, 5}, {5, 5}, {}},
  };
  for (const Case& c : cases) {
    RecordingDevice device;
    QPainter painter(&device);
    strokeDashedSegment(painter, c.a, c.b);
    painter.end();
    EXPECT_EQ(linesOf(device), c.lines) << c.a.x() << "," << c.a.y() << " -> " << c.b.x() << "," << c.b.y();
  }
}

// Segments reaching far outside the recording surface (100000 units, and
// a margin around it): only the dashes that meet it are drawn, where the
// pattern from the segment's start puts them.
TEST_F(PrimitivesTest, DashedSegmentsAreClippedToTheSurface) {
  struct Case {
    const char* what;
    QPointF a, b;
    std::size_t dashes;  // lines drawn, the solid rest included
  } cases[] = {
      {"from far left into the surface", {-1e9, 500}, {5000, 500}, 12},
      {"from the surface far right", {5000, 500}, {1e12, 500}, 178},
      {"across the surface", {-1e12, 500}, {1e12, 500}, 190},
      {"1e300 long", {5000, 500}, {1e300, 500}, 178},
      {"wholly outside", {-1e9, -1e9}, {-2e9, 5}, 0},
      {"an end at infinity", {0, 0}, {std::numeric_limits<double>::infinity(), 0}, 0},
      {"an end not a number", {0, 0}, {std::nan(""), 0}, 0},
  };
  for (const Case& c : cases) {
    RecordingDevice device;
    QPainter painter(&device);
    strokeDashedSegment(painter, c.a, c.b);
    painter.end();
    const std::vector<QLineF> lines = linesOf(device);
    EXPECT_NEAR(static_cast<double>(lines.size()), static_cast<double>(c.dashes), 1) << c.what;
    for (const QLineF& line : lines) {
      // Every dash starts a whole number of periods from a.
      const double along = line.p1().x() - c.a.x();
      EXPECT_NEAR(std::remainder(along, 540.0), 0, 1) << c.what << " at " << line.p1().x();
      EXPECT_GE(line.p2().x(), -STROKE_CLIP_MARGIN - 540) << c.what;
      EXPECT_LE(line.p1().x(), 100000 + STROKE_CLIP_MARGIN) << c.what;
    }
  }
  // The segment into the surface ends in its solid rest at b, as unclipped.
  RecordingDevice device;
  QPainter painter(&device);
  strokeDashedSegment(painter, QPointF(-1e9, 500), QPointF(5000, 500));
  painter.end();
  EXPECT_EQ(linesOf(device).back().p2(), QPointF(5000, 500));
}

TEST_F(PrimitivesTest, FillsAndTransparency) {
  setColour("DEPVS", QColor(115, 182, 239));
  const QPoint square[] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
  {
    RecordingDevice device;
    QPainter painter(&device);
    fillArea(canvas(painter), square, 4, colour("DEPVS"));
    painter.end();
    // The outline is filled twice with the table's colour, no pen.
    ASSERT_EQ(device.calls.size(), 2u);
    for (const PaintCall& c : device.calls) {
      EXPECT_EQ(c.brush.color(), QColor(115, 182, 239));
      EXPECT_EQ(c.brush.color().alpha(), 255);
      EXPECT_EQ(c.pen.style(), Qt::NoPen);
      EXPECT_EQ(c.points.size(), 4);
    }
  }
  struct Case {
    int transparency, alpha;
  } cases[] = {{0, 252}, {1, 189}, {2, 126}, {3, 63}};
  for (const Case& c : cases) {
    RecordingDevice device;
    QPainter painter(&device);
    fillAreaTransparent(canvas(painter), square, 4, colour("DEPVS"), c.transparency);
    painter.end();
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_EQ(device.calls[0].brush.color().alpha(), c.alpha) << c.transparency;
    EXPECT_EQ(device.calls[0].pen.style(), Qt::NoPen);
  }
  EXPECT_EQ(colourOf(*settings().colourTable, colour("DEPVS")).alpha(), 255);
}

// The double fill gives the pixels of a path filled odd-even followed by a
// convex polygon fill of the same points, also for concave and
// self-crossing outlines.
TEST_F(PrimitivesTest, FillMatchesPathFillPixels) {
  setColour("LANDA", QColor(201, 185, 122));
  const std::vector<std::vector<QPoint>> outlines = {
      {{230, 230}, {2070, 460}, {1840, 2070}, {460, 1610}},                          // convex
      {{230, 230}, {2070, 230}, {1150, 1150}, {2070, 2070}, {230, 2070}},            // concave
      {{230, 230}, {2070, 2070}, {2070, 230}, {230, 2070}},                          // bow tie
      {{100, 100}, {2200, 100}, {2200, 2200}, {100, 2200}, {100, 100}, {900, 900},   // ring with a hole
       {1400, 900}, {1400, 1400}, {900, 1400}, {900, 900}},
  };
  for (const auto& outline : outlines) {
    QImage ours = drawtest::blankImage(110, 110), reference = ours;
    {
      QPainter painter(&ours);
      painter.setWindow(0, 0, 110 * 23, 110 * 23);
      painter.setRenderHint(QPainter::Antialiasing);
      fillArea(canvas(painter), outline.data(), static_cast<int>(outline.size()), colour("LANDA"));
    }
    {
      QPainter painter(&reference);
      painter.setWindow(0, 0, 110 * 23, 110 * 23);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(201, 185, 122));
      QPainterPath path;
      path.moveTo(outline[0]);
      for (std::size_t i = 1; i < outline.size(); ++i) path.lineTo(outline[i]);
      painter.drawPath(path);
      painter.drawConvexPolygon(outline.data(), static_cast<int>(outline.size()));
    }
    EXPECT_EQ(ours, reference) << outline.size() << " points";
  }
}

TEST_F(PrimitivesTest, ClosedRings) {
  struct Case {
    std::vector<QPoint> points;
    bool closed;
  } cases[] = {
      {{{0, 0}, {500, 0}, {20, 0}}, true},     // ends 20 units apart, same pixel
      {{{0, 0}, {500, 0}, {23, 0}}, false},    // next pixel
      {{{0, 0}, {500, 0}, {0, -22}}, true},    // trunc(-22 / 23) is 0 as well
      {{{0, 0}, {0, 0}}, false},               // two points are no ring
      {{{46, 46}, {500, 0}, {300, 300}, {68, 68}}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(isClosedRing(c.points.data(), static_cast<int>(c.points.size())), c.closed)
        << c.points.back().x() << "," << c.points.back().y();
}

TEST_F(PrimitivesTest, PolylineClipping) {
  // Whole line features: left = top = -150, right = width + 100, bottom = height + 100.
  const int left = -150, right = 1100, top = -150, bottom = 1100;
  struct Case {
    const char* what;
    std::vector<QPoint> in, out;
  } cases[] = {
      {"inside", {{0, 0}, {500, 500}, {1000, 0}}, {{0, 0}, {500, 500}, {1000, 0}}},
      {"all left of -150", {{-1000, 0}, {-200, 500}, {-151, 900}}, {}},
      {"leaves and comes back", {{0, 0}, {2000, 0}, {0, 100}},
       {{0, 0}, {1100, 0}, {1100, 45}, {0, 100}}},
      {"one point inside, others far out", {{-5000, 500}, {500, 500}, {5000, 500}},
       {{-150, 500}, {500, 500}, {1100, 500}}},
      {"first point on the bound is kept", {{-150, 10}, {0, 10}}, {{-150, 10}, {0, 10}}},
      {"only touches the bound", {{-300, 0}, {-150, 0}, {-300, 50}}, {}},
      {"crossing a corner region", {{-1000, -1000}, {500, 500}}, {{-150, -150}, {500, 500}}},
      // Ends clamped to the int range: their differences do not fit an int.
      {"from one end of the int range to the other", {{INT_MIN, 500}, {INT_MAX, 500}}, {{-150, 500}, {1100, 500}}},
      {"diagonal across the int range", {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}}, {{-150, -150}, {1100, 1100}}},
  };
  std::vector<QPoint> scratch;
  for (const Case& c : cases) {
    std::vector<QPoint> points = c.in;
    const int count = clipPolyline(points, left, right, top, bottom, scratch);
    EXPECT_EQ(count, static_cast<int>(c.out.size())) << c.what;
    EXPECT_EQ(points, c.out) << c.what;
  }
}

// A line that leaves and re-enters many times grows well past the input
// count plus 100 points; the buffers must follow.
TEST_F(PrimitivesTest, ClippingAZigZagKeepsEveryCrossing) {
  std::vector<QPoint> points;
  for (int i = 0; i < 1000; ++i) points.emplace_back(i * 10, i % 2 ? 500 : -500);
  std::vector<QPoint> scratch;
  const int count = clipPolyline(points, -10000, 100000, 0, 100000, scratch);
  // Every point below 0 becomes two crossings, every one above stays.
  EXPECT_EQ(count, 1499);
  for (const QPoint& p : points) EXPECT_GE(p.y(), 0);
}

TEST_F(PrimitivesTest, ArcsRectanglesAndLabels) {
  setColour("CHBLK", QColor(0, 0, 0));
  RecordingDevice device;
  QPainter painter(&device);
  drawArc(canvas(painter), colour("CHBLK"), 2, true, QPointF(1000, 1000), 10, 16 * 45, 16 * 90);
  drawRectangle(painter, 10, 20, 300, 400);
  drawLabel(painter, QPoint(100, 200), "US5WA22M.000");
  painter.end();
  const auto paths = device.ofKind(PaintCall::Path);
  ASSERT_FALSE(paths.empty());
  // The arc lies on a circle of 88 x 10 about the centre.
  const QPainterPath& arc = paths[0].path;
  const QPointF start = arc.pointAtPercent(0), end = arc.pointAtPercent(1);
  EXPECT_NEAR(std::hypot(start.x() - 1000, start.y() - 1000), 880, 1);
  EXPECT_NEAR(std::hypot(end.x() - 1000, end.y() - 1000), 880, 1);
  EXPECT_EQ(paths[0].pen.width(), 55);
  EXPECT_EQ(paths[0].pen.style(), Qt::DashLine);
  const auto rects = device.ofKind(PaintCall::Rects);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].points[0], QPointF(10, 20));
  const auto texts = device.ofKind(PaintCall::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "US5WA22M.000");
  EXPECT_GE(texts[0].points[0].x(), 100);
}
