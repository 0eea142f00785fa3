#include "S57CellReader.h"

#include <algorithm>
#include <cstdio>

#include "RecordView.h"
#include "RegularFile.h"

namespace {

// Walks the records after the DDR, calling cut(offset, length) for each
// (length may run past the end of the image: the last record, cut short).
// Returns 0, or the code of the length that stops the walk, or the first
// code other than 0 that cut returns; the records before it have been
// handed out.
template <class Cut>
int walkRecords(std::string_view image, size_t offset, Cut&& cut) {
  while (offset < image.size()) {
    const int length = RecordView::leaderNumber(image, offset, 5);
    if (length <= 0) return ReaderBadRecordLength;
    // A record has at least its leader: a run of tiny "records" would
    // otherwise cost a view each, many times the bytes they stand for.
    if (static_cast<size_t>(length) < kLeaderLength) return ReaderRecordOutOfBounds;
    if (const int code = cut(offset, static_cast<size_t>(length))) return code;
    offset += static_cast<size_t>(length);
  }
  return ReaderOk;
}

// The feature and vector records among records, by the type each names.
struct RecordTally {
  size_t features = 0;
  size_t vectors = 0;

  void add(std::string_view record) {
    if (record.size() < kLeaderLength || record[6] != 'D') return;
    std::string_view type;
    if (!RecordView(record).recordType(type)) return;
    switch (tagCode(type)) {
      case tagCode("FRID"): ++features; break;
      case tagCode("VRID"): ++vectors; break;
      default: break;
    }
  }
};

}  // namespace

int S57CellReader::readCell(const std::string& path) {
  clear();
  int code = readFile(path);
  if (code == ReaderOk) code = runSteps();
  releaseFileBytes();
  return code;
}

int S57CellReader::readCellBytes(std::string_view bytes) {
  clear();
  // The caller's bytes stay where they are for the whole call: they are
  // read in place, and every view into them is gone before returning.
  if (bytes.size() > kMaxFileBytes) damage = ReaderFileTooLarge;
  image_ = bytes.substr(0, std::min(bytes.size(), kMaxFileBytes));
  const int code = runSteps();
  releaseFileBytes();
  return code;
}

int S57CellReader::runSteps() {
  // The steps of splitRecords and parseDataRecords, without the list of
  // records between them: one walk from leader to leader checks every
  // length and counts the records by type; a second cuts each record again
  // and decodes it at once, while its bytes are at hand.
  int code = cutDescriptiveRecord();
  RecordTally tally;
  if (code == ReaderOk)
    code = walkRecords(image_, ddr.size(), [this, &tally](size_t offset, size_t length) {
      noteCutRecord(offset, length);
      tally.add(image_.substr(offset, length));
      return ReaderOk;
    });
  if (code == ReaderOk) code = parseDescriptiveRecord();
  if (code == ReaderOk) {
    expectRecords(tally.features, tally.vectors);
    const size_t firstVector = vectors.size();
    code = walkRecords(image_, ddr.size(), [this](size_t offset, size_t length) {
      return decodeRecord(image_.substr(offset, length), length > image_.size() - offset);
    });
    indexVectors(firstVector);
  }
  return code == ReaderOk ? damage : code;
}

void S57CellReader::releaseFileBytes() {
  ddr = {};
  records.clear();
  records.shrink_to_fit();
  lastRecordCut_ = false;
  image_ = {};
  fileBytes.clear();
}

void S57CellReader::clear() {
  releaseFileBytes();
  damage = ReaderOk;
  fieldDescriptions.clear();
  dataSetIdentification = DataSetIdentification();
  dataSetStructure = DataSetStructure();
  dataSetParameters = DataSetParameters();
  features.clear();
  vectors.clear();
  {
    // The index lets go of its entries and buckets before their memory goes.
    decltype(vectorIndex) empty(&indexMemory_);
    vectorIndex.swap(empty);
  }
  indexMemory_.release();
  featureBlocks_.clear();
  vectorBlocks_.clear();
}

int S57CellReader::readFile(const std::string& path) {
  releaseFileBytes();
  damage = ReaderOk;
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::Opened: break;
    case RegularFileOpen::NotRegular: return ReaderNotRegularFile;
    case RegularFileOpen::CannotOpen: return ReaderCannotOpen;
  }
  // One read of the whole file, never more than the cap, into room that is
  // not zeroed first. A file that shrank since the stat gives what it has.
  const size_t want = static_cast<size_t>(std::min<std::uint64_t>(size, kMaxFileBytes));
  char* const room = fileBytes.allocate(want);
  const size_t got = want ? std::fread(room, 1, want, file) : 0;
  fileBytes.keep(got);
  image_ = fileBytes.view();
  const bool failed = got < want && std::ferror(file);
  if (size > kMaxFileBytes) damage = ReaderFileTooLarge;
  std::fclose(file);
  if (failed) {
    releaseFileBytes();
    return ReaderCannotOpen;
  }
  return ReaderOk;
}

int S57CellReader::readBytes(std::string_view bytes) {
  releaseFileBytes();
  damage = bytes.size() > kMaxFileBytes ? ReaderFileTooLarge : ReaderOk;
  fileBytes.assign(bytes.substr(0, std::min(bytes.size(), kMaxFileBytes)));
  image_ = fileBytes.view();
  return ReaderOk;
}

int S57CellReader::cutDescriptiveRecord() {
  ddr = {};
  lastRecordCut_ = false;
  if (image_.size() < 25) return ReaderFileTooShort;
  const int ddrLength = RecordView::leaderNumber(image_, 0, 5);
  if (image_.substr(5, 7) != "3LE1 09" || ddrLength < 0 || image_.size() < static_cast<size_t>(ddrLength))
    return ReaderNoDescriptiveRecord;
  ddr = image_.substr(0, static_cast<size_t>(ddrLength));
  return ReaderOk;
}

void S57CellReader::noteCutRecord(size_t offset, size_t length) {
  // A record running past the end of the file is cut there, decoded as far
  // as it goes, and the read reports the damage.
  if (length <= image_.size() - offset) return;
  lastRecordCut_ = true;
  if (damage == ReaderOk) damage = ReaderTruncatedRecord;
}

int S57CellReader::splitRecords() {
  records.clear();
  if (const int code = cutDescriptiveRecord()) return code;
  // The records are counted first (a hop from leader to leader), so the
  // list is made once at its length.
  size_t count = 0;
  walkRecords(image_, ddr.size(), [&count](size_t, size_t) { return ++count, ReaderOk; });
  records.reserve(count);
  return walkRecords(image_, ddr.size(), [this](size_t offset, size_t length) {
    noteCutRecord(offset, length);
    records.push_back(image_.substr(offset, length));
    return ReaderOk;
  });
}

int S57CellReader::parseDescriptiveRecord() {
  return parseFieldDescriptions(ddr, fieldDescriptions);
}

int S57CellReader::parseDataRecords() {
  RecordTally tally;
  for (const std::string_view bytes : records) tally.add(bytes);
  expectRecords(tally.features, tally.vectors);
  const size_t firstVector = vectors.size();
  int code = ReaderOk;
  for (size_t i = 0; i < records.size() && code == ReaderOk; ++i)
    code = decodeRecord(records[i], lastRecordCut_ && i + 1 == records.size());
  indexVectors(firstVector);
  return code;
}

void S57CellReader::expectRecords(size_t featureRecords, size_t vectorRecords) {
  // Each record counted lies in the image, so this follows the bytes read,
  // never a count the file states.
  features.reserve(features.size() + featureRecords);
  vectors.reserve(vectors.size() + vectorRecords);
  featureBlocks_.expect(featureRecords);
  vectorBlocks_.expect(vectorRecords);
}

void S57CellReader::indexVectors(size_t first) {
  // In file order: a later record with the same NAME takes the place of an
  // earlier one.
  vectorIndex.reserve(vectorIndex.size() + (vectors.size() - first));
  for (size_t i = first; i < vectors.size(); ++i) vectorIndex.insert_or_assign(nameKey(vectors[i]->NAME), vectors[i]);
}

int S57CellReader::decodeRecord(std::string_view bytes, bool cut) {
  const int code = parseDataRecord(bytes);
  // The record cut short by the end of the image fails because it was cut.
  return cut && code == ReaderRecordOutOfBounds && damage != ReaderOk ? damage : code;
}

int S57CellReader::parseDataRecord(std::string_view bytes) {
  if (bytes.size() < kLeaderLength) return ReaderRecordOutOfBounds;
  if (bytes[6] != 'D') return ReaderNotDataRecord;
  const RecordView record(bytes);
  std::string_view type;
  if (!record.recordType(type)) return ReaderRecordOutOfBounds;
  const int sl = record.sizeOfLength(), sp = record.sizeOfPosition();
  switch (tagCode(type)) {
    case tagCode("FRID"): return decodeFeatureRecord(bytes, sl, sp);
    case tagCode("VRID"): return decodeVectorRecord(bytes, sl, sp);
    case tagCode("DSID"): return decodeDataSetIdentification(bytes, sl, sp);
    case tagCode("DSPM"): return decodeDataSetParameters(bytes, sl, sp);
    default: return ReaderOk;  // any other record type (catalogue records and the like) is not read
  }
}

template <class Record>
std::shared_ptr<Record> S57CellReader::RecordBlocks<Record>::next() {
  if (used_ == size_) {
    // Decoders called on their own, outside parseDataRecords, expect
    // nothing: their records come one block of one at a time.
    const size_t size = std::max<size_t>(1, std::min(expected_, kBlockRecords));
    block_.reset(new Record[size]);
    used_ = 0;
    size_ = size;
    expected_ -= std::min(expected_, size);
  }
  // Shares the block's ownership: the block goes with its last record.
  return std::shared_ptr<Record>(block_, &block_[used_++]);
}

template class S57CellReader::RecordBlocks<FRID>;
template class S57CellReader::RecordBlocks<VRID>;

std::shared_ptr<VRID> S57CellReader::findVector(const RecordName& name) const {
  const auto it = vectorIndex.find(nameKey(name));
  return it == vectorIndex.end() ? nullptr : it->second;
}
