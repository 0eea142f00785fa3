#pragma once
// One cell permit: the cell's name, the licence's expiry date, the two cell
// keys encrypted with the installation's HW_ID6, and a checksum, 64
// characters, followed in a PERMIT.TXT record by the service level, the
// optional edition, the data server and a comment:
//   NO4D061320000830BEB9BFE3C7C6CE68B16411FD09F96982795C77B204F54D48,0,5,PM,comment
#include <cstddef>
#include <string>
#include <string_view>

#include "Blowfish.h"
#include "DataClientClock.h"
#include "SecureBytes.h"
#include "SseCode.h"

struct CellPermit {
  std::string cell;           // 8 characters, as the cell's file name without extension
  CalendarDay expiry;         // the licence runs to the end of this day
  std::string encryptedKey1;  // ECK1, 16 hex digits
  std::string encryptedKey2;  // ECK2, 16 hex digits
  std::string checksum;       // the encrypted CRC, 16 hex digits
  int serviceLevel = 0;       // 0 subscription, 1 single purchase
  std::string edition;        // optional, for the data server's use
  std::string dataServer;     // two letters or digits, may be empty
  std::string comment;

  bool subscription() const { return serviceLevel == 0; }
};

// The two 5-byte cell keys, wiped when they go. Cell key 1 decrypts the
// current cells; cell key 2 is the next one, for when the data server
// changes keys.
struct CellKeys {
  static constexpr std::size_t kLength = 5;
  unsigned char key1[kLength] = {};
  unsigned char key2[kLength] = {};
  CellKeys() = default;
  CellKeys(const CellKeys& o);
  CellKeys& operator=(const CellKeys& o);
  ~CellKeys();
};

// Parses one record; None, or SSE 12 with the reason (the record's fields
// and the permit's lengths, digits, date and name).
SseCode parseCellPermitRecord(std::string_view record, CellPermit& permit, std::string& reason);

// The checksum check: the CRC-32 of the first 48 characters, encrypted with
// HW_ID6, must equal the checksum. None, or SSE 13 (corrupt, or made for
// another installation).
SseCode checkCellPermitChecksum(const CellPermit& permit, const SecureString& hardwareKey6);

// Decrypts ECK1 and ECK2 with HW_ID6; false when either does not decrypt to
// a 5-byte key with the scheme's padding. The second form takes HW_ID6's
// cipher made once for every permit it opens (a key schedule costs as much
// as decrypting some 4 KB).
bool decryptCellKeys(const CellPermit& permit, const SecureString& hardwareKey6, CellKeys& keys);
bool decryptCellKeys(const CellPermit& permit, const Blowfish& hardwareCipher, CellKeys& keys);

// The 64-character permit a data server makes (cell name, expiry "YYYYMMDD",
// the two keys, for HW_ID6), as the scheme describes the data server's part.
std::string makeCellPermit(std::string_view cell, std::string_view expiry, const CellKeys& keys,
                           const SecureString& hardwareKey6);
