#include "StoreRebuild.h"

#include <sys/stat.h>

#include <QDateTime>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "CellImport.h"
#include "CellName.h"
#include "Crc32.h"
#include "OfferedCells.h"

namespace fs = std::filesystem;

namespace {

int folderNumberOf(const std::string& relative) {
  const std::string folder = relative.substr(0, relative.rfind('/'));
  return std::atoi(folder.substr(folder.rfind('/') + 1).c_str());
}

// The cell files the store holds under `under` (its "cells" folder, or one
// cell's), as an import would be offered them; `lastFolder` the highest
// folder number met.
std::vector<OfferedCell> storedFiles(const StoreFiles& files, const fs::path& under, int& lastFolder) {
  std::vector<OfferedCell> offered;
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(under, ec))) return offered;
  for (fs::recursive_directory_iterator it(under, fs::directory_options::none, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string relative = it->path().lexically_relative(files.root()).generic_string();
    if (!isStoredCellPath(relative)) continue;
    struct stat st;
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    OfferedFile file;
    file.name = it->path().filename().string();
    file.path = files.absolute(relative);
    file.number = cellFileNumber(file.name);
    file.storedPath = relative;
    file.storedAt = QDateTime::fromSecsSinceEpoch(st.st_mtime, Qt::UTC).toString(Qt::ISODate).toStdString();
    lastFolder = std::max(lastFolder, folderNumberOf(relative));
    const std::string cell = cellNameOfFile(file.name);
    addOfferedFile(offered, cell, std::move(file));
  }
  return offered;
}

// Whether a cell was refused only because its encrypted base could not be
// decrypted now. A key that fitted and gave a damaged archive (SSE 16) is
// damaged data, not a missing permit.
bool undecryptedNow(const CellOutcome& outcome) {
  const bool base = std::any_of(outcome.issues.begin(), outcome.issues.end(), [](const StoreIssue& i) {
    return i.kind == IssueKind::Protection && i.number == 0;
  });
  return base && std::find(outcome.sse.begin(), outcome.sse.end(), SseCode::EncCrcIncorrect) == outcome.sse.end();
}

// The file at `relative` as it lies now; nothing when it cannot be read.
std::optional<StoredFile> fileAsItLies(const StoreFiles& files, const std::string& relative) {
  std::string bytes;
  if (files.readUnchecked(relative, bytes) != ReaderResult::Ok) return std::nullopt;
  StoredFile file;
  file.path = relative;
  file.size = static_cast<long long>(bytes.size());
  file.crc = crcText(crc32(bytes));
  file.encrypted = true;
  return file;
}

bool liesAsRecorded(const StoreFiles& files, const StoredFile& recorded) {
  const std::optional<StoredFile> now = fileAsItLies(files, recorded.path);
  return now && now->size == recorded.size && now->crc == recorded.crc;
}

// The entry of a cell kept without being read: what the damaged index
// recorded when every file it names lies there as recorded, else what the
// cell's newest folder holds (its base and the updates in sequence beside
// it, the edition not known).
std::optional<StoredCell> keptUnread(const StoreFiles& files, const OfferedCell& offered, const CellOutcome& outcome,
                                     const std::vector<StoredCell>& recorded) {
  std::vector<int> sse;
  for (const SseCode code : outcome.sse) sse.push_back(sseNumber(code));
  const std::string reason = outcome.issues.empty() ? std::string() : outcome.issues.front().detail;
  const auto record = std::find_if(recorded.begin(), recorded.end(),
                                   [&](const StoredCell& c) { return c.name == offered.name; });
  if (record != recorded.end() && record->status == CellStatus::InUse && record->base.encrypted &&
      liesAsRecorded(files, record->base) &&
      std::all_of(record->updates.begin(), record->updates.end(),
                  [&](const StoredUpdate& u) { return liesAsRecorded(files, u.file); })) {
    StoredCell cell = *record;
    cell.keptUnread = true;
    cell.issue = keptUnreadIssue(cellFileName(cell.name, 0), cell.edition, sse, reason);
    return cell;
  }

  const OfferedFile* base = nullptr;
  for (const OfferedFile& f : offered.bases)
    if (!base || folderNumberOf(f.storedPath) > folderNumberOf(base->storedPath)) base = &f;
  if (!base) return std::nullopt;
  std::optional<StoredFile> baseFile = fileAsItLies(files, base->storedPath);
  if (!baseFile) return std::nullopt;
  StoredCell cell;
  cell.name = offered.name;
  cell.status = CellStatus::InUse;
  cell.installed = base->storedAt;
  cell.base = std::move(*baseFile);
  cell.keptUnread = true;
  // The updates of the base's folder, in sequence from the first there.
  const int folder = folderNumberOf(base->storedPath);
  for (const OfferedFile& u : offered.updates) {
    if (folderNumberOf(u.storedPath) != folder) continue;
    if (!cell.updates.empty() && u.number != cell.updates.back().number + 1) break;
    std::optional<StoredFile> file = fileAsItLies(files, u.storedPath);
    if (!file) break;
    if (cell.updates.empty()) cell.baseUpdate = u.number - 1;
    StoredUpdate update;
    update.number = u.number;
    update.applied = u.storedAt;
    update.file = std::move(*file);
    cell.updates.push_back(std::move(update));
  }
  cell.issue = keptUnreadIssue(cellFileName(cell.name, 0), 0, sse, reason);
  return cell;
}

std::string timeNow() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString(); }

}  // namespace

StoreIndex rebuildIndex(const StoreFiles& files, const StoreProtection* protection,
                        const std::vector<StoredCell>& recorded) {
  int lastFolder = 0;
  const std::vector<OfferedCell> offered = storedFiles(files, fs::path(files.root()) / "cells", lastFolder);
  StoreIndex index;
  index.nextFolder = lastFolder + 1;
  CellImportContext context{files, timeNow(), index.nextFolder, true, protection, {}};
  for (const OfferedCell& cell : offered) {
    CellImportResult result = importCell(nullptr, cell, context);
    if (result.keep && result.cell.status != CellStatus::Refused) {
      result.cell.issue = StoreIssue();  // the files' own history, not a refusal
      index.cells.push_back(std::move(result.cell));
    } else if (undecryptedNow(result.outcome)) {
      if (std::optional<StoredCell> kept = keptUnread(files, cell, result.outcome, recorded))
        index.cells.push_back(std::move(*kept));
    }
  }
  return index;
}

bool rereadKeptCells(StoreIndex& index, const StoreFiles& files, const StoreProtection* protection) {
  bool changed = false;
  for (StoredCell& cell : index.cells) {
    if (!cell.keptUnread) continue;
    int lastFolder = 0;
    const std::vector<OfferedCell> offered =
        storedFiles(files, fs::path(files.root()) / "cells" / cell.name, lastFolder);
    if (offered.size() != 1) continue;
    int nextFolder = std::max(index.nextFolder, lastFolder + 1);
    CellImportContext context{files, timeNow(), nextFolder, true, protection, {}};
    CellImportResult result = importCell(nullptr, offered.front(), context);
    if (!result.keep || result.cell.status == CellStatus::Refused) continue;
    result.cell.issue = StoreIssue();
    cell = std::move(result.cell);
    changed = true;
  }
  return changed;
}
