#include "ReadoutText.h"

#include <QLocale>
#include <cmath>

namespace {
// Whole degrees and minutes to three decimals, rounded as one number of
// thousandths of a minute: 118.99999999 is 119°00.000′, never 118°60.000′.
QString degreesMinutes(double value, char positive, char negative) {
  if (!std::isfinite(value)) return QStringLiteral("—");
  const long long thousandths = std::llround(std::fabs(value) * 60000.0);
  // The hemisphere of what is shown: a value that rounds to 0 is N or E.
  const char letter = value >= 0 || thousandths == 0 ? positive : negative;
  const long long degrees = thousandths / 60000;
  const long long minuteThousandths = thousandths % 60000;
  return QStringLiteral("%1°%2.%3′%4")
      .arg(degrees)
      .arg(minuteThousandths / 1000, 2, 10, QLatin1Char('0'))
      .arg(minuteThousandths % 1000, 3, 10, QLatin1Char('0'))
      .arg(QLatin1Char(letter));
}
}  // namespace

QString latitudeText(double degrees) { return degreesMinutes(degrees, 'N', 'S'); }
QString longitudeText(double degrees) { return degreesMinutes(degrees, 'E', 'W'); }

QString positionText(const GeoPoint& position) {
  return latitudeText(position.latitude) + QLatin1Char(' ') + longitudeText(position.longitude);
}

QString bearingText(double degrees) {
  if (!std::isfinite(degrees)) return QStringLiteral("—");
  long long tenths = std::llround(degrees * 10.0) % 3600;
  if (tenths < 0) tenths += 3600;
  return QStringLiteral("%1.%2°").arg(tenths / 10, 3, 10, QLatin1Char('0')).arg(tenths % 10);
}

QString groupedNumber(double value) {
  return QLocale(QLocale::English).toString(static_cast<qlonglong>(std::llround(value)));
}

QString scaleText(double scale) { return QStringLiteral("1:") + groupedNumber(scale); }
