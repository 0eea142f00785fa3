#pragma once
// Values in route files. Numbers are read as XML Schema decimals and
// doubles are written (optional sign, digits, a point, an exponent), and
// written back in the fewest digits that read back as the same double,
// without an exponent (as xs:decimal wants it). Texts are written without
// the characters XML 1.0 cannot hold.
#include <QString>
#include <optional>
#include <string>

// The number a text holds, blanks around it allowed; nothing when it holds
// anything else, or a number that is not finite.
std::optional<double> parseXmlNumber(const QString& text);
QString formatXmlNumber(double value);

// UTF-8 text as XML can hold it: control characters other than tab, line
// feed and carriage return become U+FFFD.
QString xmlText(const std::string& text);
