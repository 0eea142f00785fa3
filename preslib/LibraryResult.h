#pragma once
// Result codes of loading the presentation library, and their readable text.
// 0 is success; every other value is a failure. The codes a damaged file
// gives carry the file's index in libraryFiles() (LibraryFiles.h), so the
// text names the file.
#include <string>

enum LibraryResult : int {
  LibraryOk = 0,
  LibraryCannotOpen = 1,     // a library file cannot be opened or read
  LibraryBadColourRow = 9,   // S57Colours: a row of fewer than 8 fields, or outside a known scheme
  LibraryCutShort = 30,      // 30 + file index: the file lacks its closing marker
  LibraryNothingRead = 40,   // 40 + file index: every table the file fills came out empty
  // (the attribute value file, index 7, gives 37 and 47; the Chinese name
  // file, index 8, 38 and 48)
};

// The code of a damaged file: `base` (LibraryCutShort or LibraryNothingRead)
// plus the file's index.
inline int libraryFileResult(LibraryResult base, int file) { return base + file; }

// The index of the library file a code names, or -1 when it names none.
int libraryFileOfResult(int code);

// A short English reason, naming the file where the code does
// ("unknown library result code" for other values).
std::string libraryResultText(int code);
