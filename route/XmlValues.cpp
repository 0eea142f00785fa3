#include "XmlValues.h"

#include <charconv>
#include <cmath>
#include <string>

std::optional<double> parseXmlNumber(const QString& text) {
  const QByteArray bytes = text.trimmed().toLatin1();
  const char* s = bytes.constData();
  const int n = bytes.size();
  // Only a sign, digits, one point and one exponent: no "inf", "nan", hex or commas.
  int i = 0, digits = 0;
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    int exponentDigits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  // from_chars, unlike strtod, ignores the process's locale; it takes no '+'.
  const char* begin = s[0] == '+' ? s + 1 : s;
  double value = 0;
  const std::from_chars_result r = std::from_chars(begin, s + n, value, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s + n || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString formatXmlNumber(double value) {
  char buffer[400];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (r.ec != std::errc()) return QStringLiteral("0");
  return QString::fromLatin1(buffer, static_cast<int>(r.ptr - buffer));
}

QString xmlText(const std::string& text) {
  QString out = QString::fromStdString(text);
  for (QChar& c : out) {
    const ushort u = c.unicode();
    if ((u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF) c = QChar(0xFFFD);
  }
  return out;
}
