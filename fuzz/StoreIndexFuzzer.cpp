// Feeds arbitrary bytes to the chart store's index reader, as a damaged or
// hostile index on disk would: it never crashes, every file an index it
// takes names is a path of the store's own form (so nothing outside the
// store is ever read or removed through it), and what it takes it writes
// back into an index that reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "StoreFiles.h"
#include "StoreIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StoreIndex index;
  std::string error;
  if (!readIndexBytes(std::string_view(reinterpret_cast<const char*>(data), size), index, error)) return 0;
  for (const StoredCell& c : index.cells) {
    if (!c.base.path.empty() && !isStoredCellPath(c.base.path)) std::abort();
    for (const StoredUpdate& u : c.updates)
      if (!isStoredCellPath(u.file.path)) std::abort();
  }
  const std::string written = indexBytes(index);
  StoreIndex again;
  if (!readIndexBytes(written, again, error) || indexBytes(again) != written) std::abort();
  return 0;
}
