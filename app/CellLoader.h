#pragma once
// Background loading. A load reads every cell of one directory at any
// depth (a folder of cells, one folder per cell, or an exchange set with
// its catalogue checked), each base cell once with its update files, in
// path order, into the engine's cell list, on Qt's global thread pool; or
// the cells in use of a chart store, read through the store with the
// updates it applied (its index read first, the store held for reading
// while its files are read).
// It reports through the loader's signals, which its receivers get queued
// on their own thread: each cell as it is listed, then the end. The loader
// knows nothing of who shows the cells.
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

#include "ChartModel.h"
#include "LoadReport.h"
#include "StoreProtection.h"

class ChartEngine;

Q_DECLARE_METATYPE(std::vector<S57Cell*>)

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
  // Hands a load of the chart store in `storeFolder` to the pool: its cells
  // in use, or of them only those named in `only` when it is not empty.
  // `client`: who the store decrypts for (the manufacturer and the date).
  void startStore(const QString& storeFolder, const DataClient& client, const QStringList& only = {});
  // True from the moment a load is handed to the pool until its run ends.
  bool busy() const { return running_.load() > 0; }
  // Asks the running loads to stop after their current cell and waits for them.
  void stop();

signals:
  // A cell was listed (loaded, or listed as far as it goes).
  void cellLoaded();
  // The cells of the folder a load started with `reportCells` listed, and
  // those of its cells loaded before (not read again), at its end; not sent
  // when there are none or it was stopped. Comes before `finished`.
  void cellsListed(const std::vector<S57Cell*>& cells);
  // The end of a load: what it found, the files it could not load and the
  // findings that belong to no cell (LoadReport.h). A load started with
  // `reportCells` is one the user asked for (`requested`).
  void finished(const LoadReport& report);

private:
  class Task;

  ChartEngine& engine_;
  std::atomic<int> running_{0};
  std::atomic<bool> stopRequested_{false};
};
