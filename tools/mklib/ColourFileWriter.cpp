#include "ColourFileWriter.h"

#include <cmath>
#include <cstdio>

#include "ColourToken.h"
#include "InputExcerpt.h"
#include "LibraryMapping.h"

namespace {
double linear(int component) {
  const double c = component / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// CIE 1931 x, y and relative luminance (0-100) of an sRGB colour.
std::string cieFields(int red, int green, int blue) {
  const double r = linear(red), g = linear(green), b = linear(blue);
  const double X = 0.4124 * r + 0.3576 * g + 0.1805 * b;
  const double Y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  const double Z = 0.0193 * r + 0.1192 * g + 0.9505 * b;
  const double sum = X + Y + Z;
  char text[64];
  std::snprintf(text, sizeof text, "%.4f;%.4f;%.2f", sum > 0 ? X / sum : 0.3127, sum > 0 ? Y / sum : 0.3290,
                Y * 100);
  return text;
}
}  // namespace

void writeColourFile(const std::vector<XmlColourTable>& tables, LibraryTextFile& file, ConversionReport& report) {
  file.line("BEGIN");
  for (const XmlColourTable& table : tables) {
    if (!mapping::knownColourScheme(table.name)) {
      file.setError("colour table \"" + inputExcerpt(table.name) + "\" is none of the five colour schemes");
      return;
    }
    file.line("<");
    file.line(table.name);
    ++report.colourTables;
    for (const XmlColour& c : table.colours) {
      // A token outside the fixed list would overwrite NODTA when read: left out.
      if (colourIndex(c.token) == 0 && c.token != "NODTA") {
        ++report.unknownColourTokens;
        continue;
      }
      if (c.red < 0 || c.red > 255 || c.green < 0 || c.green > 255 || c.blue < 0 || c.blue > 255) {
        file.setError("colour " + inputExcerpt(c.token) + " of " + inputExcerpt(table.name) +
                      " has a component outside 0 to 255");
        return;
      }
      char hex[16];
      std::snprintf(hex, sizeof hex, "#%02X%02X%02X", c.red, c.green, c.blue);
      file.line(c.token + ";" + cieFields(c.red, c.green, c.blue) + ";" + hex + ";" + std::to_string(c.red) + ";" +
                std::to_string(c.green) + ";" + std::to_string(c.blue));
      ++report.colours;
    }
  }
}
