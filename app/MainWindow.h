#pragma once
// The chart display's one window, assembled from its parts: the chart
// (ChartWidget) as the central widget, with the loading notice and the
// position box over it; the cell list and the object panel docked beside
// it; the menus (one table, MainWindowMenus.cpp); the status bar; and the
// loader that reads folders of cells in the background. The window
// connects them, hands the chart the keys its other widgets leave, shows
// failures and findings in the status bar and the cell list, keeps the
// user's choices across starts and asks its questions through `dialogs`.
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "CellLoadResult.h"
#include "DisplaySettings.h"
#include "RouteFinding.h"
#include "StoreProtection.h"
#include "UserDialogs.h"

class CellListPanel;
class CellResidency;
class ChartEngine;
struct LoadReport;
struct S57Cell;
class QDockWidget;
class QLabel;
class QSettings;
class QTimer;
class CellLoader;
class ChartStatusBar;
class StoreImporter;
struct ImportReport;
class ChartWidget;
class LoadingNotice;
class MenuTable;
class ObjectPanel;
class PositionBox;
class Route;
class RouteBook;
class RouteChecker;
class RoutePanel;
struct RouteCheckResult;

class MainWindow : public QMainWindow {
  Q_OBJECT

public:
  // The window draws and loads through `engine`, which outlives it.
  explicit MainWindow(ChartEngine& engine, QWidget* parent = nullptr);
  ~MainWindow() override;

  UserDialogs dialogs = UserDialogs::standard();

  ChartEngine& engine() { return engine_; }
  // The display settings the window draws by (GUI thread only).
  DisplaySettings& displaySettings() { return settings_; }

  // Reads one cell into the engine's cell list and centres the chart on it;
  // a failure is shown in the status bar. Returns loadCell's result.
  CellLoadResult openCell(const QString& path);
  // Starts a background load of every cell of a directory with the loading
  // notice shown, unless a load is running (then the user is told so). When
  // the chart shows no cell, it goes to the loaded cells at the end.
  // Returns whether a load was started.
  bool importDirectory(const QString& directory);
  // Starts a background load without the notice (the start-up load): while
  // the user has not moved the view, the chart shows all loaded cells as
  // they come.
  void startLoading(const QString& directory);
  // Starts the window on the chart store in `folder` (ChartStore::
  // defaultFolder() for the user's): its index is read and its cells in use
  // are loaded in the background, as the start-up load does; 导入海图…
  // imports into it. What the store says of itself (an index rebuilt, the
  // store locked) is shown once.
  void startStore(const QString& folder);
  const QString& storeFolder() const { return storeFolder_; }
  // Imports exchange sets or folders of cells into the store on a worker
  // thread; the outcome list follows, and the chart then shows the store's
  // cells as they now are. False while an import runs (the user is told).
  bool importIntoStore(const QStringList& sources);
  const StoreImporter& importer() const { return *importer_; }
  // Who the store decrypts encrypted charts for: the manufacturer's
  // identity and the data client's date (the scheme's test manufacturer
  // and the system date until set).
  void setDataClient(const DataClient& client);
  // Takes the manufacturer's key file (M_ID, M_KEY, HW_ID; readable by its
  // owner alone) as who the store decrypts for, and keeps its path in the
  // settings for the next start; false, the user told why, when it is
  // refused (the identity in use stays). An empty path goes back to the
  // scheme's test manufacturer and forgets the stored path.
  bool setManufacturerFile(const QString& path);
  // Installs the cell permits of a PERMIT.TXT into the store and lists the
  // outcome (each refusal with its SSE code); the store's cells are loaded
  // again under the permits as they now are.
  void installPermits(const QString& permitFile);
  // Installs the scheme administrator's certificate (IHO.CRT) and says how
  // it went.
  void installCertificate(const QString& file);

  // 航线 (MainWindowRoutes.cpp): the routes kept, the active one drawn and
  // edited on the chart while the route mode is on, listed in the route
  // panel and checked against the loaded cells.
  RouteBook& routes() { return *routes_; }
  RoutePanel* routePanel() const { return routePanel_; }
  const RouteChecker& routeChecker() const { return *routeChecker_; }
  // The route mode on (with the route panel shown; a route made when there
  // is none) or off.
  void setRouteMode(bool on);
  // Adds a route, which becomes the active one.
  void addRoute(Route route);
  // Reads an RTZ or GPX file: its routes are added, the last one active.
  // A file refused changes nothing; the user is told why, with the line.
  bool importRoute(const QString& path);
  // Writes the active route in the format of the name's extension (RTZ
  // without one); a refusal is told.
  bool exportRoute(const QString& path);
  // Checks the active route on the loaded cells with the safety contour
  // (in the background); from now on it is checked again after each change.
  void checkActiveRoute();
  const std::vector<RouteFinding>& routeFindings() const { return routeFindings_; }
  // Shows finding `index` of the list: the chart centred on it, its object
  // marked and described in the object panel.
  void chooseRouteFinding(int index);

  ChartWidget* chart() const { return chart_; }
  ObjectPanel* objectPanel() const { return objectPanel_; }
  CellListPanel* cellListPanel() const { return cellListPanel_; }
  const CellLoader& loader() const { return *loader_; }

  // Cells read from the chart store stay in memory while a view drew them
  // lately: beyond `count` loaded cells, those drawn longest ago are
  // unloaded (known by their extents, read again when a view needs them).
  void setResidentCells(std::size_t count);
  const CellResidency& residency() const { return *residency_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  // Keys none of the window's widgets took go to the chart.
  void keyPressEvent(QKeyEvent* event) override;

private:
  // The parts, in the order they are made.
  void createChart();
  void createOverlays();  // the loading notice and the position box over the chart, the object panel
  void createCellList();
  void createMenus();
  void createStatusBar();
  void createLoader();
  void createRoutes();
  // The loading notice in the middle of the chart, the position box at its
  // bottom left.
  void placeOverlays();
  // The first time the panel shows, docked, it takes `width` (at least its
  // usual width).
  void sizeOnFirstShow(QDockWidget* panel, std::function<int()> width);

  // The menus' commands.
  void chooseCellFile();
  void chooseDirectory();
  void chooseImportSource();
  void choosePermitFile();
  void chooseCertificateFile();
  void showUserPermit();
  void chooseManufacturerFile();
  void showPermitList();
  // Takes the store's cells off the chart and loads them again (after the
  // permits or keys changed).
  void reloadStore();
  void chooseGoToTarget();
  void toggleMeasuring();
  void toggleSelection();
  void chooseAdvancedSettings();
  void chooseCustomSafetyContour();
  void restoreDefaults();
  void chooseRouteImport();
  void chooseRouteExport();

  // After the active route or which route is active changed: kept in the
  // settings, drawn, listed, checked again when it was checked.
  void routeEdited();
  void activeRouteChanged();
  void routeChecked(const RouteCheckResult& result, float safetyContour);
  void saveRoutes();
  // A checked route is checked again when the safety contour changed.
  void recheckForSafetyContour();
  // The check's state and findings to the route panel.
  void showRouteCheck(const QString& state);

  // After a display setting changed: stored choices, palette, the object
  // panel's language, repaint.
  void settingsChanged();
  void restoreChoices();
  void saveWindowPlace(QSettings& store) const;
  void restoreWindowPlace(const QSettings& store);
  static QRect availableScreenArea();
  void applyTheme();
  // The object panel tells names in the chart's language (中文显示, 英文显示).
  void applyNameLanguage();

  // After each cell the loader or openCell listed.
  void cellsChanged();
  // The end of a 批量导入: the view goes to what it loaded (and to the cells
  // of the folder loaded before).
  void importedCellsListed(const std::vector<S57Cell*>& cells);
  // The end of a background load (CellLoader::finished): its summary to the
  // status bar, its failed files and findings to the cell list (opened to
  // show them) and the log.
  void loadingFinished(const LoadReport& report);
  void showLoadingBusy();
  // The end of an import into the store: the outcome list, then cancelled
  // cells off the chart (named), new and changed ones loaded from the store.
  void storeImported(const ImportReport& report);
  // After each pass (MainWindowResidency.cpp): the cells it drew are seen,
  // the unloaded ones it wanted are read again, and the cells beyond the
  // budget unloaded.
  void passDrawn();
  // Unloads the cells beyond the budget that no view or panel holds.
  void trimCells();
  // The end of a read of unloaded cells: the chart drawn again with them;
  // a cell that did not come back is not asked for again.
  void cellsRestored(const QStringList& names, const LoadReport& report);
  void readCellsForRouteCheck();

  ChartEngine& engine_;
  DisplaySettings settings_;
  ChartWidget* chart_ = nullptr;
  ObjectPanel* objectPanel_ = nullptr;
  LoadingNotice* loadingNotice_ = nullptr;
  PositionBox* positionBox_ = nullptr;
  CellListPanel* cellListPanel_ = nullptr;
  ChartStatusBar* statusBar_ = nullptr;
  CellLoader* loader_ = nullptr;
  StoreImporter* importer_ = nullptr;
  QString storeFolder_;  // the chart store the window shows; empty: none
  DataClient dataClient_;
  QLabel* schemeLabel_ = nullptr;  // "测试许可 (test scheme)" under the test manufacturer
  QTimer* cellsTimer_ = nullptr;  // runs from a cell loaded until the window shows it
  std::unique_ptr<MenuTable> menus_;
  QString cellFolder_, importFolder_;  // last folders of the file dialogs
  bool fitWhileLoading_ = false;       // the start-up load fits the view to the cells
  std::size_t cellsShown_ = 0;         // cells of the cell list the window has caught up with
  std::unique_ptr<CellResidency> residency_;
  std::unique_ptr<RouteBook> routes_;
  RoutePanel* routePanel_ = nullptr;
  RouteChecker* routeChecker_ = nullptr;
  bool routeCheckWanted_ = false;       // the active route is checked after each change
  float routeCheckContour_ = 0;         // the safety contour of the last check started
  std::vector<RouteFinding> routeFindings_;
  // Unloaded cells the last check could not look into, asked back from the
  // store once per change of the route and kept in memory until it changes;
  // the check runs again when they have come.
  QStringList routeCellsAsked_;
  QStringList routeCellsPending_;  // asked for and not read yet
  QString routeFolder_;                 // last folder of the route files
};
