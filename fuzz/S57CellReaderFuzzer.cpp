// Feeds arbitrary bytes through the whole cell reader (records, DDR, every
// decoder), checks the records against the numbers DSSI declares as loadCell
// does, and walks what it kept, as the geometry assembly will.
#include <cstddef>
#include <cstdint>
#include <string_view>

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
  return 0;
}
