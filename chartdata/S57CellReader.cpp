#include "S57CellReader.h"

#include <algorithm>
#include <cstdio>

#include "RecordView.h"
#include "RegularFile.h"

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
  int code = splitRecords();
  if (code == ReaderOk) code = parseDescriptiveRecord();
  if (code == ReaderOk) code = parseDataRecords();
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
  vectorIndex.clear();
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

namespace {

// Walks the records after the DDR, calling cut(offset, length) for each
// (length may run past the end of the image: the last record, cut short).
// Returns 0, or the code of the length that stops the walk; the records cut
// before it have been handed out.
template <class Cut>
int walkRecords(std::string_view image, size_t offset, Cut&& cut) {
  while (offset < image.size()) {
    const int length = RecordView::leaderNumber(image, offset, 5);
    if (length <= 0) return ReaderBadRecordLength;
    // A record has at least its leader: a run of tiny "records" would
    // otherwise cost a view each, many times the bytes they stand for.
    if (static_cast<size_t>(length) < kLeaderLength) return ReaderRecordOutOfBounds;
    cut(offset, static_cast<size_t>(length));
    offset += static_cast<size_t>(length);
  }
  return ReaderOk;
}

}  // namespace

int S57CellReader::splitRecords() {
  ddr = {};
  records.clear();
  lastRecordCut_ = false;
  const std::string_view image = image_;
  if (image.size() < 25) return ReaderFileTooShort;
  const int ddrLength = RecordView::leaderNumber(image, 0, 5);
  if (image.substr(5, 7) != "3LE1 09" || ddrLength < 0 ||
      image.size() < static_cast<size_t>(ddrLength))
    return ReaderNoDescriptiveRecord;
  ddr = image.substr(0, static_cast<size_t>(ddrLength));
  const size_t first = static_cast<size_t>(ddrLength);
  // The records are counted first (a hop from leader to leader), so the
  // list is made once at its length.
  size_t count = 0;
  walkRecords(image, first, [&count](size_t, size_t) { ++count; });
  records.reserve(count);
  return walkRecords(image, first, [this, image](size_t offset, size_t length) {
    // A record running past the end of the file is cut there, decoded as far
    // as it goes, and the read reports the damage.
    if (length > image.size() - offset) {
      lastRecordCut_ = true;
      if (damage == ReaderOk) damage = ReaderTruncatedRecord;
    }
    records.push_back(image.substr(offset, length));
  });
}

int S57CellReader::parseDescriptiveRecord() {
  return parseFieldDescriptions(ddr, fieldDescriptions);
}

int S57CellReader::parseDataRecords() {
  // The feature and vector records among those cut, by the type each names:
  // the lists and the index are made once at that size, the record holders
  // in blocks of it. Each record counted lies in the image, so this follows
  // the bytes read, never a count the file states.
  size_t featureRecords = 0, vectorRecords = 0;
  for (const std::string_view bytes : records) {
    if (bytes.size() < kLeaderLength || bytes[6] != 'D') continue;
    std::string_view type;
    if (!RecordView(bytes).recordType(type)) continue;
    if (type == "FRID") ++featureRecords;
    else if (type == "VRID") ++vectorRecords;
  }
  features.reserve(features.size() + featureRecords);
  vectors.reserve(vectors.size() + vectorRecords);
  vectorIndex.reserve(vectorIndex.size() + vectorRecords);
  featureBlocks_.expect(featureRecords);
  vectorBlocks_.expect(vectorRecords);
  for (size_t i = 0; i < records.size(); ++i) {
    const int code = parseDataRecord(records[i]);
    if (code == ReaderOk) continue;
    // The record cut short by the end of the image fails because it was cut.
    const bool cutRecord = lastRecordCut_ && i + 1 == records.size();
    return cutRecord && code == ReaderRecordOutOfBounds && damage != ReaderOk ? damage : code;
  }
  return ReaderOk;
}

int S57CellReader::parseDataRecord(std::string_view bytes) {
  if (bytes.size() < kLeaderLength) return ReaderRecordOutOfBounds;
  if (bytes[6] != 'D') return ReaderNotDataRecord;
  const RecordView record(bytes);
  std::string_view type;
  if (!record.recordType(type)) return ReaderRecordOutOfBounds;
  const int sl = record.sizeOfLength(), sp = record.sizeOfPosition();
  if (type == "FRID") return decodeFeatureRecord(bytes, sl, sp);
  if (type == "VRID") return decodeVectorRecord(bytes, sl, sp);
  if (type == "DSID") return decodeDataSetIdentification(bytes, sl, sp);
  if (type == "DSPM") return decodeDataSetParameters(bytes, sl, sp);
  return ReaderOk;  // any other record type (catalogue records and the like) is not read
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
