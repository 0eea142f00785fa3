#include "LoadTask.h"

#include <QFile>
#include <QMetaObject>
#include <QThreadPool>
#include <vector>

#include "CellFolder.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "ChineseText.h"
#include "LibraryResult.h"
#include "MainWindow.h"
#include "ReaderResult.h"

namespace {
QString fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return QFile::decodeName(QByteArray::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1)));
}
}  // namespace

bool loadingInProgress(const ChartEngine& engine) { return engine.loads().running(); }

QString libraryFailureText(const ChartEngine& engine) { return chineseLibraryFailureText(engine.libraryResult()); }

QString cellFailureText(const CellLoadResult& result, const ChartEngine& engine) {
  if (result.libraryMissing()) return libraryFailureText(engine);
  return chineseFailureText(result);
}

loadTask::loadTask(QString directory_, MainWindow& window_, bool fitEmptyView)
    : directory(std::move(directory_)),
      window(window_),
      fitView(fitEmptyView && window_.chartView.drawnCells.empty()) {
  window.engine().loads().started();  // counted from the hand-off, so a second import is refused at once
}

loadTask::~loadTask() = default;

void loadTask::start(const QString& directory, MainWindow& window, bool fitEmptyView) {
  QThreadPool::globalInstance()->start(new loadTask(directory, window, fitEmptyView));
}

void loadTask::stopAll(ChartEngine& engine) {
  engine.loads().requestStop();
  QThreadPool::globalInstance()->waitForDone();
  engine.loads().clearStop();
}

void loadTask::run() {
  // File names go to the reader in the file system's 8-bit encoding.
  const CellFolder folder = scanCellFolder(QFile::encodeName(directory).toStdString());
  ChartEngine& engine = window.engine();
  QStringList failures, warnings;
  std::vector<S57Cell*> loaded;
  for (const CellSource& source : folder.cells) {
    if (engine.loads().stopRequested()) break;
    CellLoadOptions options;
    options.updateFiles = &source.updates;
    options.warnings = source.warnings;
    CellLoadReport report;
    const CellLoadResult result = engine.loadCell(source.path, nullptr, options, &report);
    if (result.listed()) {  // a finding is its first warning
      loaded.push_back(report.cell);
      for (const LoadWarning& warning : report.cell->loadWarnings) warnings << chineseWarningText(warning);
      QMetaObject::invokeMethod(&window, "cellsChanged", Qt::QueuedConnection);  // show it as it comes
    } else {
      failures << fileName(source.path) + QStringLiteral(": ") + cellFailureText(result, engine);
    }
  }
  for (const LoadWarning& warning : folder.warnings) warnings << chineseWarningText(warning);
  if (fitView && !loaded.empty() && !engine.loads().stopRequested()) {
    MainWindow* target = &window;
    QMetaObject::invokeMethod(
        target, [target, loaded] { target->showCells(loaded); }, Qt::QueuedConnection);
  }
  engine.loads().finished();
  QMetaObject::invokeMethod(&window, "loadingstop", Qt::AutoConnection,
                            Q_ARG(QString, failures.join(QLatin1Char('\n'))),
                            Q_ARG(QString, warnings.join(QLatin1Char('\n'))));
}
