#include "ChartStatusBar.h"

#include <QDebug>
#include <QLabel>

#include "ReadoutText.h"

namespace {
constexpr int kFailureMessageMs = 8000;

// "超比例 ×2.5" for a factor above 1, else empty.
QString overscaleText(double factor) {
  if (!(factor > 1)) return QString();
  return QStringLiteral("超比例 ×") + QString::number(factor, 'f', factor < 10 ? 1 : 0);
}
}  // namespace

ChartStatusBar::ChartStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("statusbar"));
  // Opaque in every colour table.
  setAutoFillBackground(true);
  measure_ = new QLabel(this);
  measure_->setObjectName(QStringLiteral("measureLabel"));
  measure_->hide();
  addWidget(measure_);
  overscale_ = new QLabel(this);
  overscale_->setObjectName(QStringLiteral("overscaleLabel"));
  overscale_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 160); font-weight: bold;"));
  overscale_->hide();
  addPermanentWidget(overscale_);
  scale_ = new QLabel(this);
  scale_->setObjectName(QStringLiteral("scaleLabel"));
  addPermanentWidget(scale_);
}

void ChartStatusBar::showScale(double trueScale) {
  scale_->setText(QStringLiteral("比例尺 ") + scaleText(trueScale));
}

void ChartStatusBar::showOverscale(double factor) {
  const QString text = overscaleText(factor);
  overscale_->setText(text);
  overscale_->setVisible(!text.isEmpty());
}

void ChartStatusBar::showMeasurement(const QString& text) {
  measure_->setText(text);
  measure_->setVisible(!text.isEmpty());
}

void ChartStatusBar::showFailure(const QString& text) {
  qWarning().noquote() << text;
  showMessage(text, kFailureMessageMs);
}

void ChartStatusBar::showNote(const QString& text) { showMessage(text, kFailureMessageMs); }
