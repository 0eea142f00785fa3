#include "ChartFont.h"

#include <QFontDatabase>
#include <QPainter>

void ChartFont::setApplicationFont(int id) {
  std::lock_guard<std::mutex> lock(mutex_);
  id_ = id;
  font_.reset();
}

int ChartFont::applicationFontId() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return id_;
}

QFont ChartFont::font() const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!font_) {
    QString family = QStringLiteral("Times New Roman");
    if (id_ >= 0) {
      const QStringList families = QFontDatabase::applicationFontFamilies(id_);
      if (!families.isEmpty()) family = families.first();
    }
    font_ = QFont(family, CHART_FONT_POINT_SIZE, QFont::Normal, false);
  }
  return *font_;
}

void ChartFont::setUp(QPainter& painter) const { painter.setFont(font()); }
