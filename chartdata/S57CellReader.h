#pragma once
// Reads one S-57 cell (an ISO 8211 exchange file) into S-57 record holders.
// A reader is short-lived: construct one per file, run it, take what is
// needed, drop it. It is neither copyable nor movable, because `ddr` and
// `records` are views into the image it reads.
//
// The pipeline, each step returning a ReaderResult (Ok = go on):
//   readFile / readBytes   the file image into fileBytes (at most 50,000,000 bytes)
//   splitRecords           ddr and records cut out of the image
//   parseDescriptiveRecord fieldDescriptions from the DDR
//   parseDataRecords       every data record handed to its decoder by record type
// readCell / readCellBytes give what the four steps give, and leave
// fileBytes, ddr and records empty whatever the outcome. They keep no list
// of records: one walk checks the record lengths and counts the records by
// type, a second decodes each record as it is cut. readCellBytes reads the
// caller's bytes where they lie, without a copy; readCell reads the file
// through a window of at most 256 KB (FileWindow), once per walk, and
// never holds it whole.
//
// What it allocates follows what it reads: no image of a file read with
// readCell (readFile's image is read unzeroed), the record lists at the
// length counted, and the record holders with their lists in the memory of
// the read (RecordMemory), never sized by a number the file states.
//
// Damage that does not stop the read (a file over the size limit, a last
// record cut short by the end of the file) is kept in `damage`: the steps go
// on and decode what is there, and readCell reports the damage code when no
// step failed outright, or when the cut record itself failed to decode.
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ByteImage.h"
#include "DataSet.h"
#include "FieldDescriptions.h"
#include "ReaderResult.h"
#include "RecordMemory.h"
#include "S57Records.h"

class S57CellReader {
public:
  static constexpr size_t kMaxFileBytes = 50000000;

  S57CellReader() = default;
  S57CellReader(const S57CellReader&) = delete;
  S57CellReader& operator=(const S57CellReader&) = delete;

  // --- ISO 8211 layer
  ByteImage fileBytes;                   // the file image (readFile, readBytes); zero bytes are data
  std::string_view ddr;                  // the data descriptive record (view into the image)
  std::vector<std::string_view> records; // the data records in file order (views into the image)
  FieldDescriptionTable fieldDescriptions;
  // FileTooLarge (the file or bytes were over kMaxFileBytes),
  // TruncatedRecord (a record runs past the end of the image and the file
  // was not already over the limit: found by splitRecords, or by the first
  // walk of readCell / readCellBytes), else Ok.
  ReaderResult damage = ReaderResult::Ok;

  // --- S-57 record model
  DataSetIdentification dataSetIdentification;
  DataSetStructure dataSetStructure;
  DataSetParameters dataSetParameters;
  std::vector<std::shared_ptr<FRID>> features;  // one per feature record, in file order
  std::vector<std::shared_ptr<VRID>> vectors;   // one per vector record, in file order
  // By NAME (packed with nameKey); a later record with the same NAME replaces
  // the earlier one here, both stay in `vectors`. Its entries come from the
  // reader's own memory, taken in blocks and given back all at once by
  // clear(): one entry per vector record would otherwise be a heap block of
  // its own.
private:
  std::pmr::monotonic_buffer_resource indexMemory_;  // before vectorIndex, which uses it
public:
  std::pmr::unordered_map<uint64_t, std::shared_ptr<VRID>> vectorIndex{&indexMemory_};

  // The whole pipeline from a file / from bytes already in memory.
  ReaderResult readCell(const std::string& path);
  ReaderResult readCellBytes(std::string_view bytes);

  // Step 1: the file image. readFile gives 1 when the file cannot be opened
  // or read, and 17 at once, without waiting, for a folder, FIFO or device;
  // readBytes takes a copy of `bytes` and always gives 0. Both keep at most
  // kMaxFileBytes bytes, and set `damage` when there were more.
  ReaderResult readFile(const std::string& path);
  ReaderResult readBytes(std::string_view bytes);
  // Step 2: 0, 2, 3, 4, or 12 for a data record declaring fewer bytes than
  // its leader. Memory stays in proportion to the image: every record kept
  // is at least a leader long.
  ReaderResult splitRecords();
  // Step 3: 0, 5 or 7.
  ReaderResult parseDescriptiveRecord();
  // Step 4: 0, 8 or 12; `damage` instead of 12 when the failing record is
  // the one cut short by the end of the image.
  ReaderResult parseDataRecords();

  // The record decoders, given one data record and its sizes of field length
  // and position. Each returns 0, or 12 when a directory entry or field runs
  // past the record.
  ReaderResult decodeDataSetIdentification(std::string_view record, int sizeOfLength, int sizeOfPosition);
  ReaderResult decodeDataSetParameters(std::string_view record, int sizeOfLength, int sizeOfPosition);
  ReaderResult decodeFeatureRecord(std::string_view record, int sizeOfLength, int sizeOfPosition);
  ReaderResult decodeVectorRecord(std::string_view record, int sizeOfLength, int sizeOfPosition);

  // The vector record for a spatial pointer's NAME, or null.
  std::shared_ptr<VRID> findVector(const RecordName& name) const;

  // Drops everything read so far.
  void clear();

private:
  // A new holder in the memory of this read, which it shares.
  std::shared_ptr<FRID> newFeature();
  std::shared_ptr<VRID> newVector();

  template <class Bytes>
  ReaderResult runSteps(Bytes& bytes, bool viewsStay);
  template <class Bytes>
  ReaderResult cutDescriptiveRecord(Bytes& bytes);  // ddr: 0, 2 or 3
  void noteCutRecord();  // the last record runs past the end: damage
  struct RecordTally;  // the feature and vector records of a walk, and their bytes
  void expectRecords(const RecordTally& tally);
  ReaderResult decodeRecord(std::string_view bytes, bool cut);
  ReaderResult parseDataRecord(std::string_view bytes);
  void releaseFileBytes();

  std::string_view image_;      // what splitRecords cuts: fileBytes, or the bytes of readCellBytes
  bool lastRecordCut_ = false;  // the last of `records` ran past the end of the image
  std::shared_ptr<RecordMemory> recordMemory_;  // made by the first record of a read
};
