#include "PresentationLibrary.h"

#include <cstdio>
#include <filesystem>

#include "LibraryFileChecks.h"
#include "LibraryFiles.h"
#include "LibraryResult.h"

const char* libraryFileName(int index) {
  if (index < 0 || index >= kLibraryFileCount) return nullptr;
  return libraryFiles()[static_cast<std::size_t>(index)].name;
}

LibraryResult loadPresentationLibrary(PresentationLibrary& library, const std::string& directory,
                                      MissingFileReport report) {
  for (const LibraryFile& file : libraryFiles()) {
    const std::string path = directory + "/" + file.name;
    std::error_code ec;
    if (!file.required() && !std::filesystem::exists(path, ec)) continue;  // optional
    const LibraryResult result = file.read(path, library);
    // The colour reader reports nothing; every other reader prints "error!"
    // before it reports a file it cannot open.
    if (result == LibraryResult::CannotOpen && file.id != LibraryFileId::Colours &&
        report == MissingFileReport::PrintError) {
      std::fputs("error!", stdout);
      std::fflush(stdout);
    }
    if (result != LibraryResult::Ok) return result;
    // A file that gave nothing, or that was cut short, would leave the
    // chart blank or partly drawn without a word: it fails the load.
    const int index = libraryFileIndex(file.id);
    if (!file.filledSomething(library)) return libraryFileResult(LibraryResult::NothingRead, index);
    if (!libraryFileClosed(path, file.ending)) return libraryFileResult(LibraryResult::CutShort, index);
  }
  return LibraryResult::Ok;
}
