#include "Engine.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

#include "CellBuilder.h"
#include "CellList.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "PresentationLibrary.h"
#include "ReaderResult.h"
#include "S57CellReader.h"

// The font resource lives in this static library: referencing it here links
// it in and registers it. (Q_INIT_RESOURCE must be used outside any namespace.)
static void initFontResource() { Q_INIT_RESOURCE(chart_font); }

int startEngine() {
  EngineState& state = engineState();
  state.libraryResult = loadPresentationLibrary();
  if (state.libraryResult > 0) {
    state.libraryLoaded = false;
    return 1;
  }
  state.libraryLoaded = true;
  initFontResource();
  state.appFontId = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                        ? QFontDatabase::addApplicationFont(QStringLiteral(":/syn.ttf"))
                        : -1;
  return QDir(QStringLiteral("s57000")).exists() ? 0 : 2;
}

int loadCell(const std::string& path, ViewGeometry& view, CellList& list) {
  if (!engineState().libraryLoaded) return 1;
  S57CellReader reader;
  if (int code = reader.readCell(path)) return code;
  if (reader.dataSetParameters.COMF == 0 || reader.dataSetParameters.SOMF == 0) return ReaderNoFactors;
  if (list.contains(reader.dataSetIdentification.DSNM)) return ReaderDuplicateCell;
  std::unique_ptr<S57Cell> cell = buildCell(reader, presentationLibrary());
  if (!cell) return ReaderGeometryTooLarge;
  return list.append(std::move(cell), &view);
}

int loadCell(const std::string& path, ChartView& view) { return loadCell(path, view, cellList()); }

int loadCell(const std::string& path) { return loadCell(path, loadingChartView()); }
