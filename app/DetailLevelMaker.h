#pragma once
// Makes the levels of detail the chart's passes wanted (ChartView::
// wantedDetailLevels), one after another on a thread of its own, so that no
// pass on the GUI thread waits for one. A request replaces the requests not
// yet begun: the wants of the last pass are those that matter. It holds the
// snapshot the request came with, so the cells stay in memory until their
// levels are made. `levelsMade` tells, queued to its receivers' thread, that
// levels are there, once the requests are done: the chart drawn meanwhile
// is right (finer, only slower), so it is drawn again once, not per level.
//
// Its thread also lets go of snapshots for the window (retire): the last
// snapshot to hold cells unloaded frees them, and freeing a hundred cells
// takes tens of milliseconds the GUI thread must not spend.
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <mutex>
#include <vector>

#include "ChartView.h"

class DetailLevelMaker : public QObject {
  Q_OBJECT

public:
  explicit DetailLevelMaker(QObject* parent = nullptr);
  // Drops the requests not begun and waits for the level being made: none
  // is reported after the maker is gone.
  ~DetailLevelMaker() override;

  // Makes `wanted` (levels of cells that `cells` holds).
  void make(IndexedSnapshot cells, std::vector<WantedDetailLevel> wanted);
  // Lets go of `cells` on the maker's thread.
  void retire(IndexedSnapshot cells);
  // Whether a request is being worked on.
  bool busy() const;

signals:
  void levelsMade();

private:
  void run();
  // Starts the thread's run unless it runs; under mutex_.
  void startRun();

  mutable std::mutex mutex_;
  IndexedSnapshot cells_;                 // holds the cells of pending_
  std::vector<WantedDetailLevel> pending_;  // made from the front
  std::size_t next_ = 0;
  std::vector<IndexedSnapshot> retired_;   // let go of by the thread
  bool running_ = false;
  std::atomic<bool> stopping_{false};
  QThreadPool thread_;
};
