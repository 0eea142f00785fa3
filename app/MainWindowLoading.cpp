// Cells into the window: one cell opened at once, folders loaded in the
// background by the loader, and what the window shows of both.
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "ChineseText.h"
#include "LoadingNotice.h"
#include "MainWindow.h"

CellLoadResult MainWindow::openCell(const QString& path) {
  // The reader opens the file by its name in the file system's encoding.
  CellLoadReport report;
  const CellLoadResult result =
      engine_.loadCell(QFile::encodeName(path).toStdString(), &chart_->view(), CellLoadOptions(), &report);
  if (!result.listed()) {
    const QString line = QFileInfo(path).fileName() + QStringLiteral(": ") + cellFailureText(result, engine_);
    statusBar_->showFailure(line);
    cellListPanel_->addFailures({line});
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
  return result;
}

bool MainWindow::importDirectory(const QString& directory) {
  if (loader_->busy()) {
    showLoadingBusy();
    return false;
  }
  qDebug().noquote() << "batch import:" << directory;
  loadingNotice_->start();
  // Into a chart that shows no cell: the view goes to the cells at the end.
  loader_->start(directory, chart_->view().drawnCells.empty());
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
  chart_->update();
}

void MainWindow::loadingFinished(const QString& failures, const QString& warnings) {
  loadingNotice_->stop();
  cellsChanged();
  QStringList lines;
  if (!failures.isEmpty()) {
    lines = failures.split(QLatin1Char('\n'));
    cellListPanel_->addFailures(lines);
  }
  if (!warnings.isEmpty()) lines += warnings.split(QLatin1Char('\n'));
  if (lines.isEmpty()) return;
  for (int i = 1; i < lines.size(); ++i) qWarning().noquote() << lines[i];
  QString text = lines.first();
  if (lines.size() > 1) text += QStringLiteral("（另有%1条，见日志）").arg(lines.size() - 1);
  statusBar_->showFailure(text);  // logs the first line with the count
}
