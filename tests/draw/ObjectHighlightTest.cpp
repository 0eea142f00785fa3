// The highlight of a chosen object, drawn offscreen over a depth area in
// each colour table of the project's library: the bright line on the
// area's outline and around a point, the dark halo beside it, the chart
// untouched inside, and a mark that contrasts with the chart's colours in
// every table.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "AreaDrawer.h"
#include "ColourToken.h"
#include "DrawScratch.h"
#include "LibraryDrawings.h"
#include "ObjectHighlight.h"
#include "PresentationLibrary.h"

namespace {
// WCAG relative luminance and contrast ratio.
double luminance(const QColor& c) {
  auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class ObjectHighlightTest : public testing::Test {
protected:
  void SetUp() override {
    const std::string directory = std::string(CHART_SOURCE_DIR) + "/S57Lib";
    if (!std::filesystem::exists(directory)) GTEST_SKIP() << "no S57Lib: run scripts/build-library.sh";
    ASSERT_EQ(loadPresentationLibrary(library, directory, MissingFileReport::Silent), LibraryResult::Ok);
    // 200 x 200 pixels, a pixel 23000 chart units, the origin in the middle.
    view.scale = 1000;
    view.viewportWidth = view.viewportHeight = 200 * LOGICAL_UNITS_PER_PIXEL;
    updateOrigin(view);
    // A depth area whose edges lie on pixels 50 and 150.
    const double h = 50 * kPixel;
    area.objectClass = 42;
    area.exteriorVertices = {{{-h, -h}}, {{h, -h}}, {{h, h}}, {{-h, h}}, {{-h, -h}}};
    area.updateBounds();
    AreaColour fill;
    fill.colour = colourIndex("DEPVS");
    area.secondLookup = {{fill}};
    area.display.secondCategory = 0;
    point.position.point = {0, 0};
  }

  QImage draw(int scheme, const ChartFeature& chosen) {
    DisplaySettings settings(library);
    settings.setColourScheme(scheme);
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(colourOf("NODTA", scheme));
    QPainter painter(&image);
    ViewGeometry v = view;
    setupPainter(painter, 200, 200, v);
    LibraryDrawings drawings(library);
    DrawScratch scratch;
    DrawContext dc{Canvas{painter, *settings.colourTable, drawings, scratch}, settings, v, buffers};
    drawArea(dc, area, cell);
    drawObjectHighlight(painter, v, buffers, chosen);
    painter.end();
    return image;
  }
  QColor colourOf(const char* token, int scheme) const {
    return library.colourTables[scheme - 1].entries[colourIndex(token)];
  }

  static constexpr double kPixel = 23000.0;
  PresentationLibrary library;
  ViewGeometry view;
  DrawBuffers buffers;
  S57Cell cell;
  AreaFeature area;
  PointFeature point;
};
}  // namespace

TEST_F(ObjectHighlightTest, TheOutlineAndTheRingShowInEveryColourTable) {
  for (int scheme = 1; scheme <= kColourSchemeCount; ++scheme) {
    SCOPED_TRACE(scheme);
    const QImage outlined = draw(scheme, area);
    // The bright line runs along the edge at pixel 50, 3 pixels wide; the
    // halo reaches 3.5 pixels to each side.
    for (const QPoint& edge : {QPoint(50, 100), QPoint(100, 50), QPoint(149, 120), QPoint(80, 149)})
      EXPECT_EQ(QColor(outlined.pixel(edge)), HIGHLIGHT_COLOUR) << edge.x() << "," << edge.y();
    EXPECT_EQ(QColor(outlined.pixel(47, 100)), HIGHLIGHT_HALO_COLOUR);
    EXPECT_EQ(QColor(outlined.pixel(52, 100)), HIGHLIGHT_HALO_COLOUR);
    EXPECT_EQ(QColor(outlined.pixel(100, 100)), colourOf("DEPVS", scheme));  // the chart inside stays
    EXPECT_EQ(QColor(outlined.pixel(20, 20)), colourOf("NODTA", scheme));

    // A point gets a ring of 12 pixels about it.
    const QImage ringed = draw(scheme, point);
    EXPECT_EQ(QColor(ringed.pixel(112, 100)), HIGHLIGHT_COLOUR);
    EXPECT_EQ(QColor(ringed.pixel(100, 88)), HIGHLIGHT_COLOUR);
    EXPECT_EQ(QColor(ringed.pixel(100, 100)), colourOf("DEPVS", scheme));
    EXPECT_EQ(QColor(ringed.pixel(50, 100)), colourOf("DEPVS", scheme));  // no outline for a point
  }
}

// Against the chart's colours in every table, the bright line or its halo
// stands out: a contrast ratio of 3 or more, what graphics need to be told
// apart (WCAG's non-text contrast).
TEST_F(ObjectHighlightTest, TheMarkContrastsWithTheChartInEveryTable) {
  EXPECT_GE(contrast(HIGHLIGHT_COLOUR, HIGHLIGHT_HALO_COLOUR), 7.0);
  for (int scheme = 1; scheme <= kColourSchemeCount; ++scheme)
    for (const char* token : {"NODTA", "DEPDW", "DEPMD", "DEPMS", "DEPVS", "DEPIT", "LANDA", "CHBLK", "CHMGD",
                              "CHYLW", "LITYW", "CHWHT"}) {
      const QColor c = colourOf(token, scheme);
      EXPECT_GE(std::max(contrast(HIGHLIGHT_COLOUR, c), contrast(HIGHLIGHT_HALO_COLOUR, c)), 3.0)
          << token << " in scheme " << scheme << ": " << c.name().toStdString();
    }
}
