#include "Iso8211Writer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace iso8211 {

std::string b11(uint32_t value) { return std::string(1, static_cast<char>(value & 0xFF)); }

std::string b12(uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string b14(int64_t value) {
  const uint32_t u = static_cast<uint32_t>(value);
  return {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
          static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
}

std::string text(std::string_view value) { return std::string(value) + kUnitTerminator; }

std::string field(std::string_view bytes) { return std::string(bytes) + kFieldTerminator; }

namespace {

int digitsFor(size_t value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

std::string padded(size_t value, int width) {
  std::string s = std::to_string(value);
  if (static_cast<int>(s.size()) > width)
    throw std::length_error("iso8211: value " + s + " does not fit in " + std::to_string(width) +
                            " digits");
  return std::string(static_cast<size_t>(width) - s.size(), '0') + s;
}

}  // namespace

Record& Record::add(std::string tag, std::string bytes) {
  fields_.push_back({std::move(tag), std::move(bytes)});
  return *this;
}

Record& Record::sizes(int sizeOfLength, int sizeOfPosition) {
  sizeOfLength_ = sizeOfLength;
  sizeOfPosition_ = sizeOfPosition;
  return *this;
}

std::string Record::encode(std::string_view leaderMiddle, std::string_view leaderTail) const {
  size_t maxLength = 0, position = 0, maxPosition = 0;
  for (const Field& f : fields_) {
    maxLength = std::max(maxLength, f.bytes.size());
    maxPosition = std::max(maxPosition, position);
    position += f.bytes.size();
  }
  const int sl = sizeOfLength_ > 0 ? sizeOfLength_ : digitsFor(maxLength);
  const int sp = sizeOfPosition_ > 0 ? sizeOfPosition_ : digitsFor(maxPosition);

  std::string directory, area;
  for (const Field& f : fields_) {
    std::string tag = f.tag;
    tag.resize(4, ' ');
    directory += tag + padded(f.bytes.size(), sl) + padded(area.size(), sp);
    area += f.bytes;
  }
  directory += kFieldTerminator;
  const size_t base = 24 + directory.size();
  const size_t length = base + area.size();
  std::string leader = padded(length, 5) + std::string(leaderMiddle) + padded(base, 5) +
                       std::string(leaderTail) + std::to_string(sl) + std::to_string(sp) + "04";
  return leader + directory + area;
}

std::string Record::encodeData(char leaderIdentifier) const {
  std::string middle = "       ";  // positions 5-11
  middle[1] = leaderIdentifier;
  return encode(middle, "   ");
}

std::string Record::encodeDescriptive() const { return encode("3LE1 09", " ! "); }

Writer& Writer::describe(std::string tag, std::string_view fieldControls, std::string_view name,
                         std::string_view arrayDescriptor, std::string_view formatControls) {
  std::string bytes = std::string(fieldControls) + std::string(name) + kUnitTerminator +
                      std::string(arrayDescriptor) + kUnitTerminator +
                      std::string(formatControls) + kFieldTerminator;
  ddr_.add(std::move(tag), std::move(bytes));
  return *this;
}

Writer& Writer::fieldTree(std::vector<std::pair<std::string, std::string>> pairs) {
  tree_ = std::move(pairs);
  return *this;
}

Writer& Writer::addRecord(const Record& record, char leaderIdentifier) {
  records_.push_back(record.encodeData(leaderIdentifier));
  return *this;
}

Writer& Writer::replaceRecord(size_t index, const Record& record, char leaderIdentifier) {
  if (index < records_.size()) records_[index] = record.encodeData(leaderIdentifier);
  return *this;
}

Writer& Writer::addRawRecord(std::string bytes) {
  records_.push_back(std::move(bytes));
  return *this;
}

std::string Writer::descriptiveRecord() const {
  std::string control = std::string("0000;&   ") + kUnitTerminator;
  for (const auto& [parent, child] : tree_) control += parent + child;
  control += kFieldTerminator;
  Record ddr;
  ddr.add("0000", control);
  for (const Record::Field& f : ddr_.fields()) ddr.add(f.tag, f.bytes);
  return ddr.encodeDescriptive();
}

std::string Writer::image() const {
  std::string out = descriptiveRecord();
  for (const std::string& r : records_) out += r;
  return out;
}

std::vector<size_t> Writer::recordOffsets() const {
  std::vector<size_t> offsets{0};
  size_t offset = descriptiveRecord().size();
  for (const std::string& r : records_) {
    offsets.push_back(offset);
    offset += r.size();
  }
  return offsets;
}

bool Writer::writeFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  const std::string bytes = image();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace iso8211
