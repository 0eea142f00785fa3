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
  int code = readBytes(bytes);
  if (code == ReaderOk) code = runSteps();
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
  fileBytes.clear();
  fileBytes.shrink_to_fit();
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
  // One read of the whole file, never more than the cap.
  const size_t want = static_cast<size_t>(std::min<std::uint64_t>(size, kMaxFileBytes));
  fileBytes.resize(want);
  const size_t got = want ? std::fread(fileBytes.data(), 1, want, file) : 0;
  fileBytes.resize(got);
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
  return ReaderOk;
}

int S57CellReader::splitRecords() {
  ddr = {};
  records.clear();
  lastRecordCut_ = false;
  const std::string_view image(fileBytes);
  if (image.size() < 25) return ReaderFileTooShort;
  const int ddrLength = RecordView::leaderNumber(image, 0, 5);
  if (image.substr(5, 7) != "3LE1 09" || ddrLength < 0 ||
      image.size() < static_cast<size_t>(ddrLength))
    return ReaderNoDescriptiveRecord;
  ddr = image.substr(0, static_cast<size_t>(ddrLength));
  size_t offset = static_cast<size_t>(ddrLength);
  while (offset < image.size()) {
    const int length = RecordView::leaderNumber(image, offset, 5);
    if (length <= 0) return ReaderBadRecordLength;  // records cut so far stay
    // A record has at least its leader: a run of tiny "records" would
    // otherwise cost a view each, many times the bytes they stand for.
    if (static_cast<size_t>(length) < kLeaderLength) return ReaderRecordOutOfBounds;
    // A record running past the end of the file is cut there, decoded as far
    // as it goes, and the read reports the damage.
    if (static_cast<size_t>(length) > image.size() - offset) {
      lastRecordCut_ = true;
      if (damage == ReaderOk) damage = ReaderTruncatedRecord;
    }
    records.push_back(image.substr(offset, static_cast<size_t>(length)));
    offset += static_cast<size_t>(length);
  }
  return ReaderOk;
}

int S57CellReader::parseDescriptiveRecord() {
  return parseFieldDescriptions(ddr, fieldDescriptions);
}

int S57CellReader::parseDataRecords() {
  // No reservation by the record count: the lists grow with what the
  // records really hold.
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

std::shared_ptr<VRID> S57CellReader::findVector(const RecordName& name) const {
  const auto it = vectorIndex.find(nameKey(name));
  return it == vectorIndex.end() ? nullptr : it->second;
}
