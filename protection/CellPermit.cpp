#include "CellPermit.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "Blowfish.h"
#include "Crc32.h"
#include "HexDigits.h"

namespace {

constexpr size_t kPermitLength = 64;

const unsigned char* bytesOf(const SecureString& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

std::vector<std::string_view> splitFields(std::string_view record, size_t maxFields) {
  std::vector<std::string_view> fields;
  size_t from = 0;
  while (fields.size() + 1 < maxFields) {
    const size_t comma = record.find(',', from);
    if (comma == std::string_view::npos) break;
    fields.push_back(record.substr(from, comma - from));
    from = comma + 1;
  }
  fields.push_back(record.substr(from));  // the comment keeps any commas of its own
  return fields;
}

bool allHex(std::string_view text) {
  for (const char c : text)
    if (!isHexDigit(c)) return false;
  return true;
}

bool cellNameCharacter(char c) { return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_'; }

void crcBlock(std::string_view first48, unsigned char block[Blowfish::kBlock]) {
  const std::uint32_t crc = crc32(first48);
  const unsigned char bytes[4] = {static_cast<unsigned char>(crc >> 24), static_cast<unsigned char>(crc >> 16),
                                  static_cast<unsigned char>(crc >> 8), static_cast<unsigned char>(crc)};
  padBlock(bytes, 4, block);
}

bool decryptKey(std::string_view hex, const Blowfish& cipher, unsigned char key[CellKeys::kLength]) {
  unsigned char encrypted[Blowfish::kBlock];
  unsigned char plain[Blowfish::kBlock];
  if (!decodeHex(hex, encrypted, sizeof encrypted)) return false;
  cipher.decryptBlock(encrypted, plain);
  const bool padded = plain[5] == 3 && plain[6] == 3 && plain[7] == 3;
  if (padded) std::memcpy(key, plain, CellKeys::kLength);
  wipeBytes(plain, sizeof plain);
  return padded;
}

}  // namespace

CellKeys::CellKeys(const CellKeys& o) { *this = o; }

CellKeys& CellKeys::operator=(const CellKeys& o) {
  std::memcpy(key1, o.key1, kLength);
  std::memcpy(key2, o.key2, kLength);
  return *this;
}

CellKeys::~CellKeys() {
  wipeBytes(key1, kLength);
  wipeBytes(key2, kLength);
}

SseCode parseCellPermitRecord(std::string_view record, CellPermit& permit, std::string& reason) {
  const auto fail = [&](std::string why) {
    reason = std::move(why);
    return SseCode::PermitFormat;
  };
  const std::vector<std::string_view> fields = splitFields(record, 5);
  if (fields.size() < 4)
    return fail("a permit record has at least four comma-separated fields (permit, service level, edition, data "
                "server), this one " + std::to_string(fields.size()));
  const std::string_view text = fields[0];
  if (text.size() != kPermitLength)
    return fail("the cell permit is " + std::to_string(text.size()) + " characters long, not " +
                std::to_string(kPermitLength));
  const std::string_view cell = text.substr(0, 8);
  for (const char c : cell)
    if (!cellNameCharacter(c)) return fail("the cell name holds a character other than upper-case letters and digits");
  const std::optional<CalendarDay> expiry = parseCompactDay(text.substr(8, 8));
  if (!expiry) return fail("the expiry date is not a date written YYYYMMDD");
  if (!allHex(text.substr(16))) return fail("the encrypted cell keys and checksum are not all hexadecimal digits");
  if (fields[1] != "0" && fields[1] != "1") return fail("the service level indicator is neither 0 nor 1");
  for (const char c : fields[2])
    if (!std::isdigit(static_cast<unsigned char>(c))) return fail("the edition number is not a number");
  const std::string_view server = fields[3];
  if (!server.empty() && (server.size() != 2 || !std::isalnum(static_cast<unsigned char>(server[0])) ||
                          !std::isalnum(static_cast<unsigned char>(server[1]))))
    return fail("the data server ID is not two letters or digits");

  permit = CellPermit();
  permit.cell.assign(cell);
  permit.expiry = *expiry;
  permit.encryptedKey1.assign(text.substr(16, 16));
  permit.encryptedKey2.assign(text.substr(32, 16));
  permit.checksum.assign(text.substr(48, 16));
  permit.serviceLevel = fields[1] == "1" ? 1 : 0;
  permit.edition.assign(fields[2]);
  permit.dataServer.assign(server);
  if (fields.size() > 4) permit.comment.assign(fields[4]);
  for (std::string* hex : {&permit.encryptedKey1, &permit.encryptedKey2, &permit.checksum})
    for (char& c : *hex) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  reason.clear();
  return SseCode::None;
}

SseCode checkCellPermitChecksum(const CellPermit& permit, const SecureString& hardwareKey6) {
  const std::string first48 = permit.cell + permit.expiry.compact() + permit.encryptedKey1 + permit.encryptedKey2;
  unsigned char block[Blowfish::kBlock];
  unsigned char expected[Blowfish::kBlock];
  unsigned char given[Blowfish::kBlock];
  crcBlock(first48, block);
  Blowfish(bytesOf(hardwareKey6), hardwareKey6.size()).encryptBlock(block, expected);
  if (!decodeHex(permit.checksum, given, sizeof given)) return SseCode::PermitChecksum;
  return std::memcmp(expected, given, sizeof given) == 0 ? SseCode::None : SseCode::PermitChecksum;
}

bool decryptCellKeys(const CellPermit& permit, const SecureString& hardwareKey6, CellKeys& keys) {
  return decryptCellKeys(permit, Blowfish(bytesOf(hardwareKey6), hardwareKey6.size()), keys);
}

bool decryptCellKeys(const CellPermit& permit, const Blowfish& hardwareCipher, CellKeys& keys) {
  return decryptKey(permit.encryptedKey1, hardwareCipher, keys.key1) &&
         decryptKey(permit.encryptedKey2, hardwareCipher, keys.key2);
}

std::string makeCellPermit(std::string_view cell, std::string_view expiry, const CellKeys& keys,
                           const SecureString& hardwareKey6) {
  const Blowfish cipher(bytesOf(hardwareKey6), hardwareKey6.size());
  std::string permit(cell);
  permit += expiry;
  unsigned char block[Blowfish::kBlock];
  unsigned char encrypted[Blowfish::kBlock];
  for (const unsigned char* key : {keys.key1, keys.key2}) {
    padBlock(key, CellKeys::kLength, block);
    cipher.encryptBlock(block, encrypted);
    permit += hexUpper(encrypted, sizeof encrypted);
  }
  wipeBytes(block, sizeof block);
  crcBlock(permit, block);
  cipher.encryptBlock(block, encrypted);
  return permit + hexUpper(encrypted, sizeof encrypted);
}
