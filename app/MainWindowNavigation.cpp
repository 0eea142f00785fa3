// Moving the window's view: the wheel about the cursor, the keys, fitting
// to the loaded cells, go to, a cell of the list; and what follows every
// move (scale text, position box, repaint).
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>

#include "CellListPanel.h"
#include "ChartEngine.h"
#include "MainWindow.h"
#include "MercatorProjection.h"
#include "TrueScale.h"
#include "ViewFitting.h"

double MainWindow::screenPixelMillimetres() const {
  const QWindow* window = windowHandle();
  const QScreen* screen = window ? window->screen() : QGuiApplication::primaryScreen();
  return screen ? pixelMillimetresFromDotsPerInch(screen->physicalDotsPerInch()) : kDefaultPixelMillimetres;
}

void MainWindow::syncViewport() {
  // As setupPainter does at the next repaint.
  const float units = static_cast<float>(LOGICAL_UNITS_PER_PIXEL);
  chartView.viewportWidth = static_cast<int>(static_cast<float>(width()) * units);
  chartView.viewportHeight = static_cast<int>(static_cast<float>(height()) * units);
  chartView.pixelMillimetres = screenPixelMillimetres();
}

void MainWindow::viewChanged() {
  syncViewport();
  updateOrigin(chartView);
  scaleLabel_->setText(scaleText());
  shownScale_ = trueScale(chartView);
  showCursorPosition();
  update();
}

QString MainWindow::scaleText() const {
  return QStringLiteral("比例尺 ") + CellListPanel::scaleText(trueScale(chartView));
}

void MainWindow::showGeoPosition(const GeoPoint& g) {
  latitudeLabel_->setText(latitudeText(g.latitude));
  longitudeLabel_->setText(longitudeText(g.longitude));
}

void MainWindow::showCursorPosition() {
  // The chart under the cursor moves with every pan and zoom; before the
  // cursor has been over the window the box shows the view's centre.
  showGeoPosition(cursorSeen_ ? chartToGeo(pixelToChart(cursor_.x(), cursor_.y(), chartView))
                              : chartToGeo(chartView.centre));
}

bool MainWindow::zoomedView(bool in, ViewGeometry& next) const {
  next = chartView;
  const float scaled = chartView.scale * (in ? 0.5f : 2.0f);
  if (!(scaled > 0) || !std::isfinite(scaled)) return false;
  next.scale = scaled;
  // Halved or doubled exactly, unless that passes a limit of the true scale;
  // a view already past a limit (panned towards a pole at the largest scale)
  // never zooms the other way.
  const double shown = trueScale(next);
  if (shown < kMinimumViewScale || shown > kMaximumViewScale) {
    next.scale = chartView.scale;
    if (!setTrueScaleWithinLimits(next, shown)) return false;
  }
  return in ? next.scale < chartView.scale : next.scale > chartView.scale;
}

bool MainWindow::zoomAbout(const QPoint& anchor, bool in) {
  syncViewport();
  ViewGeometry next;
  if (!zoomedView(in, next)) return false;
  const ChartPoint before = pixelToChart(anchor.x(), anchor.y(), chartView);
  chartView.scale = next.scale;
  const ChartPoint after = pixelToChart(anchor.x(), anchor.y(), chartView);
  chartView.centre.x += before.x - after.x;
  chartView.centre.y += before.y - after.y;
  viewMovedByUser_ = true;
  viewChanged();
  return true;
}

bool MainWindow::zoomAboutCentre(bool in) {
  syncViewport();
  ViewGeometry next;
  if (!zoomedView(in, next)) return false;
  chartView.scale = next.scale;
  viewMovedByUser_ = true;
  viewChanged();
  return true;
}

void MainWindow::panByQuarter(int dx, int dy) {
  syncViewport();
  const double scale = chartView.scale;
  chartView.centre.x += dx * (chartView.viewportWidth / 4.0) * scale;
  chartView.centre.y += dy * (chartView.viewportHeight / 4.0) * scale;
  viewMovedByUser_ = true;
  viewChanged();
}

bool MainWindow::showAllCells() {
  const CellSnapshot cells = engine_.cells().snapshot();
  return showCells(*cells);
}

bool MainWindow::showCells(const std::vector<S57Cell*>& cells) {
  syncViewport();
  if (!fitViewToCells(cells, chartView)) return false;
  viewChanged();
  return true;
}

void MainWindow::goTo(const GoToTarget& target) {
  syncViewport();
  // Without a scale of its own the view keeps the true scale it shows.
  const double scale = target.scale > 0 ? target.scale : trueScale(chartView);
  setCentreGeo(target.latitude, target.longitude, chartView);
  setTrueScaleWithinLimits(chartView, scale);
  viewMovedByUser_ = true;
  viewChanged();
}

bool MainWindow::showCell(const QString& name) {
  const std::string wanted = name.toStdString();
  const CellSnapshot cells = engine_.cells().snapshot();
  for (const S57Cell* cell : *cells) {
    if (cell->name != wanted || cell->extents.empty()) continue;
    const ChartBox& b = cell->boundingBox;
    syncViewport();
    chartView.centre = {(b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2};
    if (cell->compilationScale > 0) setTrueScaleWithinLimits(chartView, cell->compilationScale);
    viewMovedByUser_ = true;
    viewChanged();
    return true;
  }
  return false;
}

void MainWindow::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;  // sideways scrolling does not zoom
  const QPointF at = event->position();
  zoomAbout(QPoint(qRound(at.x()), qRound(at.y())), delta >= 1);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without shift
      zoomAboutCentre(true);
      break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      zoomAboutCentre(false);
      break;
    case Qt::Key_Left: panByQuarter(-1, 0); break;
    case Qt::Key_Right: panByQuarter(1, 0); break;
    case Qt::Key_Up: panByQuarter(0, 1); break;
    case Qt::Key_Down: panByQuarter(0, -1); break;
    case Qt::Key_Home:
      if (showAllCells()) viewMovedByUser_ = true;
      break;
    default:
      QMainWindow::keyPressEvent(event);
      return;
  }
  event->accept();
}

void MainWindow::cellsChanged() {
  const CellSnapshot cells = engine_.cells().snapshot();
  cellListPanel_->addCells(*cells);
  // The start-up load shows its cells while the user has not moved the view.
  if (fitWhileLoading_ && !viewMovedByUser_) showAllCells();
  update();
}
