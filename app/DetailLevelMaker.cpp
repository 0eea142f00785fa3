#include "DetailLevelMaker.h"

#include <QElapsedTimer>
#include <QRunnable>

namespace {
constexpr qint64 kReportEveryMs = 250;
}

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
  cells_ = std::move(cells);
  pending_ = std::move(wanted);
  next_ = 0;
  if (running_) return;
  running_ = true;
  thread_.start(QRunnable::create([this] { run(); }));
}

bool DetailLevelMaker::busy() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_;
}

void DetailLevelMaker::run() {
  QElapsedTimer sinceReport;
  sinceReport.start();
  bool unreported = false;
  for (;;) {
    IndexedSnapshot holding;
    WantedDetailLevel job;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_ || next_ >= pending_.size()) {
        pending_.clear();
        cells_.reset();
        // Reported under the lock: a request that comes now starts a new
        // run, which reports for itself.
        if (unreported && !stopping_) emit levelsMade();
        running_ = false;
        return;
      }
      job = pending_[next_++];
      holding = cells_;
    }
    job.cell->detail->level(*job.cell, job.level);
    unreported = true;
    if (sinceReport.elapsed() >= kReportEveryMs) {
      emit levelsMade();
      unreported = false;
      sinceReport.restart();
    }
  }
}
