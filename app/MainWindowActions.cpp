// The menu slots (connected by name), cell and directory import, the end of
// a background load, object selection and range and bearing.
#include <QAction>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QSettings>
#include <QMovie>

#include "CellListPanel.h"
#include "ChartEngine.h"
#include "ChineseText.h"
#include "DisplaySettings.h"
#include "LoadTask.h"
#include "MainWindow.h"
#include "ObjectPanel.h"
#include "ReaderResult.h"

CellLoadResult MainWindow::openCell(const QString& path) {
  // The reader opens the file by its name in the file system's encoding.
  CellLoadReport report;
  const CellLoadResult result =
      engine_.loadCell(QFile::encodeName(path).toStdString(), &chartView, CellLoadOptions(), &report);
  if (!result.listed()) {
    const QString line = QFileInfo(path).fileName() + QStringLiteral(": ") + cellFailureText(result, engine_);
    showFailure(line);
    listFailures({line});
    update();
    return result;
  }
  // A cell that is not whole, or an update that stopped: named in the status bar.
  if (!report.cell->loadWarnings.empty())
    showFailure(chineseWarningText(report.cell->loadWarnings.front()));
  // loadCell centred the view on the new cell.
  viewMovedByUser_ = true;
  cellsChanged();
  viewChanged();
  return result;
}

bool MainWindow::importDirectory(const QString& directory) {
  if (loadingInProgress(engine_)) {
    showLoadingNotice();
    return false;
  }
  qDebug().noquote() << "batch import:" << directory;
  loadingMovie_->start();
  loadingPanel_->show();
  loadTask::start(directory, *this, true);  // into an empty view: the view goes to the cells
  return true;
}

void MainWindow::showLoadingNotice() {
  dialogs.information(this, QStringLiteral("提示"), QStringLiteral("正在加载海图中，请稍后!"));
}

void MainWindow::startLoading(const QString& directory) {
  fitWhileLoading_ = true;
  loadTask::start(directory, *this);
}

void MainWindow::loadingstop(const QString& failures, const QString& warnings) {
  loadingPanel_->hide();
  loadingMovie_->stop();
  cellsChanged();
  QStringList lines;
  if (!failures.isEmpty()) {
    lines = failures.split(QLatin1Char('\n'));
    listFailures(lines);
  }
  if (!warnings.isEmpty()) lines += warnings.split(QLatin1Char('\n'));
  if (lines.isEmpty()) return;
  for (int i = 1; i < lines.size(); ++i) qWarning().noquote() << lines[i];
  QString text = lines.first();
  if (lines.size() > 1) text += QStringLiteral("（另有%1条，见日志）").arg(lines.size() - 1);
  showFailure(text);  // logs the first line with the count
}

void MainWindow::showAttributes(const std::vector<PickedObject>& objects) {
  objectPanel_->showObjects(objects);  // repaints through choiceChanged
}

void MainWindow::toggleSelection() {
  if (selectionMode_) {
    selectionMode_ = false;
    objectPanel_->hide();
    objectPanel_->clearChoice();  // the highlight ends; the list stays
  } else {
    objectPanel_->show();
    selectionMode_ = true;
  }
  action_17_->setChecked(selectionMode_);
}

// ---- 开始 -------------------------------------------------------------------

void MainWindow::on_action_triggered() {
  const QString path = dialogs.openCellFile(this, cellFolder_);
  if (path.isEmpty()) return;
  cellFolder_ = QFileInfo(path).absolutePath();
  QSettings().setValue(QStringLiteral("folders/cell"), cellFolder_);
  openCell(path);
}

void MainWindow::on_action_3_triggered() {
  if (loadingInProgress(engine_)) {
    showLoadingNotice();
    return;
  }
  const QString directory = dialogs.chooseDirectory(this, importFolder_);
  if (directory.isEmpty()) return;
  importFolder_ = directory;
  QSettings().setValue(QStringLiteral("folders/import"), importFolder_);
  importDirectory(directory);
}

void MainWindow::on_action_2_triggered() { close(); }

// ---- 显示设置 ---------------------------------------------------------------

void MainWindow::on_action_4_triggered() { displaySettings().setDisplayCategory(0), settingsChanged(); }
void MainWindow::on_action_5_triggered() { displaySettings().setDisplayCategory(1), settingsChanged(); }
void MainWindow::on_action_6_triggered() { displaySettings().setDisplayCategory(2), settingsChanged(); }
void MainWindow::on_action_8_triggered() { displaySettings().setSymbolStyle(2), settingsChanged(); }
void MainWindow::on_action_9_triggered() { displaySettings().setSymbolStyle(1), settingsChanged(); }
void MainWindow::on_action_11_triggered() { displaySettings().setTextLanguage(1), settingsChanged(); }
void MainWindow::on_action_12_triggered() { displaySettings().setTextLanguage(2), settingsChanged(); }
void MainWindow::on_action_15_triggered() { displaySettings().toggleSoundings(), settingsChanged(); }
void MainWindow::on_action_16_triggered() { displaySettings().toggleCellBoundaries(), settingsChanged(); }
void MainWindow::on_action_17_triggered() { toggleSelection(); }

void MainWindow::on_actionAdvanced_triggered() {
  DisplaySettings chosen = displaySettings();
  if (!dialogs.advancedSettings(this, chosen)) return;
  displaySettings() = chosen;
  settingsChanged();
}

// ---- 等深线设置 -------------------------------------------------------------

void MainWindow::on_action_5m_triggered() { displaySettings().setContourSet(5), settingsChanged(); }
void MainWindow::on_action_10m_triggered() { displaySettings().setContourSet(10), settingsChanged(); }
void MainWindow::on_action_20m_triggered() { displaySettings().setContourSet(20), settingsChanged(); }
void MainWindow::on_action_7_triggered() { displaySettings().toggleDepthContours(), settingsChanged(); }

void MainWindow::on_action_13_triggered() {
  double metres = displaySettings().safetyContour;
  if (dialogs.customSafetyContour(this, metres, metres)) displaySettings().setSafetyContour(static_cast<float>(metres));
  settingsChanged();  // a cancelled choice puts the check mark back
}

// ---- 颜色设置 ---------------------------------------------------------------

void MainWindow::on_action_18_triggered() { displaySettings().setColourScheme(1), settingsChanged(); }
void MainWindow::on_action_19_triggered() { displaySettings().setColourScheme(5), settingsChanged(); }
void MainWindow::on_action_20_triggered() { displaySettings().setColourScheme(3), settingsChanged(); }
void MainWindow::on_action_21_triggered() { displaySettings().setColourScheme(4), settingsChanged(); }
void MainWindow::on_action_22_triggered() { displaySettings().setColourScheme(2), settingsChanged(); }

void MainWindow::on_actionWorldBaseMap_triggered() {
  displaySettings().setShowWorldBaseMap(displaySettings().showWorldBaseMap ? 2 : 1);
  settingsChanged();
}

void MainWindow::on_actionDefaults_triggered() { restoreDefaults(); }

// ---- 转到 and 测距 ----------------------------------------------------------

void MainWindow::on_actionGoTo_triggered() {
  GoToTarget target;
  if (dialogs.goTo(this, target)) goTo(target);
}

void MainWindow::on_actionMeasure_triggered() {
  rangeBearing_.setActive(!rangeBearing_.active());
  actionMeasure_->setChecked(rangeBearing_.active());
  showMeasurement();
  update();
}
