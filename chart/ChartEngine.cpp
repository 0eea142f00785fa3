#include "ChartEngine.h"

#include <QDebug>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

ChartEngine::ChartEngine(const std::string& libraryDirectory, MissingFileReport report)
    : libraryResult_(loadPresentationLibrary(library_, libraryDirectory, report)) {}

ChartEngine::ChartEngine(PresentationLibrary library) : library_(std::move(library)) {}

// The font resource lives in this static library: referencing it here links
// it in and registers it. (Q_INIT_RESOURCE must be used outside any namespace.)
static void initFontResource() { Q_INIT_RESOURCE(chart_font); }

void ChartEngine::registerChartFont() {
  initFontResource();
  chartFont_.setApplicationFont(qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                    ? QFontDatabase::addApplicationFont(QStringLiteral(":/syn.ttf"))
                                    : -1);
}

CellLoadResult ChartEngine::loadCell(const std::string& path, ViewGeometry* centreOn,
                                     const CellLoadOptions& options, CellLoadReport* report) {
  if (!hasLibrary()) {
    if (report) *report = CellLoadReport();
    return CellLoadResult::noLibrary();
  }
  return ::loadCell(path, library_, cells_, centreOn, options, report);
}

EngineResult startEngine(ChartEngine& engine) {
  if (!engine.hasLibrary()) return EngineResult::NoLibrary;
  engine.registerChartFont();
  // The world base map is a backdrop: without its file the chart is drawn
  // without it.
  std::string error;
  if (!engine.worldBaseMap().load(kWorldLandFile, error)) qWarning("world base map not loaded: %s", error.c_str());
  return QDir(QString::fromLatin1(kCellDirectory)).exists() ? EngineResult::Ok : EngineResult::NoCellFolder;
}
