#pragma once
// Decrypting an encrypted cell or update: Blowfish with a cell key over the
// whole file, the scheme's padding taken off, the zip archive it then is
// unpacked. The keys are tried in the scheme's order, cell key 1 then cell
// key 2 of each permit given, until one gives an archive that unpacks;
// when none does, SSE 21. The decrypted bytes stay in wiped memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CellPermit.h"
#include "SecureBytes.h"
#include "SseCode.h"

// The most a cell may unpack to: the cell reader's own limit.
inline constexpr std::size_t kMaxDecryptedBytes = 50000000;

struct DecryptionResult {
  SseCode code = SseCode::None;  // SSE 21 no key fits; SSE 16 the right key gives a damaged, cut or too large archive
  std::string reason;
  std::size_t keySet = 0;        // which of the candidates' keys fitted
  int cellKey = 0;               // 1 or 2
  std::uint32_t crc = 0;         // the CRC-32 of the decrypted file, checked by the unpacking
};

DecryptionResult decryptEncFile(std::string_view encrypted, const std::vector<CellKeys>& candidates,
                                SecureBytes& plain, std::size_t limit = kMaxDecryptedBytes);

// What a data server does, for tests and fixtures: a zip archive's bytes
// padded to whole blocks and encrypted with a cell key.
std::string encryptWithCellKey(std::string_view zipBytes, const unsigned char key[CellKeys::kLength]);
