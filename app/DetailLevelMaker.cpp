#include "DetailLevelMaker.h"

#include <QRunnable>
#include <utility>

DetailLevelMaker::DetailLevelMaker(QObject* parent) : QObject(parent) {
  thread_.setMaxThreadCount(1);
  thread_.setObjectName(QStringLiteral("detail levels"));
}

DetailLevelMaker::~DetailLevelMaker() {
  stopping_ = true;
  thread_.waitForDone();
}

void DetailLevelMaker::make(IndexedSnapshot cells, std::vector<WantedDetailLevel> wanted) {
  if (wanted.empty()) return;
  std::lock_guard<std::mutex> lock(mutex_);
  retired_.push_back(std::exchange(cells_, std::move(cells)));
  pending_ = std::move(wanted);
  next_ = 0;
  startRun();
}

void DetailLevelMaker::retire(IndexedSnapshot cells) {
  if (!cells) return;
  std::lock_guard<std::mutex> lock(mutex_);
  retired_.push_back(std::move(cells));
  startRun();
}

void DetailLevelMaker::startRun() {
  if (running_) return;
  running_ = true;
  thread_.start(QRunnable::create([this] { run(); }));
}

bool DetailLevelMaker::busy() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_ && next_ < pending_.size();
}

void DetailLevelMaker::run() {
  bool unreported = false;
  for (;;) {
    std::vector<IndexedSnapshot> retired;
    IndexedSnapshot holding;
    WantedDetailLevel job;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      retired.swap(retired_);
      const bool done = stopping_ || next_ >= pending_.size();
      if (done && retired.empty()) {
        pending_.clear();
        next_ = 0;
        retired.push_back(std::move(cells_));
        // Reported under the lock: a request that comes now starts a new
        // run, which reports for itself.
        if (unreported && !stopping_) emit levelsMade();
        running_ = false;
        return;  // what it let go of is freed outside the lock
      }
      if (!done) {
        job = pending_[next_++];
        holding = cells_;
      }
    }
    retired.clear();  // freed here, outside the lock
    if (!job.cell) continue;
    job.cell->detail->level(*job.cell, job.level);
    unreported = true;
  }
}
