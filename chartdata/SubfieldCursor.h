#pragma once
// Reads the subfields of one field in order. Every read is bounded by the
// field: a subfield that lies (partly) past the field's end reads as 0 or as
// the shorter text that is there.
#include <cstdint>
#include <string_view>

#include "BinaryValue.h"
#include "DecimalNumber.h"
#include "RecordView.h"

// A field's data: its bytes less the closing field terminator, so that a
// short field never reads its terminator as a subfield.
inline std::string_view fieldData(std::string_view field) {
  if (!field.empty() && field.back() == kFieldTerminator) field.remove_suffix(1);
  return field;
}

class SubfieldCursor {
public:
  // Reads fieldData(field).
  explicit SubfieldCursor(std::string_view field) : field_(fieldData(field)) {}

  // Binary subfields at the cursor, then the cursor moves past them.
  int32_t b11() { return binary(1); }
  int32_t b12() { return binary(2); }
  int32_t b14() { return binary(4); }

  // The next `count` bytes (fewer at the field's end).
  std::string_view fixed(size_t count) {
    const std::string_view bytes = boundedSlice(field_, pos_, count);
    pos_ += bytes.size();
    return bytes;
  }

  // A variable-length text up to the next unit terminator, which is skipped;
  // without one the text runs to the end of the field data.
  std::string_view text() {
    if (pos_ >= field_.size()) return {};
    size_t end = field_.find(kUnitTerminator, pos_);
    if (end == std::string_view::npos) end = field_.size();
    const std::string_view t = field_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return t;
  }

  // A binary subfield at a fixed offset from the first byte of `data`
  // (the result of fieldData).
  static int32_t binaryAt(std::string_view data, size_t offset, int width) {
    return binaryValue(boundedSlice(data, offset, static_cast<size_t>(width)), width);
  }

private:
  int32_t binary(int width) {
    const int32_t v = binaryAt(field_, pos_, width);
    pos_ += static_cast<size_t>(width);
    return v;
  }

  std::string_view field_;
  size_t pos_ = 0;
};
