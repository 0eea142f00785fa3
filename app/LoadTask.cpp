#include "LoadTask.h"

#include <QFile>
#include <QMetaObject>
#include <QThreadPool>
#include <atomic>
#include <vector>

#include "CellFolder.h"
#include "CellList.h"
#include "ChartView.h"
#include "ChineseText.h"
#include "EngineState.h"
#include "Engine.h"
#include "LibraryResult.h"
#include "MainWindow.h"
#include "ReaderResult.h"

namespace {
std::atomic<int> tasksRunning{0};
std::atomic<bool> stopRequested{false};

QString fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return QFile::decodeName(QByteArray::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1)));
}
}  // namespace

bool loadingInProgress() { return tasksRunning.load() > 0; }

QString libraryFailureText() { return chineseLibraryFailureText(engineState().libraryResult); }

QString cellFailureText(const CellLoadResult& result) {
  if (result.libraryMissing()) return libraryFailureText();
  return chineseFailureText(result);
}

loadTask::loadTask(QString directory_, MainWindow& window_, bool fitEmptyView)
    : directory(std::move(directory_)),
      window(window_),
      fitView(fitEmptyView && window_.chartView.drawnCells.empty()) {
  ++tasksRunning;  // counted from the hand-off, so a second import is refused at once
}

loadTask::~loadTask() = default;

void loadTask::start(const QString& directory, MainWindow& window, bool fitEmptyView) {
  QThreadPool::globalInstance()->start(new loadTask(directory, window, fitEmptyView));
}

void loadTask::stopAll() {
  stopRequested = true;
  QThreadPool::globalInstance()->waitForDone();
  stopRequested = false;
}

void loadTask::run() {
  // File names go to the reader in the file system's 8-bit encoding.
  const CellFolder folder = scanCellFolder(QFile::encodeName(directory).toStdString());
  QStringList failures, warnings;
  std::vector<S57Cell*> loaded;
  for (const CellSource& source : folder.cells) {
    if (stopRequested) break;
    CellLoadOptions options;
    options.updateFiles = &source.updates;
    options.warnings = source.warnings;
    CellLoadReport report;
    const CellLoadResult result = loadCell(source.path, loadingChartView(), cellList(), options, &report);
    if (result.listed()) {  // a finding is its first warning
      loaded.push_back(report.cell);
      for (const LoadWarning& warning : report.cell->loadWarnings) warnings << chineseWarningText(warning);
      QMetaObject::invokeMethod(&window, "cellsChanged", Qt::QueuedConnection);  // show it as it comes
    } else {
      failures << fileName(source.path) + QStringLiteral(": ") + cellFailureText(result);
    }
  }
  for (const LoadWarning& warning : folder.warnings) warnings << chineseWarningText(warning);
  if (fitView && !loaded.empty() && !stopRequested) {
    MainWindow* target = &window;
    QMetaObject::invokeMethod(
        target, [target, loaded] { target->showCells(loaded); }, Qt::QueuedConnection);
  }
  --tasksRunning;
  QMetaObject::invokeMethod(&window, "loadingstop", Qt::AutoConnection,
                            Q_ARG(QString, failures.join(QLatin1Char('\n'))),
                            Q_ARG(QString, warnings.join(QLatin1Char('\n'))));
}
