#include "LibraryFiles.h"

#include <algorithm>

#include "AttributeValueReader.h"
#include "CatalogueReader.h"
#include "ChineseNameReader.h"
#include "ColourFileReader.h"
#include "LookupTableReader.h"
#include "PresentationLibrary.h"
#include "VectorDrawingReader.h"

namespace {
constexpr std::array<LibraryFile, kLibraryFileCount> kFiles = {{
    {LibraryFileId::Colours, "S57Colours", FileEnding::Unmarked,
     [](const std::string& path, PresentationLibrary& l) { return readColourFile(path, l.colourTables); },
     [](const PresentationLibrary& l) {
       return std::any_of(l.colourTables.begin(), l.colourTables.end(), [](const ColourTable& table) {
         return std::any_of(table.entries.begin(), table.entries.end(), [](const QColor& c) { return c.isValid(); });
       });
     }},
    {LibraryFileId::Lookups, "S57LookupTable", FileEnding::RecordTerminator,
     [](const std::string& path, PresentationLibrary& l) { return readLookupFile(path, l.lookupTables); },
     [](const PresentationLibrary& l) {
       return std::any_of(l.lookupTables.begin(), l.lookupTables.end(),
                          [](const LookupTable& table) { return !table.empty(); });
     }},
    {LibraryFileId::Patterns, "S57Patterns", FileEnding::RecordTerminator,
     [](const std::string& path, PresentationLibrary& l) { return readPatternFile(path, l.patterns); },
     [](const PresentationLibrary& l) { return !l.patterns.empty(); }},
    {LibraryFileId::Symbols, "S57Symbols", FileEnding::RecordTerminator,
     [](const std::string& path, PresentationLibrary& l) { return readSymbolFile(path, l.symbols); },
     [](const PresentationLibrary& l) { return !l.symbols.empty(); }},
    {LibraryFileId::LineStyles, "S57ComplexLineStyles", FileEnding::RecordTerminator,
     [](const std::string& path, PresentationLibrary& l) { return readLineStyleFile(path, l.lineStyles); },
     [](const PresentationLibrary& l) { return !l.lineStyles.empty(); }},
    {LibraryFileId::ObjectClasses, "S57ObjectClasses", FileEnding::ObjectClassRecord,
     [](const std::string& path, PresentationLibrary& l) { return readObjectClassFile(path, l.objectClassCatalogue); },
     [](const PresentationLibrary& l) { return !l.objectClassCatalogue.empty(); }},
    {LibraryFileId::Attributes, "S57Attributes", FileEnding::RecordCloseLine,
     [](const std::string& path, PresentationLibrary& l) { return readAttributeFile(path, l.attributeCatalogue); },
     [](const PresentationLibrary& l) { return !l.attributeCatalogue.empty(); }},
    {LibraryFileId::AttributeValues, "S57AttributeValues", FileEnding::RecordCloseLine,
     [](const std::string& path, PresentationLibrary& l) { return readAttributeValueFile(path, l.attributeValues); },
     [](const PresentationLibrary& l) { return !l.attributeValues.empty(); }},
    {LibraryFileId::ChineseNames, "S57ChineseNames", FileEnding::EndLine,
     [](const std::string& path, PresentationLibrary& l) { return readChineseNameFile(path, l.chineseNames); },
     [](const PresentationLibrary& l) { return !l.chineseNames.empty(); }},
}};

// Each file stands at the place its id names.
constexpr bool inIdOrder() {
  for (int i = 0; i < kLibraryFileCount; ++i)
    if (static_cast<int>(kFiles[static_cast<std::size_t>(i)].id) != i) return false;
  return true;
}
static_assert(inIdOrder(), "the library files stand in the order of their ids");
static_assert(static_cast<int>(LibraryFileId::AttributeValues) == kRequiredLibraryFileCount,
              "the optional files come after the required ones");
}  // namespace

const std::array<LibraryFile, kLibraryFileCount>& libraryFiles() { return kFiles; }

const LibraryFile& libraryFile(LibraryFileId id) { return kFiles[static_cast<std::size_t>(id)]; }

const LibraryFile* findLibraryFile(std::string_view name) {
  for (const LibraryFile& file : kFiles)
    if (name == file.name) return &file;
  return nullptr;
}
