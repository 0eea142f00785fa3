// The state the window shows and keeps: check marks that follow the
// settings in force, the palette that follows the colour table, and the
// user's choices stored across starts.
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QSettings>
#include <QStatusBar>

#include "CellListPanel.h"
#include "ChartEngine.h"
#include "DisplaySettings.h"
#include "MainWindow.h"
#include "WindowSettings.h"
#include "WindowTheme.h"

void MainWindow::syncCheckMarks() {
  const DisplaySettings& s = displaySettings();
  action_4_->setChecked(s.displayCategory == 0);
  action_5_->setChecked(s.displayCategory == 1);
  action_6_->setChecked(s.displayCategory == 2);
  action_8_->setChecked(!s.paperChartSymbols);
  action_9_->setChecked(s.paperChartSymbols);
  action_11_->setChecked(s.nationalText);
  action_12_->setChecked(!s.nationalText);
  action_15_->setChecked(s.showSoundings);
  action_16_->setChecked(s.showCellBoundaries);
  action_17_->setChecked(selectionMode_);
  action_7_->setChecked(s.showDepthContours);
  actionWorldBaseMap_->setChecked(s.showWorldBaseMap);
  actionMeasure_->setChecked(rangeBearing_.active());
  // The contour sets by their safety contour; any other value is the custom one.
  const bool custom = s.safetyContour != 5.0f && s.safetyContour != 10.0f && s.safetyContour != 20.0f;
  action_5m_->setChecked(s.safetyContour == 5.0f);
  action_10m_->setChecked(s.safetyContour == 10.0f);
  action_20m_->setChecked(s.safetyContour == 20.0f);
  action_13_->setChecked(custom);
  action_13_->setText(custom ? QStringLiteral("自定义… (%1m)").arg(static_cast<double>(s.safetyContour))
                             : QStringLiteral("自定义…"));
  const ColourScheme scheme = s.colourScheme();
  action_18_->setChecked(scheme == ColourScheme::DAY_BRIGHT);
  action_22_->setChecked(scheme == ColourScheme::DUSK);
  action_20_->setChecked(scheme == ColourScheme::DAY_BLACKBACK);
  action_21_->setChecked(scheme == ColourScheme::DAY_WHITEBACK);
  action_19_->setChecked(scheme == ColourScheme::NIGHT);
}

void MainWindow::applyTheme() {
  applyWindowTheme(displaySettings().colourScheme());
  // A widget with a style sheet keeps the palette it was polished with:
  // setting the sheet again polishes it with the new one.
  const QString sheet = positionBox_->styleSheet();
  positionBox_->setStyleSheet(QString());
  positionBox_->setStyleSheet(sheet);
}

void MainWindow::saveDisplayChoices() {
  QSettings store;
  saveDisplaySettings(store, displaySettings());
}

void MainWindow::settingsChanged() {
  syncCheckMarks();
  saveDisplayChoices();
  applyTheme();
  update();
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

void MainWindow::restoreDefaults() {
  // The settings as the window starts without stored choices.
  DisplaySettings& s = displaySettings();
  s = DisplaySettings(engine_.library());
  s.setContourSet(10);
  QSettings store;
  removeDisplaySettings(store);
  settingsChanged();
}

void MainWindow::showMeasurement() {
  const QString text = rangeBearing_.text();
  measureLabel_->setText(text);
  measureLabel_->setVisible(!text.isEmpty());
}

void MainWindow::listFailures(const QStringList& lines) { cellListPanel_->addFailures(lines); }
