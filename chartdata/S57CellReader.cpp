#include "S57CellReader.h"

#include <algorithm>
#include <cstdio>

#include "EncryptedCell.h"
#include "FileWindow.h"
#include "RecordView.h"
#include "RegularFile.h"

namespace {

// The image in memory, as the walks read it.
struct ImageBytes {
  std::string_view image;
  std::string_view bytesAt(size_t offset, size_t count) const { return boundedSlice(image, offset, count); }
  bool rewind() const { return true; }
};

// Walks the records from `offset` on, calling cut(record, cutShort) for
// each: its bytes, and whether the end of the bytes came before the end of
// the record. Returns Ok, or the result of the length that stops the walk,
// or the first result other than Ok that cut returns; the records before it have
// been handed out.
template <class Bytes, class Cut>
ReaderResult walkRecords(Bytes& bytes, size_t offset, Cut&& cut) {
  for (;;) {
    const std::string_view leader = bytes.bytesAt(offset, 5);
    if (leader.empty()) return ReaderResult::Ok;
    const int length = decimalNumber(leader);
    if (length <= 0) return ReaderResult::BadRecordLength;
    // A record has at least its leader: a run of tiny "records" would
    // otherwise cost a view each, many times the bytes they stand for.
    if (static_cast<size_t>(length) < kLeaderLength) return ReaderResult::RecordOutOfBounds;
    const std::string_view record = bytes.bytesAt(offset, static_cast<size_t>(length));
    if (const ReaderResult code = cut(record, record.size() < static_cast<size_t>(length)); code != ReaderResult::Ok)
      return code;
    offset += static_cast<size_t>(length);
  }
}

}  // namespace

// The feature and vector records among records, by the type each names,
// and their bytes.
struct S57CellReader::RecordTally {
  size_t features = 0;
  size_t vectors = 0;
  size_t bytes = 0;

  void add(std::string_view record) {
    if (record.size() < kLeaderLength || record[6] != 'D') return;
    std::string_view type;
    if (!RecordView(record).recordType(type)) return;
    switch (tagCode(type)) {
      case tagCode("FRID"): ++features; break;
      case tagCode("VRID"): ++vectors; break;
      default: return;
    }
    bytes += record.size();
  }
};

template <class Bytes>
ReaderResult S57CellReader::cutDescriptiveRecord(Bytes& bytes) {
  ddr = {};
  lastRecordCut_ = false;
  const std::string_view head = bytes.bytesAt(0, 25);
  if (head.size() < 25) return ReaderResult::FileTooShort;
  const int ddrLength = decimalNumber(head.substr(0, 5));
  if (head.substr(5, 7) != "3LE1 09" || ddrLength < 0) return ReaderResult::NoDescriptiveRecord;
  const std::string_view record = bytes.bytesAt(0, static_cast<size_t>(ddrLength));
  if (record.size() < static_cast<size_t>(ddrLength)) return ReaderResult::NoDescriptiveRecord;
  ddr = record;
  return ReaderResult::Ok;
}

ReaderResult S57CellReader::readCell(const std::string& path) {
  clear();
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::Opened: break;
    case RegularFileOpen::NotRegular: return ReaderResult::NotRegularFile;
    case RegularFileOpen::CannotOpen: return ReaderResult::CannotOpen;
  }
  // The file is read through a window, twice, and never held whole: as far
  // as its size when opened, at most kMaxFileBytes.
  if (size > kMaxFileBytes) damage = ReaderResult::FileTooLarge;
  FileWindow window(file, static_cast<size_t>(std::min<std::uint64_t>(size, kMaxFileBytes)));
  ReaderResult code = runSteps(window, false);
  std::fclose(file);
  if (window.failed()) {
    clear();  // as when the file cannot be read at all
    return ReaderResult::CannotOpen;
  }
  releaseFileBytes();
  // Bytes that are no ISO 8211 at all, where an encrypted exchange set keeps its cells.
  if ((code == ReaderResult::FileTooShort || code == ReaderResult::NoDescriptiveRecord ||
       code == ReaderResult::DescriptiveTooShort || code == ReaderResult::DescriptiveOutOfBounds) &&
      inEncryptedExchangeSet(path))
    code = ReaderResult::Encrypted;
  return code;
}

ReaderResult S57CellReader::readCellBytes(std::string_view bytes) {
  clear();
  // The caller's bytes stay where they are for the whole call: they are
  // read in place, and every view into them is gone before returning.
  if (bytes.size() > kMaxFileBytes) damage = ReaderResult::FileTooLarge;
  image_ = bytes.substr(0, std::min(bytes.size(), kMaxFileBytes));
  ImageBytes image{image_};
  const ReaderResult code = runSteps(image, true);
  releaseFileBytes();
  return code;
}

template <class Bytes>
ReaderResult S57CellReader::runSteps(Bytes& bytes, bool viewsStay) {
  // The steps of splitRecords, parseDescriptiveRecord and parseDataRecords
  // without the list of records between them: one walk from leader to
  // leader checks every length and counts the records by type, a second
  // cuts each record again and decodes it at once, while its bytes are at
  // hand. The DDR is read first, while it is at hand too, but its findings
  // come after those of the first walk, as the steps give them.
  ReaderResult code = cutDescriptiveRecord(bytes);
  const ReaderResult descriptionCode = code == ReaderResult::Ok ? parseDescriptiveRecord() : ReaderResult::Ok;
  const size_t first = ddr.size();
  if (!viewsStay) ddr = {};  // the window moves on
  RecordTally tally;
  if (code == ReaderResult::Ok)
    code = walkRecords(bytes, first, [this, &tally](std::string_view record, bool cutShort) {
      if (cutShort) noteCutRecord();
      tally.add(record);
      return ReaderResult::Ok;
    });
  if (code != ReaderResult::Ok) fieldDescriptions.clear();  // the steps would have stopped before the DDR
  if (code == ReaderResult::Ok) code = descriptionCode;
  if (code == ReaderResult::Ok && !viewsStay && !bytes.rewind()) code = ReaderResult::CannotOpen;
  if (code == ReaderResult::Ok) {
    expectRecords(tally);
    code = walkRecords(bytes, first, [this](std::string_view record, bool cutShort) {
      return decodeRecord(record, cutShort);
    });
  }
  return code == ReaderResult::Ok ? damage : code;
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
  damage = ReaderResult::Ok;
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
  recordMemory_.reset();
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
  // One read of the whole file, never more than the cap, into room that is
  // not zeroed first. A file that shrank since the stat gives what it has.
  const size_t want = static_cast<size_t>(std::min<std::uint64_t>(size, kMaxFileBytes));
  char* const room = fileBytes.allocate(want);
  const size_t got = want ? std::fread(room, 1, want, file) : 0;
  fileBytes.keep(got);
  image_ = fileBytes.view();
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
  image_ = fileBytes.view();
  return ReaderResult::Ok;
}

void S57CellReader::noteCutRecord() {
  // A record running past the end of the file is cut there, decoded as far
  // as it goes, and the read reports the damage.
  lastRecordCut_ = true;
  if (damage == ReaderResult::Ok) damage = ReaderResult::TruncatedRecord;
}

ReaderResult S57CellReader::splitRecords() {
  records.clear();
  ImageBytes image{image_};
  if (const ReaderResult code = cutDescriptiveRecord(image); code != ReaderResult::Ok) return code;
  // The records are counted first (a hop from leader to leader), so the
  // list is made once at its length.
  size_t count = 0;
  walkRecords(image, ddr.size(), [&count](std::string_view, bool) { return ++count, ReaderResult::Ok; });
  records.reserve(count);
  return walkRecords(image, ddr.size(), [this](std::string_view record, bool cutShort) {
    if (cutShort) noteCutRecord();
    records.push_back(record);
    return ReaderResult::Ok;
  });
}

ReaderResult S57CellReader::parseDescriptiveRecord() {
  return parseFieldDescriptions(ddr, fieldDescriptions);
}

ReaderResult S57CellReader::parseDataRecords() {
  RecordTally tally;
  for (const std::string_view bytes : records) tally.add(bytes);
  expectRecords(tally);
  ReaderResult code = ReaderResult::Ok;
  for (size_t i = 0; i < records.size() && code == ReaderResult::Ok; ++i)
    code = decodeRecord(records[i], lastRecordCut_ && i + 1 == records.size());
  return code;
}

void S57CellReader::expectRecords(const RecordTally& tally) {
  // Each record counted lies in the image, so this follows the bytes read,
  // never a count the file states.
  features.reserve(features.size() + tally.features);
  vectors.reserve(vectors.size() + tally.vectors);
  vectorIndex.reserve(vectorIndex.size() + tally.vectors);
  if (!recordMemory_) {
    // The holders take their size each; their lists take about 150 bytes
    // per record on NOAA cells and on the large cell of the reader
    // benchmark, and a little more is taken at once, but never more than
    // twice the bytes of the records.
    const size_t holders = tally.features * sizeof(FRID) + tally.vectors * sizeof(VRID);
    recordMemory_ = std::make_shared<RecordMemory>(holders, std::min((tally.features + tally.vectors) * 192,
                                                                     2 * tally.bytes));
  }
  recordMemory_->expect(tally.features, tally.vectors);
}

ReaderResult S57CellReader::decodeRecord(std::string_view bytes, bool cut) {
  const ReaderResult code = parseDataRecord(bytes);
  // The record cut short by the end of the image fails because it was cut.
  return cut && code == ReaderResult::RecordOutOfBounds && damage != ReaderResult::Ok ? damage : code;
}

ReaderResult S57CellReader::parseDataRecord(std::string_view bytes) {
  if (bytes.size() < kLeaderLength) return ReaderResult::RecordOutOfBounds;
  if (bytes[6] != 'D') return ReaderResult::NotDataRecord;
  const RecordView record(bytes);
  std::string_view type;
  if (!record.recordType(type)) return ReaderResult::RecordOutOfBounds;
  const int sl = record.sizeOfLength(), sp = record.sizeOfPosition();
  switch (tagCode(type)) {
    case tagCode("FRID"): return decodeFeatureRecord(bytes, sl, sp);
    case tagCode("VRID"): return decodeVectorRecord(bytes, sl, sp);
    case tagCode("DSID"): return decodeDataSetIdentification(bytes, sl, sp);
    case tagCode("DSPM"): return decodeDataSetParameters(bytes, sl, sp);
    default: return ReaderResult::Ok;  // any other record type (catalogue records and the like) is not read
  }
}

std::shared_ptr<FRID> S57CellReader::newFeature() {
  if (!recordMemory_) recordMemory_ = std::make_shared<RecordMemory>(0, 0);
  return std::shared_ptr<FRID>(recordMemory_, recordMemory_->newFeature());
}

std::shared_ptr<VRID> S57CellReader::newVector() {
  if (!recordMemory_) recordMemory_ = std::make_shared<RecordMemory>(0, 0);
  return std::shared_ptr<VRID>(recordMemory_, recordMemory_->newVector());
}

std::shared_ptr<VRID> S57CellReader::findVector(const RecordName& name) const {
  const auto it = vectorIndex.find(nameKey(name));
  return it == vectorIndex.end() ? nullptr : it->second;
}
