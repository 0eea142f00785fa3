// Decryption with unzipping on arbitrary archives: the input, taken as the
// zip archive a data server would encrypt, is encrypted with a cell key and
// taken through the data client's decryption (both cell keys tried, the
// padding taken off, libzip unpacking from memory under a size limit);
// and the input itself is decrypted as if it were an encrypted cell.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "CellDecryption.h"

namespace {

volatile size_t sink;
// Small enough that no input can take long to unpack; the limit is the
// same code whatever its value.
constexpr size_t kLimit = 1 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  CellKeys keys;
  for (size_t i = 0; i < CellKeys::kLength; ++i) {
    keys.key1[i] = static_cast<unsigned char>('A' + i);
    keys.key2[i] = static_cast<unsigned char>('a' + i);
  }
  const std::vector<CellKeys> candidates{keys};
  SecureBytes plain;
  const DecryptionResult packed = decryptEncFile(encryptWithCellKey(input, keys.key2), candidates, plain, kLimit);
  size_t total = plain.size() + packed.reason.size();
  const DecryptionResult raw = decryptEncFile(input, candidates, plain, kLimit);
  total += plain.size() + raw.reason.size();
  sink = total;
  return 0;
}
