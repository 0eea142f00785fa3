#pragma once
// The chart display's one window, assembled from its parts: the chart
// (ChartWidget) under everything; over it the object panel of object
// selection, the loading notice and the position box; the cell list docked
// at the right; the menus (one table, MainWindowMenus.cpp); the status bar;
// and the loader that reads folders of cells in the background. The window
// connects them, hands the chart the pointer and keys its other widgets
// leave, shows failures in the status bar, keeps the user's choices across
// starts and asks its questions through `dialogs`.
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "UserDialogs.h"

class CellListPanel;
class CellLoader;
class ChartStatusBar;
class ChartWidget;
class LoadingNotice;
class MenuTable;
class ObjectPanel;
class PositionBox;

class MainWindow : public QMainWindow {
  Q_OBJECT

public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  UserDialogs dialogs = UserDialogs::standard();

  // Reads one cell into the cell list and centres the chart on it; a
  // failure is shown in the status bar. Returns loadCell's code.
  int openCell(const QString& path);
  // Starts a background load of every cell of a directory with the loading
  // notice shown, unless a load is running (then the user is told so). When
  // the chart shows no cell, it goes to the loaded cells at the end.
  // Returns whether a load was started.
  bool importDirectory(const QString& directory);
  // Starts a background load without the notice (the start-up load): while
  // the user has not moved the view, the chart shows all loaded cells as
  // they come.
  void startLoading(const QString& directory);

  ChartWidget* chart() const { return chart_; }
  ObjectPanel* objectPanel() const { return objectPanel_; }
  CellListPanel* cellListPanel() const { return cellListPanel_; }
  const CellLoader& loader() const { return *loader_; }

protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // What none of the window's widgets took goes to the chart.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  // The parts, in the order they are made.
  void createChart();
  void createOverlays();
  void createCellList();
  void createMenus();
  void createStatusBar();
  void createLoader();
  // The chart over the whole window, the overlays over it.
  void placeChildren();

  // The menus' commands.
  void chooseCellFile();
  void chooseDirectory();
  void chooseGoToTarget();
  void toggleMeasuring();
  void toggleSelection();
  void chooseAdvancedSettings();
  void chooseCustomSafetyContour();
  void restoreDefaults();

  // After a display setting changed: stored choices, palette, the object
  // panel's language, repaint.
  void settingsChanged();
  void restoreChoices();
  void applyTheme();
  // The object panel tells names in the chart's language (中文显示, 英文显示).
  void applyNameLanguage();

  // After each cell the loader or openCell listed.
  void cellsChanged();
  // The end of a background load (CellLoader::finished): the first line to
  // the status bar, every line to the log, the failures to the cell list.
  void loadingFinished(const QString& failures, const QString& warnings);
  void showLoadingBusy();

  ChartWidget* chart_ = nullptr;
  ObjectPanel* objectPanel_ = nullptr;
  LoadingNotice* loadingNotice_ = nullptr;
  PositionBox* positionBox_ = nullptr;
  CellListPanel* cellListPanel_ = nullptr;
  ChartStatusBar* statusBar_ = nullptr;
  CellLoader* loader_ = nullptr;
  std::unique_ptr<MenuTable> menus_;
  QString cellFolder_, importFolder_;  // last folders of the file dialogs
  bool fitWhileLoading_ = false;       // the start-up load fits the view to the cells
};
