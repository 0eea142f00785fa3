#pragma once
// Blowfish, the scheme's one cipher (nettle's implementation), in
// electronic code book mode: 8-byte blocks, each on its own. Keys of the
// scheme are 5 bytes (cell keys, M_KEY) or 6 (HW_ID6). The key schedule is
// wiped when the object goes.
#include <cstddef>
#include <memory>

struct blowfish_ctx;

class Blowfish {
public:
  static constexpr std::size_t kBlock = 8;

  // `length` from 1 to 56 bytes. The scheme's keys are what the data
  // servers chose: a key nettle calls weak (two equal S-box entries) is
  // used all the same, as every implementation of the scheme uses it.
  Blowfish(const unsigned char* key, std::size_t length);
  ~Blowfish();
  Blowfish(const Blowfish&) = delete;
  Blowfish& operator=(const Blowfish&) = delete;

  void encryptBlock(const unsigned char* in, unsigned char* out) const;
  void decryptBlock(const unsigned char* in, unsigned char* out) const;
  // Every whole block of `size` bytes in one call (`in` and `out` may be
  // the same); bytes past the last whole block are copied as they are.
  void decrypt(const unsigned char* in, unsigned char* out, std::size_t size) const;

private:
  std::unique_ptr<blowfish_ctx> schedule_;
};

// The scheme pads 5 bytes to a block with three bytes of 3 (and 4 with four
// bytes of 4): each padding byte holds the number of padding bytes.
void padBlock(const unsigned char* data, std::size_t size, unsigned char block[Blowfish::kBlock]);
