#include "RecordView.h"

RecordView::RecordView(std::string_view record)
    : RecordView(record, leaderNumber(record, 20, 1), leaderNumber(record, 21, 1)) {}

RecordView::RecordView(std::string_view record, int sizeOfLength, int sizeOfPosition)
    : record_(record),
      baseAddress_(leaderNumber(record, 12, 5)),
      // One digit each, so 0..9; anything else is clamped into that range.
      sizeOfLength_(sizeOfLength < 0 ? 0 : sizeOfLength > 9 ? 9 : sizeOfLength),
      sizeOfPosition_(sizeOfPosition < 0 ? 0 : sizeOfPosition > 9 ? 9 : sizeOfPosition) {}

bool RecordView::entry(int index, DirectoryEntry& out) const {
  if (index < 0) return false;
  const size_t size = static_cast<size_t>(entrySize());
  const size_t start = kLeaderLength + static_cast<size_t>(index) * size;
  if (start + size > record_.size()) return false;
  const std::string_view e = record_.substr(start, size);
  out.tag = e.substr(0, 4);
  out.length = decimalNumber(e.substr(4, sizeOfLength_));
  out.position = decimalNumber(e.substr(4 + sizeOfLength_, sizeOfPosition_));
  return true;
}

bool RecordView::field(const DirectoryEntry& entry, std::string_view& out) const {
  if (baseAddress_ < 0 || entry.position < 0 || entry.length < 0) return false;
  const long long start = static_cast<long long>(baseAddress_) + entry.position;
  if (start + entry.length > static_cast<long long>(record_.size())) return false;
  out = record_.substr(static_cast<size_t>(start), static_cast<size_t>(entry.length));
  return true;
}

bool RecordView::recordType(std::string_view& tag) const {
  const size_t start = kLeaderLength + static_cast<size_t>(entrySize());
  if (start + 4 > record_.size()) return false;
  tag = record_.substr(start, 4);
  return true;
}
