#include "PositionInput.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

#include "ViewFitting.h"

namespace {

struct Axis {
  const char* name;          // 纬度 or 经度
  QChar positive, negative;  // N S or E W
  QChar positiveZh, negativeZh;
  QChar otherPositive, otherNegative;  // the other axis's letters: E W or N S
  double limit;
  QString limitText;
};

// The forms a coordinate can be written in, for the reason of a refusal.
QString formsText() {
  return QStringLiteral("请写度分（如 47 16.29 N）、度分秒（如 47 16 17 N）或带小数的度（如 47.2715）。");
}

bool parseCoordinate(const QString& input, const Axis& axis, double& degrees, QString& error) {
  const QString name = QString::fromUtf8(axis.name);
  QString text = input.trimmed().toUpper();
  if (text.isEmpty()) {
    error = QStringLiteral("请输入%1。").arg(name);
    return false;
  }
  const QString unreadable = QStringLiteral("无法识别%1“%2”：").arg(name, input.trimmed()) + formsText();
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
    else if (c == axis.otherPositive || c == axis.otherNegative) {
      // The other axis's letter on a number ("47 16.29 E" for a latitude),
      // not a word that happens to begin or end with it.
      static const QRegularExpression numeric(QStringLiteral("^[-+\\d\\s.°º'′\"″度分秒]*$"));
      const QString rest = end == 0 ? text.mid(1) : text.chopped(1);
      if (!numeric.match(rest).hasMatch()) {
        error = unreadable;
        return false;
      }
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
  // Degrees, minutes and seconds, parted by spaces or their signs.
  static const QRegularExpression separators(QStringLiteral("[\\s°º'′\"″度分秒]+"));
  const QStringList parts = text.split(separators, Qt::SkipEmptyParts);
  static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d*)?$|^\\.\\d+$"));
  if (parts.isEmpty() || parts.size() > 3) {
    error = unreadable;
    return false;
  }
  for (const QString& p : parts)
    if (!number.match(p).hasMatch()) {
      error = unreadable;
      return false;
    }
  static const char* const units[] = {"度", "分", "秒"};
  double value = 0, unit = 1;
  for (int i = 0; i < parts.size(); ++i) {
    const double part = parts[i].toDouble();
    // Every part before the last a whole number, minutes and seconds below 60.
    if (i + 1 < parts.size() && parts[i].contains(QLatin1Char('.'))) {
      error = QStringLiteral("%1写了%2时，%3须为整数。").arg(name, QString::fromUtf8(units[i + 1]), QString::fromUtf8(units[i]));
      return false;
    }
    if (i > 0 && part >= 60.0) {
      error = QStringLiteral("%1的%2须小于60。").arg(name, QString::fromUtf8(units[i]));
      return false;
    }
    value += part / unit;
    unit *= 60.0;
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
                         QLatin1Char('E'), QLatin1Char('W'), kMaximumGoToLatitude, QStringLiteral("85°S与85°N")};
  return parseCoordinate(text, axis, degrees, error);
}

bool parseLongitude(const QString& text, double& degrees, QString& error) {
  static const Axis axis{"经度", QLatin1Char('E'), QLatin1Char('W'), QChar(0x4E1C), QChar(0x897F),  // 东 西
                         QLatin1Char('N'), QLatin1Char('S'), 180.0, QStringLiteral("180°W与180°E")};
  return parseCoordinate(text, axis, degrees, error);
}

bool parseScale(const QString& input, float& scale, QString& error) {
  QString text = input.trimmed();
  scale = 0;
  if (text.isEmpty()) return true;
  static const QRegularExpression form(QStringLiteral("^(1\\s*[:：]\\s*)?(\\d{1,3}(,\\d{3})+|\\d+)$"));
  const QRegularExpressionMatch m = form.match(text);
  if (!m.hasMatch()) {
    error = QStringLiteral("无法识别比例尺“%1”：请写如 1:25000 或 25000。").arg(text);
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
