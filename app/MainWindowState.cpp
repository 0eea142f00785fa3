// The state the window keeps: the display settings stored across starts
// with its geometry and last folders, and the palette that follows the
// colour table.
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
  chart_->update();
}

void MainWindow::applyTheme() {
  applyWindowTheme(schemeOfTable(displaySettings().colourTable));
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
  const QByteArray geometry = store.value(QStringLiteral("window/geometry")).toByteArray();
  if (!geometry.isEmpty()) restoreGeometry(geometry);
  const QByteArray state = store.value(QStringLiteral("window/state")).toByteArray();
  if (!state.isEmpty()) restoreState(state);
}
