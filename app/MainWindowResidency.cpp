// Which cells of the chart store stay in memory: after each pass the cells
// it drew count as seen, the unloaded cells it wanted are read again in the
// background, and loaded cells not drawn lately are unloaded beyond the
// budget. The chart draws what it has meanwhile, and again when they come.
#include <unordered_set>
#include <utility>

#include "CellListPanel.h"
#include "CellLoader.h"
#include "CellResidency.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "LoadReport.h"
#include "MainWindow.h"
#include "ObjectPanel.h"
#include "RouteBook.h"
#include "RouteChecker.h"

void MainWindow::setResidentCells(std::size_t count) {
  residency_ = std::make_unique<CellResidency>(count);
  trimCells();
}

void MainWindow::passDrawn() {
  ChartView& view = chart_->view();
  residency_->noteDrawn(view.drawnCells);
  if (!storeFolder_.isEmpty() && !view.unloadedCells.empty()) {
    std::vector<S57Cell*> wanted;
    for (S57Cell* cell : view.unloadedCells)
      if (loader_->fromStore(cell->name)) wanted.push_back(cell);
    QStringList names;
    for (const std::string& name : residency_->toRead(wanted)) names << QString::fromStdString(name);
    if (!names.isEmpty()) loader_->restoreFromStore(storeFolder_, dataClient_, names);
  }
  trimCells();
}

void MainWindow::trimCells() {
  // What a panel or the chart's marks still point into stays, and so do the
  // cells read back for the route check (until the route changes).
  std::unordered_set<const S57Cell*> held{chart_->chosenCell(), chart_->reviewedCell()};
  for (const PickedObject& object : objectPanel_->objects()) held.insert(object.cell);
  const std::size_t unloaded = residency_->trim(engine_.cells(), [&](const S57Cell& cell) {
    return !held.count(&cell) && !routeCellsAsked_.contains(QString::fromStdString(cell.name)) &&
           loader_->fromStore(cell.name);
  });
  if (unloaded == 0) return;
  // The last pass's snapshot would keep the unloaded cells' memory until
  // the next pass: the view takes the list as it is now. The cells it drew
  // are still listed as they were (a cell drawn is never unloaded). The old
  // snapshot is let go of off the GUI thread: it may be the last to hold
  // the cells unloaded, and freeing them takes tens of milliseconds.
  ChartView& view = chart_->view();
  view.unloadedCells.clear();
  chart_->retireSnapshot(std::exchange(view.drawnSnapshot, engine_.cells().indexedSnapshot()));
  cellListPanel_->addCells(*engine_.cells().snapshot());
}

void MainWindow::cellsRestored(const QStringList& names, const LoadReport& report) {
  std::vector<std::string> ended;
  for (const QString& name : names) {
    ended.push_back(name.toStdString());
    // The store names its cells without the file's extension.
    if (!report.storeCells.contains(name.section(QLatin1Char('.'), 0, 0))) residency_->readFailed(ended.back());
  }
  residency_->readEnded(ended);
  cellListPanel_->addFindings(report.findings);
  cellListPanel_->addCells(*engine_.cells().snapshot());
  chart_->update();
  // The route is checked again once every cell it asked for has been read
  // (or failed), at once, before a pass could unload them again: the check's
  // snapshot keeps them.
  const bool routeWaited = !routeCellsPending_.isEmpty();
  for (const QString& name : names) routeCellsPending_.removeAll(name);
  if (routeWaited && routeCellsPending_.isEmpty() && routeCheckWanted_ && routes_->active())
    routeChecker_->start(*routes_->active(), routeCheckContour_);
}
