#include "LibraryResult.h"

#include "LibraryFiles.h"
#include "PresentationLibrary.h"

int libraryFileOfResult(int code) {
  if (code >= LibraryCutShort && code < LibraryCutShort + kLibraryFileCount) return code - LibraryCutShort;
  if (code >= LibraryNothingRead && code < LibraryNothingRead + kLibraryFileCount) return code - LibraryNothingRead;
  if (code == LibraryBadColourRow) return libraryFileIndex(LibraryFileId::Colours);
  return -1;
}

std::string libraryResultText(int code) {
  switch (code) {
    case LibraryOk: return "library loaded";
    case LibraryCannotOpen: return "a library file cannot be opened or read";
    case LibraryBadColourRow:
      return "S57Colours: a colour row has fewer than 8 fields or stands outside a known colour scheme";
    default: break;
  }
  const int file = libraryFileOfResult(code);
  if (file < 0) return "unknown library result code";
  const std::string name = libraryFileName(file);
  if (code < LibraryNothingRead) return name + ": the file is cut short (it lacks its closing marker)";
  return name + ": nothing could be read from the file (it is empty or damaged)";
}
