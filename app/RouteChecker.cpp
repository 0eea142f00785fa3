#include "RouteChecker.h"

#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include "ChartEngine.h"

class RouteChecker::Task : public QRunnable {
public:
  Task(RouteChecker& checker, int generation, Route route, IndexedSnapshot cells, float safetyContour,
       std::shared_ptr<std::atomic<bool>> stop)
      : checker_(checker), generation_(generation), route_(std::move(route)), cells_(std::move(cells)),
        safetyContour_(safetyContour), stop_(std::move(stop)) {}

  void run() override {
    RouteCheckSettings settings;
    settings.safetyContour = safetyContour_;
    settings.cancel = stop_.get();
    const RouteCheckResult result = checkRoute(route_, *cells_, settings);
    if (!result.cancelled) {
      RouteChecker* checker = &checker_;
      const int generation = generation_;
      const float contour = safetyContour_;
      QMetaObject::invokeMethod(
          checker, [checker, generation, result, contour] { checker->deliver(generation, result, contour); },
          Qt::QueuedConnection);
    }
    --checker_.running_;
  }

private:
  RouteChecker& checker_;
  const int generation_;
  const Route route_;
  const IndexedSnapshot cells_;
  const float safetyContour_;
  const std::shared_ptr<std::atomic<bool>> stop_;
};

RouteChecker::RouteChecker(ChartEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {
  qRegisterMetaType<RouteCheckResult>("RouteCheckResult");
  timer_.setSingleShot(true);
  timer_.setInterval(kCoalesceMs);
  connect(&timer_, &QTimer::timeout, this, [this] { start(soonRoute_, soonContour_); });
}

RouteChecker::~RouteChecker() {
  cancel();
  wait();
}

void RouteChecker::start(const Route& route, float safetyContour) {
  cancel();
  stop_ = std::make_shared<std::atomic<bool>>(false);
  ++running_;
  ++started_;
  QThreadPool::globalInstance()->start(
      new Task(*this, generation_, route, engine_.cells().indexedSnapshot(), safetyContour, stop_));
}

void RouteChecker::startSoon(const Route& route, float safetyContour) {
  cancel();
  soonRoute_ = route;
  soonContour_ = safetyContour;
  timer_.start();
}

void RouteChecker::cancel() {
  timer_.stop();
  ++generation_;
  if (stop_) stop_->store(true);
}

void RouteChecker::wait() const {
  while (running_.load() > 0) QThread::msleep(2);
}

void RouteChecker::deliver(int generation, const RouteCheckResult& result, float safetyContour) {
  if (generation == generation_) emit finished(result, safetyContour);
}
