#pragma once
// The S-52 presentation library: every table read at start-up from the seven
// library files, the meanings of attribute values from an eighth file and
// the Chinese names from a ninth, each when the folder holds it
// (LibraryFiles.h lists them). Filled once before any cell is loaded (the
// engine that holds it reads it), read-only afterwards.
#include <array>
#include <map>
#include <string>

#include "Catalogue.h"
#include "ChineseNames.h"
#include "ColourTable.h"
#include "LibraryResult.h"
#include "LookupEntry.h"
#include "VectorDrawing.h"

struct PresentationLibrary {
  std::array<ColourTable, kColourSchemeCount> colourTables{};  // by ColourScheme
  ObjectClassCatalogue objectClassCatalogue;
  AttributeCatalogue attributeCatalogue;
  AttributeValueCatalogue attributeValues;  // empty without the attribute value file
  ChineseNames chineseNames;                // empty without the Chinese name file
  std::array<LookupTable, kLookupTableCount> lookupTables{};  // by LookupTableId
  std::map<std::string, SymbolDefinition> symbols;
  std::map<std::string, PatternDefinition> patterns;
  std::map<std::string, LineStyleDefinition> lineStyles;

  const ColourTable& colourTable(ColourScheme s) const { return colourTables[static_cast<int>(s)]; }
  const LookupTable& lookupTable(LookupTableId t) const { return lookupTables[static_cast<int>(t)]; }
};

// What a reader other than the colour reader does when its file cannot be
// opened: write "error!" (no line feed) to standard output, or stay silent
// (for tools that print their own report on standard output).
enum class MissingFileReport { PrintError, Silent };

// Reads the library files of `directory` into `library` in the order of
// libraryFiles() (LibraryFiles.h): the seven required ones, then the
// attribute value file and the Chinese name file, each when the folder has
// it, stopping at the first failure. Returns Ok when all read whole (the
// optional files may be absent: values then show as their codes, names in
// English), else the failing reader's result (CannotOpen, BadColourRow), or
// a result naming a file that gave nothing at all or that lacks its closing
// marker (LibraryFileChecks.h). libraryResultText gives the reason. Tables
// filled before a failure stay filled. File paths are `directory` + "/" +
// file name.
LibraryResult loadPresentationLibrary(PresentationLibrary& library, const std::string& directory,
                                      MissingFileReport report = MissingFileReport::PrintError);

// The name of library file `index` (its place in libraryFiles()); null for
// any other index.
const char* libraryFileName(int index);
