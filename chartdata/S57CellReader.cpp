#include "S57CellReader.h"

#include <algorithm>
#include <cstdio>

#include "RecordView.h"
#include "RegularFile.h"

ReaderResult S57CellReader::readCell(const std::string& path) {
  clear();
  ReaderResult code = readFile(path);
  if (code == ReaderResult::Ok) code = runSteps();
  releaseFileBytes();
  return code;
}

ReaderResult S57CellReader::readCellBytes(std::string_view bytes) {
  clear();
  ReaderResult code = readBytes(bytes);
  if (code == ReaderResult::Ok) code = runSteps();
  releaseFileBytes();
  return code;
}

ReaderResult S57CellReader::runSteps() {
  ReaderResult code = splitRecords();
  if (code == ReaderResult::Ok) code = parseDescriptiveRecord();
  if (code == ReaderResult::Ok) code = parseDataRecords();
  return code == ReaderResult::Ok ? damage : code;
}

void S57CellReader::releaseFileBytes() {
  ddr = {};
  records.clear();
  records.shrink_to_fit();
  lastRecordCut_ = false;
  fileBytes.clear();
  fileBytes.shrink_to_fit();
}

void S57CellReader::clear() {
  releaseFileBytes();
  damage = ReaderResult::Ok;
  fieldDescriptions.clear();
  dataSetIdentification = DataSetIdentification();
  dataSetStructure = DataSetStructure();
  dataSetParameters = DataSetParameters();
  features.clear();
  vectors.clear();
  vectorIndex.clear();
}

ReaderResult S57CellReader::readFile(const std::string& path) {
  releaseFileBytes();
  damage = ReaderResult::Ok;
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::Opened: break;
    case RegularFileOpen::NotRegular: return ReaderResult::NotRegularFile;
    case RegularFileOpen::CannotOpen: return ReaderResult::CannotOpen;
  }
  // One read of the whole file, never more than the cap.
  const size_t want = static_cast<size_t>(std::min<std::uint64_t>(size, kMaxFileBytes));
  fileBytes.resize(want);
  const size_t got = want ? std::fread(fileBytes.data(), 1, want, file) : 0;
  fileBytes.resize(got);
  const bool failed = got < want && std::ferror(file);
  if (size > kMaxFileBytes) damage = ReaderResult::FileTooLarge;
  std::fclose(file);
  if (failed) {
    releaseFileBytes();
    return ReaderResult::CannotOpen;
  }
  return ReaderResult::Ok;
}

ReaderResult S57CellReader::readBytes(std::string_view bytes) {
  releaseFileBytes();
  damage = bytes.size() > kMaxFileBytes ? ReaderResult::FileTooLarge : ReaderResult::Ok;
  fileBytes.assign(bytes.substr(0, std::min(bytes.size(), kMaxFileBytes)));
  return ReaderResult::Ok;
}

ReaderResult S57CellReader::splitRecords() {
  ddr = {};
  records.clear();
  lastRecordCut_ = false;
  const std::string_view image(fileBytes);
  if (image.size() < 25) return ReaderResult::FileTooShort;
  const int ddrLength = RecordView::leaderNumber(image, 0, 5);
  if (image.substr(5, 7) != "3LE1 09" || ddrLength < 0 ||
      image.size() < static_cast<size_t>(ddrLength))
    return ReaderResult::NoDescriptiveRecord;
  ddr = image.substr(0, static_cast<size_t>(ddrLength));
  size_t offset = static_cast<size_t>(ddrLength);
  while (offset < image.size()) {
    const int length = RecordView::leaderNumber(image, offset, 5);
    if (length <= 0) return ReaderResult::BadRecordLength;  // records cut so far stay
    // A record has at least its leader: a run of tiny "records" would
    // otherwise cost a view each, many times the bytes they stand for.
    if (static_cast<size_t>(length) < kLeaderLength) return ReaderResult::RecordOutOfBounds;
    // A record running past the end of the file is cut there, decoded as far
    // as it goes, and the read reports the damage.
    if (static_cast<size_t>(length) > image.size() - offset) {
      lastRecordCut_ = true;
      if (damage == ReaderResult::Ok) damage = ReaderResult::TruncatedRecord;
    }
    records.push_back(image.substr(offset, static_cast<size_t>(length)));
    offset += static_cast<size_t>(length);
  }
  return ReaderResult::Ok;
}

ReaderResult S57CellReader::parseDescriptiveRecord() { return parseFieldDescriptions(ddr, fieldDescriptions); }

ReaderResult S57CellReader::parseDataRecords() {
  // No reservation by the record count: the lists grow with what the
  // records really hold.
  for (size_t i = 0; i < records.size(); ++i) {
    const ReaderResult code = parseDataRecord(records[i]);
    if (code == ReaderResult::Ok) continue;
    // The record cut short by the end of the image fails because it was cut.
    const bool cutRecord = lastRecordCut_ && i + 1 == records.size();
    return cutRecord && code == ReaderResult::RecordOutOfBounds && damage != ReaderResult::Ok ? damage : code;
  }
  return ReaderResult::Ok;
}

ReaderResult S57CellReader::parseDataRecord(std::string_view bytes) {
  if (bytes.size() < kLeaderLength) return ReaderResult::RecordOutOfBounds;
  if (bytes[6] != 'D') return ReaderResult::NotDataRecord;
  const RecordView record(bytes);
  std::string_view type;
  if (!record.recordType(type)) return ReaderResult::RecordOutOfBounds;
  const int sl = record.sizeOfLength(), sp = record.sizeOfPosition();
  if (type == "FRID") return decodeFeatureRecord(bytes, sl, sp);
  if (type == "VRID") return decodeVectorRecord(bytes, sl, sp);
  if (type == "DSID") return decodeDataSetIdentification(bytes, sl, sp);
  if (type == "DSPM") return decodeDataSetParameters(bytes, sl, sp);
  return ReaderResult::Ok;  // any other record type (catalogue records and the like) is not read
}

std::shared_ptr<VRID> S57CellReader::findVector(const RecordName& name) const {
  const auto it = vectorIndex.find(nameKey(name));
  return it == vectorIndex.end() ? nullptr : it->second;
}
