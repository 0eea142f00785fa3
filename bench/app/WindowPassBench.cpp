// The window's draw passes with many cells: the window as a user has it
// (the cell list open), started on a chart store of a written portfolio,
// panned and zoomed by keys at several scales over the portfolio's coast;
// on an X server (run it through xvfb-run -a).
//
//   build/bench/window_pass_bench [--cells N ...]
//
// For each size (300 and 3,000 by default) a portfolio is written (enctool
// demo --portfolio) and imported into a new store; then, in a process of its
// own, the window starts on that store and loads it. Every draw pass the
// window logs ("draw pass: N ms") is collected: at each scale 24 keys
// (arrows, + and -), each followed by a short pause in which cells the view
// asked for arrive and are drawn. One JSON line per scale with the passes,
// their median and largest milliseconds (goal: at most 16 ms), the largest
// first pass after a zoom key (the pass at a new zoom step), how many of
// them found cells they would draw still unloaded and how many drew a cell
// without the level of detail its scale wants (not made yet), and one with
// the resident memory after the load and after the keys (goal with 3,000
// cells: at most 400 MB).
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStore.h"
#include "ChartWidget.h"
#include "MainWindow.h"
#include "Portfolio.h"
#include "PortfolioPlan.h"
#include "WindowBenchProcess.h"

namespace fs = std::filesystem;

namespace {

std::vector<double>* passes = nullptr;  // where the log's draw passes go

void collectPasses(QtMsgType, const QMessageLogContext&, const QString& message) {
  long long ms = 0;
  if (passes && std::sscanf(message.toUtf8().constData(), "draw pass: %lld ms", &ms) == 1)
    passes->push_back(static_cast<double>(ms));
}

double residentMB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

std::vector<double> zoomFirst;  // the first pass after each zoom key

// Posts a key to the chart and lets the window answer it.
void press(QWidget& chart, int key) {
  const std::size_t before = passes->size();
  QCoreApplication::postEvent(&chart, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  pause(150);
  if ((key == Qt::Key_Plus || key == Qt::Key_Minus) && passes->size() > before) zoomFirst.push_back((*passes)[before]);
}

int passesMissingCells = 0;   // passes that found cells to draw unloaded
int passesWantingLevels = 0;  // passes that drew a cell without the level it wants

void report(const char* what, int cells, float scale, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const double median = ms.empty() ? 0.0 : ms[ms.size() / 2];
  const double zoomed = zoomFirst.empty() ? 0.0 : *std::max_element(zoomFirst.begin(), zoomFirst.end());
  std::printf("{\"cells\":%d,\"view\":\"%s\",\"scale\":%.0f,\"passes\":%zu,\"median_ms\":%.0f,\"max_ms\":%.0f,"
              "\"first_after_zoom_max_ms\":%.0f,\"passes_missing_cells\":%d,\"passes_wanting_levels\":%d}\n",
              cells, what, static_cast<double>(scale), ms.size(), median, ms.empty() ? 0.0 : ms.back(), zoomed,
              passesMissingCells, passesWantingLevels);
  passesMissingCells = 0;
  passesWantingLevels = 0;
  std::fflush(stdout);
}

struct Stop {
  const char* name;
  float scale;
};
constexpr Stop kStops[] = {{"overview", 1500000}, {"coastal", 350000}, {"approach", 90000}, {"harbour", 22000}};
constexpr int kKeys[] = {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Plus, Qt::Key_Minus};

int runWindow(int argc, char** argv, int cells, const std::string& store) {
  QApplication application(argc, argv);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QTemporaryDir work;
  enterWorkingFolder(work.path().toStdString());
  ChartEngine engine(kLibraryDirectory);
  if (startEngine(engine) == EngineResult::NoLibrary) {
    std::fprintf(stderr, "window_pass_bench: the library S57Lib is missing\n");
    return 1;
  }
  std::vector<double> ms;
  passes = &ms;
  qInstallMessageHandler(collectPasses);
  MainWindow window(engine);
  window.dialogs.question = [](QWidget*, const QString&, const QString&) { return QMessageBox::Yes; };
  window.dialogs.information = [](QWidget*, const QString&, const QString&) {};
  window.resize(1024, 768);
  window.show();
  if (QAction* list = window.findChild<QAction*>(QStringLiteral("actionCellList"))) list->trigger();
  QObject::connect(window.chart(), &ChartWidget::passDrawn, [&window] {
    if (!window.chart()->view().unloadedCells.empty()) ++passesMissingCells;
    if (!window.chart()->view().wantedDetailLevels.empty()) ++passesWantingLevels;
  });
  window.startStore(QString::fromStdString(store));
  QElapsedTimer load;
  load.start();
  pause(300);
  while (window.loader().busy() && load.elapsed() < 600000) pause(50);
  pause(500);
  std::vector<double> loading = ms;
  report("load", cells, 0, loading);
  const double loadedMB = residentMB();
  ChartWidget& chart = *window.chart();
  const double south = portfolio::kPortfolioSouth / 1e7, west = portfolio::kPortfolioWest / 1e7;
  std::vector<double> all, allZoomFirst;
  for (const Stop& stop : kStops) {
    chart.goTo(GoToTarget{south + 1.2, west + 0.4, stop.scale});
    pause(500);
    ms.clear();
    zoomFirst.clear();
    passesMissingCells = 0;
    passesWantingLevels = 0;
    for (int i = 0; i < 24; ++i) press(chart, kKeys[i % std::size(kKeys)]);
    allZoomFirst.insert(allZoomFirst.end(), zoomFirst.begin(), zoomFirst.end());
    report(stop.name, cells, stop.scale, ms);
    all.insert(all.end(), ms.begin(), ms.end());
  }
  zoomFirst = allZoomFirst;
  report("all", cells, 0, all);
  std::printf("{\"cells\":%d,\"cells_listed\":%zu,\"rss_after_load_MB\":%.0f,\"rss_after_keys_MB\":%.0f}\n",
              cells, engine.cells().size(), loadedMB, residentMB());
  std::fflush(stdout);
  passes = nullptr;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  std::string store;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--cells") && i + 1 < argc) sizes.push_back(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--store") && i + 1 < argc) store = argv[++i];
  }
  if (sizes.empty()) sizes = {300, 3000};
  if (!store.empty()) return runWindow(argc, argv, sizes.front(), store);
  QTemporaryDir folder;
  int failed = 0;
  for (int cells : sizes) {
    const std::string cellsFolder = folder.path().toStdString() + "/p" + std::to_string(cells);
    const std::string storeFolder = folder.path().toStdString() + "/store" + std::to_string(cells);
    fs::create_directories(cellsFolder);
    if (!portfolio::writePortfolio(cells, cellsFolder).ok) {
      std::fprintf(stderr, "window_pass_bench: cannot write a portfolio into %s\n", cellsFolder.c_str());
      return 1;
    }
    {
      ChartStore charts(storeFolder);
      if (!charts.import({cellsFolder}).written) {
        std::fprintf(stderr, "window_pass_bench: cannot import into %s\n", storeFolder.c_str());
        return 1;
      }
    }
    failed += runChild(argv[0], {"--cells", std::to_string(cells), "--store", storeFolder});
  }
  return failed == 0 ? 0 : 1;
}
