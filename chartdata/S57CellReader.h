#pragma once
// Reads one S-57 cell (an ISO 8211 exchange file) into S-57 record holders.
// A reader is short-lived: construct one per file, run it, take what is
// needed, drop it. It is neither copyable nor movable, because `ddr` and
// `records` are views into its own `fileBytes`.
//
// The pipeline, each step returning a ReaderResult (Ok = go on):
//   readFile / readBytes   the file image into fileBytes (at most 50,000,000 bytes)
//   splitRecords           ddr and records cut out of the image
//   parseDescriptiveRecord fieldDescriptions from the DDR
//   parseDataRecords       every data record handed to its decoder by record type
// readCell / readCellBytes run all four and empty fileBytes (and the views
// into it) before returning, whatever the outcome.
//
// Damage that does not stop the read (a file over the size limit, a last
// record cut short by the end of the file) is kept in `damage`: the steps go
// on and decode what is there, and readCell reports the damage code when no
// step failed outright, or when the cut record itself failed to decode.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "DataSet.h"
#include "FieldDescriptions.h"
#include "ReaderResult.h"
#include "S57Records.h"

class S57CellReader {
public:
  static constexpr size_t kMaxFileBytes = 50000000;

  S57CellReader() = default;
  S57CellReader(const S57CellReader&) = delete;
  S57CellReader& operator=(const S57CellReader&) = delete;

  // --- ISO 8211 layer
  std::string fileBytes;                 // the file image; zero bytes are data
  std::string_view ddr;                  // the data descriptive record (view into fileBytes)
  std::vector<std::string_view> records; // the data records in file order (views into fileBytes)
  FieldDescriptionTable fieldDescriptions;
  // FileTooLarge (set by readFile / readBytes), TruncatedRecord (set by
  // splitRecords when a record runs past the end of the image and the file
  // was not already over the limit), else Ok.
  ReaderResult damage = ReaderResult::Ok;

  // --- S-57 record model
  DataSetIdentification dataSetIdentification;
  DataSetStructure dataSetStructure;
  DataSetParameters dataSetParameters;
  std::vector<std::shared_ptr<FRID>> features;  // one per feature record, in file order
  std::vector<std::shared_ptr<VRID>> vectors;   // one per vector record, in file order
  // By NAME (packed with nameKey); a later record with the same NAME replaces
  // the earlier one here, both stay in `vectors`.
  std::unordered_map<uint64_t, std::shared_ptr<VRID>> vectorIndex;

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
  ReaderResult runSteps();
  ReaderResult parseDataRecord(std::string_view bytes);
  void releaseFileBytes();

  bool lastRecordCut_ = false;  // the last of `records` ran past the end of the image
};
