// The state the window keeps: the display settings stored across starts
// with its geometry and last folders, and the palette that follows the
// colour table.
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

#include "ChartWidget.h"
#include "DisplaySettings.h"
#include "MainWindow.h"
#include "ObjectPanel.h"
#include "PositionBox.h"
#include "WindowSettings.h"
#include "WindowTheme.h"

void MainWindow::settingsChanged() {
  QSettings store;
  saveDisplaySettings(store, displaySettings());
  applyTheme();
  applyNameLanguage();
  recheckForSafetyContour();
  chart_->update();
}

void MainWindow::applyTheme() {
  applyWindowTheme(displaySettings().colourScheme());
  positionBox_->repolish();
}

void MainWindow::applyNameLanguage() {
  objectPanel_->setLanguage(displaySettings().nationalText ? NameLanguage::Chinese : NameLanguage::English);
}

void MainWindow::restoreChoices() {
  QSettings store;
  restoreDisplaySettings(store, displaySettings());
  cellFolder_ = store.value(QStringLiteral("folders/cell")).toString();
  importFolder_ = store.value(QStringLiteral("folders/import")).toString();
  restoreWindowPlace(store);
  const QByteArray state = store.value(QStringLiteral("window/state")).toByteArray();
  if (!state.isEmpty()) restoreState(state);
  // The object panel comes with object selection, which starts off.
  objectPanel_->hide();
}

// The place is kept as the frame's top left corner and the inner size, the
// two the window system reports and takes back alike, so the window opens
// where it was left instead of a frame's height lower at every start.
void MainWindow::saveWindowPlace(QSettings& store) const {
  // A maximized window keeps the place it had before.
  const bool maximized = isMaximized() || isFullScreen();
  store.setValue(QStringLiteral("window/maximized"), maximized);
  if (maximized) return;
  store.setValue(QStringLiteral("window/position"), pos());
  store.setValue(QStringLiteral("window/size"), size());
}

void MainWindow::restoreWindowPlace(const QSettings& store) {
  const QSize size = store.value(QStringLiteral("window/size")).toSize();
  if (size.isValid()) resize(size.boundedTo(QSize(16384, 16384)).expandedTo(QSize(200, 150)));
  const QVariant position = store.value(QStringLiteral("window/position"));
  if (position.isValid()) {
    // Onto the screens there are now: at least a corner of the window
    // stays reachable.
    QPoint at = position.toPoint();
    const QRect screens = availableScreenArea();
    if (!screens.isEmpty() && !screens.intersects(QRect(at, QSize(100, 40)))) at = screens.topLeft();
    move(at);
  }
  if (store.value(QStringLiteral("window/maximized")).toBool()) setWindowState(windowState() | Qt::WindowMaximized);
}

QRect MainWindow::availableScreenArea() {
  QRect area;
  for (const QScreen* screen : QGuiApplication::screens()) area |= screen->availableGeometry();
  return area;
}
