#include "PresentationLibrary.h"

#include <cstdio>

#include "CatalogueReader.h"
#include "ColourFileReader.h"
#include "LookupTableReader.h"
#include "VectorDrawingReader.h"

const char* const kLibraryFileNames[7] = {"S57Colours",  "S57LookupTable",       "S57Patterns",    "S57Symbols",
                                          "S57ComplexLineStyles", "S57ObjectClasses", "S57Attributes"};

PresentationLibrary& presentationLibrary() {
  static PresentationLibrary library;
  return library;
}

int loadPresentationLibrary(PresentationLibrary& library, const std::string& directory, MissingFileReport report) {
  auto path = [&](int file) { return directory + "/" + kLibraryFileNames[file]; };
  // The colour reader reports nothing; every other reader prints "error!"
  // before it reports 1 for a file it cannot open.
  auto checked = [&](int result) {
    if (result == 1 && report == MissingFileReport::PrintError) {
      std::fputs("error!", stdout);
      std::fflush(stdout);
    }
    return result;
  };
  int result = readColourFile(path(0), library.colourTables);
  if (result > 0) return result;
  if ((result = checked(readLookupFile(path(1), library.lookupTables))) > 0) return result;
  if ((result = checked(readPatternFile(path(2), library.patterns))) > 0) return result;
  if ((result = checked(readSymbolFile(path(3), library.symbols))) > 0) return result;
  if ((result = checked(readLineStyleFile(path(4), library.lineStyles))) > 0) return result;
  if ((result = checked(readObjectClassFile(path(5), library.objectClassCatalogue))) > 0) return result;
  return checked(readAttributeFile(path(6), library.attributeCatalogue));
}

int loadPresentationLibrary() { return loadPresentationLibrary(presentationLibrary(), "S57Lib"); }
