#pragma once
// Runs the route check for the window on Qt's global thread pool, so the
// chart keeps drawing while a long route is checked. It checks a copy of
// the route against a snapshot of the engine's cells (which stays valid
// while cells are loaded). Only the newest check reports: starting another
// tells the one running to stop, and its result is dropped. Checks asked
// for with `startSoon` wait a moment for the next change: a run of typed
// edits or safety contour changes starts one check, of the last.
#include <QMetaType>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

#include "RouteCheck.h"

class ChartEngine;

Q_DECLARE_METATYPE(RouteCheckResult)

class RouteChecker : public QObject {
  Q_OBJECT

public:
  explicit RouteChecker(ChartEngine& engine, QObject* parent = nullptr);
  // Stops the running check and waits for it: none reports after the
  // checker is gone.
  ~RouteChecker() override;

  void start(const Route& route, float safetyContour);
  // The same after kCoalesceMs without another start; the running check's
  // result is dropped at once.
  void startSoon(const Route& route, float safetyContour);
  static constexpr int kCoalesceMs = 150;
  // Drops the running check's result (the route is gone).
  void cancel();
  // A check waits to start or runs.
  bool busy() const { return timer_.isActive() || running_.load() > 0; }
  // Checks started on the thread pool so far.
  int started() const { return started_; }
  // Waits for every check started to end.
  void wait() const;

signals:
  // The result of the newest check, with the safety contour it used.
  void finished(const RouteCheckResult& result, float safetyContour);

private:
  class Task;
  void deliver(int generation, const RouteCheckResult& result, float safetyContour);

  ChartEngine& engine_;
  int generation_ = 0;                       // GUI thread
  std::shared_ptr<std::atomic<bool>> stop_;  // of the newest check
  std::atomic<int> running_{0};
  int started_ = 0;
  QTimer timer_;  // of a check asked for soon
  Route soonRoute_;
  float soonContour_ = 0;
};
