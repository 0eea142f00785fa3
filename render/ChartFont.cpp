#include "ChartFont.h"

#include <QFontDatabase>
#include <QPainter>

#include <mutex>

#include "EngineState.h"

QFont chartFont() {
  // Built once per registered font id: the family look-up walks the font
  // database. Views may ask from several threads at once.
  static std::mutex mutex;
  static int builtFor = -2;
  static QFont font;
  std::lock_guard<std::mutex> lock(mutex);
  const int id = engineState().appFontId;
  if (id != builtFor) {
    QString family = QStringLiteral("Times New Roman");
    if (id >= 0) {
      const QStringList families = QFontDatabase::applicationFontFamilies(id);
      if (!families.isEmpty()) family = families.first();
    }
    font = QFont(family, CHART_FONT_POINT_SIZE, QFont::Normal, false);
    builtFor = id;
  }
  return font;
}

void setupChartFont(QPainter& painter) { painter.setFont(chartFont()); }
