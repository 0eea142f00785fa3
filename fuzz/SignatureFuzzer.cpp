// Feeds arbitrary bytes through the readers of the scheme's key texts: as
// a signature file authenticated against the scheme administrator's
// published key (the first byte even), or as the administrator's
// certificate or public key file (X.509 through OpenSSL, or BIG p, q, g,
// y; the first byte odd).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "Authentication.h"
#include "SchemeCertificate.h"

namespace {

volatile size_t sink;

// The IHO's published public key, as the scheme prints it.
SchemeKey administratorKey() {
  SchemeKey key;
  key.source = "IHO.PUB";
  key.key.p = "FCA682CE8E12CABA26EFCCF7110E526DB078B05EDECBCD1EB4A208F3AE1617AE01F35B91A47E6DF63413C5E12ED0899BCD132ACD50D99151BDC43EE737592E17";
  key.key.q = "962EDDCC369CBA8EBB260EE6B6A126D9346E38C5";
  key.key.g = "678471B27A9CF44EE91A49C5147DB1A9AAF244F05A434D6486931D2D14271B9E35030B71FD73DA179069B32E2935630E1C2062354D0DA20A6C416E50BE794CA4";
  key.key.y = "963F14E32BA5372928F24F15B0730C49D31B28E5C7641002564DB95995B15CF8800ED54E354867B82BB9597B158269E079F0C4F4926B17761CC89EB77C9B7EF8";
  return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 0) {
    static const SchemeKey key = administratorKey();
    const AuthenticationResult result = authenticateEncFile(bytes, "an encrypted cell", key, {key});
    std::string reason;
    sink = result.codes.size() + result.reason.size() + static_cast<size_t>(checkSelfSignedKey(bytes, reason)) +
           static_cast<size_t>(checkServerCertificate(bytes, key, reason));
  } else {
    const SchemeKeyResult result = parseSchemeKey(bytes, "fuzz", CalendarDay{2013, 6, 1});
    sink = result.key.key.p.size() + result.reason.size();
  }
  return 0;
}
