#pragma once
// Fields of fixed-size repetitions (FSPT, VRPT, SG2D, SG3D): the field length
// counts the closing field terminator, so a field holds (length - 1) / size
// whole repetitions, rounded down.
#include <string_view>

inline size_t repetitionCount(std::string_view field, size_t size) {
  return field.empty() ? 0 : (field.size() - 1) / size;
}
