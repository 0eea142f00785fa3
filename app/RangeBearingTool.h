#pragma once
// 测距: in this mode two clicks give the range (nautical miles and metres)
// and true bearing from the first position to the second, drawn as a line
// with a label until the next measurement or until the mode is left.
#include <QString>

#include "Geodesic.h"
#include "MercatorProjection.h"
#include "ViewGeometry.h"

class QColor;
class QPainter;

class RangeBearingTool {
public:
  bool active() const { return active_; }
  // Entering or leaving the mode forgets any measurement.
  void setActive(bool on);

  // A click at a chart position: the first end, or the second (and the
  // result), or after a result the first end of a new measurement.
  void click(const ChartPoint& at);

  int ends() const { return ends_; }  // 0, 1 or 2
  bool hasResult() const { return ends_ == 2; }
  const RangeBearing& result() const { return result_; }

  // "距离 3.452 海里（6,393 米），真方位 045.3°", or a prompt for the next click.
  QString text() const;

  // The line and its label (or the first end's mark) on a painter in widget
  // pixels, for a view whose origin is current; the label sits on
  // `labelBackground` (the window's own, so that it is dark at night).
  void draw(QPainter& painter, const ViewGeometry& view, const QColor& labelBackground) const;

private:
  bool active_ = false;
  int ends_ = 0;
  ChartPoint first_, second_;
  RangeBearing result_;
};
