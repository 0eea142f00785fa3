#include "S57CellReader.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "RecordView.h"

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
  return code;
}

void S57CellReader::releaseFileBytes() {
  ddr = {};
  records.clear();
  records.shrink_to_fit();
  fileBytes.clear();
  fileBytes.shrink_to_fit();
}

void S57CellReader::clear() {
  releaseFileBytes();
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
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return ReaderCannotOpen;
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
    std::fclose(file);
    return ReaderCannotOpen;
  }
  bool failed = false;
  if (S_ISREG(info.st_mode)) {
    // One read of the whole file, never more than the cap.
    const size_t want = std::min(static_cast<size_t>(info.st_size), kMaxFileBytes);
    fileBytes.resize(want);
    const size_t got = want ? std::fread(fileBytes.data(), 1, want, file) : 0;
    fileBytes.resize(got);
    failed = got < want && std::ferror(file);
  } else {
    // A pipe or device: no size known ahead, read in pieces up to the cap.
    char chunk[65536];
    while (fileBytes.size() < kMaxFileBytes) {
      const size_t want = std::min(sizeof chunk, kMaxFileBytes - fileBytes.size());
      const size_t got = std::fread(chunk, 1, want, file);
      fileBytes.append(chunk, got);
      if (got < want) break;
    }
    failed = std::ferror(file) != 0;
  }
  std::fclose(file);
  if (failed) {
    releaseFileBytes();
    return ReaderCannotOpen;
  }
  return ReaderOk;
}

int S57CellReader::readBytes(std::string_view bytes) {
  releaseFileBytes();
  fileBytes.assign(bytes.substr(0, std::min(bytes.size(), kMaxFileBytes)));
  return ReaderOk;
}

int S57CellReader::splitRecords() {
  ddr = {};
  records.clear();
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
    // A record running past the end of the file is cut there.
    records.push_back(image.substr(offset, static_cast<size_t>(length)));
    offset += static_cast<size_t>(length);
  }
  return ReaderOk;
}

int S57CellReader::parseDescriptiveRecord() {
  return parseFieldDescriptions(ddr, fieldDescriptions);
}

int S57CellReader::parseDataRecords() {
  features.reserve(features.size() + records.size());
  vectors.reserve(vectors.size() + records.size());
  vectorIndex.reserve(vectorIndex.size() + records.size());
  for (const std::string_view bytes : records) {
    if (bytes.size() < kLeaderLength) return ReaderRecordOutOfBounds;
    if (bytes[6] != 'D') return ReaderNotDataRecord;
    const RecordView record(bytes);
    std::string_view type;
    if (!record.recordType(type)) return ReaderRecordOutOfBounds;
    const int sl = record.sizeOfLength(), sp = record.sizeOfPosition();
    int code = ReaderOk;
    if (type == "FRID")
      code = decodeFeatureRecord(bytes, sl, sp);
    else if (type == "VRID")
      code = decodeVectorRecord(bytes, sl, sp);
    else if (type == "DSID")
      code = decodeDataSetIdentification(bytes, sl, sp);
    else if (type == "DSPM")
      code = decodeDataSetParameters(bytes, sl, sp);
    // Any other record type (catalogue records and the like) is not read.
    if (code != ReaderOk) return code;
  }
  return ReaderOk;
}

std::shared_ptr<VRID> S57CellReader::findVector(const RecordName& name) const {
  const auto it = vectorIndex.find(nameKey(name));
  return it == vectorIndex.end() ? nullptr : it->second;
}
