// 航线: the routes kept with the settings, the route mode on the chart, the
// route panel, route files in and out, and the route check with its
// findings.
#include <QFileInfo>
#include <QSettings>

#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "FindingObject.h"
#include "MainWindow.h"
#include "ObjectPanel.h"
#include "ReadoutText.h"
#include "RouteBook.h"
#include "RouteChecker.h"
#include "RouteExchange.h"
#include "RoutePanel.h"
#include "RouteText.h"

namespace {
constexpr int kRoutePanelWidth = 420;  // pixels: the leg table's columns side by side
}

void MainWindow::createRoutes() {
  routes_ = std::make_unique<RouteBook>();
  QSettings store;
  routes_->restore(store);
  routeFolder_ = store.value(QStringLiteral("folders/route")).toString();
  routePanel_ = new RoutePanel(*routes_, this);
  addDockWidget(Qt::RightDockWidgetArea, routePanel_);
  routePanel_->hide();
  sizeOnFirstShow(routePanel_, [] { return kRoutePanelWidth; });
  routeChecker_ = new RouteChecker(engine_, this);
  chart_->setRouteBook(routes_.get());

  connect(chart_, &ChartWidget::routeEdited, this, &MainWindow::routeEdited);
  connect(routePanel_, &RoutePanel::routeEdited, this, &MainWindow::routeEdited);
  connect(routePanel_, &RoutePanel::activeRouteChanged, this, &MainWindow::activeRouteChanged);
  connect(routePanel_, &RoutePanel::checkRequested, this, &MainWindow::checkActiveRoute);
  connect(routePanel_, &RoutePanel::importRequested, this, &MainWindow::chooseRouteImport);
  connect(routePanel_, &RoutePanel::exportRequested, this, &MainWindow::chooseRouteExport);
  connect(routePanel_, &RoutePanel::findingChosen, this, &MainWindow::chooseRouteFinding);
  connect(routeChecker_, &RouteChecker::finished, this, &MainWindow::routeChecked);
}

void MainWindow::setRouteMode(bool on) {
  chart_->setRouteMode(on);
  if (on) {
    if (routes_->empty()) {
      routes_->add(Route(routes_->freeName()));
      activeRouteChanged();
    }
    routePanel_->show();
  }
  statusBar_->showNote(on ? QStringLiteral("航线模式：点击添加航路点，拖动移动，右击删除航路点或在航段上插入")
                          : QString());
}

void MainWindow::recheckForSafetyContour() {
  if (routeCheckWanted_ && displaySettings().safetyContour != routeCheckContour_) checkActiveRoute();
}

void MainWindow::addRoute(Route route) {
  routes_->add(std::move(route));
  activeRouteChanged();
}

void MainWindow::saveRoutes() {
  QSettings store;
  routes_->save(store);
}

void MainWindow::routeEdited() {
  saveRoutes();
  chart_->routeChanged();
  routePanel_->refresh();
  if (routeCheckWanted_) {
    checkActiveRoute();
  } else {
    routeFindings_.clear();
    showRouteCheck(QStringLiteral("航线未检查"));
  }
}

void MainWindow::activeRouteChanged() {
  // Another route: its check is its own, not yet asked for.
  routeChecker_->cancel();
  routeCheckWanted_ = false;
  routeFindings_.clear();
  chart_->setRouteFinding(std::nullopt);
  chart_->routeChanged();
  saveRoutes();
  routePanel_->refresh();
  showRouteCheck(QStringLiteral("航线未检查"));
}

// ---- the check -----------------------------------------------------------------

void MainWindow::checkActiveRoute() {
  const Route* route = routes_->active();
  if (!route || route->legCount() == 0) {
    routeCheckWanted_ = route != nullptr;
    routeFindings_.clear();
    showRouteCheck(QStringLiteral("航线不足两个航路点，无法检查"));
    return;
  }
  routeCheckWanted_ = true;
  routeCellsAsked_.clear();
  routeCheckContour_ = displaySettings().safetyContour;
  routeChecker_->startSoon(*route, routeCheckContour_);
  // The list keeps the last result until the new one is in, marked as old.
  showRouteCheck(routeFindings_.empty() ? QStringLiteral("正在检查航线…")
                                        : QStringLiteral("航线或安全等深线已改变，正在重新检查…（下列结果已过时）"));
}

void MainWindow::routeChecked(const RouteCheckResult& result, float safetyContour) {
  routeFindings_ = result.findings;
  int alarms = 0;
  for (const RouteFinding& f : routeFindings_) alarms += f.kind == FindingKind::Alarm;
  const int indications = static_cast<int>(routeFindings_.size()) - alarms;
  chart_->setRouteFinding(std::nullopt);
  showRouteCheck(QStringLiteral("检查完成（安全等深线 %1 m）：%2 个警报，%3 个提示")
                     .arg(static_cast<double>(safetyContour))
                     .arg(alarms)
                     .arg(indications));
  readCellsForRouteCheck();
}

// Cells unloaded to free memory hold no features to check: they are read
// back from the store and the route is checked again. Until then their
// findings say the stretch is unchecked; a cell that does not come back
// keeps that alarm.
void MainWindow::readCellsForRouteCheck() {
  if (storeFolder_.isEmpty()) return;
  QStringList names;
  for (const RouteFinding& f : routeFindings_) {
    if (f.reason != FindingReason::CellNotLoaded) continue;
    const QString name = QString::fromStdString(f.cell);
    if (routeCellsAsked_.contains(name) || names.contains(name) || !loader_->fromStore(f.cell)) continue;
    names << name;
  }
  if (names.isEmpty()) return;
  routeCellsAsked_ << names;
  routeCellsPending_ << names;
  loader_->restoreFromStore(storeFolder_, dataClient_, names);
}

void MainWindow::showRouteCheck(const QString& state) { routePanel_->showCheck(state, routeFindings_); }

void MainWindow::chooseRouteFinding(int index) {
  if (index < 0 || index >= static_cast<int>(routeFindings_.size())) return;
  const RouteFinding finding = routeFindings_[static_cast<std::size_t>(index)];
  GoToTarget target;
  target.latitude = finding.position.latitude;
  target.longitude = finding.position.longitude;
  chart_->goTo(target);  // leaves nothing picked
  chart_->setRouteFinding(finding.position);
  const CellSnapshot cells = engine_.cells().snapshot();
  const std::optional<PickedObject> object = findingObject(finding, *cells);
  if (object) {
    objectPanel_->show();
    objectPanel_->showObjects({*object});  // its choice marks the object on the chart
  }
  statusBar_->showNote(QStringLiteral("航段 %1 %2：%3，%4")
                           .arg(finding.leg + 1)
                           .arg(findingKindText(finding.kind), findingReasonText(finding), positionText(finding.position)));
}

// ---- files ------------------------------------------------------------------------

bool MainWindow::importRoute(const QString& path) {
  RouteDocument document;
  const RouteFileResult read = readRouteFile(QFile::encodeName(path).toStdString(), LegKind::Rhumb, document);
  if (!read.ok()) {
    dialogs.information(this, QStringLiteral("导入航线"),
                        QStringLiteral("航线文件 %1 未导入：\n%2").arg(QFileInfo(path).fileName(), routeFileErrorText(read)));
    return false;
  }
  for (Route& route : document.routes) {
    if (route.name().empty()) route.setName(routes_->freeName());
    routes_->add(std::move(route));
  }
  activeRouteChanged();  // the last one added
  statusBar_->showNote(QStringLiteral("已导入航线 %1").arg(QFileInfo(path).fileName()));
  return true;
}

bool MainWindow::exportRoute(const QString& path) {
  const Route* route = routes_->active();
  if (!route) return false;
  QString target = path;
  std::optional<RouteFormat> format = routeFormatOfName(QFile::encodeName(target).toStdString());
  if (!format) {
    target += QStringLiteral(".rtz");
    format = RouteFormat::Rtz;
  }
  RouteDocument document;
  document.format = *format;
  document.rtzVersion = RtzVersion::V1_1;
  document.routes = {*route};
  const RouteFileResult written = writeRouteFile(QFile::encodeName(target).toStdString(), document);
  if (!written.ok()) {
    dialogs.information(this, QStringLiteral("导出航线"),
                        QStringLiteral("航线未导出到 %1：\n%2").arg(QFileInfo(target).fileName(), routeFileErrorText(written)));
    return false;
  }
  statusBar_->showNote(QStringLiteral("已导出航线到 %1").arg(QFileInfo(target).fileName()));
  return true;
}

void MainWindow::chooseRouteImport() {
  const QString path = dialogs.openRouteFile(this, routeFolder_);
  if (path.isEmpty()) return;
  routeFolder_ = QFileInfo(path).absolutePath();
  QSettings().setValue(QStringLiteral("folders/route"), routeFolder_);
  importRoute(path);
}

void MainWindow::chooseRouteExport() {
  if (!routes_->active()) return;
  const QString path = dialogs.saveRouteFile(this, routeFolder_);
  if (path.isEmpty()) return;
  routeFolder_ = QFileInfo(path).absolutePath();
  QSettings().setValue(QStringLiteral("folders/route"), routeFolder_);
  exportRoute(path);
}
