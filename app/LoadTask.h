#pragma once
// Background loading: a task on Qt's global thread pool reads every "*.000"
// file of one directory, in name order, into the process-wide cell list,
// then calls the window's loadingstop (queued to the GUI thread).
#include <QRunnable>
#include <QString>

class MainWindow;

// True from the moment a task is handed to the pool until its run ends.
bool loadingInProgress();

// A readable reason for a loadCell result code other than 0.
QString cellFailureText(int code);
// Why no cell can be loaded: the library is not loaded, and the reason its
// loader gave at start-up (naming a damaged file) when it gave one.
QString libraryFailureText();

// The class name follows the loading job's established name.
class loadTask : public QRunnable {
public:
  loadTask(QString directory, MainWindow& window);
  ~loadTask() override;

  // Hands a new task to the global thread pool (which deletes it).
  static void start(const QString& directory, MainWindow& window);
  // Asks running tasks to stop after their current cell and waits for them.
  static void stopAll();

  void run() override;

  const QString directory;  // as the starter passed it
  MainWindow& window;       // receives loadingstop and repaint requests
};
