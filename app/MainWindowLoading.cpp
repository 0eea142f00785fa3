// Cells into the window: one cell opened at once, folders loaded in the
// background by the loader, and what the window shows of both.
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "CellChoice.h"
#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "ChineseText.h"
#include "LoadReport.h"
#include "LoadingNotice.h"
#include "MainWindow.h"
#include "TrueScale.h"

CellLoadResult MainWindow::openCell(const QString& path) {
  // The reader opens the file by its name in the file system's encoding.
  CellLoadReport report;
  const CellLoadResult result =
      engine_.loadCell(QFile::encodeName(path).toStdString(), &chart_->view(), CellLoadOptions(), &report);
  if (result == ReaderResult::DuplicateCell) {
    // Opened again: the view goes to the cell loaded before.
    const QString name = QFile::decodeName(QByteArray::fromStdString(report.loadedAlready));
    chart_->showCell(name);
    statusBar_->showNote(QStringLiteral("%1：已加载，转到该海图").arg(name));
    return result;
  }
  if (!result.listed()) {
    const LoadFinding failure = failedFile(path, result, engine_);
    statusBar_->showFailure(failure.name + QStringLiteral("：") + failure.text);
    cellListPanel_->addFindings({failure});
    chart_->update();
    return result;
  }
  // A cell that is not whole, or an update that stopped: named in the status bar.
  if (!report.cell->loadWarnings.empty())
    statusBar_->showFailure(chineseWarningText(report.cell->loadWarnings.front()));
  // loadCell centred the view on the new cell.
  chart_->setViewMovedByUser();
  cellsChanged();
  chart_->viewChanged();
  emit chart_->viewJumped();
  return result;
}

bool MainWindow::importDirectory(const QString& directory) {
  if (loader_->busy()) {
    showLoadingBusy();
    return false;
  }
  qDebug().noquote() << "batch import:" << directory;
  loadingNotice_->start();
  // The view goes to what it loaded at the end.
  loader_->start(directory, true);
  return true;
}

void MainWindow::startLoading(const QString& directory) {
  fitWhileLoading_ = true;
  loader_->start(directory);
}

void MainWindow::showLoadingBusy() {
  dialogs.information(this, QStringLiteral("提示"), QStringLiteral("正在加载海图中，请稍后!"));
}

void MainWindow::cellsChanged() {
  const CellSnapshot cells = engine_.cells().snapshot();
  cellListPanel_->addCells(*cells);
  // The start-up load shows its cells while the user has not moved the view.
  if (fitWhileLoading_ && !chart_->viewMovedByUser()) chart_->showAllCells();
  // The chart is drawn again only when a cell loaded since may show in it:
  // a pass over thousands of cells is not repeated for cells out of view.
  const ChartView& view = chart_->view();
  const double scale = trueScale(view);
  bool shows = false;
  for (std::size_t i = cellsShown_; i < cells->size() && !shows; ++i) {
    const S57Cell& cell = *(*cells)[i];
    for (const ChartBox& box : cell.extents)
      shows = shows || (extentMeetsView(box, view) && cellShownAtScale(cell, false, static_cast<float>(scale)));
  }
  cellsShown_ = cells->size();
  if (shows) chart_->update();
}

void MainWindow::importedCellsListed(const std::vector<S57Cell*>& cells) {
  if (!chart_->showCells(cells)) return;
  chart_->setViewMovedByUser();  // the start-up load no longer moves the view
}

void MainWindow::loadingFinished(const LoadReport& report) {
  loadingNotice_->stop();
  cellsTimer_->stop();
  cellsChanged();
  cellListPanel_->addFindings(report.findings);
  if (report.fromStore) {
    cellListPanel_->setStoredUpdates(report.storeCells, report.storeUpdates);
    cellListPanel_->setStoreStandings(report.storeStandings);
  }
  for (const LoadFinding& f : report.findings)
    qWarning().noquote() << f.name + QStringLiteral("：") + f.text << "|" << f.detail;
  const QString summary = loadSummaryText(report);
  if (!summary.isEmpty()) {
    const bool wrong = hasFindings(report) || report.folderError != 0 || report.cellWarnings > 0 ||
                       (report.requested && report.listed == 0 && report.alreadyLoaded.isEmpty());
    if (wrong)
      statusBar_->showFailure(summary);
    else
      statusBar_->showNote(summary);
  }
  // What belongs to no cell is in the cell list: it opens to show it.
  if (hasFindings(report) && !cellListPanel_->isVisible()) cellListPanel_->show();
}
