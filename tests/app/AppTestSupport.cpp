#include "AppTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QThreadPool>
#include <QWheelEvent>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "CellLoader.h"
#include "ChartEngine.h"

namespace fs = std::filesystem;

namespace apptest {

WorkingDirectory::WorkingDirectory() {
  path = (fs::temp_directory_path() / "chart-app-XXXXXX").string();
  if (!mkdtemp(path.data())) std::abort();
  std::error_code ignored;
  fs::create_directory_symlink(fs::path(CHART_SOURCE_DIR) / "S57Lib", fs::path(path) / "S57Lib", ignored);
  fs::copy_file(fs::path(CHART_BINARY_DIR) / "logo.png", fs::path(path) / "logo.png", ignored);
  fs::create_symlink(fs::path(CHART_SOURCE_DIR) / "worldland.bin", fs::path(path) / "worldland.bin", ignored);
  previous_ = fs::current_path().string();
  fs::current_path(path);
}

WorkingDirectory::~WorkingDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path, ignored);
}

ChartEngine& engine() {
  // Never destroyed: the windows' fonts and Qt go first.
  static ChartEngine* const made = [] {
    WorkingDirectory cwd;
    return new ChartEngine(kLibraryDirectory);
  }();
  return *made;
}

bool startEngineOnce() {
  static const bool started = [] {
    ChartEngine& e = engine();
    WorkingDirectory cwd;
    return startEngine(e) != EngineResult::NoLibrary;
  }();
  return started;
}

void press(QWidget& w, QPoint at, Qt::MouseButton button) {
  QMouseEvent e(QEvent::MouseButtonPress, at, w.mapToGlobal(at), button, button, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

void move(QWidget& w, QPoint at, bool leftHeld) {
  const Qt::MouseButtons held = leftHeld ? Qt::LeftButton : Qt::NoButton;
  QMouseEvent e(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

void release(QWidget& w, QPoint at, Qt::MouseButton button) {
  QMouseEvent e(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

void wheel(QWidget& w, int delta) {
  const QPointF at(w.width() / 2.0, w.height() / 2.0);
  QWheelEvent e(at, w.mapToGlobal(at.toPoint()), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                Qt::NoScrollPhase, false);
  QApplication::sendEvent(&w, &e);
}

PaintCounter::PaintCounter(QWidget& w) { w.installEventFilter(this); }

int PaintCounter::take() {
  QApplication::processEvents();
  QApplication::processEvents();
  const int n = count_;
  count_ = 0;
  return n;
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::Paint) ++count_;
  return false;
}

bool waitForLoading(const CellLoader& loader, int timeoutMs) {
  const bool done = QTest::qWaitFor([&loader] { return !loader.busy(); }, timeoutMs);
  QThreadPool::globalInstance()->waitForDone();
  QApplication::processEvents();  // the queued end of the load
  QApplication::processEvents();
  return done;
}

}  // namespace apptest
