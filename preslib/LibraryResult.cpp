#include "LibraryResult.h"

#include "LibraryFiles.h"
#include "PresentationLibrary.h"

int libraryFileOfResult(LibraryResult result) {
  const int code = resultCode(result);
  const int cutShort = resultCode(LibraryResult::CutShort), nothingRead = resultCode(LibraryResult::NothingRead);
  if (code >= cutShort && code < cutShort + kLibraryFileCount) return code - cutShort;
  if (code >= nothingRead && code < nothingRead + kLibraryFileCount) return code - nothingRead;
  if (result == LibraryResult::BadColourRow) return libraryFileIndex(LibraryFileId::Colours);
  return -1;
}

std::string libraryResultText(LibraryResult result) {
  switch (result) {
    case LibraryResult::Ok: return "library loaded";
    case LibraryResult::CannotOpen: return "a library file cannot be opened or read";
    case LibraryResult::BadColourRow:
      return "S57Colours: a colour row has fewer than 8 fields or stands outside a known colour scheme";
    default: break;
  }
  const int file = libraryFileOfResult(result);
  if (file < 0) return "unknown library result code";
  const std::string name = libraryFileName(file);
  if (resultCode(result) < resultCode(LibraryResult::NothingRead))
    return name + ": the file is cut short (it lacks its closing marker)";
  return name + ": nothing could be read from the file (it is empty or damaged)";
}
