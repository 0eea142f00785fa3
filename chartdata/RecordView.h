#pragma once
// One ISO 8211 record seen in place: its 24-byte leader, its directory and
// its field area. Nothing is copied; every entry and field handed out has
// been checked to lie inside the record.
#include <string_view>

#include "DecimalNumber.h"

constexpr char kUnitTerminator = '\x1f';
constexpr char kFieldTerminator = '\x1e';
constexpr size_t kLeaderLength = 24;

struct DirectoryEntry {
  std::string_view tag;  // 4 bytes
  int length = 0;        // field length, field terminator included
  int position = 0;      // from the start of the field area
};

class RecordView {
public:
  // Sizes of field length and position from leader positions 20 and 21.
  explicit RecordView(std::string_view record);
  // Sizes given by the caller (read from the same leader beforehand).
  RecordView(std::string_view record, int sizeOfLength, int sizeOfPosition);

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
  bool entry(int index, DirectoryEntry& out) const;
  // The bytes of an entry's field (field terminator included); false when its
  // position or length reaches outside the record.
  bool field(const DirectoryEntry& entry, std::string_view& out) const;
  // The tag of the second directory entry, which names the kind of an S-57
  // data record (the first is always "0001"); false when it lies outside.
  bool recordType(std::string_view& tag) const;

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
