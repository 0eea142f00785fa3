#pragma once
// Authentication of an encrypted cell or update before it is decrypted:
// the data server's certificate in the signature file must verify with the
// scheme administrator's key installed on the data client (SSE 06
// otherwise; SSE 26 when it verifies only with another key the data client
// holds, and the check goes on), then the data server's signature of the
// encrypted file must verify with the key that certificate holds (SSE 09).
// Also the data server's own checks of its self-signed key (SSE 01, 02) and
// of the certificate the administrator returns (SSE 03, 04).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SchemeCertificate.h"
#include "SseCode.h"

struct AuthenticationResult {
  bool authentic = false;      // the file may be decrypted
  std::vector<SseCode> codes;  // SSE 04, 06, 07, 09, 24 refuse it; SSE 26 warns
  std::string reason;
  std::string authority;       // the source of the key the certificate verified with
};

// `signature` is the signature file's content, or nothing when it is absent
// (SSE 07). `otherKeys` are further keys the data client holds beside the
// scheme administrator's.
AuthenticationResult authenticateEncFile(const std::optional<std::string>& signature, std::string_view encryptedFile,
                                         const SchemeKey& schemeKey, const std::vector<SchemeKey>& otherKeys);

// A data server's self-signed key: a signature (R, S) of its public key
// text (BIG p, q, g, y) by that key. None, SSE 02 (format), SSE 01 (does
// not verify).
SseCode checkSelfSignedKey(std::string_view bytes, std::string& reason);

// A data server certificate as the administrator issues it: R, S by the
// administrator over the public key text. None, SSE 04, SSE 03.
SseCode checkServerCertificate(std::string_view bytes, const SchemeKey& schemeKey, std::string& reason);
