#pragma once
// One encrypted cell or update file taken through the data client's steps,
// in memory, in the order the scheme gives them:
//
//   openEncFile, for a file offered (an exchange set checked or imported):
//   the scheme administrator's key installed (SSE 05, 08, 22), the file's
//   signature (SSE 04, 06, 07, 09, 24; another key the data client holds
//   verifying the data server's certificate is told by `notByScheme`, SSE
//   26, which the caller says once per exchange set), a permit for the cell
//   (SSE 11) whose licence covers the file's issue date (SSE 15), the cell
//   keys (SSE 21), unpacking and the CRC-32 the catalogue gives for the
//   decrypted file (SSE 16); a file decrypted under a subscription that has
//   ended or ends within 30 days warns (SSE 15, 20);
//
//   decryptKeptFile, for a file the data client authenticated when it took
//   it and keeps encrypted (every load of a stored cell): the permits
//   installed now (SSE 11 when none is left), the cell keys (SSE 21), the
//   CRC-32 the file was taken with (SSE 16), and SSE 25 when the permit
//   whose keys fit has expired: the cell is shown with the permanent
//   warning that it must not be used for primary navigation.
//
// The decrypted bytes go into `plain`, memory wiped when freed; nothing is
// written anywhere.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Blowfish.h"
#include "CellPermit.h"
#include "DataClientClock.h"
#include "SchemeCertificate.h"
#include "SecureBytes.h"
#include "SseCode.h"

// The permits installed: those whose checks did not refuse them (expired
// ones among them).
struct InstalledPermits {
  std::vector<CellPermit> permits;
};

struct ExchangeSetKeys {
  SchemeKeyResult scheme;         // the administrator's key as installed (SSE 05 when there is none)
  std::vector<SchemeKey> others;  // further keys the data client holds
};

struct EncFileRequest {
  std::string cell;                            // the cell's name, 8 characters
  std::string_view encrypted;                  // the file as delivered
  std::optional<std::string> signature;        // its signature file; nothing when absent (SSE 07)
  std::optional<CalendarDay> issued;           // the catalogue's ISDT for the file
  std::string listedCrc;                       // the catalogue's CRC-32 of the decrypted file; "" none
  std::string dataServer;                      // the exchange set's (SERIAL.ENC); "" unknown
};

struct EncFileOutcome {
  bool decrypted = false;
  std::vector<SseCode> codes;  // what refused the file, or the warnings of a decrypted one
  std::string reason;
  std::string authority;       // the key the data server's certificate verified with
  bool notByScheme = false;    // that key is not the administrator's (SSE 26)
  const CellPermit* permit = nullptr;  // the permit whose keys fitted
};

// `hardwareCipher` is Blowfish with this installation's HW_ID6, which
// decrypts the cell keys of every permit.
EncFileOutcome openEncFile(const EncFileRequest& request, const InstalledPermits& permits,
                           const ExchangeSetKeys& keys, const Blowfish& hardwareCipher, const CalendarDay& today,
                           SecureBytes& plain);

EncFileOutcome decryptKeptFile(const std::string& cell, std::string_view encrypted, const std::string& dataServer,
                               const std::string& crc, const InstalledPermits& permits,
                               const Blowfish& hardwareCipher, const CalendarDay& today, SecureBytes& plain);

// The permits for `cell` in the order their keys are tried: those still
// running before those expired, within each those of `dataServer` first,
// then in the order they are installed.
std::vector<const CellPermit*> permitsInOrder(const std::string& cell, const InstalledPermits& permits,
                                              const std::string& dataServer, const CalendarDay& today);

// Whether `crc` is `listed` (8 hex digits, either case); `found` is `crc`
// as 8 hex digits.
bool crcMatches(std::uint32_t crc, const std::string& listed, std::string& found);
