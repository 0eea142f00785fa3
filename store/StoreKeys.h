#pragma once
// The keys a chart store holds to authenticate encrypted charts: the
// scheme administrator's certificate (IHO.CRT) or printable public key
// (IHO.PUB), one at a time in keys/scheme/, which the user installs apart
// from any exchange set and which serves every later import; and further
// keys the user accepted (keys/other/): a data server certificate that
// verifies only with one of those is taken with SSE 26.
#include <optional>
#include <string>

#include "DataClientClock.h"
#include "EncFileOpening.h"
#include "SseCode.h"
#include "StoreFiles.h"
#include "StoreMessage.h"

enum class KeyRole { Scheme, Other };

// The keys as installed, judged on `today`: the scheme key's code is SSE
// 05 when none is installed, SSE 08 when its file is damaged, SSE 22 when
// the certificate has run out.
ExchangeSetKeys readStoreKeys(const StoreFiles& files, const CalendarDay& today);

struct KeyInstallOutcome {
  std::string file;  // as given
  std::string name;  // as the store keeps it (the file's name)
  KeyRole role = KeyRole::Scheme;
  bool installed = false;
  // Why it was refused: SSE 08 (no certificate or public key of the
  // scheme's kind, or damaged), SSE 22 (a scheme certificate that has run
  // out), or SSE 05 (the file cannot be read).
  SseCode code = SseCode::None;
  std::string reason;
  bool certificate = false;             // X.509, or the printable public key
  std::optional<CalendarDay> notAfter;  // a certificate's last day
  StoreMessage failure;                 // the store could not be written
};

// Checks the file and keeps it in the store. A scheme key replaces the one
// installed; one that is damaged or has run out is refused and the
// installed one stays. A further key is taken whatever its date (it only
// ever earns SSE 26). Call it under the store's lock.
KeyInstallOutcome installStoreKey(const StoreFiles& files, const std::string& path, KeyRole role,
                                  const CalendarDay& today);

// "scheme", "other".
const char* keyRoleName(KeyRole role);
