#pragma once
// Memory for secrets: decrypted cells, cell keys, the manufacturer's key.
// Every block is overwritten with zeros before it goes back to the heap
// (also the old block when a vector grows), so that no decrypted byte or key
// lingers in freed memory where a later allocation or a core file could
// show it. The bytes of a cell's files travel in it from the chart store's
// decryption to the reader (CellFileBytes), which reads them where they lie.
#include <cstddef>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
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
  // Elements made without a value are left as they come (not zeroed): the
  // buffers are filled by what decrypts or unpacks into them.
  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible<U>::value) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
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

// The view of the bytes that the readers take.
inline std::string_view bytesView(const SecureBytes& bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
