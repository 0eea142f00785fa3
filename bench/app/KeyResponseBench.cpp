// How soon the chart answers a key: the time from a key (an arrow, + or -)
// posted to the chart until the paint it causes has been drawn, in the
// window as a user has it, on an X server (run it through xvfb-run -a).
//
//   build/bench/key_response_bench [--cells N ...]
//
// For each portfolio size (300 and 3,000 by default) a portfolio is written
// (enctool demo --portfolio) and, each in a process of its own, with the
// cell list open:
//  - idle: the portfolio loaded, 40 keys over its coast at 1:350,000;
//  - import: 批量导入 of the portfolio with the view over its coast, a key
//    every 100 ms while the loader reads it;
//  - startup: the start-up load, which fits the view to the cells as they
//    come until a key moves it: keys from 0.3 s into the load.
// One JSON line per run: the keys timed, the median, 90th percentile and
// largest response in milliseconds, and the seconds the load took. Goals:
// under 100 ms idle, under 250 ms while 3,000 cells load.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "MainWindow.h"
#include "Portfolio.h"
#include "PortfolioPlan.h"
#include "WindowBenchProcess.h"

namespace fs = std::filesystem;

namespace {

// Posts a key to the chart and waits until the paint it causes has been
// drawn; milliseconds.
class KeyTimer : public QObject {
public:
  explicit KeyTimer(QWidget& chart) : chart_(chart) { chart.installEventFilter(this); }

  double press(int key) {
    painted_ = false;
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::postEvent(&chart_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    // The paint is drawn within the call that delivered it.
    while (!painted_ && clock.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.nsecsElapsed() / 1e6;
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted_ = true;
    return false;
  }

private:
  QWidget& chart_;
  bool painted_ = false;
};

void report(const char* mode, int cells, std::vector<double> ms, double loadSeconds) {
  std::sort(ms.begin(), ms.end());
  auto at = [&](double q) { return ms.empty() ? 0.0 : ms[std::min(ms.size() - 1, static_cast<size_t>(q * ms.size()))]; };
  std::printf("{\"mode\":\"%s\",\"cells\":%d,\"keys\":%zu,\"median_ms\":%.1f,\"p90_ms\":%.1f,\"max_ms\":%.1f,"
              "\"load_s\":%.2f}\n",
              mode, cells, ms.size(), at(0.5), at(0.9), ms.empty() ? 0.0 : ms.back(), loadSeconds);
  std::fflush(stdout);
}

// The keys pressed, round and round: the view wanders and comes back.
constexpr int kKeys[] = {Qt::Key_Right, Qt::Key_Up, Qt::Key_Left, Qt::Key_Down, Qt::Key_Plus, Qt::Key_Minus};

int runMode(ChartEngine& engine, const std::string& mode, int cells, const std::string& folder) {
  MainWindow window(engine);
  window.dialogs.question = [](QWidget*, const QString&, const QString&) { return QMessageBox::Yes; };
  window.dialogs.information = [](QWidget*, const QString&, const QString&) {};
  window.resize(1024, 768);
  window.show();
  // The cell list open, following the load as a user watches it.
  if (QAction* list = window.findChild<QAction*>(QStringLiteral("actionCellList"))) list->trigger();
  pause(300);
  ChartWidget& chart = *window.chart();
  KeyTimer timer(chart);
  // Over the portfolio's coast, where its cells are densest.
  const double south = portfolio::kPortfolioSouth / 1e7, west = portfolio::kPortfolioWest / 1e7;
  const GoToTarget coast{south + 1.2, west + 0.4, 350000};
  std::vector<double> ms;
  QElapsedTimer load;
  load.start();
  if (mode == "idle") {
    window.startLoading(QString::fromStdString(folder));
    while (window.loader().busy()) pause(50);
    pause(200);
    chart.goTo(coast);
    pause(200);
    for (int i = 0; i < 40; ++i) {
      ms.push_back(timer.press(kKeys[i % std::size(kKeys)]));
      pause(100);
    }
    report("idle", cells, ms, 0);
    return 0;
  }
  if (mode == "import") {
    chart.goTo(coast);
    pause(100);
    window.importDirectory(QString::fromStdString(folder));
  } else {
    // The view follows the cells as they come for a moment, then the keys.
    window.startLoading(QString::fromStdString(folder));
    pause(300);
  }
  for (int i = 0; window.loader().busy(); ++i) {
    ms.push_back(timer.press(kKeys[i % std::size(kKeys)]));
    pause(100);
  }
  report(mode.c_str(), cells, ms, load.nsecsElapsed() / 1e9);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  std::string mode, folder;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--cells") && i + 1 < argc) sizes.push_back(std::atoi(argv[++i]));
    else if (!std::strcmp(argv[i], "--mode") && i + 2 < argc) mode = argv[++i], folder = argv[++i];
  }
  if (sizes.empty()) sizes = {300, 3000};
  if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) qputenv("QT_LOGGING_RULES", "default.debug=false");
  if (!mode.empty()) {
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QTemporaryDir work;
    enterWorkingFolder(work.path().toStdString());
    ChartEngine engine(kLibraryDirectory);
    if (startEngine(engine) == EngineResult::NoLibrary) {
      std::fprintf(stderr, "key_response_bench: the library S57Lib is missing\n");
      return 1;
    }
    return runMode(engine, mode, sizes.front(), folder);
  }
  // The portfolios, then each run in a process of its own, which starts as
  // the display does: its own engine, window and memory.
  QTemporaryDir portfolios;
  int failed = 0;
  for (int cells : sizes) {
    const std::string folder = portfolios.path().toStdString() + "/p" + std::to_string(cells);
    fs::create_directories(folder);
    if (!portfolio::writePortfolio(cells, folder).ok) {
      std::fprintf(stderr, "key_response_bench: cannot write a portfolio into %s\n", folder.c_str());
      return 1;
    }
    for (const char* run : {"idle", "import", "startup"})
      failed += runChild(argv[0], {"--cells", std::to_string(cells), "--mode", run, folder});
  }
  return failed == 0 ? 0 : 1;
}
