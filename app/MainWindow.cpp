#include "MainWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QSettings>
#include <QTimer>
#include <algorithm>

#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "DisplaySettings.h"
#include "LoadingNotice.h"
#include "MenuTable.h"
#include "ObjectPanel.h"
#include "PositionBox.h"
#include "RouteBook.h"
#include "RouteChecker.h"
#include "StoreImporter.h"

namespace {
constexpr int kPanelWidth = 280;  // pixels, of a docked panel when first shown
constexpr int kCellsCatchUpMs = 150;  // the window shows the cells loaded since, at most this often
}

MainWindow::MainWindow(ChartEngine& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine), settings_(engine.library()) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("电子海图"));
  createChart();
  createOverlays();
  createCellList();
  createMenus();
  createStatusBar();
  createLoader();
  createRoutes();
  resize(862, 686);
  QFont windowFont = font();
  windowFont.setStyleStrategy(QFont::PreferAntialias);
  setFont(windowFont);
  setAutoFillBackground(false);
  setStyleSheet(QString());
  // A missing icon file leaves the window without one.
  const QPixmap icon(QStringLiteral("logo.png"));
  if (!icon.isNull()) setWindowIcon(QIcon(icon));
  displaySettings().setContourSet(10);
  // Keys no other widget took reach the window, which hands them to the chart.
  setFocusPolicy(Qt::StrongFocus);
  chart_->setFocus();

  // The user's choices of the last start, then every check mark and the
  // palette as they stand; the position box starts with the view's centre.
  restoreChoices();
  menus_->syncCheckMarks();
  applyTheme();
  applyNameLanguage();
  placeOverlays();
  chart_->viewChanged();
}

MainWindow::~MainWindow() {
  // A load or an import must not report into a window that is going.
  importer_->wait();
  loader_->stop();
  routeChecker_->cancel();
  routeChecker_->wait();
}

// ---- the parts --------------------------------------------------------------

void MainWindow::createChart() {
  chart_ = new ChartWidget(engine_, settings_, this);
  setCentralWidget(chart_);
  connect(chart_, &ChartWidget::resized, this, &MainWindow::placeOverlays);
}

void MainWindow::createOverlays() {
  loadingNotice_ = new LoadingNotice(chart_);
  positionBox_ = new PositionBox(chart_);
  objectPanel_ = new ObjectPanel(engine_.library(), this);
  addDockWidget(Qt::RightDockWidgetArea, objectPanel_);
  objectPanel_->hide();
  sizeOnFirstShow(objectPanel_, [] { return kPanelWidth; });

  connect(chart_, &ChartWidget::positionChanged, positionBox_, &PositionBox::showPosition);
  connect(chart_, &ChartWidget::objectsPicked, objectPanel_, &ObjectPanel::showObjects);
  // A jump to another place leaves nothing picked.
  connect(chart_, &ChartWidget::viewJumped, objectPanel_, [this] { objectPanel_->showObjects({}); });
  // Choosing another object in the list moves the mark.
  connect(objectPanel_, &ObjectPanel::choiceChanged, chart_,
          [this] { chart_->setChosen(objectPanel_->chosen()); });
}

void MainWindow::createCellList() {
  cellListPanel_ = new CellListPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, cellListPanel_);
  cellListPanel_->hide();
  sizeOnFirstShow(cellListPanel_, [this] { return cellListPanel_->fittingWidth(); });
  connect(cellListPanel_, &CellListPanel::cellActivated, chart_, &ChartWidget::showCell);
  // Reviewing an update: its changes marked on the chart until it ends.
  connect(cellListPanel_, &CellListPanel::updateReviewed, this, [this](const QString& name, int number) {
    const S57Cell* reviewed = nullptr;
    const CellSnapshot cells = engine_.cells().snapshot();
    for (const S57Cell* cell : *cells)
      if (number > 0 && QString::fromStdString(cell->name) == name) reviewed = cell;
    chart_->reviewUpdate(reviewed, number);
  });
}

void MainWindow::createStatusBar() {
  statusBar_ = new ChartStatusBar(this);
  setStatusBar(statusBar_);
  connect(chart_, &ChartWidget::scaleChanged, statusBar_, &ChartStatusBar::showScale);
  connect(chart_, &ChartWidget::overscaleChanged, statusBar_, &ChartStatusBar::showOverscale);
  connect(chart_, &ChartWidget::measurementChanged, statusBar_, &ChartStatusBar::showMeasurement);
}

void MainWindow::createLoader() {
  loader_ = new CellLoader(engine_, this);
  // Cells come faster than a person can look: the window catches up with
  // them a few times a second, so that keys and the mouse are never kept
  // waiting behind a queue of cells.
  cellsTimer_ = new QTimer(this);
  cellsTimer_->setSingleShot(true);
  cellsTimer_->setInterval(kCellsCatchUpMs);
  connect(cellsTimer_, &QTimer::timeout, this, &MainWindow::cellsChanged);
  connect(loader_, &CellLoader::cellLoaded, this, [this] {
    if (!cellsTimer_->isActive()) cellsTimer_->start();
  });
  connect(loader_, &CellLoader::cellsListed, this, &MainWindow::importedCellsListed);
  connect(loader_, &CellLoader::finished, this, &MainWindow::loadingFinished);
  importer_ = new StoreImporter(this);
  connect(importer_, &StoreImporter::finished, this, &MainWindow::storeImported);
}

void MainWindow::placeOverlays() {
  const int w = chart_->width(), h = chart_->height();
  loadingNotice_->setGeometry(w / 2 - 200, h / 2 - 112, 400, 225);
  positionBox_->setGeometry(10, h - 40, 300, 30);
}

void MainWindow::sizeOnFirstShow(QDockWidget* panel, std::function<int()> width) {
  connect(panel, &QDockWidget::visibilityChanged, this, [this, panel, width = std::move(width)](bool visible) {
    if (!visible || panel->property("shownOnce").toBool()) return;
    panel->setProperty("shownOnce", true);
    if (!panel->isFloating()) resizeDocks({panel}, {std::max(kPanelWidth, width())}, Qt::Horizontal);
  });
}

// ---- events -------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
  if (dialogs.question(this, QStringLiteral("退出"), QStringLiteral("确认退出本程序?")) != QMessageBox::Yes) {
    event->ignore();
    return;
  }
  QSettings store;
  saveWindowPlace(store);
  store.setValue(QStringLiteral("window/state"), saveState());
  event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (!chart_->keyPress(event)) QMainWindow::keyPressEvent(event);
}
