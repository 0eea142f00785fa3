#pragma once
// The parts of a chartsymbols.xml presentation library that the converter
// uses, read with QXmlStreamReader. Texts are UTF-8; nothing is mapped yet.
#include <string>
#include <vector>

struct XmlColour {
  std::string token;
  int red = 0, green = 0, blue = 0;
};

struct XmlColourTable {
  std::string name;
  std::vector<XmlColour> colours;
};

struct XmlLookup {
  long long sourceLine = 0;
  int rcid = -1;
  std::string className;
  std::string type, displayPriority, radarPriority, tableName;
  std::vector<std::string> attributeCodes;  // in document order
  std::string instruction, displayCategory, comment;
};

// The raster form of a drawing: its place on the sprite sheet and its pivot,
// origin and pattern distances, all in pixels.
struct XmlBitmap {
  bool present = false, hasLocation = false;
  int width = 0, height = 0;
  int minimumDistance = 0, maximumDistance = 0;
  int pivotX = 0, pivotY = 0, originX = 0, originY = 0;
  int locationX = 0, locationY = 0;  // upper-left corner on the sheet
};

// A symbol, pattern or line style. The numbers come from the vector
// description; hasVector is false for a drawing that has only a bitmap.
struct XmlDrawing {
  long long sourceLine = 0;
  int rcid = -1;
  std::string name, definition, fillType, spacing, description, colourRef, hpgl;
  bool hasVector = false;
  int width = 0, height = 0;
  int minimumDistance = 0, maximumDistance = 0;
  int pivotX = 0, pivotY = 0, originX = 0, originY = 0;
  XmlBitmap bitmap;
};

struct ChartSymbolsXml {
  std::vector<XmlColourTable> colourTables;
  std::vector<XmlLookup> lookups;
  std::vector<XmlDrawing> lineStyles, patterns, symbols;
};

// Reads `path`; false with a message naming the file and line when it cannot
// be opened, is not well-formed XML, has a malformed number or lacks one of
// its five sections.
bool readChartSymbolsXml(const std::string& path, ChartSymbolsXml& result, std::string& error);

// Reads a file of drawings alone in the same form (the project's
// supplementary drawings): a <chartsymbols> root with any of <line-styles>,
// <patterns> and <symbols>. False with a message naming the file and line as
// above, and also for colour tables or look-ups in it, a drawing without a
// <vector>, a name that is not eight characters long or is given twice in
// one section, or colour references that are not letter and token pairs.
bool readDrawingsXml(const std::string& path, ChartSymbolsXml& result, std::string& error);
