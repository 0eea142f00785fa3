#pragma once
// The files of a presentation library folder, in the order they are read:
// one table that the loader, the checks of a whole file, the tools that
// write or describe a library and the fuzz targets all go by. A file's
// index in the table is the index the result codes of a damaged file carry
// (LibraryResult.h).
#include <array>
#include <string>
#include <string_view>

#include "LibraryResult.h"

struct PresentationLibrary;

// Each file by what it holds; the value is its place in the table.
enum class LibraryFileId : int {
  Colours,
  Lookups,
  Patterns,
  Symbols,
  LineStyles,
  ObjectClasses,
  Attributes,
  AttributeValues,  // optional: without it attribute values show as their codes
  ChineseNames,     // optional: without it names and chart texts stay English under 中文显示
};
inline constexpr int kLibraryFileCount = 9;
// The files every library has: all but the attribute value and Chinese name
// files.
inline constexpr int kRequiredLibraryFileCount = 7;

// How a whole file ends, so that one cut short can be told (LibraryFileChecks.h).
enum class FileEnding {
  Unmarked,           // the colour file has no closing marker
  RecordTerminator,   // the record terminator line closes the last record
  RecordCloseLine,    // a ">" line closes the last record
  ObjectClassRecord,  // the last record has all seven lines after its "<" line
  EndLine,            // an "END" line closes the file
};

struct LibraryFile {
  LibraryFileId id;
  // Whether every library has it (all but the attribute value and Chinese
  // name files).
  bool required() const { return static_cast<int>(id) < kRequiredLibraryFileCount; }
  const char* name;  // in the library folder
  FileEnding ending;
  // Reads the file at `path` into its tables of `library`: Ok, or the
  // reader's result (CannotOpen when it cannot be opened).
  LibraryResult (*read)(const std::string& path, PresentationLibrary& library);
  // Whether its tables hold anything: any colour of any scheme, any look-up
  // entry of any table, any drawing of its kind, any catalogue record, any
  // attribute value, any Chinese name.
  bool (*filledSomething)(const PresentationLibrary& library);
};

// Every file, in reading order: the seven required ones, then the
// attribute value file and the Chinese name file.
const std::array<LibraryFile, kLibraryFileCount>& libraryFiles();
const LibraryFile& libraryFile(LibraryFileId id);
inline int libraryFileIndex(LibraryFileId id) { return static_cast<int>(id); }

// The file of that name, or null.
const LibraryFile* findLibraryFile(std::string_view name);
