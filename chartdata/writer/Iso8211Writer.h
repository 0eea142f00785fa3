#pragma once
// A small ISO 8211 writer that builds files byte by byte: a data descriptive
// record (DDR) with field descriptions, then data records made of tagged
// fields. Field bytes are stored exactly as given, so a caller can write
// well-formed fields with the helpers below or, in tests, any broken bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace iso8211 {

constexpr char kUnitTerminator = '\x1f';
constexpr char kFieldTerminator = '\x1e';

// Little-endian binary subfields.
std::string b11(uint32_t value);
std::string b12(uint32_t value);
std::string b14(int64_t value);  // 4 bytes, two's complement for negative values
// A variable-length text subfield: the text and a unit terminator.
std::string text(std::string_view value);
// The bytes and a field terminator.
std::string field(std::string_view bytes);

// One record under construction: its fields in directory order.
class Record {
public:
  struct Field {
    std::string tag;
    std::string bytes;  // as stored, terminators included
  };

  Record& add(std::string tag, std::string bytes);

  // Sizes of field length and position in the directory; 0 (the default)
  // picks the fewest digits that hold the largest value.
  Record& sizes(int sizeOfLength, int sizeOfPosition);

  // A data record: leader identifier at position 6 (normally 'D').
  std::string encodeData(char leaderIdentifier = 'D') const;
  // A DDR: "3LE1 09" at positions 5-11.
  std::string encodeDescriptive() const;

  const std::vector<Field>& fields() const { return fields_; }

private:
  std::string encode(std::string_view leaderMiddle, std::string_view leaderTail) const;
  std::vector<Field> fields_;
  int sizeOfLength_ = 0;
  int sizeOfPosition_ = 0;
};

// A whole file: the DDR, then the data records in order.
class Writer {
public:
  // Adds a field description to the DDR: field controls (e.g. "1600;&   "),
  // field name, array descriptor ("RCNM!RCID", "*ATTL!ATVL") and format
  // controls ("(b11,b14)").
  Writer& describe(std::string tag, std::string_view fieldControls, std::string_view name,
                   std::string_view arrayDescriptor, std::string_view formatControls);
  // Adds a data record; leaderIdentifier goes to position 6.
  Writer& addRecord(const Record& record, char leaderIdentifier = 'D');
  // Puts `record` in the place of data record `index` (0 is the first after
  // the DDR); nothing happens for an index past the last.
  Writer& replaceRecord(size_t index, const Record& record, char leaderIdentifier = 'D');
  // The number of data records added.
  size_t recordCount() const { return records_.size(); }
  // Adds bytes as they stand, for records no well-formed writer would make.
  Writer& addRawRecord(std::string bytes);

  // The DDR alone (with the "0000" file control field first).
  std::string descriptiveRecord() const;
  // The file image: DDR then every data record.
  std::string image() const;
  // Offsets in image() of the DDR (0) and of each data record after it.
  std::vector<size_t> recordOffsets() const;
  bool writeFile(const std::string& path) const;

  // Tags added to the file control field's list of (parent, child) pairs.
  Writer& fieldTree(std::vector<std::pair<std::string, std::string>> pairs);

private:
  Record ddr_;
  std::vector<std::pair<std::string, std::string>> tree_;
  std::vector<std::string> records_;
};

}  // namespace iso8211
