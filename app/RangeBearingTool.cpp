#include "RangeBearingTool.h"

#include <QFontMetrics>
#include <QPainter>

#include "ReadoutText.h"
#include "WorldCopies.h"

void RangeBearingTool::setActive(bool on) {
  active_ = on;
  ends_ = 0;
}

void RangeBearingTool::click(const ChartPoint& at) {
  if (ends_ != 1) {
    first_ = at;
    ends_ = 1;
    return;
  }
  second_ = at;
  ends_ = 2;
  result_ = rangeAndBearing(chartToGeo(first_), chartToGeo(second_));
}

QString RangeBearingTool::text() const {
  if (!active_) return QString();
  if (ends_ == 0) return QStringLiteral("测距：请点击起点");
  if (ends_ == 1) return QStringLiteral("测距：请点击终点");
  const QString metres = groupedNumber(result_.metres);
  return QStringLiteral("距离 %1 海里（%2 米），真方位 %3")
      .arg(result_.metres / kMetresPerNauticalMile, 0, 'f', 3)
      .arg(metres, bearingText(result_.bearing));
}

void RangeBearingTool::draw(QPainter& painter, const ViewGeometry& view, const QColor& labelBackground) const {
  if (!active_ || ends_ == 0) return;
  auto pixel = [&view](const ChartPoint& c) {
    const QPointF l = toLogicalExact(c, view);
    return QPointF(l.x() / LOGICAL_UNITS_PER_PIXEL, l.y() / LOGICAL_UNITS_PER_PIXEL);
  };
  // The ends in the copy of the world in view, the second the short way
  // from the first, as the measurement goes.
  ChartPoint first = first_, second = second_;
  first.x = nearestCopyX(first.x, view.centre.x);
  second.x = nearestCopyX(second.x, first.x);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QPointF a = pixel(first);
  const QColor ink(230, 60, 20);
  painter.setPen(QPen(ink, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(a, 4, 4);
  if (ends_ == 2) {
    const QPointF b = pixel(second);
    painter.drawLine(a, b);
    painter.drawEllipse(b, 4, 4);
    const QString label = QStringLiteral("%1 海里  %2")
                              .arg(result_.metres / kMetresPerNauticalMile, 0, 'f', 2)
                              .arg(bearingText(result_.bearing));
    const QFontMetrics metrics(painter.font());
    QRectF box = metrics.boundingRect(label);
    box.adjust(-4, -2, 4, 2);
    box.moveCenter((a + b) / 2 + QPointF(0, -box.height()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(labelBackground);
    painter.drawRect(box);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, label);
  }
  painter.restore();
}
