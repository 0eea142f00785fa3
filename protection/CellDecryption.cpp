#include "CellDecryption.h"

#include <cstring>

#include "Blowfish.h"
#include "ZipArchive.h"

namespace {

// The bytes left once the padding is taken off: the last byte n, from 1 to
// 8, repeated n times. A file without that padding is taken whole.
std::size_t unpaddedSize(const SecureBytes& bytes) {
  if (bytes.empty() || bytes.size() % Blowfish::kBlock != 0) return bytes.size();
  const unsigned char n = bytes.back();
  if (n < 1 || n > Blowfish::kBlock) return bytes.size();
  for (std::size_t i = bytes.size() - n; i < bytes.size(); ++i)
    if (bytes[i] != n) return bytes.size();
  return bytes.size() - n;
}

}  // namespace

DecryptionResult decryptEncFile(std::string_view encrypted, const std::vector<CellKeys>& candidates,
                                SecureBytes& plain, std::size_t limit) {
  DecryptionResult result;
  plain.clear();
  SecureBytes archive(encrypted.size());
  std::string lastReason = "no cell key to try";
  bool damagedWithRightKey = false;
  for (std::size_t set = 0; set < candidates.size(); ++set) {
    for (int which = 1; which <= 2; ++which) {
      const unsigned char* key = which == 1 ? candidates[set].key1 : candidates[set].key2;
      if (which == 2 && std::memcmp(candidates[set].key1, candidates[set].key2, CellKeys::kLength) == 0) continue;
      const Blowfish cipher(key, CellKeys::kLength);
      const unsigned char* in = reinterpret_cast<const unsigned char*>(encrypted.data());
      // A zip archive begins with a local file header: a wrong key shows in
      // the first block, before the rest is decrypted.
      unsigned char first[Blowfish::kBlock];
      if (encrypted.size() >= Blowfish::kBlock) cipher.decryptBlock(in, first);
      const bool zipStart = encrypted.size() >= Blowfish::kBlock && std::memcmp(first, "PK\x03\x04", 4) == 0;
      wipeBytes(first, sizeof first);
      if (!zipStart) {
        lastReason = "no cell key decrypts the file to a zip archive";
        continue;
      }
      cipher.decrypt(in, archive.data(), encrypted.size());
      std::string reason;
      const UnzipResult unzipped =
          unzipFirstFile(archive.data(), unpaddedSize(archive), limit, plain, reason, &result.crc);
      if (unzipped == UnzipResult::Ok) {
        result.keySet = set;
        result.cellKey = which;
        return result;
      }
      lastReason = reason;
      damagedWithRightKey = true;
    }
  }
  plain.clear();
  // A key that gives the start of a zip archive is the right one (a wrong
  // key gives those four bytes once in four billion): what fails after it,
  // a cut or damaged archive, is the data, not the permit.
  result.code = damagedWithRightKey ? SseCode::EncCrcIncorrect : SseCode::DecryptionFailed;
  result.reason = lastReason;
  return result;
}

std::string encryptWithCellKey(std::string_view zipBytes, const unsigned char key[CellKeys::kLength]) {
  std::string bytes(zipBytes);
  const std::size_t pad = Blowfish::kBlock - bytes.size() % Blowfish::kBlock;
  bytes.append(pad, static_cast<char>(pad));
  const Blowfish cipher(key, CellKeys::kLength);
  for (std::size_t at = 0; at < bytes.size(); at += Blowfish::kBlock) {
    unsigned char* block = reinterpret_cast<unsigned char*>(bytes.data() + at);
    cipher.encryptBlock(block, block);
  }
  return bytes;
}
