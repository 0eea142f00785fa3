#pragma once
// Background loading. A load reads every cell of one directory at any
// depth (a folder of cells, one folder per cell, or an exchange set with
// its catalogue checked), each base cell once with its update files, in
// path order, into the engine's cell list, on Qt's global thread pool.
// It reports through the loader's signals, which its receivers get queued
// on their own thread: each cell as it is listed, then the end. The loader
// knows nothing of who shows the cells.
#include <QMetaType>
#include <QObject>
#include <QString>
#include <atomic>
#include <vector>

#include "CellLoadResult.h"
#include "ChartModel.h"

class ChartEngine;

Q_DECLARE_METATYPE(std::vector<S57Cell*>)

// A readable reason (in Chinese) for a loadCell result other than Ok; a
// missing library with the reason its loader gave.
QString cellFailureText(const CellLoadResult& result, const ChartEngine& engine);
// Why no cell can be loaded: the engine has no library, and the reason its
// loader gave (naming a damaged file) when it gave one.
QString libraryFailureText(const ChartEngine& engine);

class CellLoader : public QObject {
  Q_OBJECT

public:
  // Loads into `engine`, which outlives the loader.
  explicit CellLoader(ChartEngine& engine, QObject* parent = nullptr);
  // Stops its loads and waits for them: none reports after the loader is gone.
  ~CellLoader() override;

  // Hands a load of `directory` to the pool. With `reportCells`, the cells
  // it listed are sent at its end (cellsListed).
  void start(const QString& directory, bool reportCells = false);
  // True from the moment a load is handed to the pool until its run ends.
  bool busy() const { return running_.load() > 0; }
  // Asks the running loads to stop after their current cell and waits for them.
  void stop();

signals:
  // A cell was listed (loaded, or listed as far as it goes).
  void cellLoaded();
  // The cells a load started with `reportCells` listed, at its end; not sent
  // when it listed none or was stopped. Comes before `finished`.
  void cellsListed(const std::vector<S57Cell*>& cells);
  // The end of a load: `failures` names the cells it could not load, one
  // "name: reason" per line, `warnings` what loaded with a warning (an
  // update that stopped, a catalogue finding), each naming its file.
  void finished(const QString& failures, const QString& warnings);

private:
  class Task;

  ChartEngine& engine_;
  std::atomic<int> running_{0};
  std::atomic<bool> stopRequested_{false};
};
