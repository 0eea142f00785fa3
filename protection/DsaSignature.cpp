#include "DsaSignature.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/dsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>

namespace {

struct Free {
  void operator()(BIGNUM* p) const { BN_free(p); }
  void operator()(OSSL_PARAM_BLD* p) const { OSSL_PARAM_BLD_free(p); }
  void operator()(OSSL_PARAM* p) const { OSSL_PARAM_free(p); }
  void operator()(EVP_PKEY_CTX* p) const { EVP_PKEY_CTX_free(p); }
  void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
  void operator()(DSA_SIG* p) const { DSA_SIG_free(p); }
  void operator()(unsigned char* p) const { OPENSSL_free(p); }
};
template <class T>
using Owned = std::unique_ptr<T, Free>;

Owned<BIGNUM> number(const std::string& hex) {
  if (hex.empty() || hex.size() > 2048) return nullptr;
  BIGNUM* n = nullptr;
  if (BN_hex2bn(&n, hex.c_str()) != static_cast<int>(hex.size())) {
    BN_free(n);
    return nullptr;
  }
  return Owned<BIGNUM>(n);
}

Owned<EVP_PKEY> publicKey(const DsaPublicKey& key) {
  const Owned<BIGNUM> p = number(key.p), q = number(key.q), g = number(key.g), y = number(key.y);
  if (!p || !q || !g || !y) return nullptr;
  const Owned<OSSL_PARAM_BLD> build(OSSL_PARAM_BLD_new());
  if (!build || !OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_FFC_P, p.get()) ||
      !OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_FFC_Q, q.get()) ||
      !OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_FFC_G, g.get()) ||
      !OSSL_PARAM_BLD_push_BN(build.get(), OSSL_PKEY_PARAM_PUB_KEY, y.get()))
    return nullptr;
  const Owned<OSSL_PARAM> params(OSSL_PARAM_BLD_to_param(build.get()));
  const Owned<EVP_PKEY_CTX> context(EVP_PKEY_CTX_new_from_name(nullptr, "DSA", nullptr));
  if (!params || !context || EVP_PKEY_fromdata_init(context.get()) <= 0) return nullptr;
  EVP_PKEY* made = nullptr;
  if (EVP_PKEY_fromdata(context.get(), &made, EVP_PKEY_PUBLIC_KEY, params.get()) <= 0) return nullptr;
  return Owned<EVP_PKEY>(made);
}

}  // namespace

Sha1Digest sha1Digest(std::string_view bytes) {
  Sha1Digest digest;
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest.bytes, &length, EVP_sha1(), nullptr);
  return digest;
}

bool verifyDsa(const DsaPublicKey& key, const Sha1Digest& digest, const DsaSignatureValue& signature) {
  const Owned<EVP_PKEY> pkey = publicKey(key);
  Owned<BIGNUM> r = number(signature.r), s = number(signature.s);
  if (!pkey || !r || !s) return false;
  const Owned<DSA_SIG> sig(DSA_SIG_new());
  if (!sig || !DSA_SIG_set0(sig.get(), r.get(), s.get())) return false;
  r.release();  // the signature owns them now
  s.release();
  unsigned char* der = nullptr;
  const int derLength = i2d_DSA_SIG(sig.get(), &der);
  const Owned<unsigned char> derOwned(der);
  if (derLength <= 0) return false;
  const Owned<EVP_PKEY_CTX> context(EVP_PKEY_CTX_new(pkey.get(), nullptr));
  if (!context || EVP_PKEY_verify_init(context.get()) <= 0) return false;
  return EVP_PKEY_verify(context.get(), der, static_cast<size_t>(derLength), digest.bytes, sizeof digest.bytes) == 1;
}
