#include "PositionInput.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "ViewFitting.h"

namespace {

struct Axis {
  const char* name;       // 纬度 or 经度
  QChar positive, negative;  // N S or E W
  QChar positiveZh, negativeZh;
  double limit;
  QString limitText;
};

bool parseCoordinate(QString text, const Axis& axis, double& degrees, QString& error) {
  const QString name = QString::fromUtf8(axis.name);
  text = text.trimmed().toUpper();
  if (text.isEmpty()) {
    error = QStringLiteral("请输入%1。").arg(name);
    return false;
  }
  // The hemisphere, as a letter at either end (北纬, 东经 and the like count
  // as one).
  int hemisphere = 0;  // 1 positive, -1 negative
  text.remove(QStringLiteral("纬")).remove(QStringLiteral("经"));
  text = text.trimmed();
  for (int end = 0; end < 2 && !text.isEmpty(); ++end) {
    const QChar c = end == 0 ? text.front() : text.back();
    int found = 0;
    if (c == axis.positive || c == axis.positiveZh) found = 1;
    else if (c == axis.negative || c == axis.negativeZh) found = -1;
    else if (c.isLetter() && c.unicode() < 128) {
      error = QStringLiteral("%1只能用%2或%3标明方向。").arg(name, axis.positive, axis.negative);
      return false;
    }
    if (found == 0) continue;
    if (hemisphere != 0) {
      error = QStringLiteral("%1的方向只能写一次。").arg(name);
      return false;
    }
    hemisphere = found;
    text = (end == 0 ? text.mid(1) : text.chopped(1)).trimmed();
  }
  bool negative = false;
  if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
    negative = text.front() == QLatin1Char('-');
    text = text.mid(1).trimmed();
    if (hemisphere != 0) {
      error = QStringLiteral("%1不能同时用正负号和方向字母。").arg(name);
      return false;
    }
  }
  static const QRegularExpression separators(QStringLiteral("[\\s°º'′度分]+"));
  const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
  static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d*)?$|^\\.\\d+$"));
  if (parts.isEmpty() || parts.size() > 2) {
    error = QStringLiteral("%1的格式不对：请写度和分（如 47 16.29 N）或带小数的度（如 47.2715）。").arg(name);
    return false;
  }
  for (const QString& p : parts)
    if (!number.match(p).hasMatch()) {
      error = QStringLiteral("%1中的“%2”不是数字。").arg(name, p);
      return false;
    }
  double value = parts[0].toDouble();
  if (parts.size() == 2) {
    const double minutes = parts[1].toDouble();
    if (parts[0].contains(QLatin1Char('.'))) {
      error = QStringLiteral("%1写了分时，度须为整数。").arg(name);
      return false;
    }
    if (minutes >= 60.0) {
      error = QStringLiteral("%1的分须小于60。").arg(name);
      return false;
    }
    value += minutes / 60.0;
  }
  if (negative || hemisphere < 0) value = -value;
  if (!(std::fabs(value) <= axis.limit)) {
    error = QStringLiteral("%1须在%2之间。").arg(name, axis.limitText);
    return false;
  }
  degrees = value;
  return true;
}

}  // namespace

bool parseLatitude(const QString& text, double& degrees, QString& error) {
  static const Axis axis{"纬度", QLatin1Char('N'), QLatin1Char('S'), QChar(0x5317), QChar(0x5357),  // 北 南
                         kMaximumGoToLatitude, QStringLiteral("85°S与85°N")};
  return parseCoordinate(text, axis, degrees, error);
}

bool parseLongitude(const QString& text, double& degrees, QString& error) {
  static const Axis axis{"经度", QLatin1Char('E'), QLatin1Char('W'), QChar(0x4E1C), QChar(0x897F),  // 东 西
                         180.0, QStringLiteral("180°W与180°E")};
  return parseCoordinate(text, axis, degrees, error);
}

bool parseScale(const QString& input, float& scale, QString& error) {
  QString text = input.trimmed();
  scale = 0;
  if (text.isEmpty()) return true;
  static const QRegularExpression form(QStringLiteral("^(1\\s*[:：]\\s*)?(\\d{1,3}(,\\d{3})+|\\d+)$"));
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) {
    error = QStringLiteral("比例尺的格式不对：请写如 1:25000 或 25000。");
    return false;
  }
  const double value = m.captured(2).remove(QLatin1Char(',')).toDouble();
  if (value < kMinimumViewScale || value > kMaximumViewScale) {
    error = QStringLiteral("比例尺须在1:1,000与1:36,978,668之间。");
    return false;
  }
  scale = static_cast<float>(value);
  return true;
}
