#include "MainWindow.h"

#include <QCloseEvent>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "DisplaySettings.h"
#include "LoadingNotice.h"
#include "MenuTable.h"
#include "ObjectPanel.h"
#include "PositionBox.h"

namespace {
constexpr int kObjectPanelWidth = 280;  // pixels
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("电子海图"));
  createChart();
  createOverlays();
  createCellList();
  createMenus();
  createStatusBar();
  createLoader();
  resize(862, 686);
  QFont windowFont = font();
  windowFont.setStyleStrategy(QFont::PreferAntialias);
  setFont(windowFont);
  setAutoFillBackground(false);
  setStyleSheet(QString());
  // Moves without a pressed button reach the chart too.
  setMouseTracking(true);
  // A missing icon file leaves the window without one.
  const QPixmap icon(QStringLiteral("logo.png"));
  if (!icon.isNull()) setWindowIcon(QIcon(icon));
  displaySettings().setContourSet(10);
  // The keys reach the window, which hands them to the chart.
  setFocusPolicy(Qt::StrongFocus);

  // The user's choices of the last start, then every check mark and the
  // palette as they stand; the position box starts with the view's centre.
  restoreChoices();
  menus_->syncCheckMarks();
  applyTheme();
  applyNameLanguage();
  placeChildren();
  chart_->viewChanged();
}

MainWindow::~MainWindow() {
  // A load must not report into a window that is going.
  loader_->stop();
}

// ---- the parts --------------------------------------------------------------

void MainWindow::createChart() {
  chart_ = new ChartWidget(this);
  chart_->lower();  // under everything the window holds
}

void MainWindow::createOverlays() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("centralwidget"));
  central->setMouseTracking(true);
  objectPanel_ = new ObjectPanel(central);
  objectPanel_->hide();
  loadingNotice_ = new LoadingNotice(central);
  positionBox_ = new PositionBox(central);
  setCentralWidget(central);

  connect(chart_, &ChartWidget::positionChanged, positionBox_, &PositionBox::showPosition);
  connect(chart_, &ChartWidget::objectsPicked, objectPanel_, &ObjectPanel::showObjects);
  // Choosing another object in the list moves the mark.
  connect(objectPanel_, &ObjectPanel::choiceChanged, chart_,
          [this] { chart_->setChosen(objectPanel_->chosen()); });
}

void MainWindow::createCellList() {
  cellListPanel_ = new CellListPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, cellListPanel_);
  cellListPanel_->hide();
  connect(cellListPanel_, &CellListPanel::cellActivated, chart_, &ChartWidget::showCell);
  // The object panel keeps to the right edge of what the cell list leaves.
  connect(
      cellListPanel_, &QDockWidget::visibilityChanged, this, [this] { placeChildren(); }, Qt::QueuedConnection);
}

void MainWindow::createStatusBar() {
  statusBar_ = new ChartStatusBar(this);
  setStatusBar(statusBar_);
  connect(chart_, &ChartWidget::scaleChanged, statusBar_, &ChartStatusBar::showScale);
  connect(chart_, &ChartWidget::overscaleChanged, statusBar_, &ChartStatusBar::showOverscale);
  connect(chart_, &ChartWidget::measurementChanged, statusBar_, &ChartStatusBar::showMeasurement);
}

void MainWindow::createLoader() {
  loader_ = new CellLoader(this);
  connect(loader_, &CellLoader::cellLoaded, this, &MainWindow::cellsChanged);
  connect(loader_, &CellLoader::cellsListed, chart_, &ChartWidget::showCells);
  connect(loader_, &CellLoader::finished, this, &MainWindow::loadingFinished);
}

void MainWindow::placeChildren() {
  const int w = width(), h = height();
  chart_->setGeometry(0, 0, w, h);
  const bool docked = cellListPanel_->isVisible() && !cellListPanel_->isFloating();
  objectPanel_->setGeometry((docked ? centralWidget()->width() : w) - kObjectPanelWidth, 0, kObjectPanelWidth, h);
  loadingNotice_->setGeometry(w / 2 - 200, h / 2 - 122, 400, 225);
  positionBox_->setGeometry(20, h - 80, 300, 30);
}

// ---- events -------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeChildren();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (dialogs.question(this, QStringLiteral("退出"), QStringLiteral("确认退出本程序?")) != QMessageBox::Yes) {
    event->ignore();
    return;
  }
  QSettings store;
  store.setValue(QStringLiteral("window/geometry"), saveGeometry());
  store.setValue(QStringLiteral("window/state"), saveState());
  event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) { chart_->mousePress(event); }
void MainWindow::mouseMoveEvent(QMouseEvent* event) { chart_->mouseMove(event); }
void MainWindow::mouseReleaseEvent(QMouseEvent* event) { chart_->mouseRelease(event); }
void MainWindow::wheelEvent(QWheelEvent* event) { chart_->wheel(event); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (!chart_->keyPress(event)) QMainWindow::keyPressEvent(event);
}
