#pragma once
// Builds the seven presentation library files from chartsymbols.xml and the
// two catalogue tables (the set-up step and `enctool mklib` use it).
#include <array>
#include <string>

#include "CategoryRepair.h"
#include "LibraryFiles.h"
#include "NameRepair.h"

struct LibrarySources {
  std::string xml;            // chartsymbols.xml
  std::string objectClasses;  // s57objectclasses.csv
  std::string attributes;     // s57attributes.csv
  std::string raster;         // rastersymbols-day.png; without it bitmap-only drawings are left out
  std::string attributeValues;  // s57expectedinput.csv; without it no attribute value file is written
  // The project's own drawings of names the XML lacks (SupplementaryDrawings.xml);
  // optional.
  std::string supplement;
  // The project's Chinese names (ChineseNames.csv); without it no Chinese
  // name file is written.
  std::string chineseNames;
};

// What went into the files and what was left out. Record counts, so a name
// given twice in the XML counts twice.
struct ConversionReport {
  int colourTables = 0, colours = 0, unknownColourTokens = 0;
  int lookups = 0, lookupsWithLongClassName = 0, lookupsWithRenamedProcedure = 0, lookupsWithRepairedName = 0,
      lookupsWithMendedCategory = 0;
  NameRepairs names;  // misspelt drawing names repaired, and the names no source has a drawing of
  std::vector<CategoryRepair> categories;  // display categories mended to their viewing groups
  int symbols = 0, bitmapOnlySymbols = 0, contourLabelSymbols = 0, soundingFigureSymbols = 0;
  int patterns = 0, bitmapOnlyPatterns = 0;
  // Drawings traced from the raster sheet, their rectangles, and the most
  // rectangles of one drawing.
  int tracedSymbols = 0, tracedPatterns = 0, tracedRectangles = 0, mostTracedRectangles = 0;
  std::string mostTracedName;
  int lineStyles = 0;
  // Drawings taken from the supplementary file, and those of it left out
  // because the XML has a vector drawing of the name.
  int supplementarySymbols = 0, supplementaryPatterns = 0, supplementaryLineStyles = 0;
  std::vector<std::string> supplementaryLeftOut;
  int objectClasses = 0, attributes = 0;
  int attributeValues = 0;
  int chineseNames = 0;

  std::string summary() const;
  // One line per name repair, one naming the supplementary drawings left
  // out (when any), then one naming the drawings still missing (none when
  // nothing was repaired, left out or missing).
  std::string nameReport() const;
  // One line per class, geometry and viewing group whose look-ups had their
  // display category mended.
  std::string categoryReport() const;
};

// The texts of the seven required files, by their index in libraryFiles().
using LibraryFileTexts = std::array<std::string, kRequiredLibraryFileCount>;

// Reads the sources and builds the file texts; false with a message naming
// the source and line for a missing or malformed source.
bool buildLibraryFiles(const LibrarySources& sources, LibraryFileTexts& files, ConversionReport& report,
                       std::string& error);

// Builds the files (and the attribute value and Chinese name files when
// their sources are given)
// and writes them into `outDirectory`, replacing it whole:
// they are written into a temporary folder beside it that is then renamed,
// so on any failure `outDirectory` is left as it was.
bool convertLibrary(const LibrarySources& sources, const std::string& outDirectory, ConversionReport& report,
                    std::string& error);
