// Feeds arbitrary bytes through the whole cell reader (records, DDR, every
// decoder), checks the records against the numbers DSSI declares as loadCell
// does, and walks what it kept, as the geometry assembly will. The same
// bytes read as a file (through the reader's window) must give the same
// result as read from memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "FuzzInputFile.h"
#include "RecordCheck.h"
#include "S57CellReader.h"

namespace {
volatile size_t sink;  // keeps the walk from being optimised away
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  S57CellReader reader;
  const ReaderResult code = reader.readCellBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  size_t found = code == ReaderResult::Ok ? checkCellRecords("fuzz.000", reader).size() : 0;
  for (const auto& feature : reader.features)
    for (const FSPT& pointer : feature->spatialPointers) found += reader.findVector(pointer.NAME) != nullptr;
  for (const auto& vector : reader.vectors)
    for (const VRPT& pointer : vector->pointers) found += reader.findVector(pointer.NAME) != nullptr;
  sink = found;

  static FuzzInputFile file;
  S57CellReader fromFile;
  if (fromFile.readCell(file.write(data, size)) != code || fromFile.features.size() != reader.features.size() ||
      fromFile.vectors.size() != reader.vectors.size() || fromFile.vectorIndex.size() != reader.vectorIndex.size() ||
      fromFile.fieldDescriptions != reader.fieldDescriptions)
    std::abort();  // the file read otherwise than its bytes
  return 0;
}
