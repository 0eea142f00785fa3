#include "SecureBytes.h"

#include <string.h>

void wipeBytes(void* data, std::size_t size) {
  // explicit_bzero: a store the compiler may not drop as dead.
  if (data && size) explicit_bzero(data, size);
}
