#pragma once
// The chart display's one window: the chart of its own view, panned by
// dragging and the arrow keys and zoomed with the wheel (about the cursor)
// and the + and - keys, the cursor position and true scale, the menus of
// display settings, cell and directory import, go to, range and bearing,
// the cell list and the object panel of object selection, whose chosen
// object is highlighted on the chart.
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <functional>

#include "CellLoadResult.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "GoToDialog.h"
#include "RangeBearingTool.h"

class CellListPanel;
class ChartEngine;
class ObjectPanel;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QMovie;

// The questions, notices and file choices the window puts to the user. The
// window starts with the Qt dialogs; tests put their own answers in.
struct UserDialogs {
  std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text)>
      question;
  std::function<void(QWidget* parent, const QString& title, const QString& text)> information;
  // File choices start in `folder` (the one used last); empty: cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> openCellFile;
  std::function<QString(QWidget* parent, const QString& folder)> chooseDirectory;
  // 转到: false when cancelled.
  std::function<bool(QWidget* parent, GoToTarget& target)> goTo;
  // 自定义 safety contour from 0.1 to 500 m, starting at `current`; false when cancelled.
  std::function<bool(QWidget* parent, double current, double& metres)> customSafetyContour;
  // 高级设置: starts from `settings` and writes the choices into it; false
  // when cancelled.
  std::function<bool(QWidget* parent, DisplaySettings& settings)> advancedSettings;
  static UserDialogs standard();
};

class MainWindow : public QMainWindow {
  Q_OBJECT

public:
  // The window draws and loads through `engine`, which outlives it.
  explicit MainWindow(ChartEngine& engine, QWidget* parent = nullptr);
  ~MainWindow() override;

  ChartEngine& engine() { return engine_; }
  // The display settings the window draws by (GUI thread only).
  DisplaySettings& displaySettings() { return settings_; }
  ChartView chartView;  // the window's own view
  UserDialogs dialogs = UserDialogs::standard();

  // Reads one cell into the cell list and centres the window's view on it;
  // a failure is shown in the status bar. Returns loadCell's result.
  CellLoadResult openCell(const QString& path);
  // Starts a background load of every cell of a directory with the loading
  // panel shown, unless a load is running (then the notice is shown). When
  // the view shows no cell, it goes to the loaded cells at the end.
  // Returns whether a load was started.
  bool importDirectory(const QString& directory);
  // Starts a background load without the panel (the start-up load): while
  // the user has not moved the view, it shows all loaded cells as they come.
  void startLoading(const QString& directory);

  // View changes, each kept within the view's scale limits, each updating
  // the scale text and the position box and repainting. Zooming keeps the
  // chart point under `anchor` (window pixels) where it is.
  bool zoomAbout(const QPoint& anchor, bool in);
  bool zoomAboutCentre(bool in);
  // A quarter of the view's width (dx) or height (dy) towards east (+dx)
  // or north (+dy).
  void panByQuarter(int dx, int dy);
  // The combined extent of every loaded cell; false when none has extents.
  bool showAllCells();
  // The combined extent of the given cells; false when none has extents.
  bool showCells(const std::vector<S57Cell*>& cells);
  void goTo(const GoToTarget& target);
  // Centres the view on a loaded cell (by its DSNM) at its compilation scale.
  bool showCell(const QString& name);
  // Whether the user moved or zoomed the view since the window opened.
  bool viewMovedByUser() const { return viewMovedByUser_; }

  // "比例尺 1:25,000" for the view's true scale at its centre.
  QString scaleText() const;
  // "超比例 ×2.5" while the last pass showed its most detailed cell beyond
  // its compilation scale, else empty.
  QString overscaleText() const;
  CellListPanel* cellListPanel() const { return cellListPanel_; }
  RangeBearingTool& rangeBearing() { return rangeBearing_; }
  // Every checkable action set to the state in force.
  void syncCheckMarks();
  // The display settings' defaults (the window's start values), forgetting
  // the stored ones.
  void restoreDefaults();

  // Object selection: lists the picked objects in the object panel (only
  // its headers when empty), describes the first and highlights it.
  void showAttributes(const std::vector<PickedObject>& objects);
  // Turning selection off hides the panel and ends the highlight.
  void toggleSelection();
  bool selectionMode() const { return selectionMode_; }

  ObjectPanel* objectPanel() const { return objectPanel_; }
  const QPoint& dragOffset() const { return dragOffset_; }
  bool dragging() const { return dragging_; }

  // The position box's text for a latitude or a longitude, in degrees and
  // minutes, e.g. 30°30.000′N.
  static QString latitudeText(double degrees);
  static QString longitudeText(double degrees);

public slots:
  // Called (queued) by a loading task when it has finished; `failures`
  // lists the cells it could not load, one "name: reason" per line (they go
  // to the cell list too), `warnings` what loaded with a warning (an update
  // that stopped, a catalogue finding), each naming its file. The first line
  // goes to the status bar, every line to the log.
  void loadingstop(const QString& failures, const QString& warnings = QString());
  // Called (queued) by a loading task after each cell it loaded.
  void cellsChanged();

  void on_action_triggered();    // 导入: one cell
  void on_action_3_triggered();  // 批量导入: a directory
  void on_action_2_triggered();  // 退出
  void on_action_4_triggered();  // display categories
  void on_action_5_triggered();
  void on_action_6_triggered();
  void on_action_8_triggered();  // symbol styles
  void on_action_9_triggered();
  void on_action_11_triggered();  // text languages
  void on_action_12_triggered();
  void on_action_15_triggered();  // soundings
  void on_action_16_triggered();  // cell boundaries
  void on_action_17_triggered();  // object selection
  void on_action_5m_triggered();  // contour sets
  void on_action_10m_triggered();
  void on_action_20m_triggered();
  void on_action_7_triggered();  // depth contours
  void on_action_18_triggered();  // colour schemes
  void on_action_19_triggered();
  void on_action_20_triggered();
  void on_action_21_triggered();
  void on_action_22_triggered();
  void on_action_13_triggered();  // custom safety contour
  void on_actionAdvanced_triggered();  // 高级设置
  void on_actionGoTo_triggered();
  void on_actionMeasure_triggered();
  void on_actionWorldBaseMap_triggered();
  void on_actionDefaults_triggered();

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  ChartEngine& engine_;
  DisplaySettings settings_;

  // The widget tree, in creation order.
  void createCentralWidget();
  void createLoadingPanel();
  void createPositionBox();
  void createActions();
  void createMenus();
  void createActionGroups();
  void createAttributeView();
  void createStatusBar();
  void createCellList();
  void setUpLoadingAnimation();
  void placeChildren();
  void restoreChoices();
  void saveDisplayChoices();

  // The overscale label from the last pass.
  void showOverscale();
  // After every change of the view: viewport from the window size, scale
  // text, position box, repaint.
  void viewChanged();
  void syncViewport();
  // The size of a pixel of the screen the window is on (S-52's 0.32 mm when
  // the screen does not tell).
  double screenPixelMillimetres() const;
  // The view zoomed in (its scale halved) or out (doubled), its true scale
  // held within the limits; false when that changes nothing or would zoom
  // the other way.
  bool zoomedView(bool in, ViewGeometry& next) const;
  void showCursorPosition();
  void showGeoPosition(const GeoPoint& position);
  // After a display setting changed: check marks, stored choices, palette, repaint.
  void settingsChanged();
  void applyTheme();
  void showMeasurement();
  void listFailures(const QStringList& lines);

  QAction* createAction(const char* objectName, const QString& text, bool checkable, bool checked = false);
  void showFailure(const QString& text);
  void showLoadingNotice();
  void grabDragPreview();
  // Top of the chart area in window pixels (below the menu bar).
  int chartTop() const;

  QWidget* centralWidget_ = nullptr;
  ObjectPanel* objectPanel_ = nullptr;
  QFrame* loadingPanel_ = nullptr;
  QLabel* loadingPicture_ = nullptr;
  QLabel* loadingCaption_ = nullptr;
  QFrame* positionBox_ = nullptr;
  QLabel* latitudeLabel_ = nullptr;
  QLabel* longitudeLabel_ = nullptr;
  QMovie* loadingMovie_ = nullptr;

  QAction *action_ = nullptr, *action_2_ = nullptr, *action_3_ = nullptr;
  QAction *action_4_ = nullptr, *action_5_ = nullptr, *action_6_ = nullptr;
  QAction *action_7_ = nullptr, *action_8_ = nullptr, *action_9_ = nullptr;
  QAction *action_10_ = nullptr, *action_11_ = nullptr, *action_12_ = nullptr;
  QAction *action_13_ = nullptr, *action_15_ = nullptr, *action_16_ = nullptr;
  QAction *action_17_ = nullptr, *action_18_ = nullptr, *action_19_ = nullptr;
  QAction *action_20_ = nullptr, *action_21_ = nullptr, *action_22_ = nullptr;
  QAction *action_5m_ = nullptr, *action_10m_ = nullptr, *action_20m_ = nullptr;
  QAction *actionGoTo_ = nullptr, *actionMeasure_ = nullptr, *actionWorldBaseMap_ = nullptr;
  QAction *actionDefaults_ = nullptr, *actionCellList_ = nullptr, *actionAdvanced_ = nullptr;
  QLabel* scaleLabel_ = nullptr;
  QLabel* overscaleLabel_ = nullptr;
  QLabel* measureLabel_ = nullptr;
  CellListPanel* cellListPanel_ = nullptr;
  RangeBearingTool rangeBearing_;
  QString cellFolder_, importFolder_;  // last folders of the file dialogs
  QActionGroup *categoryGroup_ = nullptr, *symbolGroup_ = nullptr, *languageGroup_ = nullptr;
  QActionGroup *contourGroup_ = nullptr, *colourGroup_ = nullptr;

  // Pointer state; GUI thread only.
  QPixmap dragImage_;
  QPoint dragOffset_;
  QPoint press_;     // last left press, then last release
  QPoint lastDrag_;  // position at the last preview step
  int dragImageTop_ = 0;  // window y of the preview's first row
  bool dragging_ = false;
  bool painting_ = false;
  bool selectionMode_ = false;
  bool fitWhileLoading_ = false;  // the start-up load fits the view to the cells
  bool viewMovedByUser_ = false;
  bool cursorSeen_ = false;  // the position box shows the cursor, else the view centre
  QPoint cursor_;            // last cursor position, window pixels
  double shownScale_ = 0;    // the true scale the status bar shows
  double shownOverscale_ = 0;  // the overscale factor the status bar shows
};
