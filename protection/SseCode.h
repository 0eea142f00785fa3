#pragma once
// The data protection scheme's error and warning codes (SSE 01 to SSE 27):
// what each check of a permit, a certificate, a signature or an encrypted
// cell returns, with the scheme's English message, and a Chinese wording
// with what the mariner can do for the window. One table holds them all.
#include <string>
#include <string_view>
#include <vector>

enum class SseCode : int {
  None = 0,
  SelfSignedKeyInvalid = 1,
  SelfSignedKeyFormat = 2,
  ServerCertificateInvalid = 3,
  ServerCertificateFormat = 4,
  SchemeCertificateMissing = 5,
  ServerCertificateNotBySchemeKey = 6,
  ServerCertificateMissing = 7,
  SchemeCertificateFormat = 8,
  EncSignatureInvalid = 9,
  NoPermitsForDataServer = 10,
  PermitNotFound = 11,
  PermitFormat = 12,
  PermitChecksum = 13,
  SystemDateIncorrect = 14,
  SubscriptionExpired = 15,
  EncCrcIncorrect = 16,
  UserPermitChecksum = 17,
  HardwareIdFormat = 18,
  PermitsForOtherSystem = 19,
  SubscriptionExpiring = 20,
  DecryptionFailed = 21,
  SchemeCertificateExpired = 22,
  UpdateNotSequential = 23,
  EncSignatureFormat = 24,
  PermitExpiredWhenShown = 25,
  NotAuthenticatedByScheme = 26,
  CellNotUpToDate = 27,
};

inline int sseNumber(SseCode code) { return static_cast<int>(code); }

// "SSE 05"; "" for None.
std::string sseLabel(SseCode code);

// The scheme's English message for the code (its own words; SSE 25 and 27
// name the cell when `cell` is given). "" for None.
std::string sseEnglish(SseCode code, std::string_view cell = {});

// The Chinese wording of the message and, apart, what the mariner can do
// about it (UTF-8). "" for None.
std::string sseChinese(SseCode code, std::string_view cell = {});
std::string sseChineseAction(SseCode code);

// The English messages of several codes, "SSE 09 - ..." joined by "; ".
std::string sseEnglishList(const std::vector<SseCode>& codes, std::string_view cell = {});

// Whether the code stops the file it is about from being used (SSE 15, 20,
// 25, 26 and 27 are warnings: the data may still be used, with the warning
// shown).
bool sseRefuses(SseCode code);
