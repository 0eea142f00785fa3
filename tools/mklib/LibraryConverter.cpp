#include "LibraryConverter.h"

#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <set>

#include "AttributeValueFileWriter.h"
#include "BitmapTracing.h"
#include "CatalogueCsv.h"
#include "CatalogueFileWriter.h"
#include "ChartSymbolsXml.h"
#include "ChineseNameFileWriter.h"
#include "ColourFileWriter.h"
#include "ColourToken.h"
#include "ContourLabelSymbols.h"
#include "DrawingFileWriter.h"
#include "InputExcerpt.h"
#include "LibraryTextFile.h"
#include "LookupFileWriter.h"
#include "PresentationLibrary.h"
#include "SoundingFigureSymbols.h"

namespace fs = std::filesystem;

std::string ConversionReport::summary() const {
  std::string s;
  s += std::to_string(colourTables) + " colour tables (" + std::to_string(colours) + " colours";
  if (unknownColourTokens) s += ", " + std::to_string(unknownColourTokens) + " unknown tokens left out";
  s += "), " + std::to_string(lookups) + " look-ups (" + std::to_string(lookupsWithLongClassName) +
       " with a class name longer than six characters left out, " + std::to_string(lookupsWithRenamedProcedure) +
       " with a procedure renamed, " + std::to_string(lookupsWithRepairedName) + " with a drawing name repaired, " +
       std::to_string(lookupsWithMendedCategory) + " with a display category mended), ";
  s += std::to_string(symbols) + " symbols (" + std::to_string(contourLabelSymbols) + " contour label digits and " +
       std::to_string(soundingFigureSymbols) + " sounding figure symbols added, " + std::to_string(tracedSymbols) +
       " traced from bitmaps, " + std::to_string(bitmapOnlySymbols) + " bitmap-only left out), ";
  s += std::to_string(patterns) + " patterns (" + std::to_string(tracedPatterns) + " traced from bitmaps, " +
       std::to_string(bitmapOnlyPatterns) + " bitmap-only left out), ";
  if (tracedSymbols + tracedPatterns > 0)
    s += std::to_string(tracedRectangles) + " traced rectangles (at most " + std::to_string(mostTracedRectangles) +
         ", in " + mostTracedName + "), ";
  s += std::to_string(lineStyles) + " line styles, ";
  if (supplementarySymbols + supplementaryPatterns + supplementaryLineStyles > 0 || !supplementaryLeftOut.empty()) {
    s += "from the supplementary drawings " + std::to_string(supplementarySymbols) + " symbols, " +
         std::to_string(supplementaryPatterns) + " patterns and " + std::to_string(supplementaryLineStyles) +
         " line styles";
    if (!supplementaryLeftOut.empty())
      s += " (" + std::to_string(supplementaryLeftOut.size()) + " left out: the XML has them)";
    s += ", ";
  }
  s += std::to_string(objectClasses) + " object classes, " + std::to_string(attributes) + " attributes";
  if (attributeValues) s += ", " + std::to_string(attributeValues) + " attribute values";
  if (chineseNames) s += ", " + std::to_string(chineseNames) + " Chinese names";
  return s;
}

std::string ConversionReport::nameReport() const {
  std::string s;
  for (const NameRepair& r : names.repairs)
    s += "repaired " + r.text() + " (" + std::to_string(r.commands) + (r.commands == 1 ? " use" : " uses") +
         ", first at line " + std::to_string(r.firstLine) + ")\n";
  if (!supplementaryLeftOut.empty()) {
    s += "supplementary drawings left out, the XML has them:";
    for (const std::string& d : supplementaryLeftOut) s += " " + d;
    s += "\n";
  }
  if (names.missing.empty()) return s;
  s += "look-ups name " + std::to_string(names.missing.size()) +
       (names.missing.size() == 1 ? " drawing" : " drawings") + " no source has:";
  auto list = [&](const char* kind, const std::set<std::string>& names) {
    if (names.empty()) return;
    s += std::string(" ") + kind;
    for (const std::string& n : names) s += " " + n;
    s += ";";
  };
  list("symbols", names.missing.symbols);
  list("patterns", names.missing.patterns);
  list("line styles", names.missing.lineStyles);
  s.back() = '\n';
  return s;
}

std::string ConversionReport::categoryReport() const {
  std::string s;
  for (const CategoryRepair& r : categories)
    s += "mended display category " + r.text() + " (" + std::to_string(r.lookups) +
         (r.lookups == 1 ? " look-up" : " look-ups") + ", first at line " + std::to_string(r.firstLine) + ")\n";
  return s;
}

namespace {
// The names of the drawings that are written: those with a vector form.
std::set<std::string> writtenNames(const std::vector<XmlDrawing>& drawings) {
  std::set<std::string> names;
  for (const XmlDrawing& d : drawings)
    if (d.hasVector) names.insert(d.name);
  return names;
}

// What the raster sheet gives: the sheet and the day colours its pixels are matched to.
struct RasterSource {
  QImage sheet;
  std::vector<XmlColour> colours;
};

// The drawings of one section as they are written: every record in XML order,
// a bitmap-only record replaced by its traced drawing where it can be traced
// (the writer leaves out the others), then the project's own drawings of
// the names that have no vector drawing in the XML. A name with a vector
// drawing in some record, or with a drawing of the project's own, is not
// traced.
bool resolveDrawings(DrawingKind kind, const std::vector<XmlDrawing>& xmlDrawings,
                     const std::vector<XmlDrawing>& ownDrawings, const RasterSource* raster,
                     const std::string& xmlPath, std::vector<XmlDrawing>& out, ConversionReport& r,
                     std::string& error) {
  std::set<std::string> drawn, own;
  for (const XmlDrawing& d : xmlDrawings)
    if (d.hasVector) drawn.insert(d.name);
  for (const XmlDrawing& d : ownDrawings) own.insert(d.name);

  const bool pattern = kind == DrawingKind::Pattern;
  out.clear();
  for (const XmlDrawing& d : xmlDrawings) {
    const XmlBitmap& b = d.bitmap;
    if (d.hasVector || !raster || drawn.count(d.name) || own.count(d.name) || !b.hasLocation || b.width <= 0 ||
        b.height <= 0) {
      out.push_back(d);
      continue;
    }
    const QImage& sheet = raster->sheet;
    if (b.locationX < 0 || b.locationY < 0 || b.locationX > sheet.width() - b.width ||
        b.locationY > sheet.height() - b.height) {
      error = xmlPath + ":" + std::to_string(d.sourceLine) + ": the bitmap of " + inputExcerpt(d.name) +
              " lies outside the raster sheet of " + std::to_string(sheet.width()) + " x " +
              std::to_string(sheet.height()) + " pixels";
      return false;
    }
    const std::vector<TracedRegion> regions =
        traceRegions(sheet.copy(b.locationX, b.locationY, b.width, b.height), raster->colours,
                     colourRefTokens(d.colourRef));
    if (regions.empty()) {  // fully transparent
      out.push_back(d);
      continue;
    }
    out.push_back(tracedDrawing(d, regions, pattern));
    int rectangles = 0;
    for (const TracedRegion& region : regions) rectangles += static_cast<int>(region.rectangles.size());
    ++(pattern ? r.tracedPatterns : r.tracedSymbols);
    r.tracedRectangles += rectangles;
    if (rectangles > r.mostTracedRectangles) {
      r.mostTracedRectangles = rectangles;
      r.mostTracedName = d.name;
    }
  }
  for (const XmlDrawing& d : ownDrawings)
    if (!drawn.count(d.name)) out.push_back(d);
  return true;
}

// Appends to `out` the supplementary drawings whose names the XML has no
// vector drawing of, and notes the others as left out; returns how many
// were taken.
int takeSupplement(const std::vector<XmlDrawing>& supplement, const std::vector<XmlDrawing>& xmlDrawings,
                   const char* what, std::vector<XmlDrawing>& out, ConversionReport& r) {
  const std::set<std::string> xmlVectors = writtenNames(xmlDrawings);
  int taken = 0;
  for (const XmlDrawing& d : supplement) {
    if (xmlVectors.count(d.name)) {
      r.supplementaryLeftOut.push_back(std::string(what) + " " + d.name);
      continue;
    }
    out.push_back(d);
    ++taken;
  }
  return taken;
}

bool readRaster(const LibrarySources& sources, const ChartSymbolsXml& xml, RasterSource& raster, std::string& error) {
  if (!raster.sheet.load(QString::fromStdString(sources.raster))) {
    error = sources.raster + ": cannot read as an image";
    return false;
  }
  // The day colours the readers know (an unknown token would read as NODTA).
  for (const XmlColourTable& t : xml.colourTables)
    if (t.name == "DAY_BRIGHT")
      for (const XmlColour& c : t.colours)
        if (colourIndex(c.token) != 0 || c.token == "NODTA") raster.colours.push_back(c);
  if (raster.colours.empty()) {
    error = sources.xml + ": no DAY_BRIGHT colours to match the raster sheet's pixels to";
    return false;
  }
  return true;
}
}  // namespace

bool buildLibraryFiles(const LibrarySources& sources, LibraryFileTexts& files, ConversionReport& report,
                       std::string& error) {
  ChartSymbolsXml xml;
  CsvTable objectClasses, attributes;
  if (!readChartSymbolsXml(sources.xml, xml, error) || !readCsvTable(sources.objectClasses, objectClasses, error) ||
      !readCsvTable(sources.attributes, attributes, error))
    return false;
  RasterSource raster;
  if (!sources.raster.empty() && !readRaster(sources, xml, raster, error)) return false;
  const RasterSource* sheet = sources.raster.empty() ? nullptr : &raster;

  ChartSymbolsXml supplement;
  if (!sources.supplement.empty() && !readDrawingsXml(sources.supplement, supplement, error)) return false;

  ConversionReport r;
  std::vector<XmlDrawing> symbols, patterns, lineStyles;
  const std::vector<XmlDrawing> contourDigits = contourLabelSymbols(), figures = soundingFigureSymbols();
  std::vector<XmlDrawing> own = contourDigits;
  own.insert(own.end(), figures.begin(), figures.end());
  r.supplementarySymbols = takeSupplement(supplement.symbols, xml.symbols, "symbol", own, r);
  std::vector<XmlDrawing> ownPatterns;
  r.supplementaryPatterns = takeSupplement(supplement.patterns, xml.patterns, "pattern", ownPatterns, r);
  lineStyles = xml.lineStyles;
  r.supplementaryLineStyles = takeSupplement(supplement.lineStyles, xml.lineStyles, "line style", lineStyles, r);
  if (!resolveDrawings(DrawingKind::Symbol, xml.symbols, own, sheet, sources.xml, symbols, r, error) ||
      !resolveDrawings(DrawingKind::Pattern, xml.patterns, ownPatterns, sheet, sources.xml, patterns, r, error))
    return false;
  std::set<std::string> vectorNames;
  for (const XmlDrawing& d : xml.symbols)
    if (d.hasVector) vectorNames.insert(d.name);
  auto added = [&](const std::vector<XmlDrawing>& drawings) {
    int n = 0;
    for (const XmlDrawing& d : drawings) n += vectorNames.count(d.name) ? 0 : 1;
    return n;
  };
  r.contourLabelSymbols = added(contourDigits);
  r.soundingFigureSymbols = added(figures);

  LibraryTextFile out[kRequiredLibraryFileCount];
  std::string sourceOf[kRequiredLibraryFileCount];
  const auto file = [&](LibraryFileId id, const std::string& source) -> LibraryTextFile& {
    sourceOf[libraryFileIndex(id)] = source;
    return out[libraryFileIndex(id)];
  };
  writeColourFile(xml.colourTables, file(LibraryFileId::Colours, sources.xml), r);
  const DrawingNames written{writtenNames(symbols), writtenNames(patterns), writtenNames(lineStyles)};
  writeLookupFile(xml.lookups, written, file(LibraryFileId::Lookups, sources.xml), r);
  writeDrawingFile(DrawingKind::Pattern, patterns, file(LibraryFileId::Patterns, sources.xml), r);
  writeDrawingFile(DrawingKind::Symbol, symbols, file(LibraryFileId::Symbols, sources.xml), r);
  writeDrawingFile(DrawingKind::LineStyle, lineStyles, file(LibraryFileId::LineStyles, sources.xml), r);
  writeObjectClassFile(objectClasses, file(LibraryFileId::ObjectClasses, sources.objectClasses), r);
  writeAttributeFile(attributes, file(LibraryFileId::Attributes, sources.attributes), r);

  for (int i = 0; i < kRequiredLibraryFileCount; ++i) {
    if (!out[i].error().empty()) {
      error = sourceOf[i] + ": " + out[i].error() + " (writing " + libraryFileName(i) + ")";
      return false;
    }
  }
  for (int i = 0; i < kRequiredLibraryFileCount; ++i) files[static_cast<std::size_t>(i)] = out[i].text();
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
  std::string valueFile;
  if (!sources.attributeValues.empty() &&
      !buildAttributeValueFile(sources.attributeValues, valueFile, report.attributeValues, error))
    return false;
  std::string chineseFile;
  if (!sources.chineseNames.empty() &&
      !buildChineseNameFile(sources.chineseNames, sources.objectClasses, sources.attributes, chineseFile,
                            report.chineseNames, error))
    return false;

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
  for (int i = 0; i < kRequiredLibraryFileCount; ++i) {
    if (!writeFile(temporary / libraryFileName(i), files[static_cast<std::size_t>(i)], error)) {
      fs::remove_all(temporary, ec);
      return false;
    }
  }
  if ((!valueFile.empty() &&
       !writeFile(temporary / libraryFile(LibraryFileId::AttributeValues).name, valueFile, error)) ||
      (!chineseFile.empty() &&
       !writeFile(temporary / libraryFile(LibraryFileId::ChineseNames).name, chineseFile, error))) {
    fs::remove_all(temporary, ec);
    return false;
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
