#include "Blowfish.h"

#include <nettle/blowfish.h>

#include <cstring>

#include "SecureBytes.h"

Blowfish::Blowfish(const unsigned char* key, std::size_t length) : schedule_(std::make_unique<blowfish_ctx>()) {
  // nettle sets the whole schedule whatever it answers; its answer only
  // says whether the key is weak.
  blowfish_set_key(schedule_.get(), length, key);
}

Blowfish::~Blowfish() { wipeBytes(schedule_.get(), sizeof(blowfish_ctx)); }

void Blowfish::encryptBlock(const unsigned char* in, unsigned char* out) const {
  blowfish_encrypt(schedule_.get(), kBlock, out, in);
}

void Blowfish::decryptBlock(const unsigned char* in, unsigned char* out) const {
  blowfish_decrypt(schedule_.get(), kBlock, out, in);
}

void Blowfish::decrypt(const unsigned char* in, unsigned char* out, std::size_t size) const {
  const std::size_t whole = size - size % kBlock;
  if (whole) blowfish_decrypt(schedule_.get(), whole, out, in);
  if (whole < size && in != out) std::memcpy(out + whole, in + whole, size - whole);
}

void padBlock(const unsigned char* data, std::size_t size, unsigned char block[Blowfish::kBlock]) {
  const std::size_t n = size < Blowfish::kBlock ? size : Blowfish::kBlock;
  std::memcpy(block, data, n);
  const unsigned char pad = static_cast<unsigned char>(Blowfish::kBlock - n);
  for (std::size_t i = n; i < Blowfish::kBlock; ++i) block[i] = pad;
}
