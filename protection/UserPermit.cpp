#include "UserPermit.h"

#include "Blowfish.h"
#include "Crc32.h"
#include "HexDigits.h"

namespace {

constexpr size_t kLength = 28;

const unsigned char* bytesOf(const SecureString& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

}  // namespace

std::string makeUserPermit(const ManufacturerIdentity& identity) {
  unsigned char block[Blowfish::kBlock];
  unsigned char encrypted[Blowfish::kBlock];
  padBlock(bytesOf(identity.hardwareId), identity.hardwareId.size(), block);
  Blowfish(bytesOf(identity.manufacturerKey), identity.manufacturerKey.size()).encryptBlock(block, encrypted);
  wipeBytes(block, sizeof block);
  const std::string encryptedHex = hexUpper(encrypted, sizeof encrypted);
  return encryptedHex + hexUpper32(crc32(encryptedHex)) +
         hexUpper(bytesOf(identity.manufacturerId), identity.manufacturerId.size());
}

SseCode checkUserPermit(std::string_view permit) {
  unsigned char bytes[kLength / 2];
  if (!decodeHex(permit, bytes, sizeof bytes)) return SseCode::UserPermitChecksum;
  // The checksum is of the upper-case digits, however the permit was typed.
  const std::string encryptedHex = hexUpper(bytes, 8);
  const std::uint32_t given = std::uint32_t(bytes[8]) << 24 | std::uint32_t(bytes[9]) << 16 |
                              std::uint32_t(bytes[10]) << 8 | bytes[11];
  return crc32(encryptedHex) == given ? SseCode::None : SseCode::UserPermitChecksum;
}

SseCode hardwareIdFromUserPermit(std::string_view permit, std::string_view manufacturerKey, SecureString& hardwareId) {
  if (const SseCode code = checkUserPermit(permit); code != SseCode::None) return code;
  unsigned char encrypted[Blowfish::kBlock];
  unsigned char plain[Blowfish::kBlock];
  decodeHex(permit.substr(0, 16), encrypted, sizeof encrypted);
  Blowfish(reinterpret_cast<const unsigned char*>(manufacturerKey.data()), manufacturerKey.size())
      .decryptBlock(encrypted, plain);
  // Five hex digits and three bytes of padding, each 3.
  bool ok = plain[5] == 3 && plain[6] == 3 && plain[7] == 3;
  for (int i = 0; i < 5 && ok; ++i) ok = isHexDigit(static_cast<char>(plain[i]));
  if (ok) hardwareId.assign(reinterpret_cast<const char*>(plain), 5);
  wipeBytes(plain, sizeof plain);
  return ok ? SseCode::None : SseCode::HardwareIdFormat;
}
