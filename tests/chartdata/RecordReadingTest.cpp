// Reading a cell image into records: result codes of every step, records
// that are skipped or cut, files on disk and the 50,000,000-byte cap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "FileWindow.h"
#include "Iso8211Writer.h"
#include "S57CellReader.h"
#include "S57Writer.h"

namespace {

using s57write::S57Writer;

// A small valid cell: DSID, DSPM, two features, one node. Record offsets:
// [0] DDR, [1] DSID, [2] DSPM, [3] feature 1, [4] node, [5] feature 2.
S57Writer smallCell() {
  S57Writer w;
  w.addDataSet();
  s57write::Feature f;
  f.objl = 75;
  f.spatialPointers = {{s57write::kIsolatedNode, 1}};
  w.addFeature(f);
  w.addIsolatedNode(1, {470000000, -1220000000});
  f.rcid = 2;
  w.addFeature(f);
  return w;
}

std::string temporaryPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()) + ".000")).string();
}

bool writeBytes(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

// Everything a read decoded, as text: two reads that give the same text
// decoded the same records the same way.
std::string decoded(const S57CellReader& reader) {
  std::string text = reader.dataSetIdentification.DSNM + ";" + std::to_string(reader.fieldDescriptions.size());
  for (const auto& f : reader.features) {
    text += "\nF" + std::to_string(f->RCID) + "," + std::to_string(f->OBJL);
    for (const ATTF_NATF& a : f->attributes) text += "," + a.attributeCode + "=" + a.attributeValue;
    for (const FSPT& p : f->spatialPointers) text += ",>" + std::to_string(p.RCID);
  }
  for (const auto& v : reader.vectors) {
    text += "\nV" + std::to_string(v->RCNM) + "," + std::to_string(v->RCID);
    for (const SG2D& c : v->coordinates2D) text += "," + std::to_string(c.YCOO) + " " + std::to_string(c.XCOO);
  }
  return text + "\n" + std::to_string(reader.vectorIndex.size());
}

// Points directory entry `entry` of the record at `offset` past the record's
// end: its length and position become all nines.
void pointEntryOutside(std::string& image, size_t offset, int entry) {
  const int sl = image[offset + 20] - '0', sp = image[offset + 21] - '0';
  const size_t at = offset + 24 + static_cast<size_t>(entry) * (4 + sl + sp) + 4;
  image.replace(at, static_cast<size_t>(sl + sp), std::string(static_cast<size_t>(sl + sp), '9'));
}

}  // namespace

TEST(RecordReading, ResultCodesOfEveryStep) {
  const S57Writer writer = smallCell();
  const std::string good = writer.image();
  const std::vector<size_t> at = writer.iso().recordOffsets();
  const size_t ddrLength = at[1];

  struct Case {
    const char* what;
    std::function<std::string()> image;
    int code;
    int features;  // feature holders made before the read ended (the failing
                   // record's own, decoded as far as it went, included)
  };
  const Case cases[] = {
      {"good cell", [&] { return good; }, 0, 2},
      {"empty file", [] { return std::string(); }, 2, 0},
      {"24 bytes", [&] { return good.substr(0, 24); }, 2, 0},
      {"25 bytes, not 3LE1 09",
       [&] { std::string s = good.substr(0, 25); s[5] = '2'; return s; }, 3, 0},
      {"DDR leader with L replaced", [&] { std::string s = good; s[6] = 'R'; return s; }, 3, 0},
      {"file shorter than the DDR", [&] { return good.substr(0, ddrLength - 1); }, 3, 0},
      {"negative DDR length", [&] { return "-0001" + good.substr(5); }, 3, 0},
      {"data record length 0",
       [&] { std::string s = good; s.replace(at[3], 5, "00000"); return s; }, 4, 0},
      {"data record length not numeric",
       [&] { std::string s = good; s.replace(at[3], 5, "x0100"); return s; }, 4, 0},
      {"data record length negative",
       [&] { std::string s = good; s.replace(at[5], 5, "-0100"); return s; }, 4, 0},
      {"DDR of 23 bytes",
       [&] { return "000233LE1 09" + std::string(11, ' ') + good.substr(ddrLength); }, 5, 0},
      {"DDR field outside the DDR",
       [&] { std::string s = good; pointEntryOutside(s, 0, 2); return s; }, 7, 0},
      {"leader identifier R stops the walk",
       [&] { std::string s = good; s[at[5] + 6] = 'R'; return s; }, 8, 1},
      // Records shorter than a leader are refused while cutting, before
      // any record is decoded: a run of them would cost a view per byte pair.
      {"data record shorter than its leader",
       [&] { return good.substr(0, at[5]) + "00010 D   "; }, 12, 0},
      {"descriptive record followed by \"1 \" repeated",
       [&] {
         std::string s = good.substr(0, ddrLength);
         for (int i = 0; i < 1000; ++i) s += "1 ";
         return s;
       }, 12, 0},
      {"field runs past its record",
       [&] { std::string s = good; pointEntryOutside(s, at[3], 2); return s; }, 12, 1},
      {"record type tag past the record",
       [&] { return good.substr(0, at[5]) + "00027 D     00026   1104" "000"; }, 12, 1},
      // A record running past the end of the file is decoded as far as it
      // goes, and the read reports the damage whether or not its fields fit.
      {"last record cut inside its fields", [&] { return good.substr(0, good.size() - 3); }, 14, 2},
      {"last record cut after its leader", [&] { return good.substr(0, at[5] + 24); }, 14, 1},
      {"last record cut inside its leader", [&] { return good.substr(0, at[5] + 10); }, 14, 1},
      {"last record longer than the file",
       [&] { std::string s = good; s.replace(at[5], 5, "09999"); return s; }, 14, 2},
      // A flipped digit in an early record's length swallows the rest of the
      // file into that record.
      {"first record swallowing the file",
       [&] { std::string s = good; s.replace(at[1], 5, "90000"); return s; }, 14, 0},
      // Cutting records comes before decoding any of them.
      {"zero bytes after the last record",
       [&] { return good + std::string(30, '\0'); }, 4, 0},
  };
  // From memory and from a file (read through a window, not whole), alike.
  const std::string path = temporaryPath("chartdata_codes");
  for (const Case& c : cases) {
    const std::string image = c.image();
    S57CellReader reader;
    EXPECT_EQ(resultCode(reader.readCellBytes(image)), c.code) << c.what;
    EXPECT_EQ(static_cast<int>(reader.features.size()), c.features) << c.what;
    EXPECT_TRUE(reader.fileBytes.empty()) << c.what;
    EXPECT_TRUE(reader.records.empty() && reader.ddr.empty()) << c.what;
    ASSERT_TRUE(writeBytes(path, image));
    S57CellReader fromFile;
    EXPECT_EQ(resultCode(fromFile.readCell(path)), c.code) << c.what << " (file)";
    EXPECT_TRUE(decoded(fromFile) == decoded(reader)) << c.what << " (file)";
    EXPECT_TRUE(fromFile.fileBytes.empty() && fromFile.records.empty() && fromFile.ddr.empty()) << c.what;
  }
  std::remove(path.c_str());
}

// A file larger than the reading window: records straddle the window's
// edges, and a copy cut anywhere (inside a leader, a field, exactly at a
// record's end) reads from the file as its bytes read from memory.
TEST(RecordReading, FilesLargerThanTheWindowReadAsTheirBytes) {
  S57Writer writer;
  writer.addDataSet();
  for (int i = 1; i <= 9000; ++i) {
    std::vector<s57write::Coordinate> interior(static_cast<size_t>(i % 23), {470000000 + i, -1220000000 - i});
    writer.addConnectedNode(2 * i, {i, -i}).addConnectedNode(2 * i + 1, {-i, i}).addEdge(i, 2 * i, 2 * i + 1, interior);
    s57write::Feature f;
    f.rcid = f.fidn = i;
    f.prim = 2;
    f.objl = 43;
    f.attributes = {{174, std::to_string(i)}, {116, "contour number " + std::to_string(i)}};
    f.spatialPointers = {{s57write::kEdge, i, 1, 255, 255}};
    writer.addFeature(f);
  }
  const std::string image = writer.image();
  const std::vector<size_t> at = writer.iso().recordOffsets();
  ASSERT_GT(image.size(), 3 * FileWindow::kCapacity);
  // The record that holds the window's first edge, and cuts in and around it.
  const size_t straddling = *(std::upper_bound(at.begin(), at.end(), FileWindow::kCapacity) - 1);
  const std::string path = temporaryPath("chartdata_window");
  const struct {
    size_t cut;
    ReaderResult code;
  } cases[] = {
      {image.size(), ReaderResult::Ok},
      {image.size() - 1, ReaderResult::TruncatedRecord},
      {FileWindow::kCapacity, ReaderResult::TruncatedRecord},
      {straddling, ReaderResult::Ok},  // at a record's end: whole records (the record check tells the rest)
      {straddling + 3, ReaderResult::RecordOutOfBounds},  // a leader too short to hold its length
      {straddling + 30, ReaderResult::TruncatedRecord},
      {2 * FileWindow::kCapacity + 7, ReaderResult::TruncatedRecord},
  };
  for (const auto& [cut, expected] : cases) {
    const std::string_view bytes = std::string_view(image).substr(0, cut);
    S57CellReader fromMemory, fromFile;
    const ReaderResult code = fromMemory.readCellBytes(bytes);
    EXPECT_EQ(code, expected) << cut;
    ASSERT_TRUE(writeBytes(path, bytes));
    EXPECT_EQ(fromFile.readCell(path), code) << cut;
    EXPECT_EQ(fromFile.features.size(), fromMemory.features.size()) << cut;
    EXPECT_TRUE(decoded(fromFile) == decoded(fromMemory)) << cut;
  }
  std::remove(path.c_str());
}

TEST(RecordReading, StepsOneByOneExposeTheRecords) {
  const S57Writer writer = smallCell();
  const std::string image = writer.image();
  S57CellReader reader;
  ASSERT_EQ(reader.readBytes(image), ReaderResult::Ok);
  ASSERT_EQ(reader.splitRecords(), ReaderResult::Ok);
  EXPECT_EQ(reader.ddr.size(), writer.iso().recordOffsets()[1]);
  ASSERT_EQ(reader.records.size(), 5u);
  EXPECT_EQ(reader.records[0].substr(0, 5), image.substr(reader.ddr.size(), 5));
  EXPECT_EQ(reader.parseDescriptiveRecord(), ReaderResult::Ok);
  EXPECT_EQ(reader.parseDataRecords(), ReaderResult::Ok);
  EXPECT_EQ(reader.features.size(), 2u);
  EXPECT_EQ(reader.vectors.size(), 1u);
  EXPECT_EQ(reader.fileBytes.size(), image.size());  // only readCell* release it
}

TEST(RecordReading, SkipsRecordsOfOtherTypesAndKeepsZeroBytesAsData) {
  S57Writer writer = smallCell();
  // A catalogue directory record between the others, and a feature whose
  // attribute value holds zero bytes.
  writer.addRecord(iso8211::Record()
                       .add("0001", s57write::recordIdField(9))
                       .add("CATD", iso8211::field(std::string("CD\0\0\0\0\0", 7))));
  s57write::Feature f;
  f.rcid = 3;
  f.attributes = {{116, std::string("a\0b", 3)}};
  writer.addFeature(f);
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  ASSERT_EQ(reader.features.size(), 3u);
  ASSERT_EQ(reader.features[2]->attributes.size(), 1u);
  EXPECT_EQ(reader.features[2]->attributes[0].attributeValue, std::string("a\0b", 3));
}

TEST(RecordReading, ReadsFilesAndReportsThoseThatCannotBeOpened) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("chartdata_reading_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string path = (dir / "CELL.000").string();
  ASSERT_TRUE(smallCell().writeFile(path));

  S57CellReader reader;
  EXPECT_EQ(reader.readCell(path), ReaderResult::Ok);
  EXPECT_EQ(reader.features.size(), 2u);
  EXPECT_EQ(reader.dataSetIdentification.DSNM, "TEST0001.000");
  EXPECT_TRUE(reader.fileBytes.empty());

  S57CellReader missing;
  EXPECT_EQ(missing.readCell((dir / "NONE.000").string()), ReaderResult::CannotOpen);
  // What is no regular file is refused at once: a FIFO with no writer
  // would otherwise hold the read forever.
  const std::string fifo = (dir / "FIFO.000").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& path : {dir.string(), fifo, std::string("/dev/zero")}) {
    S57CellReader refused;
    EXPECT_EQ(refused.readCell(path), ReaderResult::NotRegularFile) << path;
    EXPECT_TRUE(refused.fileBytes.empty());
  }
  fs::remove_all(dir);
}

TEST(RecordReading, ReportsBytesPastFiftyMillion) {
  // A valid cell that ends exactly at byte 50,000,000, then a record that
  // would fail the read (length 0) if it were seen.
  constexpr size_t kCap = 50000000;
  S57Writer writer = smallCell();
  const auto filler = [](size_t fieldLength) {
    return iso8211::Record().sizes(5, 2).add("0001", s57write::recordIdField(1)).add(
        "CATX", std::string(fieldLength - 1, 'x') + '\x1e');
  };
  const size_t overhead = filler(1).encodeData().size() - 1;
  size_t size = writer.image().size();
  while (size < kCap) {
    const size_t room = kCap - size;
    size_t length = std::min<size_t>(room, 99999);  // record lengths have 5 digits
    if (room > length && room - length < overhead + 1) length -= overhead + 1;
    writer.addRecord(filler(length - overhead));
    size += length;
  }
  std::string image = writer.image();
  ASSERT_EQ(image.size(), kCap);
  image += "00000 D";

  // What lies within the cap is decoded, and the read reports the rest.
  S57CellReader fromMemory;
  EXPECT_EQ(fromMemory.readCellBytes(image), ReaderResult::FileTooLarge);
  EXPECT_EQ(fromMemory.features.size(), 2u);
  EXPECT_EQ(fromMemory.readCellBytes(std::string_view(image).substr(0, kCap)), ReaderResult::Ok);

  const std::string path =
      (std::filesystem::temp_directory_path() / ("chartdata_cap_" + std::to_string(::getpid()) + ".000"))
          .string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite(image.data(), 1, image.size(), f), image.size());
  std::fclose(f);
  S57CellReader fromFile;
  EXPECT_EQ(fromFile.readCell(path), ReaderResult::FileTooLarge);
  EXPECT_EQ(fromFile.features.size(), 2u);
  std::remove(path.c_str());
}
