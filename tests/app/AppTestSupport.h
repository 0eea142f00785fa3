#pragma once
// Shared by the window tests: a working directory with the presentation
// library, events sent straight to the window, and a paint counter.
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <string>

class CellLoader;
class ChartEngine;
class QWidget;

namespace apptest {

// A fresh working directory holding links to the project's S57Lib and world
// base map and the window icon; the process works in it while the object
// lives.
class WorkingDirectory {
public:
  WorkingDirectory();
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;
  std::string path;

private:
  std::string previous_;
};

// The engine the test windows draw and load through: the project's library,
// read in a working directory of its own as main() reads it in the
// program's. One per test program; the cells loaded stay from test to test.
ChartEngine& engine();
// Starts it as main() does (startEngine: the chart font, the world base
// map), once per test program; false when S57Lib is missing.
bool startEngineOnce();

// Mouse and wheel events as the window receives them, positions in window
// pixels.
void press(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void move(QWidget& w, QPoint at, bool leftHeld);
void release(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void wheel(QWidget& w, int delta);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
  explicit PaintCounter(QWidget& w);
  // Delivers pending events, then returns the count since the last call.
  int take();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int count_ = 0;
};

// Runs the event loop until the loader has no load in progress and the
// end of its load has been delivered; false on time-out.
bool waitForLoading(const CellLoader& loader, int timeoutMs = 60000);

}  // namespace apptest
