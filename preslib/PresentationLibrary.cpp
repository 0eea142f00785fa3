#include "PresentationLibrary.h"

#include <cstdio>
#include <filesystem>

#include "AttributeValueReader.h"
#include "CatalogueReader.h"
#include "ChineseNameReader.h"
#include "ColourFileReader.h"
#include "LibraryFileChecks.h"
#include "LibraryResult.h"
#include "LookupTableReader.h"
#include "VectorDrawingReader.h"

const char* const kLibraryFileNames[7] = {"S57Colours",  "S57LookupTable",       "S57Patterns",    "S57Symbols",
                                          "S57ComplexLineStyles", "S57ObjectClasses", "S57Attributes"};

const char* const kAttributeValueFileName = "S57AttributeValues";
const char* const kChineseNameFileName = "S57ChineseNames";

const char* libraryFileName(int index) {
  if (index >= 0 && index < 7) return kLibraryFileNames[index];
  if (index == kAttributeValueFile) return kAttributeValueFileName;
  return index == kChineseNameFile ? kChineseNameFileName : nullptr;
}

PresentationLibrary& presentationLibrary() {
  static PresentationLibrary library;
  return library;
}

namespace {
int readLibraryFile(PresentationLibrary& library, int file, const std::string& path) {
  switch (file) {
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

int loadPresentationLibrary(PresentationLibrary& library, const std::string& directory, MissingFileReport report) {
  for (int file = 0; file <= kChineseNameFile; ++file) {
    const std::string path = directory + "/" + libraryFileName(file);
    std::error_code ec;
    if (file >= kAttributeValueFile && !std::filesystem::exists(path, ec)) continue;  // optional
    const int result = readLibraryFile(library, file, path);
    // The colour reader reports nothing; every other reader prints "error!"
    // before it reports 1 for a file it cannot open.
    if (result == LibraryCannotOpen && file > 0 && report == MissingFileReport::PrintError) {
      std::fputs("error!", stdout);
      std::fflush(stdout);
    }
    if (result > 0) return result;
    // A file that gave nothing, or that was cut short, would leave the
    // chart blank or partly drawn without a word: it fails the load.
    if (!libraryFileFilledSomething(library, file)) return libraryFileResult(LibraryNothingRead, file);
    if (!libraryFileClosed(path, file)) return libraryFileResult(LibraryCutShort, file);
  }
  return LibraryOk;
}

int loadPresentationLibrary() { return loadPresentationLibrary(presentationLibrary(), "S57Lib"); }
