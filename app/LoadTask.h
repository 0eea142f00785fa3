#pragma once
// Background loading: a task on Qt's global thread pool reads every cell of
// one directory at any depth (a folder of cells, one folder per cell, or an
// exchange set with its catalogue checked), each base cell once with its
// update files, in path order, into the window's engine's cell list. A task
// asked to fit the view moves the window's view to the cells it loaded
// when that view showed no cell as the task started (a folder import into
// an empty view); then the window's loadingstop is called (queued to the
// GUI thread).
#include <QRunnable>
#include <QString>

#include "CellLoadResult.h"

class ChartEngine;
class MainWindow;

// True from the moment a task is handed to the pool until its run ends
// (the engine's LoadActivity).
bool loadingInProgress(const ChartEngine& engine);

// A readable reason (in Chinese) for a loadCell result other than Ok; a
// missing library with the reason its loader gave.
QString cellFailureText(const CellLoadResult& result, const ChartEngine& engine);
// Why no cell can be loaded: the engine has no library, and the reason its
// loader gave (naming a damaged file) when it gave one.
QString libraryFailureText(const ChartEngine& engine);

// The class name follows the loading job's established name.
class loadTask : public QRunnable {
public:
  loadTask(QString directory, MainWindow& window, bool fitEmptyView = false);
  ~loadTask() override;

  // Hands a new task to the global thread pool (which deletes it).
  static void start(const QString& directory, MainWindow& window, bool fitEmptyView = false);
  // Asks the engine's running tasks to stop after their current cell and
  // waits for them.
  static void stopAll(ChartEngine& engine);

  void run() override;

  const QString directory;  // as the starter passed it
  MainWindow& window;       // receives cellsChanged after each cell, then loadingstop
  const bool fitView;       // asked to, and the window's view drew no cell when the task was made
};
