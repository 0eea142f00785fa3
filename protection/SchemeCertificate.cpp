#include "SchemeCertificate.h"

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>

#include "KeyText.h"

namespace {

struct Free {
  void operator()(X509* p) const { X509_free(p); }
  void operator()(BIO* p) const { BIO_free(p); }
  void operator()(BIGNUM* p) const { BN_free(p); }
  void operator()(char* p) const { OPENSSL_free(p); }
};

SchemeKeyResult failure(SseCode code, std::string reason) {
  SchemeKeyResult result;
  result.code = code;
  result.reason = std::move(reason);
  return result;
}

bool keyNumber(const EVP_PKEY* pkey, const char* name, std::string& hex) {
  BIGNUM* raw = nullptr;
  if (!EVP_PKEY_get_bn_param(pkey, name, &raw)) return false;
  const std::unique_ptr<BIGNUM, Free> n(raw);
  const std::unique_ptr<char, Free> text(BN_bn2hex(n.get()));
  if (!text) return false;
  hex = text.get();
  return true;
}

// A value of the element's length with the leading zero digits OpenSSL
// leaves out put back, so that keys compare as the scheme prints them.
std::string padded(std::string hex, size_t digits) {
  if (hex.size() < digits) hex.insert(0, digits - hex.size(), '0');
  return hex;
}

SchemeKeyResult fromCertificate(std::string_view bytes, const std::string& source, const CalendarDay& today) {
  X509* raw = nullptr;
  if (bytes.substr(0, 10) == "-----BEGIN") {
    const std::unique_ptr<BIO, Free> bio(BIO_new_mem_buf(bytes.data(), static_cast<int>(bytes.size())));
    if (bio) raw = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr);
  } else {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    raw = d2i_X509(nullptr, &p, static_cast<long>(bytes.size()));
  }
  const std::unique_ptr<X509, Free> cert(raw);
  if (!cert) return failure(SseCode::SchemeCertificateFormat, source + ": not a readable X.509 certificate");
  EVP_PKEY* pkey = X509_get0_pubkey(cert.get());
  if (!pkey || EVP_PKEY_get_base_id(pkey) != EVP_PKEY_DSA)
    return failure(SseCode::SchemeCertificateFormat, source + ": the certificate holds no DSA public key");
  SchemeKeyResult result;
  result.key.source = source;
  result.key.certificate = true;
  DsaPublicKey& key = result.key.key;
  if (!keyNumber(pkey, OSSL_PKEY_PARAM_FFC_P, key.p) || !keyNumber(pkey, OSSL_PKEY_PARAM_FFC_Q, key.q) ||
      !keyNumber(pkey, OSSL_PKEY_PARAM_FFC_G, key.g) || !keyNumber(pkey, OSSL_PKEY_PARAM_PUB_KEY, key.y))
    return failure(SseCode::SchemeCertificateFormat, source + ": the certificate's DSA key is incomplete");
  key.p = padded(key.p, kKeyDigits);
  key.q = padded(key.q, kSubgroupDigits);
  key.g = padded(key.g, kKeyDigits);
  key.y = padded(key.y, kKeyDigits);
  // The administrator's certificate signs itself: one whose signature does
  // not hold has been damaged.
  if (X509_verify(cert.get(), pkey) != 1)
    return failure(SseCode::SchemeCertificateFormat, source + ": the certificate's own signature does not verify");
  std::tm last{};
  const ASN1_TIME* notAfter = X509_get0_notAfter(cert.get());
  if (!notAfter || ASN1_TIME_to_tm(notAfter, &last) != 1)
    return failure(SseCode::SchemeCertificateFormat, source + ": the certificate's validity cannot be read");
  result.key.notAfter = CalendarDay{last.tm_year + 1900, last.tm_mon + 1, last.tm_mday};
  if (*result.key.notAfter < today) {
    result.code = SseCode::SchemeCertificateExpired;
    result.reason = source + ": the certificate ran out on " + result.key.notAfter->compact();
  }
  return result;
}

SchemeKeyResult fromPublicKeyText(std::string_view bytes, const std::string& source) {
  const KeyText text = readKeyText(bytes, 4);
  if (!text.complete) return failure(SseCode::SchemeCertificateFormat, source + ": " + text.fault);
  SchemeKeyResult result;
  const std::string fault = readPublicKey(text, 0, result.key.key);
  if (!fault.empty()) return failure(SseCode::SchemeCertificateFormat, source + ": " + fault);
  result.key.source = source;
  return result;
}

}  // namespace

SchemeKeyResult parseSchemeKey(std::string_view bytes, const std::string& source, const CalendarDay& today) {
  size_t first = 0;
  while (first < bytes.size() && (bytes[first] == ' ' || bytes[first] == '\r' || bytes[first] == '\n' || bytes[first] == '\t'))
    ++first;
  if (bytes.size() > kMaxSchemeKeyFileBytes)
    return failure(SseCode::SchemeCertificateFormat, source + ": larger than any certificate");
  if (bytes.substr(first, 2) == "//") return fromPublicKeyText(bytes, source);
  return fromCertificate(bytes, source, today);
}

SchemeKeyResult readSchemeKeyFile(const std::string& path, const CalendarDay& today) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return failure(SseCode::SchemeCertificateMissing, path + ": cannot be opened: " + std::strerror(errno));
  std::string bytes(kMaxSchemeKeyFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return failure(SseCode::SchemeCertificateFormat, path + ": cannot be read");
  bytes.resize(static_cast<size_t>(in.gcount()));
  return parseSchemeKey(bytes, path, today);
}
