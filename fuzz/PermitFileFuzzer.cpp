// Feeds arbitrary bytes through the permit file reader (PERMIT.TXT: the
// header, the :ENC and :ECS sections, each record's fields) and checks
// every record read as the data client does when it installs permits.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "PermitCheck.h"
#include "PermitFile.h"

namespace {
volatile size_t sink;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const PermitFile file = parsePermitFile(std::string_view(reinterpret_cast<const char*>(data), size));
  const SecureString key6 = "123451";
  size_t total = file.reason.size();
  for (const PermitRecord& record : file.records) {
    const PermitVerdict verdict = checkPermitRecord(record, key6, CalendarDay{2013, 6, 1});
    total += verdict.codes.size() + record.permit.cell.size();
    CellKeys keys;
    if (record.format == SseCode::None) total += decryptCellKeys(record.permit, key6, keys);
  }
  sink = total;
  return 0;
}
