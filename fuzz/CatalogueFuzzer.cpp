// Feeds arbitrary bytes through the exchange set catalogue reader
// (CATALOG.031: the ISO 8211 layers, then the CATD records as the DDR
// describes them) and walks the entries as the folder check does.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ExchangeCatalogue.h"

namespace {
volatile size_t sink;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<CatalogueEntry> entries;
  readCatalogueBytes(std::string_view(reinterpret_cast<const char*>(data), size), entries);
  size_t total = 0;
  for (const CatalogueEntry& e : entries) total += catalogueRelativePath(e).size() + e.crc.size();
  sink = total;
  return 0;
}
