#include "RouteXmlReader.h"

#include "XmlValues.h"

namespace {
// A value from the file as a message quotes it: at most 40 characters, and
// control characters as \xNN so that they cannot break the line it is on.
std::string quoted(const QString& text) {
  QString out = QStringLiteral("'");
  const QString shown = text.left(40);
  for (const QChar c : shown) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      out += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    else out += c;
  }
  if (text.size() > shown.size()) out += QStringLiteral("...");
  return (out + QLatin1Char('\'')).toStdString();
}
}  // namespace

std::string RouteXmlReader::quote(const QString& text) { return quoted(text); }

RouteXmlReader::RouteXmlReader(const QByteArray& bytes) : xml_(bytes) {}

void RouteXmlReader::fail(RouteFileCode code, int line, const std::string& message) {
  if (failed()) return;
  result_.code = code;
  result_.line = line;
  result_.message = message;
}

bool RouteXmlReader::step() {
  if (failed()) return false;
  const QXmlStreamReader::TokenType token = xml_.readNext();
  const int line = static_cast<int>(xml_.lineNumber());
  switch (token) {
    case QXmlStreamReader::StartElement:
      element_.name = xml_.name().toString();
      element_.namespaceUri = xml_.namespaceUri().toString();
      element_.line = line;
      element_.attributes = xml_.attributes();
      open_.emplace_back(element_.name, line);
      return true;
    case QXmlStreamReader::EndElement:
      if (!open_.empty()) open_.pop_back();
      return true;
    case QXmlStreamReader::DTD:
      // Nothing in a route needs one, and its entities could grow without bound.
      fail(RouteFileCode::NotXml, line, "a document type declaration is not accepted in a route file");
      return false;
    case QXmlStreamReader::EndDocument:
      return false;
    case QXmlStreamReader::Invalid:
      if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError && !open_.empty()) {
        fail(RouteFileCode::NotXml, open_.back().second,
             "element <" + open_.back().first.toStdString() + "> is not closed before the end of the file");
      } else {
        std::string message = xml_.errorString().toStdString();
        if (!open_.empty())
          message += " (inside <" + open_.back().first.toStdString() + "> opened on line " +
                     std::to_string(open_.back().second) + ")";
        fail(RouteFileCode::NotXml, line, message);
      }
      return false;
    default:
      return true;
  }
}

bool RouteXmlReader::enterRoot() {
  while (step())
    if (xml_.isStartElement()) return true;
  fail(RouteFileCode::NotXml, static_cast<int>(xml_.lineNumber()), "the file holds no XML element");
  return false;
}

bool RouteXmlReader::nextChild() {
  while (step()) {
    if (xml_.isStartElement()) return true;
    if (xml_.isEndElement()) return false;
  }
  return false;
}

void RouteXmlReader::skipElement() {
  int depth = 1;
  while (depth > 0 && step()) {
    if (xml_.isStartElement()) ++depth;
    else if (xml_.isEndElement()) --depth;
  }
}

QString RouteXmlReader::readText() {
  QString text;
  const QString name = element_.name;
  while (step()) {
    if (xml_.isCharacters()) {
      text += xml_.text();
    } else if (xml_.isStartElement()) {
      fail(RouteFileCode::NotXml, element_.line,
           "element <" + element_.name.toStdString() + "> inside <" + name.toStdString() + ">, which holds text only");
      return {};
    } else if (xml_.isEndElement()) {
      break;
    }
  }
  return text;
}

void RouteXmlReader::finish() {
  while (step()) {
  }
}

QString RouteXmlReader::attribute(const char* name) const {
  for (const QXmlStreamAttribute& a : element_.attributes)
    if (a.name() == QLatin1String(name)) return a.value().toString();
  return {};
}

std::optional<double> RouteXmlReader::numberAttribute(const char* name, const char* what) {
  const QString text = attribute(name);
  if (text.isNull()) return std::nullopt;
  const std::optional<double> value = parseXmlNumber(text);
  if (!value)
    fail(RouteFileCode::BadNumber, element_.line,
         std::string(what) + " " + quoted(text) + " is not a number");
  return value;
}
