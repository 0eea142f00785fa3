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
#include <mutex>
#include <string>
#include <unordered_set>
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
  // Reads again from the chart store the cells of those names (data set
  // names, NAME.000) that the chart unloaded: quietly, each taking its
  // place in the cell list; `restored` tells the end.
  void restoreFromStore(const QString& storeFolder, const DataClient& client, const QStringList& names);
  // Whether the cell of that data set name was listed by a load of a chart
  // store, so that it can be read again from there.
  bool fromStore(const std::string& name) const;
  // True from the moment a load is handed to the pool until its run ends
  // (reads of unloaded cells not counted).
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
  // The end of a restoreFromStore of `names` (as it was given them): the
  // cells read again (report.storeCells, by store name) and those that
  // failed (findings).
  void restored(const QStringList& names, const LoadReport& report);

private:
  class Task;

  ChartEngine& engine_;
  std::atomic<int> running_{0};
  mutable std::mutex storeCellsMutex_;
  std::unordered_set<std::string> storeCells_;  // data set names listed from a store
  std::atomic<bool> stopRequested_{false};
};
