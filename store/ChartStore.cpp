#include "ChartStore.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "CellImport.h"
#include "OfferedCells.h"
#include "ReaderResult.h"
#include "StoreLock.h"
#include "StoreRebuild.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> referencedFiles(const StoreIndex& index) {
  std::set<std::string> keep;
  for (const StoredCell& c : index.cells) {
    if (!c.base.path.empty()) keep.insert(c.base.path);
    for (const StoredUpdate& u : c.updates) keep.insert(u.file.path);
    if (c.cancellation) keep.insert(c.cancellation->file.path);
  }
  return keep;
}

bool makeFolder(const std::string& folder, StoreMessage& failure) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) {
    failure = cannotWriteMessage("cannot make the folder " + folder + (ec ? ": " + ec.message() : std::string()));
    return false;
  }
  return true;
}

StoreMessage lockFailure(const StoreLock& lock, const std::string& folder) {
  return lock.busy() ? busyMessage(folder) : cannotWriteMessage(lock.reason());
}

}  // namespace

ChartStore::ChartStore(std::string folder) : files_(std::move(folder)) {}

ChartStore::~ChartStore() = default;

void ChartStore::release() { held_.reset(); }

std::string ChartStore::defaultFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return QDir(data).filePath(QStringLiteral("chartdisplay/charts")).toStdString();
}

bool ChartStore::readIndexFile(StoreIndex& index, std::string& damage) const {
  index = StoreIndex();
  const std::string path = files_.absolute("index");
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) {
    // No index: a store never written, unless it holds cell files.
    std::error_code ec;
    if (!fs::exists(files_.absolute("cells"), ec)) return true;
    damage = "the index is missing";
    return false;
  }
  std::string bytes;
  const ReaderResult code = S_ISREG(st.st_mode) ? readWholeFile(path, bytes) : ReaderResult::NotRegularFile;
  if (code != ReaderResult::Ok) {
    damage = std::string("the index cannot be read: ") + readerResultText(code);
    return false;
  }
  if (!readIndexBytes(bytes, index, damage)) return false;
  // A folder the index names is never made again.
  for (const std::string& path : referencedFiles(index)) {
    const std::string folder = path.substr(0, path.rfind('/'));
    index.nextFolder = std::max(index.nextFolder, std::atoi(folder.substr(folder.rfind('/') + 1).c_str()) + 1);
  }
  return true;
}

bool ChartStore::rebuild(const std::string& damage, StoreMessage& failure) {
  index_ = rebuildIndex(files_);
  messages_.push_back(indexRebuiltMessage(damage, static_cast<long long>(index_.cells.size())));
  // Files the rebuilt index does not take stay until the next import: a
  // rebuild only reads.
  std::string error;
  if (files_.write("index", indexBytes(index_), error)) return true;
  failure = cannotWriteMessage(error);
  return false;
}

bool ChartStore::load(std::string& error, int waitMs, bool hold) {
  messages_.clear();
  failure_ = StoreMessage();
  held_.reset();
  std::string damage;
  for (int attempt = 0; attempt < 2 && failure_.kind == StoreMessageKind::None; ++attempt) {
    auto shared = std::make_unique<StoreLock>(folder(), StoreLock::Mode::Shared, waitMs);
    if (!shared->held()) {
      failure_ = lockFailure(*shared, folder());
      break;
    }
    if (readIndexFile(index_, damage)) {
      if (hold) held_ = std::move(shared);
      return true;
    }
    if (attempt > 0) {
      failure_ = cannotWriteMessage("the index cannot be read after its rebuild: " + damage);
      break;
    }
    shared.reset();
    // Rebuilt under the store's lock, unless another program mended it meanwhile.
    StoreLock lock(folder(), StoreLock::Mode::Exclusive, waitMs);
    if (!lock.held()) failure_ = lockFailure(lock, folder());
    else if (!readIndexFile(index_, damage) && !rebuild(damage, failure_)) break;
    else if (!hold) return true;
  }
  error = failure_.text;
  return false;
}

ImportReport ChartStore::import(const std::vector<std::string>& sources, const ImportOptions& options) {
  ImportReport report;
  messages_.clear();
  OfferedCells offered = gatherOfferedCells(sources);
  if (!offered.missing.empty()) {
    report.failure = noSuchSourceMessage(offered.missing.front());
    return report;
  }
  report.setWarnings = std::move(offered.warnings);
  report.filesRefused = std::move(offered.notCells);
  if (!makeFolder(folder(), report.failure)) return report;
  StoreLock lock(folder(), StoreLock::Mode::Exclusive, options.waitMs);
  if (!lock.held()) {
    report.failure = lockFailure(lock, folder());
    return report;
  }
  std::string damage;
  if (!readIndexFile(index_, damage) && !rebuild(damage, report.failure)) return report;
  report.storeMessages = messages_;
  // Files of an import that did not finish go before any is written.
  const StoreIndex before = index_;
  files_.removeUnreferenced(referencedFiles(before));

  StoreIndex after = before;
  const std::string now =
      options.now.empty() ? QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() : options.now;
  CellImportContext context{files_, now, after.nextFolder, false};
  for (const OfferedCell& cell : offered.cells) {
    CellImportResult result = importCell(before.find(cell.name), cell, context);
    if (!result.writeError.empty()) {
      report.failure = cannotWriteMessage(result.writeError);
      report.cells.clear();
      files_.removeUnreferenced(referencedFiles(before));
      return report;
    }
    if (result.keep) {
      if (StoredCell* stored = after.find(cell.name)) {
        *stored = std::move(result.cell);
      } else {
        const auto place = std::lower_bound(after.cells.begin(), after.cells.end(), cell.name,
                                            [](const StoredCell& c, const std::string& n) { return c.name < n; });
        after.cells.insert(place, std::move(result.cell));
      }
    }
    report.cells.push_back(std::move(result.outcome));
  }
  const std::string bytes = indexBytes(after);
  if (bytes != indexBytes(before)) {
    std::string error;
    if (!files_.flush(error) || !files_.write("index", bytes, error)) {
      report.failure = cannotWriteMessage(error);
      report.cells.clear();
      files_.removeUnreferenced(referencedFiles(before));
      return report;
    }
    index_ = std::move(after);
    files_.removeUnreferenced(referencedFiles(index_));
  }
  report.written = true;
  return report;
}

CellSource ChartStore::cellSource(const StoredCell& cell) const {
  CellSource source;
  source.path = files_.absolute(cell.base.path);
  source.listedCrc = cell.base.crc;
  for (const StoredUpdate& u : cell.updates) {
    source.updates.emplace_back(u.number, files_.absolute(u.file.path));
    source.updates.back().listedCrc = u.file.crc;
  }
  return source;
}

CellFileBytes ChartStore::fileBytes() const {
  auto byPath = std::make_shared<std::map<std::string, StoredFile>>();
  for (const StoredCell& c : index_.cells) {
    if (c.status != CellStatus::InUse) continue;
    (*byPath)[files_.absolute(c.base.path)] = c.base;
    for (const StoredUpdate& u : c.updates) (*byPath)[files_.absolute(u.file.path)] = u.file;
  }
  const StoreFiles files = files_;
  return [byPath, files](const std::string& path, std::string& bytes) {
    const auto it = byPath->find(path);
    if (it == byPath->end()) return ReaderResult::CannotOpen;
    return files.read(it->second, bytes);
  };
}
