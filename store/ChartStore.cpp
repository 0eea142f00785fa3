#include "ChartStore.h"

#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "CellImport.h"
#include "OfferedCells.h"
#include "PermitFile.h"
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

std::string timeNow(const ImportOptions& options) {
  return options.now.empty() ? QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString() : options.now;
}

// A stored file the loader may ask for, and the cell it belongs to.
struct LoadableFile {
  std::string cell;
  StoredFile file;
};
using LoadableFiles = std::map<std::string, LoadableFile>;

// Reads a stored file for the loader, decrypting it when it is kept
// encrypted: the decrypted bytes are unpacked straight into `bytes`, which
// goes on to the reader as it is. `outcome`, when given, gets what the
// decryption said. A file kept encrypted is not checked against the CRC-32
// it was stored with: the CRC-32 of its decrypted bytes is, after its
// archive's own check, and any change to the stored copy fails one of them.
ReaderResult readLoadable(const StoreFiles& files, const StoreProtection& protection, const LoadableFile& loadable,
                          SecureBytes& bytes, EncFileOutcome* outcome = nullptr) {
  if (!loadable.file.encrypted) return files.read(loadable.file, bytes);
  bytes.clear();
  std::string encrypted;
  if (const ReaderResult code = files.readUnchecked(loadable.file.path, encrypted); code != ReaderResult::Ok)
    return code;
  if (static_cast<long long>(encrypted.size()) != loadable.file.size) return ReaderResult::CrcMismatch;
  const EncFileOutcome opened = protection.openKept(loadable.cell, loadable.file, encrypted, bytes);
  if (outcome) *outcome = opened;
  return opened.decrypted ? ReaderResult::Ok : ReaderResult::CannotOpen;
}

// The base file an opened cell decrypted for its verdict, handed on once
// to the first reader that asks for it (the load that follows): the bytes
// move, they are not copied. Asked again, the file is decrypted again.
struct DecryptedBase {
  SecureBytes bytes;
  std::atomic<bool> taken{false};
};

}  // namespace

bool OpenedCell::refused() const {
  for (const SseCode code : sse)
    if (sseRefuses(code)) return true;
  return false;
}

bool OpenedCell::notUpToDate() const {
  return std::find(sse.begin(), sse.end(), SseCode::CellNotUpToDate) != sse.end();
}

bool OpenedCell::permitExpired() const {
  return std::find(sse.begin(), sse.end(), SseCode::PermitExpiredWhenShown) != sse.end();
}

std::string OpenedCell::message() const {
  const std::string& path = source.path;
  const std::string name = path.substr(path.rfind('/') + 1, 8);
  return sseEnglishList(sse, name);
}

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

void ChartStore::readProtection() {
  permits_.clear();
  std::string bytes;
  const ReaderResult code = files_.readOwn("permits", bytes);
  std::string error;
  if (code == ReaderResult::Ok && !readPermitsBytes(bytes, permits_, error)) messages_.push_back(permitsDamagedMessage(error));
  else if (code != ReaderResult::Ok && code != ReaderResult::CannotOpen) messages_.push_back(permitsDamagedMessage(readerResultText(code)));
  keys_ = readStoreKeys(files_, client_.clock.today());
}

std::shared_ptr<const StoreProtection> ChartStore::protection(const ExchangeSetKeys& keys) const {
  return std::make_shared<const StoreProtection>(permits_, keys, client_);
}

bool ChartStore::rebuild(const std::string& damage, StoreMessage& failure) {
  // What the damaged index still says of the cells that cannot be read now.
  std::vector<StoredCell> recorded;
  std::string bytes;
  if (files_.readOwn("index", bytes) == ReaderResult::Ok) recorded = salvageIndexCells(bytes);
  index_ = rebuildIndex(files_, protection(keys_).get(), recorded);
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
    readProtection();
    if (readIndexFile(index_, damage)) {
      readProductLists();
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
    else if (!hold) {
      readProductLists();
      return true;
    }
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
  readProtection();
  std::string damage;
  if (!readIndexFile(index_, damage) && !rebuild(damage, report.failure)) return report;
  report.storeMessages = messages_;
  const std::shared_ptr<const StoreProtection> protection = this->protection(keys_);
  // Cells a rebuild kept unread are taken whole where a permit now decrypts them.
  const bool reread = rereadKeptCells(index_, files_, protection.get());
  // Files of an import that did not finish go before any is written.
  const StoreIndex before = index_;
  files_.removeUnreferenced(referencedFiles(before));

  StoreIndex after = before;
  const std::string now = timeNow(options);
  CellImportContext context{files_, now, after.nextFolder, false, protection.get(), {}};
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
  if (reread || bytes != indexBytes(before)) {
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
  keepProductLists(offered, report.storeMessages);
  readProductLists();
  report.written = true;
  return report;
}

void ChartStore::keepProductLists(const OfferedCells& offered, std::vector<StoreMessage>& messages) {
  // Each encrypted exchange set once: its product list lies in INFO beside
  // its ENC_ROOT, its data server is the one SERIAL.ENC names.
  std::map<std::string, std::string> sets;  // the set's folder, its data server
  for (const OfferedCell& cell : offered.cells)
    for (const auto* files : {&cell.bases, &cell.updates})
      for (const OfferedFile& f : *files)
        if (f.encrypted && !productListPath(f.dataServer).empty()) sets.emplace(f.source, f.dataServer);
  for (const auto& [set, dataServer] : sets) {
    const fs::path info = fs::path(set).parent_path();
    std::error_code ec;
    fs::path file;
    for (const char* name : {"INFO/PRODUCTS.TXT", "info/products.txt", "INFO/products.txt", "info/PRODUCTS.TXT"})
      if (fs::is_regular_file(info / name, ec)) {
        file = info / name;
        break;
      }
    if (file.empty()) continue;
    std::string bytes, error;
    const ReaderResult read = readWholeFile(file.string(), bytes);
    std::optional<ProductList> list;
    if (read != ReaderResult::Ok) error = readerResultText(read);
    else list = parseProductList(bytes, error);
    if (!list) {
      messages.push_back(productListUnreadableMessage(file.string(), error));
      continue;
    }
    list->dataServer = dataServer;
    const std::string path = productListPath(dataServer);
    std::optional<ProductList> held;
    std::string heldBytes, heldError;
    if (files_.readOwn(path, heldBytes) == ReaderResult::Ok) held = parseProductList(heldBytes, heldError);
    const std::string kept = productListBytes(mergeProductList(held, *list));
    if (kept != heldBytes && !files_.write(path, kept, error)) messages.push_back(cannotWriteMessage(error));
  }
}

void ChartStore::readProductLists() {
  products_.clear();
  std::set<std::string> servers;
  for (const StoredCell& c : index_.cells)
    if (!c.base.dataServer.empty()) servers.insert(c.base.dataServer);
  for (const std::string& server : servers) {
    const std::string path = productListPath(server);
    std::string bytes, error;
    if (path.empty()) continue;
    const ReaderResult read = files_.readOwn(path, bytes);
    if (read == ReaderResult::CannotOpen) continue;  // none came from that data server
    std::optional<ProductList> list;
    if (read != ReaderResult::Ok) error = readerResultText(read);
    else list = parseProductList(bytes, error);
    if (!list) {
      messages_.push_back(productListUnreadableMessage(path, error));
      continue;
    }
    list->dataServer = server;
    products_.push_back(std::move(*list));
  }
}

CellProductStanding ChartStore::productStanding(const StoredCell& cell) const {
  CellProductStanding standing;
  for (const ProductList& list : products_) {
    if (list.dataServer != cell.base.dataServer) continue;
    const ProductRecord* record = list.find(cell.name);
    if (!record) break;
    standing.listed = true;
    standing.behind = behindProductRecord(cell.edition, cell.updateNumber(), *record);
    standing.edition = record->edition;
    standing.update = record->update;
    standing.dataServer = list.dataServer;
    standing.listDate = list.date;
    break;
  }
  return standing;
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
  auto byPath = std::make_shared<LoadableFiles>();
  for (const StoredCell& c : index_.cells) {
    if (c.status != CellStatus::InUse) continue;
    (*byPath)[files_.absolute(c.base.path)] = {c.name, c.base};
    for (const StoredUpdate& u : c.updates) (*byPath)[files_.absolute(u.file.path)] = {c.name, u.file};
  }
  const StoreFiles files = files_;
  const std::shared_ptr<const StoreProtection> guard = protection(keys_);
  return [byPath, files, guard](const std::string& path, SecureBytes& bytes) {
    const auto it = byPath->find(path);
    if (it == byPath->end()) return ReaderResult::CannotOpen;
    return readLoadable(files, *guard, it->second, bytes);
  };
}

OpenedCell ChartStore::openCell(const StoredCell& cell) const {
  OpenedCell opened;
  opened.source = cellSource(cell);
  opened.standing = permitStanding(cell);
  auto byPath = std::make_shared<LoadableFiles>();
  if (cell.status == CellStatus::InUse) {
    (*byPath)[files_.absolute(cell.base.path)] = {cell.name, cell.base};
    for (const StoredUpdate& u : cell.updates) (*byPath)[files_.absolute(u.file.path)] = {cell.name, u.file};
  }
  const StoreFiles files = files_;
  const std::shared_ptr<const StoreProtection> guard = protection(keys_);
  // An encrypted base is decrypted now, for the verdict, and handed to the
  // loader from memory.
  auto base = std::make_shared<DecryptedBase>();
  const std::string basePath = files_.absolute(cell.base.path);
  if (cell.status == CellStatus::InUse && cell.base.encrypted) {
    EncFileOutcome outcome;
    const ReaderResult code = readLoadable(files, *guard, byPath->at(basePath), base->bytes, &outcome);
    opened.sse = outcome.codes;
    opened.reason = code == ReaderResult::Ok || !outcome.codes.empty() ? outcome.reason : readerResultText(code);
    if (code != ReaderResult::Ok && outcome.codes.empty()) opened.sse.push_back(SseCode::EncCrcIncorrect);
    base->taken = code != ReaderResult::Ok;
  } else {
    base->taken = true;
  }
  if (cell.status == CellStatus::InUse && productStanding(cell).behind) opened.sse.push_back(SseCode::CellNotUpToDate);
  opened.fileBytes = [byPath, files, guard, base, basePath](const std::string& path, SecureBytes& bytes) {
    if (path == basePath && !base->taken.exchange(true)) {
      bytes = std::move(base->bytes);
      return ReaderResult::Ok;
    }
    const auto it = byPath->find(path);
    if (it == byPath->end()) return ReaderResult::CannotOpen;
    return readLoadable(files, *guard, it->second, bytes);
  };
  return opened;
}

std::vector<PermitListing> ChartStore::permits() const { return listPermits(permits_, client_.clock.today()); }

CellPermitStanding ChartStore::permitStanding(const StoredCell& cell) const {
  CellPermitStanding standing;
  standing.encrypted = cell.base.encrypted;
  if (!standing.encrypted) return standing;
  InstalledPermits installed;
  for (const StoredPermit& p : permits_)
    if (p.permit.cell == cell.name) installed.permits.push_back(p.permit);
  const CalendarDay today = client_.clock.today();
  const std::vector<const CellPermit*> order = permitsInOrder(cell.name, installed, cell.base.dataServer, today);
  if (order.empty()) return standing;
  standing.permitted = true;
  standing.state = permitStateOn(*order.front(), today);
  standing.expiry = order.front()->expiry;
  standing.dataServer = order.front()->dataServer;
  return standing;
}

PermitInstallReport ChartStore::installPermits(const std::string& permitFile, const ImportOptions& options) {
  PermitInstallReport report;
  report.file = permitFile;
  const PermitFile file = readPermitFile(permitFile);
  if (!makeFolder(folder(), report.failure)) return report;
  StoreLock lock(folder(), StoreLock::Mode::Exclusive, options.waitMs);
  if (!lock.held()) {
    report.failure = lockFailure(lock, folder());
    return report;
  }
  messages_.clear();
  readProtection();
  std::vector<StoredPermit> held = permits_;
  mergePermits(file, permitFile, held, hardwareKey6(client_.identity), client_.clock.today(), timeNow(options),
               report);
  const std::string bytes = permitsBytes(held);
  std::string error;
  if (bytes != permitsBytes(permits_) && !files_.write("permits", bytes, error)) {
    report.failure = cannotWriteMessage(error);
    return report;
  }
  permits_ = std::move(held);
  report.written = true;
  // A cell a rebuild kept unread is read whole once its permit is here.
  StoreIndex index;
  std::string damage;
  if (readIndexFile(index, damage) && rereadKeptCells(index, files_, protection(keys_).get()) &&
      files_.write("index", indexBytes(index), error))
    index_ = std::move(index);
  return report;
}

bool ChartStore::removePermits(const std::string& cell, const std::string& dataServer, int& removed,
                               std::string& error, int waitMs) {
  removed = 0;
  StoreLock lock(folder(), StoreLock::Mode::Exclusive, waitMs);
  if (!lock.held()) {
    error = lockFailure(lock, folder()).text;
    return false;
  }
  messages_.clear();
  readProtection();
  std::vector<StoredPermit> held;
  for (StoredPermit& p : permits_) {
    if (p.permit.cell == cell && (dataServer.empty() || p.permit.dataServer == dataServer)) ++removed;
    else held.push_back(std::move(p));
  }
  if (removed > 0 && !files_.write("permits", permitsBytes(held), error)) {
    readProtection();
    return false;
  }
  permits_ = std::move(held);
  return true;
}

KeyInstallOutcome ChartStore::installKey(const std::string& path, KeyRole role, const ImportOptions& options) {
  StoreMessage failure;
  if (!makeFolder(folder(), failure)) {
    KeyInstallOutcome out;
    out.file = path;
    out.role = role;
    out.failure = failure;
    return out;
  }
  StoreLock lock(folder(), StoreLock::Mode::Exclusive, options.waitMs);
  if (!lock.held()) {
    KeyInstallOutcome out;
    out.file = path;
    out.role = role;
    out.failure = lockFailure(lock, folder());
    return out;
  }
  const KeyInstallOutcome out = installStoreKey(files_, path, role, client_.clock.today());
  keys_ = readStoreKeys(files_, client_.clock.today());
  return out;
}
