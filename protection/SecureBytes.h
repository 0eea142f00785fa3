#pragma once
// Memory for secrets: decrypted cells, cell keys, the manufacturer's key.
// Every block is overwritten with zeros before it goes back to the heap
// (also the old block when a vector grows), so that no decrypted byte or key
// lingers in freed memory where a later allocation or a core file could
// show it.
#include <cstddef>
#include <new>
#include <string>
#include <vector>

// Overwrites `size` bytes in a way the compiler may not drop.
void wipeBytes(void* data, std::size_t size);

template <class T>
struct WipingAllocator {
  using value_type = T;
  WipingAllocator() = default;
  template <class U>
  WipingAllocator(const WipingAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) {
    wipeBytes(p, n * sizeof(T));
    ::operator delete(p);
  }
  template <class U>
  bool operator==(const WipingAllocator<U>&) const { return true; }
  template <class U>
  bool operator!=(const WipingAllocator<U>&) const { return false; }
};

using SecureBytes = std::vector<unsigned char, WipingAllocator<unsigned char>>;
using SecureString = std::basic_string<char, std::char_traits<char>, WipingAllocator<char>>;
