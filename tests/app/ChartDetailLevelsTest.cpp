// The chart's levels of detail: a pass at a new zoom step never makes the
// level it needs on the GUI thread; it draws with what is made, the level is
// made on another thread, and the chart is drawn again with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <filesystem>

#include "AppTestSupport.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "DisplaySettings.h"

using namespace apptest;

namespace {
const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
}  // namespace

TEST(ChartDetailLevels, ZoomingOutDrawsAtOnceAndAgainWithTheLevelMadeOffTheGuiThread) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server (run through xvfb-run)";
  if (!std::filesystem::exists(kCell)) GTEST_SKIP() << "needs " << kCell;
  WorkingDirectory cwd;
  // An engine of its own: the level must not have been made by another test.
  ChartEngine engine(kLibraryDirectory, MissingFileReport::Silent);
  ASSERT_TRUE(engine.hasLibrary());
  ASSERT_EQ(engine.loadCell(kCell), ReaderResult::Ok);
  const S57Cell& cell = *engine.cells().snapshot()->front();
  ASSERT_TRUE(cell.detail);
  DisplaySettings settings(engine.library());
  ChartWidget chart(engine, settings);
  chart.resize(640, 480);
  chart.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
  std::vector<std::size_t> wantedPerPass;
  QObject::connect(&chart, &ChartWidget::passDrawn,
                   [&] { wantedPerPass.push_back(chart.view().wantedDetailLevels.size()); });

  chart.showCell(QString::fromStdString(cell.name));
  chart.repaint();
  ASSERT_EQ(detailLevelForView(cell.detail->tolerances(), chart.view()), 0);
  // Four times smaller in scale: a level no pass has made.
  chart.zoomAboutCentre(false);
  chart.zoomAboutCentre(false);
  const int level = detailLevelForView(cell.detail->tolerances(), chart.view());
  ASSERT_GE(level, 1);
  wantedPerPass.clear();
  chart.repaint();
  EXPECT_EQ(cell.detail->made(level), nullptr) << "the pass made its level on the GUI thread";
  ASSERT_EQ(chart.view().wantedDetailLevels.size(), 1u);
  EXPECT_EQ(chart.view().wantedDetailLevels.front().cell, &cell);
  EXPECT_EQ(chart.view().wantedDetailLevels.front().level, level);

  // The chart is drawn again, unasked, once the level is there.
  QElapsedTimer clock;
  clock.start();
  while ((chart.detailLevels().busy() || wantedPerPass.size() < 2) && clock.elapsed() < 30000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_NE(cell.detail->made(level), nullptr);
  ASSERT_GE(wantedPerPass.size(), 2u) << "no pass after the level was made";
  EXPECT_EQ(wantedPerPass.back(), 0u);

  // What it shows then is what a pass that made the level first draws.
  const QImage shown = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ChartView first = chart.view();
  first.makeDetailLevels = true;
  QImage expected(chart.size(), QImage::Format_RGB32);
  expected.fill(Qt::black);
  {
    QPainter painter(&expected);
    setupPainter(painter, expected.width(), expected.height(), first);
    first.draw(painter, engine, settings);
  }
  EXPECT_TRUE(shown == expected);
}
