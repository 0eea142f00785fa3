#pragma once
// One ISO 8211 record seen in place: its 24-byte leader, its directory and
// its field area. Nothing is copied; every entry and field handed out has
// been checked to lie inside the record. Inline: every record and every
// field of a cell passes through here.
#include <string_view>

#include "DecimalNumber.h"

constexpr char kUnitTerminator = '\x1f';
constexpr char kFieldTerminator = '\x1e';
constexpr size_t kLeaderLength = 24;

// A 4-byte field tag as one number, so that a decoder can switch on it:
// case tagCode("FRID"). Shorter text gives 0, which no tag of 4 bytes does.
constexpr unsigned tagCode(std::string_view tag) {
  return tag.size() < 4 ? 0u
                        : unsigned(static_cast<unsigned char>(tag[0])) << 24 |
                              unsigned(static_cast<unsigned char>(tag[1])) << 16 |
                              unsigned(static_cast<unsigned char>(tag[2])) << 8 | static_cast<unsigned char>(tag[3]);
}

struct DirectoryEntry {
  std::string_view tag;  // 4 bytes
  int length = 0;        // field length, field terminator included
  int position = 0;      // from the start of the field area
};

class RecordView {
public:
  // Sizes of field length and position from leader positions 20 and 21.
  explicit RecordView(std::string_view record)
      : RecordView(record, leaderNumber(record, 20, 1), leaderNumber(record, 21, 1)) {}
  // Sizes given by the caller (read from the same leader beforehand).
  RecordView(std::string_view record, int sizeOfLength, int sizeOfPosition)
      : record_(record),
        baseAddress_(leaderNumber(record, 12, 5)),
        // One digit each, so 0..9; anything else is clamped into that range.
        sizeOfLength_(sizeOfLength < 0 ? 0 : sizeOfLength > 9 ? 9 : sizeOfLength),
        sizeOfPosition_(sizeOfPosition < 0 ? 0 : sizeOfPosition > 9 ? 9 : sizeOfPosition) {}

  std::string_view bytes() const { return record_; }
  char leaderIdentifier() const { return record_.size() > 6 ? record_[6] : '\0'; }

  int baseAddress() const { return baseAddress_; }
  int sizeOfLength() const { return sizeOfLength_; }
  int sizeOfPosition() const { return sizeOfPosition_; }
  int entrySize() const { return 4 + sizeOfLength_ + sizeOfPosition_; }
  // (base address - 25) / entry size, rounded toward zero: 25 is the leader
  // plus the field terminator that closes the directory.
  int entryCount() const { return (baseAddress_ - 25) / entrySize(); }

  // Directory entry `index`; false when the entry does not lie wholly inside
  // the record.
  bool entry(int index, DirectoryEntry& out) const {
    if (index < 0) return false;
    const size_t size = static_cast<size_t>(entrySize());
    const size_t start = kLeaderLength + static_cast<size_t>(index) * size;
    if (start + size > record_.size()) return false;
    const char* const e = record_.data() + start;
    out.tag = std::string_view(e, 4);
    out.length = decimalNumber(std::string_view(e + 4, static_cast<size_t>(sizeOfLength_)));
    out.position = decimalNumber(std::string_view(e + 4 + sizeOfLength_, static_cast<size_t>(sizeOfPosition_)));
    return true;
  }
  // The bytes of an entry's field (field terminator included); false when its
  // position or length reaches outside the record.
  bool field(const DirectoryEntry& entry, std::string_view& out) const {
    if (baseAddress_ < 0 || entry.position < 0 || entry.length < 0) return false;
    const long long start = static_cast<long long>(baseAddress_) + entry.position;
    if (start + entry.length > static_cast<long long>(record_.size())) return false;
    out = std::string_view(record_.data() + start, static_cast<size_t>(entry.length));
    return true;
  }
  // The tag of the second directory entry, which names the kind of an S-57
  // data record (the first is always "0001"); false when it lies outside.
  bool recordType(std::string_view& tag) const {
    const size_t start = kLeaderLength + static_cast<size_t>(entrySize());
    if (start + 4 > record_.size()) return false;
    tag = std::string_view(record_.data() + start, 4);
    return true;
  }

  // A leader's decimal number at [pos, pos + width), cut at the record's end.
  static int leaderNumber(std::string_view record, size_t pos, size_t width) {
    return decimalNumber(boundedSlice(record, pos, width));
  }

private:
  std::string_view record_;
  int baseAddress_ = 0;
  int sizeOfLength_ = 0;
  int sizeOfPosition_ = 0;
};
