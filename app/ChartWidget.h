#pragma once
// The chart: the window's own view of the loaded cells, panned by dragging
// and the arrow keys and zoomed with the wheel (about the cursor) and the +
// and - keys, with the mark of the chosen object and the line of a range
// and bearing over it. While the left button is held the chart follows the
// mouse as a cheap preview (the picture on the screen, shifted); it is
// redrawn where the button is let go.
//
// The chart is the window's central widget: the docked panels, the menu bar
// and the status bar take their room beside it, so the view's centre is
// the centre of what is visible. It takes the pointer over it and the keys
// while it has the focus; the window hands it the keys none of its widgets
// took. Its overlays (the position box, the loading notice) are its
// children, placed by the window when it is resized (`resized`).
//
// It reports what the window reads out through its signals; it knows
// nothing of the panels, menus or status bar.
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <optional>
#include <vector>

#include "ChangeMarks.h"
#include "ChartView.h"
#include "DetailLevelMaker.h"
#include "GoToTarget.h"
#include "ObjectPicking.h"
#include "RangeBearingTool.h"
#include "RouteOverlay.h"

class ChartEngine;
struct DisplaySettings;
class Route;
class RouteBook;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

class ChartWidget : public QWidget {
  Q_OBJECT

public:
  // Draws the cells of `engine` by `settings` (the window's, which it keeps
  // and changes); both outlive the chart.
  ChartWidget(ChartEngine& engine, DisplaySettings& settings, QWidget* parent = nullptr);

  ChartView& view() { return view_; }
  const ChartView& view() const { return view_; }
  // Makes the levels of detail a pass wanted, off the GUI thread; the
  // chart is drawn again once they are there.
  const DetailLevelMaker& detailLevels() const { return *detailLevels_; }
  // Lets go of a snapshot of the cells off the GUI thread, which would
  // otherwise free the cells it was the last to hold.
  void retireSnapshot(IndexedSnapshot cells) { detailLevels_->retire(std::move(cells)); }

  // Every change of the view ends here: the viewport from the widget's
  // size, the origin, the scale and position read out (scaleChanged,
  // positionChanged), a repaint.
  void viewChanged();

  // View changes, each kept within the view's scale limits, each ending in
  // viewChanged. Zooming keeps the chart point under `anchor` (pixels)
  // where it is; false when it changes nothing.
  bool zoomAbout(const QPoint& anchor, bool in);
  bool zoomAboutCentre(bool in);
  // A quarter of the view's width (dx) or height (dy) towards east (+dx)
  // or north (+dy).
  void panByQuarter(int dx, int dy);
  // The largest group of loaded cells near one another, at a scale where
  // they are drawn (CellGroups.h); false when no cell has extents.
  bool showAllCells();
  // The same for the given cells.
  bool showCells(const std::vector<S57Cell*>& cells);
  void goTo(const GoToTarget& target);
  // Centres the view on a loaded cell (by its DSNM) at its compilation scale.
  bool showCell(const QString& name);

  // Whether the user moved or zoomed the view since the chart was made;
  // whoever moves it for the user says so.
  bool viewMovedByUser() const { return viewMovedByUser_; }
  void setViewMovedByUser() { viewMovedByUser_ = true; }

  // Object selection: while on, a press picks the objects under it
  // (objectsPicked) and the chosen one is marked on the chart.
  bool selectionMode() const { return selectionMode_; }
  void setSelectionMode(bool on);
  // The object to mark (copied), or none.
  void setChosen(const PickedObject* object);
  // Reviewing update `number` of `cell`: the features it changed marked
  // (CHCRID01, CHCRDEL1 where it deleted) until the review ends
  // (`cell` null).
  void reviewUpdate(const S57Cell* cell, int number);
  // The cells the chart shows marks of: the chosen object's and the one
  // whose update is reviewed (null when none).
  const S57Cell* chosenCell() const { return chosen_ ? chosen_->cell : nullptr; }
  const S57Cell* reviewedCell() const { return reviewedCell_; }
  const std::vector<ChangeMark>& reviewMarks() const { return reviewMarks_; }

  // 测距: while on, two clicks give a range and bearing (measurementChanged).
  const RangeBearingTool& rangeBearing() const { return rangeBearing_; }
  void setMeasuring(bool on);

  // 航线: the active route of `book` (the window's, which outlives the
  // chart) is drawn over the chart; null: none. While the route mode is
  // on, a click adds a waypoint at the end, a drag from a waypoint moves
  // it, and a right click deletes the waypoint under it or, on a leg,
  // inserts one there; each edit ends in routeEdited.
  void setRouteBook(RouteBook* book);
  // The active route changed elsewhere (the route panel, another route
  // chosen): it is drawn anew.
  void routeChanged();
  bool routeMode() const { return routeMode_; }
  void setRouteMode(bool on) { routeMode_ = on; }
  // The place of the route finding chosen, or none.
  void setRouteFinding(std::optional<GeoPoint> at);
  const RouteOverlay& routeOverlay() const { return routeOverlay_; }

  bool dragging() const { return dragging_; }
  const QPoint& dragOffset() const { return dragOffset_; }

  // A key of the chart's (zoom, pan, Home) acted on; false for a key the
  // chart has no use for.
  bool keyPress(QKeyEvent* event);

signals:
  // The view's true scale at its centre.
  void scaleChanged(double trueScale);
  // The position under the cursor, or the view's centre before the cursor
  // has been over the chart; after every move of the cursor or the view.
  void positionChanged(const GeoPoint& position);
  // How many times more detailed than its compilation scale a pass showed
  // its most detailed cell (0: not overscaled), once the pass has told.
  void overscaleChanged(double factor);
  // The range and bearing's result or prompt; empty when it is off.
  void measurementChanged(const QString& text);
  // What a press picked in selection mode (empty: nothing there).
  void objectsPicked(const std::vector<PickedObject>& objects);
  // The chart's size changed (its overlays are placed again).
  void resized();
  // The route mode changed the route (a waypoint added, moved, deleted or
  // inserted).
  void routeEdited();
  // The view went to another place (go to, a cell, the cells loaded, Home),
  // not by a pan or zoom.
  void viewJumped();
  // A draw pass ended (view().drawnCells and view().unloadedCells tell what
  // it found).
  void passDrawn();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  // The viewport from the widget size and the screen's pixel size.
  void syncViewport();
  // The size of a pixel of the screen the window is on (S-52's 0.32 mm when
  // the screen does not tell).
  double screenPixelMillimetres() const;
  // The view zoomed in (its scale halved) or out (doubled), its true scale
  // held within the limits; false when that changes nothing or would zoom
  // the other way.
  bool zoomedView(bool in, ViewGeometry& next) const;
  void showCursorPosition();
  void grabDragPreview();
  void setPointerShape(Qt::CursorShape shape);
  // The route mode's part of a press and a release; true when it took it.
  bool routePress(QMouseEvent* event, const QPoint& at);
  bool routeRelease(const QPoint& at, bool click);
  GeoPoint geoAtPixel(const QPoint& at) const;

  ChartEngine& engine_;
  DisplaySettings& settings_;
  ChartView view_;
  DetailLevelMaker* detailLevels_;  // a child
  RangeBearingTool rangeBearing_;
  std::optional<PickedObject> chosen_;
  std::vector<ChangeMark> reviewMarks_;  // of the update reviewed
  const S57Cell* reviewedCell_ = nullptr;
  Route* activeRoute() const;
  RouteBook* routes_ = nullptr;
  RouteOverlay routeOverlay_;
  bool routeMode_ = false;
  int movingWaypoint_ = -1;  // the waypoint a drag moves, or -1

  // Pointer state; GUI thread only.
  QPixmap dragImage_;
  QPoint dragOffset_;
  QPoint press_;          // last left press, then last release
  QPoint lastDrag_;       // position at the last preview step
  bool dragging_ = false;
  bool painting_ = false;
  bool selectionMode_ = false;
  bool viewMovedByUser_ = false;
  bool cursorSeen_ = false;    // the position read out is the cursor's, else the view centre
  QPoint cursor_;              // last cursor position
  double shownScale_ = 0;      // the true scale last read out
  double shownOverscale_ = 0;  // the overscale factor last read out
};
