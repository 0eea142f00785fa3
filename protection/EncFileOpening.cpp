#include "EncFileOpening.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "Authentication.h"
#include "CellDecryption.h"
#include "PermitCheck.h"

namespace {

constexpr long kWarningDays = 30;

void addCode(std::vector<SseCode>& codes, SseCode code) {
  if (code != SseCode::None && std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
}

// Decrypts with the keys of `permits`, in their order: the permit whose
// keys fitted, or nothing with the refusal in `outcome`.
const CellPermit* decryptWith(const std::string& cell, const std::vector<const CellPermit*>& permits,
                              std::string_view encrypted, const Blowfish& hardwareCipher, SecureBytes& plain,
                              std::uint32_t& crc, EncFileOutcome& outcome) {
  std::vector<CellKeys> keys;
  std::vector<const CellPermit*> owners;
  for (const CellPermit* permit : permits) {
    CellKeys cellKeys;
    if (!decryptCellKeys(*permit, hardwareCipher, cellKeys)) continue;
    keys.push_back(cellKeys);
    owners.push_back(permit);
  }
  if (keys.empty()) {
    addCode(outcome.codes, SseCode::DecryptionFailed);
    outcome.reason = "no permit for " + cell + " yields cell keys";
    return nullptr;
  }
  const DecryptionResult decrypted = decryptEncFile(encrypted, keys, plain);
  if (decrypted.code != SseCode::None) {
    addCode(outcome.codes, decrypted.code);
    outcome.reason = decrypted.reason;
    return nullptr;
  }
  crc = decrypted.crc;
  return owners[decrypted.keySet];
}

}  // namespace

bool crcMatches(std::uint32_t crc, const std::string& listed, std::string& found) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", crc);
  found = text;
  if (listed.size() != 8) return false;
  for (size_t i = 0; i < 8; ++i)
    if (std::toupper(static_cast<unsigned char>(listed[i])) != text[i]) return false;
  return true;
}

std::vector<const CellPermit*> permitsInOrder(const std::string& cell, const InstalledPermits& permits,
                                              const std::string& dataServer, const CalendarDay& today) {
  std::vector<const CellPermit*> order;
  for (const CellPermit& p : permits.permits)
    if (p.cell == cell) order.push_back(&p);
  const auto rank = [&](const CellPermit* p) {
    const bool expired = daysLeft(*p, today) < 0;
    const bool ownServer = !dataServer.empty() && p->dataServer == dataServer;
    return (expired ? 2 : 0) + (ownServer ? 0 : 1);
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](const CellPermit* a, const CellPermit* b) { return rank(a) < rank(b); });
  return order;
}

EncFileOutcome openEncFile(const EncFileRequest& request, const InstalledPermits& permits,
                           const ExchangeSetKeys& keys, const Blowfish& hardwareCipher, const CalendarDay& today,
                           SecureBytes& plain) {
  EncFileOutcome out;
  plain.clear();
  const auto refuse = [&](SseCode code, std::string reason) {
    addCode(out.codes, code);
    out.reason = std::move(reason);
    plain.clear();
    return out;
  };
  if (keys.scheme.code != SseCode::None) return refuse(keys.scheme.code, keys.scheme.reason);

  // Authentication, before anything is decrypted.
  const AuthenticationResult authentic =
      authenticateEncFile(request.signature, request.encrypted, keys.scheme.key, keys.others);
  out.authority = authentic.authority;
  for (const SseCode code : authentic.codes) {
    if (code == SseCode::NotAuthenticatedByScheme) out.notByScheme = true;
    else addCode(out.codes, code);
  }
  if (!authentic.authentic) return refuse(SseCode::None, authentic.reason);

  // The permits whose licence covers the file's issue date: a file issued
  // after the licence ended is not for this installation.
  const std::vector<const CellPermit*> order = permitsInOrder(request.cell, permits, request.dataServer, today);
  if (order.empty()) return refuse(SseCode::PermitNotFound, "no permit is installed for " + request.cell);
  std::vector<const CellPermit*> covering;
  for (const CellPermit* p : order)
    if (!request.issued || !(p->expiry < *request.issued)) covering.push_back(p);
  if (covering.empty())
    return refuse(SseCode::SubscriptionExpired, "issued on " + request.issued->compact() +
                                                    ", after the permit expired on " + order.front()->expiry.compact() +
                                                    ": the subscription does not cover it");

  std::uint32_t crc = 0;
  const CellPermit* used = decryptWith(request.cell, covering, request.encrypted, hardwareCipher, plain, crc, out);
  if (!used) return out;
  std::string found;
  if (!request.listedCrc.empty() && !crcMatches(crc, request.listedCrc, found))
    return refuse(SseCode::EncCrcIncorrect,
                  "the decrypted file's CRC is " + found + ", the catalogue gives " + request.listedCrc);
  out.permit = used;
  if (used->subscription()) {
    const long left = daysLeft(*used, today);
    if (left < 0) {
      addCode(out.codes, SseCode::SubscriptionExpired);
      out.reason = "the permit expired on " + used->expiry.compact() + "; the file was issued before that";
    } else if (left <= kWarningDays) {
      addCode(out.codes, SseCode::SubscriptionExpiring);
      out.reason = "the permit expires on " + used->expiry.compact();
    }
  }
  out.decrypted = true;
  return out;
}

EncFileOutcome decryptKeptFile(const std::string& cell, std::string_view encrypted, const std::string& dataServer,
                               const std::string& crc, const InstalledPermits& permits,
                               const Blowfish& hardwareCipher, const CalendarDay& today, SecureBytes& plain) {
  EncFileOutcome out;
  plain.clear();
  const std::vector<const CellPermit*> order = permitsInOrder(cell, permits, dataServer, today);
  if (order.empty()) {
    addCode(out.codes, SseCode::PermitNotFound);
    out.reason = "no permit for " + cell + " is installed";
    return out;
  }
  std::uint32_t unpacked = 0;
  const CellPermit* used = decryptWith(cell, order, encrypted, hardwareCipher, plain, unpacked, out);
  if (!used) return out;
  std::string found;
  if (!crc.empty() && !crcMatches(unpacked, crc, found)) {
    plain.clear();
    addCode(out.codes, SseCode::EncCrcIncorrect);
    out.reason = "the decrypted file's CRC is " + found + ", it was installed with " + crc;
    return out;
  }
  out.permit = used;
  if (daysLeft(*used, today) < 0) {
    addCode(out.codes, SseCode::PermitExpiredWhenShown);
    out.reason = "the permit expired on " + used->expiry.compact();
  }
  out.decrypted = true;
  return out;
}
