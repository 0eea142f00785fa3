// How soon the window shows when it starts on a chart store: the time from
// the program's start (engine, window, the store's index read and its load
// handed to the background) until the window's chart has been painted, and
// until every cell of the store is on the chart; on an X server (run it
// through xvfb-run -a).
//
//   build/bench/store_start_bench [--cells N ...]
//
// For each size (1,000 by default) a portfolio is written (enctool demo
// --portfolio) and imported into a new store; then, each in a process of
// its own as the display starts, the window starts on that store, and on
// an empty one for comparison. One JSON line per run: `shown_ms` (goal:
// under 500 ms with 1,000 cells), `loaded_s` and the cells loaded.
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>


#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStore.h"
#include "ChartWidget.h"
#include "MainWindow.h"
#include "Portfolio.h"
#include "WindowBenchProcess.h"

namespace fs = std::filesystem;

namespace {

// Notes the first paint of the chart.
class FirstPaint : public QObject {
public:
  explicit FirstPaint(QWidget& w) { w.installEventFilter(this); }
  bool painted = false;

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

int runStart(int argc, char** argv, const char* mode, int cells, const std::string& store) {
  QElapsedTimer clock;
  clock.start();
  QApplication application(argc, argv);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QTemporaryDir work;
  enterWorkingFolder(work.path().toStdString());
  ChartEngine engine(kLibraryDirectory);
  if (startEngine(engine) == EngineResult::NoLibrary) {
    std::fprintf(stderr, "store_start_bench: the library S57Lib is missing\n");
    return 1;
  }
  MainWindow window(engine);
  window.dialogs.question = [](QWidget*, const QString&, const QString&) { return QMessageBox::Yes; };
  window.dialogs.information = [](QWidget*, const QString&, const QString&) {};
  FirstPaint paint(*window.chart());
  window.startStore(QString::fromStdString(store));
  window.show();
  while (!paint.painted && clock.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  const double shown = clock.nsecsElapsed() / 1e6;
  while (window.loader().busy() && clock.elapsed() < 600000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  const double loaded = clock.nsecsElapsed() / 1e9;
  std::printf("{\"mode\":\"%s\",\"cells\":%d,\"shown_ms\":%.1f,\"loaded_s\":%.2f,\"cells_loaded\":%zu}\n", mode, cells,
              shown, loaded, engine.cells().size());
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  std::string mode, store;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--cells") && i + 1 < argc) sizes.push_back(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--mode") && i + 2 < argc) mode = argv[++i], store = argv[++i];
  }
  if (sizes.empty()) sizes = {1000};
  if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) qputenv("QT_LOGGING_RULES", "default.debug=false");
  if (!mode.empty()) return runStart(argc, argv, mode.c_str(), sizes.front(), store);
  QTemporaryDir folder;
  int failed = 0;
  for (int cells : sizes) {
    const std::string cellsFolder = folder.path().toStdString() + "/p" + std::to_string(cells);
    const std::string storeFolder = folder.path().toStdString() + "/store" + std::to_string(cells);
    fs::create_directories(cellsFolder);
    if (!portfolio::writePortfolio(cells, cellsFolder).ok) {
      std::fprintf(stderr, "store_start_bench: cannot write a portfolio into %s\n", cellsFolder.c_str());
      return 1;
    }
    {
      ChartStore charts(storeFolder);
      if (!charts.import({cellsFolder}).written) {
        std::fprintf(stderr, "store_start_bench: cannot import into %s\n", storeFolder.c_str());
        return 1;
      }
    }
    failed += runChild(argv[0], {"--cells", std::to_string(cells), "--mode", "store", storeFolder});
    failed += runChild(argv[0], {"--cells", std::to_string(cells), "--mode", "empty", folder.path().toStdString() + "/none"});
  }
  return failed == 0 ? 0 : 1;
}
