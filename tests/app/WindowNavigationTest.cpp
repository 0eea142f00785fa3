// Finding one's way in the window: the first view over the start-up cells,
// the scale and position in the status bar, go to, the keys and the wheel
// about the cursor.
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QLineEdit>
#include <QStatusBar>
#include <QWheelEvent>
#include <cmath>
#include <filesystem>

#include "CellFixtures.h"
#include "CellListPanel.h"
#include "DemoCell.h"
#include "GoToDialog.h"
#include "CellLoader.h"
#include "PositionInput.h"
#include "ReadoutText.h"
#include "TrueScale.h"
#include "CellGroups.h"
#include "ViewFitting.h"
#include "WindowFixture.h"

using namespace apptest;

namespace {

void wheelAt(QWidget& w, QPoint at, int delta) {
  QWheelEvent e(QPointF(at), w.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &e);
}

void key(QWidget& w, int k) { QTest::keyClick(&w, static_cast<Qt::Key>(k)); }

class Navigation : public WindowTest {
protected:
  QString scaleLabel() const { return window->findChild<QLabel*>("scaleLabel")->text(); }
  QString latitudeLabel() const { return window->findChild<QLabel*>("lat")->text(); }
  QString longitudeLabel() const { return window->findChild<QLabel*>("lon")->text(); }
};

TEST_F(Navigation, TheFirstViewShowsTheStartUpCellsUntilTheUserMovesIt) {
  std::filesystem::create_directory("s57000");
  ASSERT_FALSE(demo::writeDemoCell("s57000").empty());
  showAndDraw();
  // Before any cell is read, the view lies on the demo harbour.
  EXPECT_TRUE(window->chart()->rect().contains(pixelOf(geoToChart({demo::kSouth, demo::kWest})).toPoint()));
  window->startLoading("s57000//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->repaint();

  // The view is fitted to the loaded cells: the demo harbour lies inside it.
  EXPECT_FALSE(window->chart()->viewMovedByUser());
  ChartView expected = window->chart()->view();
  fitViewToLargestGroup(*engine().cells().snapshot(), expected);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.x, expected.centre.x);
  EXPECT_FLOAT_EQ(window->chart()->view().scale, expected.scale);
  const QPointF southWest = pixelOf(geoToChart({demo::kSouth, demo::kWest}));
  const QPointF northEast = pixelOf(geoToChart({demo::kNorth, demo::kEast}));
  const QRect chart = window->chart()->rect();
  EXPECT_TRUE(chart.contains(southWest.toPoint()) && chart.contains(northEast.toPoint()));
  ASSERT_EQ(window->chart()->view().drawnCells.size(), 1u);
  EXPECT_EQ(window->chart()->view().drawnCells[0]->name, demo::kCellName);

  // With the demo cell, two approach cells of Puget Sound that join: the
  // first view shows the two, where they are drawn, not the ocean between.
  window.reset();
  window = makeWindow();
  showAndDraw();
  fixtures::writeCell(fixtures::smallCell("NAVPUGT1.000", 0.2, 50000), "s57000", "NAVPUGT1.000");
  fixtures::writeCell(fixtures::smallCell("NAVPUGT2.000", 0.2, 50000, 550, 47.2, -122.0), "s57000", "NAVPUGT2.000");
  window->startLoading("s57000//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->repaint();
  std::vector<std::string> drawn;
  for (const S57Cell* c : window->chart()->view().drawnCells) drawn.push_back(c->name);
  std::sort(drawn.begin(), drawn.end());
  EXPECT_EQ(drawn, (std::vector<std::string>{"NAVPUGT1.000", "NAVPUGT2.000"}));
  EXPECT_LT(trueScale(window->chart()->view()), 2500000);
  // Home after a move comes back to them.
  key(*window, Qt::Key_Left);
  key(*window, Qt::Key_Minus);
  const ChartPoint first = window->chart()->view().centre;
  key(*window, Qt::Key_Home);
  EXPECT_NE(window->chart()->view().centre.x, first.x);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, (geoToChart({47.0, -122}).y + geoToChart({47.4, -122}).y) / 2);
  EXPECT_NEAR(chartToGeo(window->chart()->view().centre).longitude, -121.9, 1e-9);

  // Once the user has moved the view, a later load leaves it where it is.
  key(*window, Qt::Key_Left);
  EXPECT_TRUE(window->chart()->viewMovedByUser());
  const ChartPoint moved = window->chart()->view().centre;
  std::filesystem::create_directory("more");
  fixtures::writeCell(fixtures::smallCell("NAVLATER.000"), "more", "NAVLATER.000");
  window->startLoading("more//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_TRUE(engine().cells().contains("NAVLATER.000"));
  EXPECT_EQ(window->chart()->view().centre.x, moved.x);
  EXPECT_EQ(window->chart()->view().centre.y, moved.y);
}

TEST_F(Navigation, TheScaleAndThePositionFollowEveryPanAndZoom) {
  showAndDraw();
  // At start: the start scale (the true scale nearest it that a view of
  // single precision has), the centre in the same form as every later text.
  const auto shownText = [&] { return QString::fromUtf8("比例尺 ") + scaleText(trueScale(window->chart()->view())); };
  EXPECT_NEAR(trueScale(window->chart()->view()), kMaximumViewScale, 2);
  EXPECT_EQ(scaleLabel(), shownText());
  // The true scale is that of the screen the window is on.
  ASSERT_NE(window->windowHandle(), nullptr);
  EXPECT_DOUBLE_EQ(window->chart()->view().pixelMillimetres,
                   pixelMillimetresFromDotsPerInch(window->windowHandle()->screen()->physicalDotsPerInch()));
  EXPECT_EQ(latitudeLabel(), QString::fromUtf8("18°57.000′N"));  // the demo harbour
  EXPECT_EQ(longitudeLabel(), QString::fromUtf8("110°33.600′E"));
  // Each wheel step halves the scale, down to 1:1,000.
  const QPoint middle(window->chart()->width() / 2, window->chart()->height() / 2);
  for (int step = 0; step < 3; ++step) {
    const double before = trueScale(window->chart()->view());
    wheelAt(*window->chart(), middle, 120);
    EXPECT_NEAR(trueScale(window->chart()->view()), before / 2, 1) << step;
    EXPECT_EQ(scaleLabel(), shownText());
  }
  for (int i = 0; i < 20; ++i) wheelAt(*window->chart(), middle, 120);
  EXPECT_EQ(scaleLabel(), QString::fromUtf8("比例尺 1:1,000"));

  // The cursor rests while the chart moves under it: the box follows.
  move(*window->chart(), {200, 300}, false);
  const QString before = latitudeLabel() + longitudeLabel();
  press(*window->chart(), {400, 300});
  release(*window->chart(), {500, 400});
  EXPECT_NE(latitudeLabel() + longitudeLabel(), before);
  const GeoPoint under = geoAt({200, 300});
  EXPECT_EQ(latitudeLabel(), latitudeText(under.latitude));
  EXPECT_EQ(longitudeLabel(), longitudeText(under.longitude));
  wheelAt(*window->chart(), {600, 200}, -120);
  EXPECT_EQ(longitudeLabel(), longitudeText(geoAt({200, 300}).longitude));

  // The box is opaque: its background is filled in the window's colour.
  auto* box = window->findChild<QFrame*>("latlon");
  const QImage shot = box->grab().toImage();
  EXPECT_EQ(shot.pixelColor(box->width() / 2, 3), window->palette().color(QPalette::Window));
}

TEST_F(Navigation, GoToPutsThePositionUnderTheCentreWithinAPixel) {
  showAndDraw();
  const GoToTarget target{47.2715, -122.4005, 12000};
  window->dialogs.goTo = [&](QWidget*, GoToTarget& t) {
    t = target;
    return true;
  };
  action("actionGoTo")->trigger();
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 12000.0f);
  const QPointF at = pixelOf(geoToChart({target.latitude, target.longitude}));
  EXPECT_LT(std::hypot(at.x() - window->chart()->width() / 2.0, at.y() - window->chart()->height() / 2.0), 1.0);
  EXPECT_EQ(scaleLabel(), QString::fromUtf8("比例尺 1:12,000"));
  // Without a scale the view keeps the true scale it shows, at 30 N as at 47 N.
  window->chart()->goTo({30.5, 119.25, 0});
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 12000.0f);
  EXPECT_EQ(scaleLabel(), QString::fromUtf8("比例尺 1:12,000"));
}

TEST(GoToInput, PositionsInEveryUsualFormAndClearReasonsForBadOnes) {
  struct Case {
    const char* text;
    bool latitude;
    double degrees;  // NAN: refused
    const char* reason;
  } cases[] = {
      {"47 16.29 N", true, 47.2715, ""},
      {"47°16.29′N", true, 47.2715, ""},
      {"N 47 16.29", true, 47.2715, ""},
      {"47.2715", true, 47.2715, ""},
      {"47.2715S", true, -47.2715, ""},
      {"-47.2715", true, -47.2715, ""},
      {"北纬30度30分", true, 30.5, ""},
      {"122 24.03 W", false, -122.4005, ""},
      {"122.4005E", false, 122.4005, ""},
      {"西经122.4005", false, -122.4005, ""},
      {"47 16 17 N", true, 47 + 16 / 60.0 + 17 / 3600.0, ""},
      {"47°16′17″N", true, 47 + 16 / 60.0 + 17 / 3600.0, ""},
      {"47 16 17.5 S", true, -(47 + 16 / 60.0 + 17.5 / 3600.0), ""},
      {"北纬47度16分17秒", true, 47 + 16 / 60.0 + 17 / 3600.0, ""},
      {"122 24 1.8 W", false, -(122 + 24 / 60.0 + 1.8 / 3600.0), ""},
      {"", true, NAN, "请输入纬度"},
      {"47 16.29 E", true, NAN, "N或S"},
      {"-47 16.29 N", true, NAN, "正负号"},
      {"47 61 N", true, NAN, "小于60"},
      {"47.5 10 N", true, NAN, "整数"},
      {"86 N", true, NAN, "85°S与85°N"},
      {"181 E", false, NAN, "180°W与180°E"},
      {"47 16.5 30 N", true, NAN, "写了秒时，分须为整数"},
      {"47 16 60 N", true, NAN, "秒须小于60"},
      {"47 16 17 5 N", true, NAN, "无法识别纬度“47 16 17 5 N”"},
      {"4x7 N", true, NAN, "无法识别纬度“4x7 N”：请写度分"},
      {"abc", true, NAN, "无法识别纬度“abc”"},
      {"Seattle", false, NAN, "无法识别经度“Seattle”"},
  };
  for (const Case& c : cases) {
    double degrees = 0;
    QString error;
    const QString text = QString::fromUtf8(c.text);
    const bool ok = c.latitude ? parseLatitude(text, degrees, error) : parseLongitude(text, degrees, error);
    EXPECT_EQ(ok, !std::isnan(c.degrees)) << c.text << " " << qPrintable(error);
    if (ok) {
      EXPECT_NEAR(degrees, c.degrees, 1e-9) << c.text;
    } else {
      EXPECT_TRUE(error.contains(QString::fromUtf8(c.reason))) << c.text << ": " << qPrintable(error);
    }
  }
  struct ScaleCase {
    const char* text;
    float scale;  // -1: refused
  } scales[] = {{"", 0}, {"1:25000", 25000}, {"1:25,000", 25000}, {"25000", 25000}, {"1 : 1000", 1000},
                {"999", -1}, {"1:40,000,000", -1}, {"1:2.5", -1}, {"abc", -1}};
  for (const ScaleCase& c : scales) {
    float scale = -2;
    QString error;
    EXPECT_EQ(parseScale(c.text, scale, error), c.scale >= 0) << c.text;
    if (c.scale >= 0) EXPECT_EQ(scale, c.scale) << c.text;
    else EXPECT_FALSE(error.isEmpty()) << c.text;
  }
}

TEST_F(Navigation, GoToDialogExplainsBadInputAndStaysOpen) {
  GoToDialog dialog(window.get());
  dialog.show();
  dialog.latitudeEdit()->setText("47 16.29 N");
  dialog.longitudeEdit()->setText("122 24.03 X");
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.errorText().startsWith(QString::fromUtf8("无法识别经度“122 24.03 X”"))) << qPrintable(dialog.errorText());
  // The dialog grows to hold the whole message.
  QApplication::processEvents();
  const auto* error = dialog.findChild<QLabel*>("error");
  ASSERT_NE(error, nullptr);
  EXPECT_TRUE(dialog.rect().contains(error->geometry())) << error->geometry().bottom() << " " << dialog.height();
  EXPECT_GE(error->height(), error->heightForWidth(error->width()));
  dialog.longitudeEdit()->setText("122 24.03 N");
  dialog.accept();
  EXPECT_TRUE(dialog.errorText().contains(QString::fromUtf8("经度只能用E或W标明方向"))) << qPrintable(dialog.errorText());
  dialog.longitudeEdit()->setText("122 24.03 W");
  dialog.scaleEdit()->setText("1:12000");
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_NEAR(dialog.target().latitude, 47.2715, 1e-9);
  EXPECT_NEAR(dialog.target().longitude, -122.4005, 1e-9);
  EXPECT_EQ(dialog.target().scale, 12000.0f);
}

TEST_F(Navigation, KeysZoomPanAndShowAllCells) {
  showAndDraw();
  window->chart()->goTo({47.0, -122.0, 80000});
  const ChartView start = window->chart()->view();
  const double quarterX = start.viewportWidth / 4.0 * start.scale;
  const double quarterY = start.viewportHeight / 4.0 * start.scale;
  struct Case {
    int key;
    double dx, dy;  // centre moves, chart units
    float scale;    // the true scale after a zoom; 0: a pan keeps the view scale
  } cases[] = {
      {Qt::Key_Plus, 0, 0, 40000},   {Qt::Key_Minus, 0, 0, 80000},  {Qt::Key_Equal, 0, 0, 40000},
      {Qt::Key_Minus, 0, 0, 80000},  {Qt::Key_Right, quarterX, 0, 0}, {Qt::Key_Left, -quarterX, 0, 0},
      {Qt::Key_Up, 0, quarterY, 0},  {Qt::Key_Down, 0, -quarterY, 0},
  };
  for (const Case& c : cases) {
    const ChartPoint before = window->chart()->view().centre;
    const float viewScale = window->chart()->view().scale;
    key(*window, c.key);
    if (c.scale > 0)
      EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), c.scale) << c.key;
    else
      EXPECT_EQ(window->chart()->view().scale, viewScale) << c.key;
    EXPECT_NEAR(window->chart()->view().centre.x - before.x, c.dx, 1e-3) << c.key;
    EXPECT_NEAR(window->chart()->view().centre.y - before.y, c.dy, 1e-3) << c.key;
  }
  // The arrow moves the view a quarter of the window: the chart point at the
  // centre ends a quarter of the width to the left.
  const ChartPoint centre = window->chart()->view().centre;
  key(*window, Qt::Key_Right);
  EXPECT_NEAR(pixelOf(centre).x(), window->width() / 2.0 - window->width() / 4.0, 0.5);

  // Zoom keys stop at the limits.
  window->chart()->goTo({47.0, -122.0, 1000});
  key(*window, Qt::Key_Plus);
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), kMinimumViewScale);

  // Home: the loaded cells, as the first view shows them.
  std::filesystem::create_directory("s57000");
  ASSERT_FALSE(demo::writeDemoCell("s57000").empty());
  window->startLoading("s57000//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  key(*window, Qt::Key_Home);
  ChartView expected = window->chart()->view();
  fitViewToLargestGroup(*engine().cells().snapshot(), expected);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, expected.centre.y);
  EXPECT_FLOAT_EQ(window->chart()->view().scale, expected.scale);
}

TEST_F(Navigation, TheWheelKeepsTheChartPointUnderTheCursor) {
  showAndDraw();
  window->chart()->goTo({47.27, -122.4, 64000});
  for (const QPoint at : {QPoint(100, 120), QPoint(700, 600), QPoint(431, 343), QPoint(5, 660)}) {
    for (int delta : {120, 120, -120, -120, -120}) {
      const ChartPoint under = pixelToChart(at.x(), at.y(), window->chart()->view());
      wheelAt(*window->chart(), at, delta);
      const QPointF now = pixelOf(under);
      EXPECT_LT(std::hypot(now.x() - at.x(), now.y() - at.y()), 1.0) << at.x() << "," << at.y() << " " << delta;
    }
  }
}

}  // namespace
