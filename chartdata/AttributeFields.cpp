#include "AttributeFields.h"

#include <algorithm>

#include "BinaryValue.h"
#include "FieldSplitter.h"
#include "RecordView.h"
#include "RepeatingField.h"

namespace {

// The label as decimal text without leading zeros, without touching the
// heap (a label has at most five digits, well inside a short string).
std::string labelText(int32_t label) {
  char digits[8];
  char* first = digits + sizeof digits;
  uint32_t v = static_cast<uint32_t>(label);
  do {
    *--first = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0 && first != digits);
  return std::string(first, static_cast<size_t>(digits + sizeof digits - first));
}

uint32_t codeUnitAt(std::string_view field, size_t pos) {
  return static_cast<uint32_t>(binaryValue(field.substr(pos, 2), 2));
}

}  // namespace

void appendUtf8(std::string& out, uint32_t cp) {
  if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
  if (cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void assignLatin1AsUtf8(std::string& out, std::string_view latin1) {
  const size_t high = static_cast<size_t>(
      std::count_if(latin1.begin(), latin1.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
  if (high == 0) {
    // Built in place: assigning over an empty string takes the long way.
    out = std::string(latin1.data(), latin1.size());
    return;
  }
  out.clear();
  out.reserve(latin1.size() + high);
  for (const char c : latin1) appendUtf8(out, static_cast<unsigned char>(c));
}

void decodeAttributeField(std::string_view field, RecordList<ATTF_NATF>& out, int lexicalLevel,
                          bool keepDeleteMark) {
  if (lexicalLevel == kLevelUcs2) {
    decodeUcs2AttributeField(field, out, keepDeleteMark);
    return;
  }
  // Every entry kept takes at least 3 bytes (label and terminator), so no
  // more than that many are reserved, however many terminators there are.
  const size_t terminators = static_cast<size_t>(std::count(field.begin(), field.end(), kUnitTerminator));
  makeRoom(out, std::min(terminators, field.size() / 3 + 1));
  FieldSplitter pieces(field, kUnitTerminator, 2);
  for (std::string_view piece; pieces.next(piece);) {
    if (piece.size() == 1 && piece[0] == kFieldTerminator) break;
    if (piece.size() < 2) continue;
    // A last entry without its unit terminator: the field terminator is not
    // part of the value.
    if (pieces.atEnd() && piece.size() > 2 && piece.back() == kFieldTerminator)
      piece.remove_suffix(1);
    ATTF_NATF& attribute = out.emplace_back();
    attribute.attributeCode = labelText(binaryValue(piece, 2));
    assignLatin1AsUtf8(attribute.attributeValue, piece.substr(2));
  }
}

void decodeNationalAttributeField(std::string_view field, RecordList<ATTF_NATF>& out, int lexicalLevel,
                                  bool keepDeleteMark) {
  if (lexicalLevel == kLevelAscii || lexicalLevel == kLevelLatin1)
    decodeAttributeField(field, out, lexicalLevel, keepDeleteMark);
  else
    decodeUcs2AttributeField(field, out, keepDeleteMark);
}

void decodeUcs2AttributeField(std::string_view field, RecordList<ATTF_NATF>& out, bool keepDeleteMark) {
  constexpr uint32_t kUnit = 0x1F, kFieldEnd = 0x1E;
  size_t pos = 0;
  bool fieldEnded = false;
  // An entry: 2-byte label, then code units up to the unit terminator.
  while (!fieldEnded && pos + 2 < field.size()) {
    const int32_t label = binaryValue(field.substr(pos, 2), 2);
    const size_t valueStart = pos + 2;
    size_t valueEnd = valueStart;
    pos = field.size();
    for (size_t p = valueStart; p + 2 <= field.size(); p += 2) {
      const uint32_t unit = codeUnitAt(field, p);
      if (unit == kUnit || unit == kFieldEnd) {
        valueEnd = p;
        pos = p + 2;
        fieldEnded = unit == kFieldEnd;
        break;
      }
      valueEnd = p + 2;
    }
    if (pos == field.size()) fieldEnded = true;
    const size_t units = (valueEnd - valueStart) / 2;
    const bool deleteMark = keepDeleteMark && units == 1 && codeUnitAt(field, valueStart) == 0x7F;
    if (units < 2 && !deleteMark) continue;
    ATTF_NATF& attribute = out.emplace_back();
    attribute.attributeCode = labelText(label);
    std::string& value = attribute.attributeValue;
    value.reserve(units * 3);
    for (size_t p = valueStart; p < valueEnd; p += 2) {
      uint32_t unit = codeUnitAt(field, p);
      if (unit == 0) break;
      // A surrogate pair stands for one code point above U+FFFF.
      if (unit >= 0xD800 && unit <= 0xDBFF && p + 2 < valueEnd) {
        const uint32_t low = codeUnitAt(field, p + 2);
        if (low >= 0xDC00 && low <= 0xDFFF) {
          unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          p += 2;
        }
      }
      appendUtf8(value, unit);
    }
  }
}
