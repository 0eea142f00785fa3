#pragma once
// The window as a mariner uses it, on an X server (xvfb-run): a fresh
// window over the test working directory, with no stored choices, the day
// palette, and answers of its own for every dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <QTest>
#include <memory>

#include "AppTestSupport.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "ColourTable.h"
#include "DisplaySettings.h"
#include "MainWindow.h"
#include "WindowTheme.h"

namespace apptest {

class WindowTest : public testing::Test {
protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server (run through xvfb-run)";
    ASSERT_TRUE(startEngineOnce()) << "the presentation library S57Lib is missing: run scripts/setup.sh";
    applyWindowTheme(ColourScheme::DAY_BRIGHT);
    QSettings().clear();
    window = makeWindow();
  }
  void TearDown() override {
    if (window) window->hide();
    window.reset();
    applyWindowTheme(ColourScheme::DAY_BRIGHT);
  }

  std::unique_ptr<MainWindow> makeWindow() {
    auto w = std::make_unique<MainWindow>(engine());
    w->dialogs.question = [](QWidget*, const QString&, const QString&) { return QMessageBox::Yes; };
    w->dialogs.information = [this](QWidget*, const QString& title, const QString& text) {
      notices << title + "|" + text;
    };
    w->dialogs.openCellFile = [](QWidget*, const QString&) { return QString(); };
    w->dialogs.chooseDirectory = [](QWidget*, const QString&) { return QString(); };
    w->dialogs.goTo = [](QWidget*, GoToTarget&) { return false; };
    w->dialogs.customSafetyContour = [](QWidget*, double, double&) { return false; };
    w->dialogs.advancedSettings = [](QWidget*, DisplaySettings&, QString&) { return false; };
    return w;
  }

  // Shown, exposed and drawn once.
  void showAndDraw() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->repaint();
  }

  QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }

  // The chart position under a window pixel.
  GeoPoint geoAt(QPoint pixel) const { return pixelToGeo(pixel.x(), pixel.y(), window->chart()->view()); }
  // The window pixel of a chart position (fractions kept).
  QPointF pixelOf(const ChartPoint& p) const {
    const QPointF l = toLogicalExact(p, window->chart()->view());
    return {l.x() / 23.0, l.y() / 23.0};
  }

  WorkingDirectory cwd;
  std::unique_ptr<MainWindow> window;
  QStringList notices;
};

}  // namespace apptest
