#pragma once
// The scheme administrator's public key, installed on the data client apart
// from any exchange set: either its X.509 certificate (IHO.CRT, DER or PEM,
// read by OpenSSL; the certificate must verify with its own key, and it
// runs out on its "not after" day) or its printable public key (IHO.PUB:
// BIG p, q, g and y, which does not run out).
#include <optional>
#include <string>
#include <string_view>

#include "DataClientClock.h"
#include "DsaSignature.h"
#include "SseCode.h"

struct SchemeKey {
  DsaPublicKey key;
  std::string source;                  // the file it came from
  bool certificate = false;            // X.509, or the printable public key
  std::optional<CalendarDay> notAfter; // a certificate's last day (UTC)
};

struct SchemeKeyResult {
  // None; SSE 05 (no file), SSE 08 (not a certificate or public key of the
  // scheme's kind, or damaged), SSE 22 (the certificate has run out).
  SseCode code = SseCode::None;
  std::string reason;
  SchemeKey key;  // read in full for None and SSE 22
};

// Certificates and key files are small; larger files are refused unread.
inline constexpr std::size_t kMaxSchemeKeyFileBytes = 64 * 1024;

SchemeKeyResult readSchemeKeyFile(const std::string& path, const CalendarDay& today);
SchemeKeyResult parseSchemeKey(std::string_view bytes, const std::string& source, const CalendarDay& today);
