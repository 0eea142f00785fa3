#pragma once
// The scheme's signatures: DSA over SHA-1 (OpenSSL's implementation). Keys
// and signature parts are kept as the scheme prints them, hexadecimal
// digits with the most significant first.
#include <string>
#include <string_view>

struct DsaPublicKey {
  std::string p, q, g, y;
  bool operator==(const DsaPublicKey& o) const { return p == o.p && q == o.q && g == o.g && y == o.y; }
};

struct DsaSignatureValue {
  std::string r, s;
};

struct Sha1Digest {
  unsigned char bytes[20] = {};
};

Sha1Digest sha1Digest(std::string_view bytes);

// Whether (r, s) signs `digest` with `key`; false as well for a key or
// signature that cannot be used at all.
bool verifyDsa(const DsaPublicKey& key, const Sha1Digest& digest, const DsaSignatureValue& signature);
