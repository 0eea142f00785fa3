#pragma once
// Result codes of loading the presentation library, and their readable text.
// Ok is success; every other value is a failure. The codes a damaged file
// gives carry the file's index in libraryFiles() (LibraryFiles.h), so the
// text names the file.
#include <string>

enum class LibraryResult : int {
  Ok = 0,
  CannotOpen = 1,    // a library file cannot be opened or read
  BadColourRow = 9,  // S57Colours: a row of fewer than 8 fields, or outside a known scheme
  CutShort = 30,     // 30 + file index: the file lacks its closing marker
  NothingRead = 40,  // 40 + file index: every table the file fills came out empty
  // (the attribute value file, index 7, gives 37 and 47; the Chinese name
  // file, index 8, 38 and 48)
};

// The result of a damaged file: `base` (CutShort or NothingRead) plus the
// file's index.
inline LibraryResult libraryFileResult(LibraryResult base, int file) {
  return static_cast<LibraryResult>(static_cast<int>(base) + file);
}

// The index of the library file a result names, or -1 when it names none.
int libraryFileOfResult(LibraryResult result);

// A short English reason, naming the file where the result does
// ("unknown library result code" for other values).
std::string libraryResultText(LibraryResult result);

// The number of a result, as it is printed.
inline int resultCode(LibraryResult result) { return static_cast<int>(result); }
