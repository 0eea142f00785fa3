#pragma once
// Fields of fixed-size repetitions (FSPT, VRPT, SG2D, SG3D): the field length
// counts the closing field terminator, so a field holds (length - 1) / size
// whole repetitions, rounded down.
#include <algorithm>
#include <string_view>

inline size_t repetitionCount(std::string_view field, size_t size) {
  return field.empty() ? 0 : (field.size() - 1) / size;
}

// Room for `more` entries after those `list` holds. Room that must grow at
// least doubles, so a record that repeats a field entry by entry costs in
// proportion to what it holds, not to its square.
template <class List>
void makeRoom(List& list, size_t more) {
  const size_t wanted = list.size() + more;
  if (wanted > list.capacity()) list.reserve(std::max(wanted, 2 * list.size()));
}
