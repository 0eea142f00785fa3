// OpenSSL 3 marks its Blowfish functions deprecated in favour of the legacy
// provider, which would have to be found and loaded at run time; the
// scheme's keys are Blowfish keys, so these calls stay, the deprecation
// notice silenced for this file alone.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "Blowfish.h"

#include <openssl/blowfish.h>

#include <cstring>

#include "SecureBytes.h"

Blowfish::Blowfish(const unsigned char* key, std::size_t length) : schedule_(std::make_unique<bf_key_st>()) {
  BF_set_key(schedule_.get(), static_cast<int>(length), key);
}

Blowfish::~Blowfish() { wipeBytes(schedule_.get(), sizeof(bf_key_st)); }

void Blowfish::encryptBlock(const unsigned char* in, unsigned char* out) const {
  BF_ecb_encrypt(in, out, schedule_.get(), BF_ENCRYPT);
}

void Blowfish::decryptBlock(const unsigned char* in, unsigned char* out) const {
  BF_ecb_encrypt(in, out, schedule_.get(), BF_DECRYPT);
}

void Blowfish::decrypt(const unsigned char* in, unsigned char* out, std::size_t size) const {
  std::size_t at = 0;
  for (; at + kBlock <= size; at += kBlock) BF_ecb_encrypt(in + at, out + at, schedule_.get(), BF_DECRYPT);
  if (at < size && in != out) std::memcpy(out + at, in + at, size - at);
}

void padBlock(const unsigned char* data, std::size_t size, unsigned char block[Blowfish::kBlock]) {
  const std::size_t n = size < Blowfish::kBlock ? size : Blowfish::kBlock;
  std::memcpy(block, data, n);
  const unsigned char pad = static_cast<unsigned char>(Blowfish::kBlock - n);
  for (std::size_t i = n; i < Blowfish::kBlock; ++i) block[i] = pad;
}
