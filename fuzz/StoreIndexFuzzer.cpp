// Feeds arbitrary bytes to the chart store's index reader, as a damaged or
// hostile index on disk would: it never crashes, every file an index it
// takes names is a path of the store's own form (so nothing outside the
// store is ever read or removed through it), and what it takes it writes
// back into an index that reads back the same. The same bytes go to the
// reader of the store's permits, which takes only records that read as
// permits and writes back what reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "StoreFiles.h"
#include "StoreIndex.h"
#include "StoredPermits.h"

namespace {

void permitsRoundTrip(std::string_view bytes) {
  std::vector<StoredPermit> permits;
  std::string error;
  if (!readPermitsBytes(bytes, permits, error)) return;
  for (const StoredPermit& p : permits)
    if (p.permit.cell.size() != 8) std::abort();
  const std::string written = permitsBytes(permits);
  std::vector<StoredPermit> again;
  if (!readPermitsBytes(written, again, error) || permitsBytes(again) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  permitsRoundTrip(bytes);
  StoreIndex index;
  std::string error;
  if (!readIndexBytes(bytes, index, error)) return 0;
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
