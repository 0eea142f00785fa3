#include "Engine.h"

#include <QDebug>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include "CellBuilder.h"
#include "CellList.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "EngineState.h"
#include "PresentationLibrary.h"
#include "ReaderResult.h"
#include "RecordCheck.h"
#include "S57CellReader.h"
#include "WorldBaseMap.h"

namespace {
std::string fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

// The font resource lives in this static library: referencing it here links
// it in and registers it. (Q_INIT_RESOURCE must be used outside any namespace.)
static void initFontResource() { Q_INIT_RESOURCE(chart_font); }

void registerChartFont() {
  initFontResource();
  engineState().appFontId = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QFontDatabase::addApplicationFont(QStringLiteral(":/syn.ttf"))
                                : -1;
}

int startEngine() {
  EngineState& state = engineState();
  state.libraryResult = loadPresentationLibrary();
  if (state.libraryResult != LibraryResult::Ok) {
    state.libraryLoaded = false;
    return 1;
  }
  state.libraryLoaded = true;
  registerChartFont();
  // The world base map is a backdrop: without its file the chart is drawn
  // without it.
  std::string error;
  if (!worldBaseMap().load(kWorldLandFile, error)) qWarning("world base map not loaded: %s", error.c_str());
  return QDir(QStringLiteral("s57000")).exists() ? 0 : 2;
}

CellLoadResult loadCell(const std::string& path, ViewGeometry& view, CellList& list,
                        const CellLoadOptions& options, CellLoadReport* report) {
  if (report) *report = CellLoadReport();
  if (!engineState().libraryLoaded) return CellLoadResult::noLibrary();
  S57CellReader reader;
  if (const ReaderResult code = reader.readCell(path); code != ReaderResult::Ok) return code;
  if (reader.dataSetParameters.COMF == 0 || reader.dataSetParameters.SOMF == 0) return ReaderResult::NoFactors;
  if (list.contains(reader.dataSetIdentification.DSNM)) return ReaderResult::DuplicateCell;
  // Judged before the updates change the records: the base file as shipped.
  std::vector<LoadWarning> findings = checkCellRecords(fileName(path), reader);
  UpdateChainResult updates;
  if (options.applyUpdates)
    updates = applyUpdateChain(reader, options.updateFiles ? *options.updateFiles : findUpdateFiles(path));
  std::unique_ptr<S57Cell> cell = buildCell(reader, presentationLibrary());
  if (!cell) return ReaderResult::GeometryTooLarge;
  cell->updatesApplied = updates.applied;
  const ReaderResult finding = findings.empty() ? ReaderResult::Ok : findings.front().reader;
  cell->loadWarnings = std::move(findings);
  cell->loadWarnings.insert(cell->loadWarnings.end(), options.warnings.begin(), options.warnings.end());
  if (updates.code != UpdateResult::Ok) cell->loadWarnings.push_back(updates.stop);
  S57Cell* listed = cell.get();
  const ReaderResult appended = list.append(std::move(cell), &view);
  if (report) {
    report->cell = appended == ReaderResult::Ok ? listed : nullptr;
    report->updates = std::move(updates);
  }
  return appended != ReaderResult::Ok ? appended : finding;
}

CellLoadResult loadCell(const std::string& path, ViewGeometry& view, CellList& list) {
  return loadCell(path, view, list, CellLoadOptions());
}

CellLoadResult loadCell(const std::string& path, ChartView& view) { return loadCell(path, view, cellList()); }

CellLoadResult loadCell(const std::string& path) { return loadCell(path, loadingChartView()); }
