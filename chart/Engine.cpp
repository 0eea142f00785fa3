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
  if (state.libraryResult > 0) {
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

int loadCell(const std::string& path, ViewGeometry& view, CellList& list, const CellLoadOptions& options,
             CellLoadReport* report) {
  if (report) *report = CellLoadReport();
  if (!engineState().libraryLoaded) return 1;
  // A base file that failed its catalogue's CRC check is never read.
  for (const LoadWarning& w : options.warnings)
    if ((w.kind == LoadWarningKind::CrcMismatch || w.kind == LoadWarningKind::CrcUnreadable) &&
        w.file == fileName(path))
      return ReaderCrcMismatch;
  S57CellReader reader;
  if (options.fileBytes) {
    std::string bytes;
    if (const int code = options.fileBytes(path, bytes)) return code;
    if (const int code = reader.readCellBytes(bytes)) return code;
  } else if (const int code = reader.readCell(path)) {
    return code;
  }
  if (reader.dataSetParameters.COMF == 0 || reader.dataSetParameters.SOMF == 0) return ReaderNoFactors;
  if (list.contains(reader.dataSetIdentification.DSNM)) {
    if (report) report->loadedAlready = reader.dataSetIdentification.DSNM;
    return ReaderDuplicateCell;
  }
  // Judged before the updates change the records: the base file as shipped.
  std::vector<LoadWarning> findings = checkCellRecords(fileName(path), reader);
  UpdateChainResult updates;
  if (options.applyUpdates) {
    updates = applyUpdateChain(reader, options.updateFiles ? *options.updateFiles : findUpdateFiles(path),
                               options.fileBytes ? updateFileReader(options.fileBytes) : UpdateFileReader());
  }
  if (updates.cancelled) {  // withdrawn: not listed
    if (report) report->updates = std::move(updates);
    return ReaderCellCancelled;
  }
  std::unique_ptr<S57Cell> cell = buildCell(reader, presentationLibrary());
  if (!cell) return ReaderGeometryTooLarge;
  cell->updatesApplied = updates.applied;
  cell->permitExpired = options.permitExpired;
  const int findingCode = findings.empty() ? ReaderOk : findings.front().code;
  cell->loadWarnings = std::move(findings);
  cell->loadWarnings.insert(cell->loadWarnings.end(), options.warnings.begin(), options.warnings.end());
  if (updates.code != 0) cell->loadWarnings.push_back(updates.stop);
  S57Cell* listed = cell.get();
  const int code = list.append(std::move(cell), &view);
  if (report) {
    report->cell = code == 0 ? listed : nullptr;
    report->updates = std::move(updates);
    if (code == ReaderDuplicateCell) report->loadedAlready = reader.dataSetIdentification.DSNM;
  }
  return code != 0 ? code : findingCode;
}

int loadCell(const std::string& path, ViewGeometry& view, CellList& list) {
  return loadCell(path, view, list, CellLoadOptions());
}

int loadCell(const std::string& path, ChartView& view) { return loadCell(path, view, cellList()); }

int loadCell(const std::string& path) { return loadCell(path, loadingChartView()); }
