#include "ReadoutText.h"

#include <QLocale>
#include <cmath>

namespace {
QString degreesMinutes(double value, char positive, char negative) {
  const char letter = value >= 0 ? positive : negative;
  if (value < 0) value = -value;
  const int degrees = static_cast<int>(value);
  const double minutes = (value - degrees) * 60.0;
  return QString::number(degrees) + QStringLiteral("°") + QString::number(minutes, 'f', 3) + QStringLiteral("′") +
         QLatin1Char(letter);
}
}  // namespace

QString latitudeText(double degrees) { return degreesMinutes(degrees, 'N', 'S'); }
QString longitudeText(double degrees) { return degreesMinutes(degrees, 'E', 'W'); }

QString positionText(const GeoPoint& position) {
  return latitudeText(position.latitude) + QLatin1Char(' ') + longitudeText(position.longitude);
}

QString groupedNumber(double value) {
  return QLocale(QLocale::English).toString(static_cast<qlonglong>(std::llround(value)));
}

QString scaleText(double scale) { return QStringLiteral("1:") + groupedNumber(scale); }
