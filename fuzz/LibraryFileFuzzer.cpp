// Feeds arbitrary bytes to one of the presentation library readers (the
// seven files, the attribute value file and the Chinese name file) as the
// content of its file, then to the checks that tell a whole file from a
// damaged one. Built once per file: CHART_FUZZ_LIBRARY_FILE is the file's
// name, as libraryFiles() lists it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzInputFile.h"
#include "LibraryFileChecks.h"
#include "LibraryFiles.h"
#include "PresentationLibrary.h"

namespace {
volatile size_t sink;  // keeps the walk from being optimised away

const LibraryFile& fuzzedFile() {
  static const LibraryFile* file = findLibraryFile(CHART_FUZZ_LIBRARY_FILE);
  if (!file) std::abort();  // a target named after no library file
  return *file;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzInputFile input;
  const LibraryFile& file = fuzzedFile();
  const std::string& path = input.write(data, size);
  PresentationLibrary library;
  size_t found = static_cast<size_t>(resultCode(file.read(path, library)));
  found += file.filledSomething(library) ? 1 : 0;
  found += libraryFileClosed(path, file.ending) ? 1 : 0;
  for (const auto& table : library.lookupTables)
    for (const auto& [name, entries] : table)
      for (const LookupEntry& entry : entries) found += entry.instructions.size() + entry.conditions.size();
  for (const auto& [name, symbol] : library.symbols) found += symbol.commands.size();
  for (const auto& [name, style] : library.lineStyles) found += style.segments.size();
  for (const auto& [code, meanings] : library.attributeValues) found += meanings.size();
  for (const auto& [text, chinese] : library.chineseNames.texts) found += chinese.size();
  sink = found;
  return 0;
}
