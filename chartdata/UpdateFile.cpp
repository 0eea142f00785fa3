#include "UpdateFile.h"

#include "ReaderResult.h"
#include "RecordView.h"
#include "S57CellReader.h"
#include "UpdateResult.h"

namespace {

// False when the last record's declared length runs past the end of the
// image, or the image ends inside a record leader. A length of 0 or less
// ends the walk, and an image that does not start as an ISO 8211 file is
// not judged: the reader reports both.
bool recordsFit(std::string_view image) {
  if (image.size() < kLeaderLength || image.substr(5, 7) != "3LE1 09") return true;
  size_t offset = 0;
  while (offset < image.size()) {
    if (image.size() - offset < kLeaderLength) return false;
    const int length = RecordView::leaderNumber(image, offset, 5);
    if (length <= 0) return true;
    if (static_cast<size_t>(length) > image.size() - offset) return false;
    offset += static_cast<size_t>(length);
  }
  return true;
}

}  // namespace

UpdateResult readUpdateBytes(std::string_view bytes, UpdateFile& out, std::string& detail) {
  out = UpdateFile();
  detail.clear();
  if (!recordsFit(bytes.substr(0, S57CellReader::kMaxFileBytes))) {
    detail = "the last record runs past the end of the file";
    return UpdateResult::Truncated;
  }
  S57CellReader reader;
  if (const ReaderResult code = reader.readCellBytes(bytes); code != ReaderResult::Ok) {
    detail = "reader code " + std::to_string(resultCode(code)) + ": " + readerResultText(code);
    return UpdateResult::CannotRead;
  }
  // The structure field counts the records of each kind; a file cut at a
  // record boundary holds fewer.
  const DataSetStructure& s = reader.dataSetStructure;
  const long long features = static_cast<long long>(s.NOMR) + s.NOCR + s.NOGR + s.NOLR;
  const long long vectors = static_cast<long long>(s.NOIN) + s.NOCN + s.NOED + s.NOFA;
  if (static_cast<long long>(reader.features.size()) < features ||
      static_cast<long long>(reader.vectors.size()) < vectors) {
    detail = std::to_string(reader.features.size()) + " feature and " + std::to_string(reader.vectors.size()) +
             " vector records where DSSI declares " + std::to_string(features) + " and " + std::to_string(vectors);
    return UpdateResult::Truncated;
  }
  out.dataSet = reader.dataSetIdentification;
  out.features = std::move(reader.features);
  out.vectors = std::move(reader.vectors);
  return UpdateResult::Ok;
}

UpdateResult readUpdateFile(const std::string& path, UpdateFile& out, std::string& detail) {
  out = UpdateFile();
  S57CellReader reader;
  if (const ReaderResult code = reader.readFile(path); code != ReaderResult::Ok) {
    detail = "reader code " + std::to_string(resultCode(code)) + ": " + readerResultText(code);
    return UpdateResult::CannotRead;
  }
  const ByteImage image = std::move(reader.fileBytes);
  reader.clear();
  return readUpdateBytes(image.view(), out, detail);
}
