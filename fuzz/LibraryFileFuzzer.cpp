// Feeds arbitrary bytes to one of the presentation library readers (the
// seven files, the attribute value file and the Chinese name file) as the
// content of its file, then to the checks that tell a whole file from a
// damaged one. Built once per file: CHART_FUZZ_LIBRARY_FILE is the file's
// index as libraryFileName takes it.
#include <cstddef>
#include <cstdint>

#include "AttributeValueReader.h"
#include "CatalogueReader.h"
#include "ChineseNameReader.h"
#include "ColourFileReader.h"
#include "FuzzInputFile.h"
#include "LibraryFileChecks.h"
#include "LookupTableReader.h"
#include "PresentationLibrary.h"
#include "VectorDrawingReader.h"

namespace {
constexpr int kFile = CHART_FUZZ_LIBRARY_FILE;
static_assert(kFile >= 0 && kFile <= kChineseNameFile, "a library file index");

volatile size_t sink;  // keeps the walk from being optimised away

int readInto(PresentationLibrary& library, const std::string& path) {
  switch (kFile) {
    case 0: return readColourFile(path, library.colourTables);
    case 1: return readLookupFile(path, library.lookupTables);
    case 2: return readPatternFile(path, library.patterns);
    case 3: return readSymbolFile(path, library.symbols);
    case 4: return readLineStyleFile(path, library.lineStyles);
    case 5: return readObjectClassFile(path, library.objectClassCatalogue);
    case 6: return readAttributeFile(path, library.attributeCatalogue);
    case 7: return readAttributeValueFile(path, library.attributeValues);
    default: return readChineseNameFile(path, library.chineseNames);
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzInputFile file;
  const std::string& path = file.write(data, size);
  PresentationLibrary library;
  size_t found = static_cast<size_t>(readInto(library, path));
  found += libraryFileFilledSomething(library, kFile) ? 1 : 0;
  found += libraryFileClosed(path, kFile) ? 1 : 0;
  for (const auto& table : library.lookupTables)
    for (const auto& [name, entries] : table)
      for (const LookupEntry& entry : entries) found += entry.instructions.size() + entry.conditions.size();
  for (const auto& [name, symbol] : library.symbols) found += symbol.commands.size();
  for (const auto& [name, style] : library.lineStyles) found += style.segments.size();
  for (const auto& [code, meanings] : library.attributeValues) found += meanings.size();
  for (const auto& [text, chinese] : library.chineseNames.texts) found += chinese.size();
  sink = found;
  return 0;
}
