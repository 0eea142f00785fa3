#include "ChartWidget.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <cstdlib>

#include "CellGroups.h"
#include "ChartEngine.h"
#include "DisplaySettings.h"
#include "MercatorProjection.h"
#include "ObjectHighlight.h"
#include "RouteBook.h"
#include "TrueScale.h"
#include "ViewFitting.h"

namespace {

constexpr float kStartScale = kMaximumViewScale;
constexpr double kStartLatitude = 18.95, kStartLongitude = 110.56;
constexpr int kDragThreshold = 5;  // pixels in x or in y

QPoint eventPosition(const QPointF& p) { return {qRound(p.x()), qRound(p.y())}; }

}  // namespace

ChartWidget::ChartWidget(ChartEngine& engine, DisplaySettings& settings, QWidget* parent)
    : QWidget(parent), engine_(engine), settings_(settings), detailLevels_(new DetailLevelMaker(this)) {
  setObjectName(QStringLiteral("chart"));
  // A pass draws with the levels of detail at hand; those it wanted are
  // made on another thread and the chart is drawn again with them.
  view_.makeDetailLevels = false;
  // Drawn again only when the last pass lacked a level: a pass since (a key)
  // that had them all needs no other.
  connect(detailLevels_, &DetailLevelMaker::levelsMade, this, [this] {
    if (!view_.wantedDetailLevels.empty()) update();
  });
  setMouseTracking(true);
  // A click gives the chart the keys.
  setFocusPolicy(Qt::StrongFocus);

  // The start-up view lies on the demo harbour off Hainan, the cell the
  // set-up puts into s57000/.
  view_.pixelMillimetres = screenPixelMillimetres();
  setCentreGeo(kStartLatitude, kStartLongitude, view_);
  setTrueScaleWithinLimits(view_, kStartScale);
}

// ---- the view ---------------------------------------------------------------

double ChartWidget::screenPixelMillimetres() const {
  const QWindow* handle = window()->windowHandle();
  const QScreen* screen = handle ? handle->screen() : QGuiApplication::primaryScreen();
  return screen ? pixelMillimetresFromDotsPerInch(screen->physicalDotsPerInch()) : kDefaultPixelMillimetres;
}

void ChartWidget::syncViewport() {
  // As setupPainter does at the next repaint.
  const float units = static_cast<float>(LOGICAL_UNITS_PER_PIXEL);
  view_.viewportWidth = static_cast<int>(static_cast<float>(width()) * units);
  view_.viewportHeight = static_cast<int>(static_cast<float>(height()) * units);
  view_.pixelMillimetres = screenPixelMillimetres();
}

void ChartWidget::viewChanged() {
  syncViewport();
  updateOrigin(view_);
  shownScale_ = trueScale(view_);
  emit scaleChanged(shownScale_);
  showCursorPosition();
  update();
}

void ChartWidget::showCursorPosition() {
  // The chart under the cursor moves with every pan and zoom; before the
  // cursor has been over the chart the view's centre is read out.
  emit positionChanged(cursorSeen_ ? chartToGeo(pixelToChart(cursor_.x(), cursor_.y(), view_))
                                   : chartToGeo(view_.centre));
}

bool ChartWidget::zoomedView(bool in, ViewGeometry& next) const {
  next = view_;
  const float scaled = view_.scale * (in ? 0.5f : 2.0f);
  if (!(scaled > 0) || !std::isfinite(scaled)) return false;
  next.scale = scaled;
  // Halved or doubled exactly, unless that passes a limit of the true scale;
  // a view already past a limit (panned towards a pole at the largest scale)
  // never zooms the other way.
  const double shown = trueScale(next);
  if (shown < kMinimumViewScale || shown > kMaximumViewScale) {
    next.scale = view_.scale;
    if (!setTrueScaleWithinLimits(next, shown)) return false;
  }
  return in ? next.scale < view_.scale : next.scale > view_.scale;
}

bool ChartWidget::zoomAbout(const QPoint& anchor, bool in) {
  syncViewport();
  ViewGeometry next;
  if (!zoomedView(in, next)) return false;
  const ChartPoint before = pixelToChart(anchor.x(), anchor.y(), view_);
  view_.scale = next.scale;
  const ChartPoint after = pixelToChart(anchor.x(), anchor.y(), view_);
  view_.centre.x += before.x - after.x;
  view_.centre.y += before.y - after.y;
  viewMovedByUser_ = true;
  viewChanged();
  return true;
}

bool ChartWidget::zoomAboutCentre(bool in) {
  syncViewport();
  ViewGeometry next;
  if (!zoomedView(in, next)) return false;
  view_.scale = next.scale;
  viewMovedByUser_ = true;
  viewChanged();
  return true;
}

void ChartWidget::panByQuarter(int dx, int dy) {
  syncViewport();
  const double scale = view_.scale;
  view_.centre.x += dx * (view_.viewportWidth / 4.0) * scale;
  view_.centre.y += dy * (view_.viewportHeight / 4.0) * scale;
  viewMovedByUser_ = true;
  viewChanged();
}

bool ChartWidget::showAllCells() {
  const CellSnapshot cells = engine_.cells().snapshot();
  return showCells(*cells);
}

bool ChartWidget::showCells(const std::vector<S57Cell*>& cells) {
  syncViewport();
  if (!fitViewToLargestGroup(cells, view_)) return false;
  viewChanged();
  emit viewJumped();
  return true;
}

void ChartWidget::goTo(const GoToTarget& target) {
  syncViewport();
  // Without a scale of its own the view keeps the true scale it shows.
  const double scale = target.scale > 0 ? target.scale : trueScale(view_);
  setCentreGeo(target.latitude, target.longitude, view_);
  setTrueScaleWithinLimits(view_, scale);
  viewMovedByUser_ = true;
  viewChanged();
  emit viewJumped();
}

bool ChartWidget::showCell(const QString& name) {
  const std::string wanted = name.toStdString();
  const CellSnapshot cells = engine_.cells().snapshot();
  for (const S57Cell* cell : *cells) {
    if (cell->name != wanted || cell->extents.empty()) continue;
    const ChartBox& b = cell->boundingBox;
    syncViewport();
    view_.centre = {(b.minX + b.maxX) / 2, (b.minY + b.maxY) / 2};
    if (cell->compilationScale > 0) setTrueScaleWithinLimits(view_, cell->compilationScale);
    viewMovedByUser_ = true;
    viewChanged();
    emit viewJumped();
    return true;
  }
  return false;
}

// ---- selection and measuring ------------------------------------------------

void ChartWidget::setSelectionMode(bool on) { selectionMode_ = on; }

void ChartWidget::setChosen(const PickedObject* object) {
  chosen_ = object ? std::optional<PickedObject>(*object) : std::nullopt;
  update();
}

void ChartWidget::setMeasuring(bool on) {
  rangeBearing_.setActive(on);
  emit measurementChanged(rangeBearing_.text());
  update();
}

// ---- painting -----------------------------------------------------------------

void ChartWidget::paintEvent(QPaintEvent*) {
  if (painting_) return;
  QElapsedTimer stopwatch;
  stopwatch.start();
  QPainter painter(this);
  if (dragging_ && !dragImage_.isNull()) {
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawPixmap(dragOffset_, dragImage_);
    return;
  }
  painting_ = true;
  setupPainter(painter, width(), height(), view_);
  view_.pixelMillimetres = screenPixelMillimetres();  // the window may have moved to another screen
  settings_.refreshToday();  // the viewing date follows the calendar unless one was chosen
  view_.draw(painter, engine_, settings_);
  routeOverlay_.setColours(*settings_.colourTable);
  routeOverlay_.draw(painter, view_);
  // The chosen object is marked while object selection is on, and for the
  // route finding chosen (the mark ends with the choice).
  if (chosen_)
    drawObjectHighlight(painter, view_, view_.buffers, *chosen_->feature, chosen_->sounding);
  if (!reviewMarks_.empty())
    drawChangeMarks(Canvas{painter, *settings_.colourTable, engine_.drawings(), view_.scratch}, view_, reviewMarks_);
  if (rangeBearing_.active()) {
    painter.setWindow(rect());  // back to pixels, in the window's font
    painter.setFont(font());
    rangeBearing_.draw(painter, view_, palette().color(QPalette::Window));
  }
  qDebug("draw pass: %lld ms", static_cast<long long>(stopwatch.elapsed()));
  painting_ = false;
  // Asked for once the picture is on its way to the screen.
  if (!view_.wantedDetailLevels.empty())
    QMetaObject::invokeMethod(
        this,
        [this, cells = view_.drawnSnapshot, wanted = view_.wantedDetailLevels]() mutable {
          detailLevels_->make(std::move(cells), std::move(wanted));
        },
        Qt::QueuedConnection);
  emit passDrawn();
  // A view changed without viewChanged (by a caller that set it directly):
  // the read-outs catch up after this paint.
  if (trueScale(view_) != shownScale_) {
    shownScale_ = trueScale(view_);
    QMetaObject::invokeMethod(
        this,
        [this] {
          emit scaleChanged(trueScale(view_));
          showCursorPosition();
        },
        Qt::QueuedConnection);
  }
  // The overscale factor is known once the pass has chosen its cells.
  if (view_.overscale != shownOverscale_) {
    shownOverscale_ = view_.overscale;
    QMetaObject::invokeMethod(
        this, [this] { emit overscaleChanged(view_.overscale); }, Qt::QueuedConnection);
  }
}

// ---- pointer and keys -----------------------------------------------------------

void ChartWidget::setPointerShape(Qt::CursorShape shape) { setCursor(shape); }

void ChartWidget::grabDragPreview() {
  // The chart as it is on the screen; it is drawn back at the same place
  // plus the drag offset.
  QScreen* screen = QGuiApplication::primaryScreen();
  const QPoint corner = mapTo(window(), QPoint(0, 0));
  dragImage_ = screen ? screen->grabWindow(window()->winId(), corner.x(), corner.y(), width(), height()) : QPixmap();
}

void ChartWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The centre stays where it is: the visible chart grows or shrinks round it.
  viewChanged();
  emit resized();
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint at = eventPosition(event->localPos());
  if (routePress(event, at)) return;
  if (event->button() == Qt::LeftButton) {
    setPointerShape(Qt::PointingHandCursor);
    press_ = lastDrag_ = at;
    dragging_ = true;
    grabDragPreview();
    if (selectionMode_) emit objectsPicked(view_.pick(settings_, at.x(), at.y()));
  } else if (event->button() == Qt::RightButton) {
    update();
  }
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = eventPosition(event->localPos());
  if (Route* route = activeRoute(); movingWaypoint_ >= 0 && route) {
    // The waypoint follows the mouse; the route is drawn anew each step.
    if (route->moveWaypoint(movingWaypoint_, geoAtPixel(at))) {
      routeOverlay_.setRoute(route);
      update();
    }
  } else if (dragging_) {
    const QPoint step = at - lastDrag_;
    if (std::abs(step.x()) > kDragThreshold || std::abs(step.y()) > kDragThreshold) {
      dragOffset_ += step;
      lastDrag_ = at;
      update();
    }
  }
  cursor_ = at;
  cursorSeen_ = true;
  showCursorPosition();
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = eventPosition(event->localPos());
  const bool click =
      std::abs(at.x() - press_.x()) <= kDragThreshold && std::abs(at.y() - press_.y()) <= kDragThreshold;
  if (routeRelease(at, click)) return;
  const bool previewMoved = !dragOffset_.isNull();
  dragOffset_ = QPoint();
  dragging_ = false;
  dragImage_ = QPixmap();
  setPointerShape(Qt::ArrowCursor);
  if (std::abs(at.x() - press_.x()) > kDragThreshold || std::abs(at.y() - press_.y()) > kDragThreshold) {
    pan(press_.x(), press_.y(), at.x(), at.y(), view_);
    viewMovedByUser_ = true;
    viewChanged();
  } else if (rangeBearing_.active()) {
    // A click, not a drag: one end of a measurement.
    rangeBearing_.click(pixelToChart(at.x(), at.y(), view_));
    emit measurementChanged(rangeBearing_.text());
    update();
  } else if (previewMoved) {
    update();  // the preview moved and came back: show the chart where it was
  }
  press_ = at;
}

void ChartWidget::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;  // sideways scrolling does not zoom
  const QPointF at = event->position();
  zoomAbout(QPoint(qRound(at.x()), qRound(at.y())), delta >= 1);
}

void ChartWidget::keyPressEvent(QKeyEvent* event) {
  if (!keyPress(event)) QWidget::keyPressEvent(event);
}

bool ChartWidget::keyPress(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:  // + without shift
      zoomAboutCentre(true);
      break;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: zoomAboutCentre(false); break;
    case Qt::Key_Left: panByQuarter(-1, 0); break;
    case Qt::Key_Right: panByQuarter(1, 0); break;
    case Qt::Key_Up: panByQuarter(0, 1); break;
    case Qt::Key_Down: panByQuarter(0, -1); break;
    case Qt::Key_Home:
      if (showAllCells()) viewMovedByUser_ = true;
      break;
    default: return false;
  }
  event->accept();
  return true;
}

// ---- the route mode ------------------------------------------------------------

void ChartWidget::setRouteBook(RouteBook* book) {
  routes_ = book;
  routeChanged();
}

Route* ChartWidget::activeRoute() const { return routes_ ? routes_->active() : nullptr; }

void ChartWidget::routeChanged() {
  movingWaypoint_ = -1;
  routeOverlay_.setRoute(activeRoute());
  update();
}

void ChartWidget::setRouteFinding(std::optional<GeoPoint> at) {
  routeOverlay_.setFinding(at);
  update();
}

GeoPoint ChartWidget::geoAtPixel(const QPoint& at) const {
  GeoPoint p = pixelToGeo(at.x(), at.y(), view_);
  p.longitude = normalizedLongitude(p.longitude);
  return p;
}

bool ChartWidget::routePress(QMouseEvent* event, const QPoint& at) {
  Route* route = activeRoute();
  if (!routeMode_ || !route) return false;
  if (event->button() == Qt::RightButton) {
    // On a waypoint: delete it; on a leg: a new waypoint there.
    const int waypoint = routeOverlay_.waypointAt(at, view_);
    const int leg = waypoint < 0 ? routeOverlay_.legAt(at, view_) : -1;
    Waypoint inserted;
    inserted.position = geoAtPixel(at);
    const bool edited = waypoint >= 0 ? route->deleteWaypoint(waypoint)
                                      : leg >= 0 && route->insertOnLeg(leg, inserted);
    if (edited) {
      routeChanged();
      emit routeEdited();
    }
    return true;
  }
  if (event->button() != Qt::LeftButton) return false;
  movingWaypoint_ = routeOverlay_.waypointAt(at, view_);
  if (movingWaypoint_ < 0) return false;  // a click (a waypoint at the release) or a pan
  press_ = at;
  setPointerShape(Qt::ClosedHandCursor);
  return true;
}

bool ChartWidget::routeRelease(const QPoint& at, bool click) {
  Route* route = activeRoute();
  if (movingWaypoint_ >= 0) {
    if (route && !click) route->moveWaypoint(movingWaypoint_, geoAtPixel(at));
    setPointerShape(Qt::ArrowCursor);
    press_ = at;
    routeChanged();
    if (!click) emit routeEdited();
    return true;
  }
  if (!routeMode_ || !route || !click) return false;
  // A click, not a drag: a new waypoint at the end of the route.
  dragOffset_ = QPoint();
  dragging_ = false;
  dragImage_ = QPixmap();
  setPointerShape(Qt::ArrowCursor);
  press_ = at;
  Waypoint added;
  added.position = geoAtPixel(at);
  if (route->appendWaypoint(added)) {
    routeChanged();
    emit routeEdited();
  }
  return true;
}

void ChartWidget::reviewUpdate(const S57Cell* cell, int number) {
  reviewMarks_ = cell ? changeMarks(*cell, number) : std::vector<ChangeMark>();
  reviewedCell_ = number > 0 ? cell : nullptr;
  update();
}
