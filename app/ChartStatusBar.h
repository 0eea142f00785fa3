#pragma once
// The window's status bar: the result or prompt of a range and bearing on
// the left, then messages (a failure for some seconds); at the right the
// overscale factor while the chart is shown beyond the compilation scale of
// its most detailed cell ("超比例 ×2.5") and the view's true scale
// ("比例尺 1:25,000").
#include <QStatusBar>

class QLabel;

class ChartStatusBar : public QStatusBar {
  Q_OBJECT

public:
  explicit ChartStatusBar(QWidget* parent = nullptr);

  void showScale(double trueScale);
  // Hidden unless `factor` is above 1.
  void showOverscale(double factor);
  // Hidden while `text` is empty.
  void showMeasurement(const QString& text);
  // The failure for some seconds, and in the log.
  void showFailure(const QString& text);
  // A note (what a command did) for some seconds.
  void showNote(const QString& text);

private:
  QLabel* measure_ = nullptr;
  QLabel* overscale_ = nullptr;
  QLabel* scale_ = nullptr;
};
