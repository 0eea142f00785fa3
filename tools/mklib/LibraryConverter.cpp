#include "LibraryConverter.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "CatalogueCsv.h"
#include "CatalogueFileWriter.h"
#include "ChartSymbolsXml.h"
#include "ColourFileWriter.h"
#include "ContourLabelSymbols.h"
#include "DrawingFileWriter.h"
#include "LibraryTextFile.h"
#include "LookupFileWriter.h"
#include "PresentationLibrary.h"

namespace fs = std::filesystem;

std::string ConversionReport::summary() const {
  std::string s;
  s += std::to_string(colourTables) + " colour tables (" + std::to_string(colours) + " colours";
  if (unknownColourTokens) s += ", " + std::to_string(unknownColourTokens) + " unknown tokens left out";
  s += "), " + std::to_string(lookups) + " look-ups (" + std::to_string(lookupsWithLongClassName) +
       " with a class name longer than six characters left out, " + std::to_string(lookupsWithRenamedProcedure) +
       " with a procedure renamed), ";
  s += std::to_string(symbols) + " symbols (" + std::to_string(contourLabelSymbols) + " contour label digits added, " +
       std::to_string(bitmapOnlySymbols) + " bitmap-only left out), ";
  s += std::to_string(patterns) + " patterns (" + std::to_string(bitmapOnlyPatterns) + " bitmap-only left out), ";
  s += std::to_string(lineStyles) + " line styles, " + std::to_string(objectClasses) + " object classes, " +
       std::to_string(attributes) + " attributes";
  return s;
}

bool buildLibraryFiles(const LibrarySources& sources, LibraryFileTexts& files, ConversionReport& report,
                       std::string& error) {
  ChartSymbolsXml xml;
  CsvTable objectClasses, attributes;
  if (!readChartSymbolsXml(sources.xml, xml, error) || !readCsvTable(sources.objectClasses, objectClasses, error) ||
      !readCsvTable(sources.attributes, attributes, error))
    return false;

  ConversionReport r;
  std::vector<XmlDrawing> symbols = xml.symbols;
  const std::vector<XmlDrawing> digits = contourLabelSymbols();
  symbols.insert(symbols.end(), digits.begin(), digits.end());
  r.contourLabelSymbols = static_cast<int>(digits.size());

  LibraryTextFile out[7];
  writeColourFile(xml.colourTables, out[0], r);
  writeLookupFile(xml.lookups, out[1], r);
  writeDrawingFile(DrawingKind::Pattern, xml.patterns, out[2], r);
  writeDrawingFile(DrawingKind::Symbol, symbols, out[3], r);
  writeDrawingFile(DrawingKind::LineStyle, xml.lineStyles, out[4], r);
  writeObjectClassFile(objectClasses, out[5], r);
  writeAttributeFile(attributes, out[6], r);

  const std::string sourceOf[7] = {sources.xml, sources.xml, sources.xml, sources.xml,
                                   sources.xml, sources.objectClasses, sources.attributes};
  for (int i = 0; i < 7; ++i) {
    if (!out[i].error().empty()) {
      error = sourceOf[i] + ": " + out[i].error() + " (writing " + kLibraryFileNames[i] + ")";
      return false;
    }
  }
  for (int i = 0; i < 7; ++i) files[i] = out[i].text();
  report = r;
  return true;
}

namespace {
bool writeFile(const fs::path& path, const std::string& text, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) {
    error = path.string() + ": cannot write";
    return false;
  }
  return true;
}
}  // namespace

bool convertLibrary(const LibrarySources& sources, const std::string& outDirectory, ConversionReport& report,
                    std::string& error) {
  LibraryFileTexts files;
  if (!buildLibraryFiles(sources, files, report, error)) return false;

  std::error_code ec;
  const fs::path out = fs::absolute(fs::path(outDirectory).lexically_normal(), ec);
  if (ec || out.filename().empty()) {
    error = outDirectory + ": not a usable output folder";
    return false;
  }
  const std::string suffix = "." + std::to_string(::getpid());
  const fs::path temporary = out.parent_path() / (out.filename().string() + ".new" + suffix);
  const fs::path previous = out.parent_path() / (out.filename().string() + ".old" + suffix);
  fs::create_directories(out.parent_path(), ec);
  fs::remove_all(temporary, ec);
  if (!fs::create_directory(temporary, ec)) {
    error = temporary.string() + ": cannot create: " + ec.message();
    return false;
  }
  for (int i = 0; i < 7; ++i) {
    if (!writeFile(temporary / kLibraryFileNames[i], files[i], error)) {
      fs::remove_all(temporary, ec);
      return false;
    }
  }
  const bool hadPrevious = fs::exists(out, ec);
  if (hadPrevious) fs::rename(out, previous, ec);
  if (!ec) fs::rename(temporary, out, ec);
  if (ec) {
    error = out.string() + ": cannot replace: " + ec.message();
    std::error_code ignored;
    if (hadPrevious && !fs::exists(out, ignored)) fs::rename(previous, out, ignored);
    fs::remove_all(temporary, ignored);
    return false;
  }
  fs::remove_all(previous, ec);
  return true;
}
