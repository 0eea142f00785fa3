#include "SecureBytes.h"

#include <openssl/crypto.h>

void wipeBytes(void* data, std::size_t size) {
  if (data && size) OPENSSL_cleanse(data, size);
}
