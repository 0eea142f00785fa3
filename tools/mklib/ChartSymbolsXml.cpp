#include "ChartSymbolsXml.h"

#include <QFile>
#include <QXmlStreamReader>
#include <utility>

#include "InputExcerpt.h"

namespace {
class Parser {
public:
  // `drawingsOnly`: a file of drawings alone, whose sections are all
  // optional and which holds no colour tables or look-ups.
  Parser(QXmlStreamReader& xml, const std::string& path, bool drawingsOnly)
      : xml_(xml), path_(path), drawingsOnly_(drawingsOnly) {}

  bool parse(ChartSymbolsXml& out) {
    if (!xml_.readNextStartElement()) return fail("no root element");
    if (xml_.name() != QLatin1String("chartsymbols"))
      return fail("root element is <" + inputExcerpt(xml_.name().toString().toStdString()) + ">, not <chartsymbols>");
    bool sections[5] = {};
    while (ok() && xml_.readNextStartElement()) {
      const QStringRef n = xml_.name();
      int section = -1;
      if (drawingsOnly_ && (n == QLatin1String("color-tables") || n == QLatin1String("lookups"))) {
        return fail("<" + n.toString().toStdString() + "> in a file of drawings");
      } else if (n == QLatin1String("color-tables")) {
        section = 0;
        readColourTables(out.colourTables);
      } else if (n == QLatin1String("lookups")) {
        section = 1;
        readLookups(out.lookups);
      } else if (n == QLatin1String("line-styles")) {
        section = 2;
        readDrawings("line-style", out.lineStyles);
      } else if (n == QLatin1String("patterns")) {
        section = 3;
        readDrawings("pattern", out.patterns);
      } else if (n == QLatin1String("symbols")) {
        section = 4;
        readDrawings("symbol", out.symbols);
      } else {
        xml_.skipCurrentElement();
      }
      if (section >= 0) sections[section] = true;
    }
    if (xml_.hasError()) return fail(inputExcerpt(xml_.errorString().toStdString(), 4 * kExcerptLimit));
    if (!error_.empty()) return false;
    if (drawingsOnly_) return checkDrawings(out);
    const char* names[5] = {"color-tables", "lookups", "line-styles", "patterns", "symbols"};
    for (int i = 0; i < 5; ++i)
      if (!sections[i]) return fail(std::string("no <") + names[i] + "> section");
    return true;
  }

  const std::string& error() const { return error_; }

private:
  // Every drawing of a file of drawings has a vector form, a name of eight
  // characters used once in its section, and colour references.
  bool checkDrawings(const ChartSymbolsXml& out) {
    const std::pair<const char*, const std::vector<XmlDrawing>*> sections[] = {
        {"line style", &out.lineStyles}, {"pattern", &out.patterns}, {"symbol", &out.symbols}};
    for (const auto& [what, drawings] : sections) {
      for (std::size_t i = 0; i < drawings->size(); ++i) {
        const XmlDrawing& d = (*drawings)[i];
        std::string problem;
        if (!d.hasVector) problem = "has no <vector>";
        else if (d.name.size() != 8) problem = "has a name that is not eight characters long";
        else if (d.colourRef.empty() || d.colourRef.size() % 6 != 0)
          problem = "has colour references that are not letter and five-character token pairs";
        for (std::size_t j = 0; j < i && problem.empty(); ++j)
          if ((*drawings)[j].name == d.name) problem = "is given twice";
        if (!problem.empty()) {
          error_ = path_ + ":" + std::to_string(d.sourceLine) + ": " + what + " " + inputExcerpt(d.name) + " " + problem;
          return false;
        }
      }
    }
    return true;
  }

  bool ok() const { return error_.empty() && !xml_.hasError(); }

  bool fail(const std::string& message) {
    if (error_.empty())
      error_ = path_ + ":" + std::to_string(xml_.lineNumber()) + ": " + message;
    return false;
  }

  std::string text() { return xml_.readElementText(QXmlStreamReader::SkipChildElements).toStdString(); }

  int number(const char* attribute) {
    const QStringRef value = xml_.attributes().value(QLatin1String(attribute));
    bool valid = false;
    const int n = value.toInt(&valid);
    if (!valid)
      fail("<" + inputExcerpt(xml_.name().toString().toStdString()) + "> attribute " + attribute + " is \"" +
           inputExcerpt(value.toString().toStdString()) + "\", not a whole number");
    return n;
  }

  int optionalNumber(const char* attribute) {
    return xml_.attributes().hasAttribute(QLatin1String(attribute)) ? number(attribute) : -1;
  }

  void readColourTables(std::vector<XmlColourTable>& tables) {
    while (ok() && xml_.readNextStartElement()) {
      if (xml_.name() != QLatin1String("color-table")) {
        xml_.skipCurrentElement();
        continue;
      }
      XmlColourTable table;
      table.name = xml_.attributes().value(QLatin1String("name")).toString().toStdString();
      while (ok() && xml_.readNextStartElement()) {
        if (xml_.name() == QLatin1String("color")) {
          XmlColour c;
          c.token = xml_.attributes().value(QLatin1String("name")).toString().toStdString();
          c.red = number("r");
          c.green = number("g");
          c.blue = number("b");
          table.colours.push_back(c);
        }
        xml_.skipCurrentElement();
      }
      tables.push_back(std::move(table));
    }
  }

  void readLookups(std::vector<XmlLookup>& lookups) {
    while (ok() && xml_.readNextStartElement()) {
      if (xml_.name() != QLatin1String("lookup")) {
        xml_.skipCurrentElement();
        continue;
      }
      XmlLookup l;
      l.sourceLine = xml_.lineNumber();
      l.rcid = optionalNumber("RCID");
      l.className = xml_.attributes().value(QLatin1String("name")).toString().toStdString();
      while (ok() && xml_.readNextStartElement()) {
        const QStringRef n = xml_.name();
        if (n == QLatin1String("type")) l.type = text();
        else if (n == QLatin1String("disp-prio")) l.displayPriority = text();
        else if (n == QLatin1String("radar-prio")) l.radarPriority = text();
        else if (n == QLatin1String("table-name")) l.tableName = text();
        else if (n == QLatin1String("attrib-code")) l.attributeCodes.push_back(text());
        else if (n == QLatin1String("instruction")) l.instruction = text();
        else if (n == QLatin1String("display-cat")) l.displayCategory = text();
        else if (n == QLatin1String("comment")) l.comment = text();
        else xml_.skipCurrentElement();
      }
      lookups.push_back(std::move(l));
    }
  }

  // pivot, origin and distance of a <vector>.
  void readVector(XmlDrawing& d) {
    d.hasVector = true;
    d.width = number("width");
    d.height = number("height");
    while (ok() && xml_.readNextStartElement()) {
      const QStringRef n = xml_.name();
      if (n == QLatin1String("distance")) {
        d.minimumDistance = number("min");
        d.maximumDistance = number("max");
      } else if (n == QLatin1String("pivot")) {
        d.pivotX = number("x");
        d.pivotY = number("y");
      } else if (n == QLatin1String("origin")) {
        d.originX = number("x");
        d.originY = number("y");
      } else if (n == QLatin1String("HPGL")) {
        d.hpgl = text();
        continue;
      }
      xml_.skipCurrentElement();
    }
  }

  // The same elements of a <bitmap>, in pixels, and where it lies on the sheet.
  void readBitmap(XmlBitmap& b) {
    b.present = true;
    b.width = number("width");
    b.height = number("height");
    while (ok() && xml_.readNextStartElement()) {
      const QStringRef n = xml_.name();
      if (n == QLatin1String("distance")) {
        b.minimumDistance = number("min");
        b.maximumDistance = number("max");
      } else if (n == QLatin1String("pivot")) {
        b.pivotX = number("x");
        b.pivotY = number("y");
      } else if (n == QLatin1String("origin")) {
        b.originX = number("x");
        b.originY = number("y");
      } else if (n == QLatin1String("graphics-location")) {
        b.hasLocation = true;
        b.locationX = number("x");
        b.locationY = number("y");
      }
      xml_.skipCurrentElement();
    }
  }

  void readDrawings(const char* element, std::vector<XmlDrawing>& drawings) {
    while (ok() && xml_.readNextStartElement()) {
      if (xml_.name() != QLatin1String(element)) {
        xml_.skipCurrentElement();
        continue;
      }
      XmlDrawing d;
      d.sourceLine = xml_.lineNumber();
      d.rcid = optionalNumber("RCID");
      while (ok() && xml_.readNextStartElement()) {
        const QStringRef n = xml_.name();
        if (n == QLatin1String("name")) d.name = text();
        else if (n == QLatin1String("definition")) d.definition = text();
        else if (n == QLatin1String("filltype")) d.fillType = text();
        else if (n == QLatin1String("spacing")) d.spacing = text();
        else if (n == QLatin1String("description")) d.description = text();
        else if (n == QLatin1String("color-ref")) d.colourRef = text();
        else if (n == QLatin1String("HPGL")) d.hpgl = text();
        else if (n == QLatin1String("vector")) readVector(d);
        else if (n == QLatin1String("bitmap")) readBitmap(d.bitmap);
        else xml_.skipCurrentElement();
      }
      drawings.push_back(std::move(d));
    }
  }

  QXmlStreamReader& xml_;
  std::string path_;
  bool drawingsOnly_ = false;
  std::string error_;
};

bool readXml(const std::string& path, bool drawingsOnly, ChartSymbolsXml& result, std::string& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = path + ": cannot open: " + file.errorString().toStdString();
    return false;
  }
  QXmlStreamReader xml(&file);
  Parser parser(xml, path, drawingsOnly);
  ChartSymbolsXml parsed;
  if (!parser.parse(parsed)) {
    error = parser.error();
    return false;
  }
  result = std::move(parsed);
  return true;
}
}  // namespace

bool readChartSymbolsXml(const std::string& path, ChartSymbolsXml& result, std::string& error) {
  return readXml(path, false, result, error);
}

bool readDrawingsXml(const std::string& path, ChartSymbolsXml& result, std::string& error) {
  return readXml(path, true, result, error);
}
