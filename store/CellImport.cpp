#include "CellImport.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "CellName.h"
#include "Crc32.h"
#include "ReaderResult.h"
#include "S57CellReader.h"
#include "UpdateChain.h"
#include "UpdateFile.h"
#include "UpdateResult.h"

namespace {

std::string stemOf(const std::string& dataSetName) {
  std::string stem = dataSetName.substr(0, dataSetName.find('.'));
  for (char& c : stem)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return stem;
}

bool sameCrc(const std::string& found, const std::string& listed) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(listed.c_str(), &end, 16);
  return end != listed.c_str() && *end == '\0' && listed.size() <= 8 &&
         crcText(static_cast<std::uint32_t>(value)) == found;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.rfind('/')); }
int folderNumberOf(const std::string& path) {
  const std::string folder = folderOf(path);
  return std::atoi(folder.substr(folder.rfind('/') + 1).c_str());
}

// Whether the bytes begin as a cell file does (an ISO 8211 descriptive
// record's leader); the store's encrypted copies do not.
bool looksLikeCellFile(std::string_view bytes) { return bytes.size() >= 12 && bytes.substr(5, 7) == "3LE1 09"; }

std::vector<int> sseNumbers(const std::vector<SseCode>& codes) {
  std::vector<int> numbers;
  for (const SseCode code : codes) numbers.push_back(sseNumber(code));
  return numbers;
}

// A file offered, read once and checked against its catalogue's CRC-32;
// an encrypted one taken through the data client's checks and decrypted.
struct ReadFile {
  const OfferedFile* file = nullptr;
  std::string bytes;  // as delivered: what is stored
  std::string crc;    // of `bytes`
  ReaderResult readCode = ReaderResult::Ok;
  std::string crcFailure;  // the CRC-32 disagrees with the catalogue's
  bool encrypted = false;
  SecureBytes plain;             // the decrypted bytes of an encrypted file
  std::vector<SseCode> sse;      // what the protection scheme said of it
  std::string protectionFailure;  // why it was not decrypted ("" when it was)

  std::string_view content() const { return encrypted ? bytesView(plain) : std::string_view(bytes); }
  bool refused() const { return encrypted && !protectionFailure.empty(); }
};

ReadFile readOffered(const OfferedFile& file, CellImportContext& context, const std::string& cell) {
  ReadFile r;
  r.file = &file;
  r.readCode = file.storedPath.empty() ? readWholeFile(file.path, r.bytes) : context.files.readUnchecked(file.storedPath, r.bytes);
  if (r.readCode != ReaderResult::Ok) return r;
  r.crc = crcText(crc32(r.bytes));
  // The store's own copies tell themselves apart (a rebuild).
  r.encrypted = file.encrypted || (!file.storedPath.empty() && !looksLikeCellFile(r.bytes));
  if (!r.encrypted) {
    if (!file.listedCrc.empty() && !sameCrc(r.crc, file.listedCrc))
      r.crcFailure = file.name + ": CRC-32 is " + r.crc + ", its catalogue lists " + file.listedCrc;
    return r;
  }
  if (!context.protection) {
    r.sse = {SseCode::PermitNotFound};
    r.protectionFailure = "an encrypted file, and no permits to decrypt it with";
    return r;
  }
  EncFileOutcome opened;
  if (file.storedPath.empty()) {
    opened = context.protection->openOffered(file, cell, r.bytes, r.plain);
  } else {
    StoredFile stored;
    stored.encrypted = true;
    opened = context.protection->openKept(cell, stored, r.bytes, r.plain);
  }
  r.sse = opened.codes;
  // Said once for the exchange set, on the first file it is found for.
  if (opened.notByScheme && context.notBySchemeSaid.insert(file.source).second)
    r.sse.insert(r.sse.begin(), SseCode::NotAuthenticatedByScheme);
  if (!opened.decrypted) r.protectionFailure = opened.reason.empty() ? "not decrypted" : opened.reason;
  return r;
}

struct BaseCandidate {
  ReadFile read;
  std::unique_ptr<S57CellReader> reader;
  int edition = 0, baseUpdate = 0;
  bool newerThan(const BaseCandidate& o) const {
    if (edition != o.edition) return edition > o.edition;
    if (baseUpdate != o.baseUpdate) return baseUpdate > o.baseUpdate;
    // Copies alike: a rebuild takes the later folder, an import the first.
    return !read.file->storedPath.empty() &&
           folderNumberOf(read.file->storedPath) > folderNumberOf(o.read.file->storedPath);
  }
};

// An update offered, read and sorted out before the chain runs.
struct OfferedUpdate {
  ReadFile read;
  UpdateResult code = UpdateResult::Ok;  // reading or parsing it failed
  std::string detail;
  std::shared_ptr<UpdateFile> update;
};

class Importer {
public:
  Importer(const StoredCell* installed, const OfferedCell& offered, CellImportContext& context)
      : installed_(installed), offered_(offered), context_(context) {}

  CellImportResult run();

private:
  std::unique_ptr<BaseCandidate> chooseBase();
  bool decideBase(std::unique_ptr<BaseCandidate>& best);
  void sortUpdates(int edition, int current);
  bool runChain(S57CellReader& reader, const std::vector<StoredUpdate>& kept);
  ReaderResult readStored(const StoredFile& file, std::string& bytes, SecureBytes& plain, std::string& why,
                          std::vector<SseCode>& sse) const;
  void noteSse(const std::vector<SseCode>& codes);
  bool write(const std::string& relative, const ReadFile& read, StoredFile& stored);
  StoredUpdate storedUpdate(const OfferedUpdate& u, const StoredFile& file) const;
  std::string dateOf(const OfferedFile& f) const { return f.storedAt.empty() ? context_.now : f.storedAt; }

  const StoredCell* installed_;
  const OfferedCell& offered_;
  CellImportContext& context_;
  CellImportResult result_;
  StoredCell& cell_ = result_.cell;
  CellOutcome& outcome_ = result_.outcome;
  std::vector<StoreIssue>& issues_ = result_.outcome.issues;
  std::vector<OfferedUpdate> chain_;          // in sequence
  std::vector<const OfferedUpdate*> applied_;  // those the chain applied
  const OfferedUpdate* cancellation_ = nullptr;
  std::vector<std::unique_ptr<OfferedUpdate>> held_;
};

std::unique_ptr<BaseCandidate> Importer::chooseBase() {
  std::unique_ptr<BaseCandidate> best;
  for (const OfferedFile& file : offered_.bases) {
    auto c = std::make_unique<BaseCandidate>();
    c->read = readOffered(file, context_, offered_.name);
    if (c->read.readCode != ReaderResult::Ok) {
      issues_.push_back(unreadableIssue(file.name, c->read.readCode, {}));
      continue;
    }
    noteSse(c->read.sse);
    if (c->read.refused()) {
      issues_.push_back(protectionIssue(file.name, 0, sseNumbers(c->read.sse), c->read.protectionFailure));
      continue;
    }
    if (!file.crcFailure.empty() || !c->read.crcFailure.empty()) {
      issues_.push_back(crcMismatchIssue(file.name, c->read.crc, file.listedCrc));
      continue;
    }
    c->reader = std::make_unique<S57CellReader>();
    const ReaderResult code = c->reader->readCellBytes(c->read.content());
    const DataSetIdentification& dsid = c->reader->dataSetIdentification;
    if (code != ReaderResult::Ok && !cellListedDespite(code)) {
      issues_.push_back(unreadableIssue(file.name, code, {}));
      continue;
    }
    if (c->reader->dataSetParameters.COMF == 0 || c->reader->dataSetParameters.SOMF == 0) {
      issues_.push_back(unreadableIssue(file.name, ReaderResult::NoFactors, {}));
      continue;
    }
    if (dsid.EXPP != 1 || stemOf(dsid.DSNM) != offered_.name) {
      issues_.push_back(notACellIssue(
          file.name, "its DSID says EXPP " + std::to_string(dsid.EXPP) + " and names " + dsid.DSNM +
                         ", not a base file of " + offered_.name + ": not taken"));
      continue;
    }
    c->edition = std::atoi(dsid.EDTN.c_str());
    c->baseUpdate = std::max(0, std::atoi(dsid.UPDN.c_str()));
    if (!best || c->newerThan(*best)) best = std::move(c);
  }
  return best;
}

// Whether the base offered (when any) replaces the installed one; sets the
// action, or refuses it.
bool Importer::decideBase(std::unique_ptr<BaseCandidate>& best) {
  if (!best) return false;
  const std::string& name = best->read.file->name;
  if (!installed_ || installed_->status == CellStatus::Refused) {
    outcome_.action = ImportAction::Installed;
    return true;
  }
  if (installed_->status == CellStatus::Cancelled) {
    if (best->edition > installed_->edition) {
      outcome_.action = ImportAction::NewEdition;
      return true;
    }
    issues_.push_back(cellCancelledIssue(name, best->edition));
  } else if (best->edition > installed_->edition) {
    outcome_.action = ImportAction::NewEdition;
    return true;
  } else if (best->edition == installed_->edition) {
    // The installed base again: nothing to replace.
    if (best->read.crc == installed_->base.crc && best->baseUpdate == installed_->baseUpdate) {
      best.reset();
      return false;
    }
    // A re-issue holds the updates to its own number: one holding fewer
    // than the installed base would take the cell back.
    if (best->baseUpdate < installed_->baseUpdate) {
      issues_.push_back(olderBaseIssue(name, best->edition, best->baseUpdate, installed_->baseUpdate));
      best.reset();
      return false;
    }
    outcome_.action = ImportAction::Reissued;
    return true;
  } else {
    issues_.push_back(olderEditionIssue(name, best->edition, installed_->edition));
  }
  best.reset();
  return false;
}

// Reads the updates offered and sorts them: cancellations apart, those of
// another edition refused, those the cell holds passed over, the rest in
// sequence (for each number the first that reads).
void Importer::sortUpdates(int edition, int current) {
  std::map<int, OfferedUpdate> byNumber;
  for (const OfferedFile& file : offered_.updates) {
    OfferedUpdate u;
    u.read = readOffered(file, context_, offered_.name);
    noteSse(u.read.sse);
    if (u.read.readCode != ReaderResult::Ok) {
      u.code = UpdateResult::CannotRead;
      u.detail =
          "reader code " + std::to_string(resultCode(u.read.readCode)) + ": " + readerResultText(u.read.readCode);
    } else if (u.read.refused()) {
      u.code = UpdateResult::CannotRead;
      u.detail = u.read.protectionFailure;
    } else if (!file.crcFailure.empty() || !u.read.crcFailure.empty()) {
      u.code = UpdateResult::CrcMismatch;
      u.detail = u.read.crcFailure.empty() ? file.crcFailure : u.read.crcFailure;
    } else {
      u.update = std::make_shared<UpdateFile>();
      u.code = readUpdateBytes(u.read.content(), *u.update, u.detail);
    }
    if (u.code == UpdateResult::Ok) {
      const DataSetIdentification& dsid = u.update->dataSet;
      if (cancelsCell(dsid) && stemOf(dsid.DSNM) == offered_.name) {
        if (!cancellation_) {
          held_.push_back(std::make_unique<OfferedUpdate>(std::move(u)));
          cancellation_ = held_.back().get();
        }
        continue;
      }
      const int updateEdition = std::atoi(dsid.EDTN.c_str());
      if (dsid.EXPP == 2 && stemOf(dsid.DSNM) == offered_.name && updateEdition != edition) {
        issues_.push_back(wrongEditionIssue(file.name, file.number, updateEdition, edition));
        continue;
      }
    }
    if (file.number <= current) continue;  // held already
    const auto [it, added] = byNumber.try_emplace(file.number, std::move(u));
    if (!added && it->second.code != UpdateResult::Ok && u.code == UpdateResult::Ok) it->second = std::move(u);
  }
  for (auto& [number, u] : byNumber) chain_.push_back(std::move(u));
}

// Applies the installed updates kept and the updates offered in sequence.
// False when a kept update of the store's own no longer applies.
bool Importer::runChain(S57CellReader& reader, const std::vector<StoredUpdate>& kept) {
  std::vector<UpdateFileName> files;
  std::map<std::string, const StoredUpdate*> keptByPath;
  std::map<std::string, const OfferedUpdate*> offeredByPath;
  for (const StoredUpdate& u : kept) {
    files.emplace_back(u.number, context_.files.absolute(u.file.path));
    keptByPath[files.back().path] = &u;
  }
  for (const OfferedUpdate& u : chain_) {
    files.emplace_back(u.read.file->number, u.read.file->path);
    if (u.code == UpdateResult::CrcMismatch) files.back().crcFailure = u.detail;
    offeredByPath[files.back().path] = &u;
  }
  const UpdateFileReader read = [&](const UpdateFileName& file, UpdateFile& out, std::string& detail) {
    if (const auto k = keptByPath.find(file.path); k != keptByPath.end()) {
      std::string bytes, why;
      SecureBytes plain;
      std::vector<SseCode> sse;
      if (readStored(k->second->file, bytes, plain, why, sse) != ReaderResult::Ok) {
        detail = "the store's copy: " + why;
        return UpdateResult::CannotRead;
      }
      return readUpdateBytes(k->second->file.encrypted ? bytesView(plain) : std::string_view(bytes), out, detail);
    }
    const OfferedUpdate& u = *offeredByPath.at(file.path);
    detail = u.detail;
    if (u.code == UpdateResult::Ok) out = *u.update;
    return u.code;
  };
  const UpdateChainResult chain = applyUpdateChain(reader, files, read);
  size_t done = chain.applied.size();
  bool keptWhole = done >= kept.size();
  for (size_t i = 0; i < std::min(done, kept.size()); ++i) cell_.updates.push_back(kept[i]);
  for (size_t i = kept.size(); i < done; ++i) applied_.push_back(&chain_[i - kept.size()]);
  if (chain.code != UpdateResult::Ok) {
    // The stop and the updates after it, the store's own ones first.
    std::vector<int> later;
    for (size_t i = done + 1; i < files.size(); ++i) later.push_back(files[i].number);
    const auto offered = offeredByPath.find(files[done].path);
    if (offered != offeredByPath.end() && offered->second->read.refused()) {
      const ReadFile& r = offered->second->read;
      issues_.push_back(
          protectionIssue(r.file->name, files[done].number, sseNumbers(r.sse), r.protectionFailure, std::move(later)));
    } else {
      issues_.push_back(updateStoppedIssue(chain.stop.file, files[done].number, chain.code, chain.stop.detail,
                                           std::move(later)));
    }
  }
  return keptWhole;
}

ReaderResult Importer::readStored(const StoredFile& file, std::string& bytes, SecureBytes& plain, std::string& why,
                                  std::vector<SseCode>& sse) const {
  if (const ReaderResult code = context_.files.read(file, bytes); code != ReaderResult::Ok) {
    why = readerResultText(code);
    return code;
  }
  if (!file.encrypted) return ReaderResult::Ok;
  if (!context_.protection) {
    why = "an encrypted file, and no permits to decrypt it with";
    sse = {SseCode::PermitNotFound};
    return ReaderResult::CannotOpen;
  }
  const EncFileOutcome opened = context_.protection->openKept(offered_.name, file, bytes, plain);
  if (opened.decrypted) return ReaderResult::Ok;
  sse = opened.codes;
  why = sseEnglishList(opened.codes) + " (" + opened.reason + ")";
  return ReaderResult::CannotOpen;
}

void Importer::noteSse(const std::vector<SseCode>& codes) {
  for (const SseCode code : codes)
    if (std::find(outcome_.sse.begin(), outcome_.sse.end(), code) == outcome_.sse.end()) outcome_.sse.push_back(code);
}

bool Importer::write(const std::string& relative, const ReadFile& read, StoredFile& stored) {
  stored.path = relative;
  stored.crc = read.crc;
  stored.size = static_cast<long long>(read.bytes.size());
  stored.encrypted = read.encrypted;
  if (read.encrypted) {
    stored.dataServer = read.file->dataServer;
    stored.plainCrc = crcText(crc32(read.content()));
  }
  if (context_.rebuilding) return true;
  std::string error;
  // On disk before the index names it (ChartStore flushes them all at once).
  if (context_.files.write(relative, read.bytes, error, false)) return true;
  result_.writeError = error;
  return false;
}

StoredUpdate Importer::storedUpdate(const OfferedUpdate& u, const StoredFile& file) const {
  StoredUpdate s;
  s.number = u.read.file->number;
  s.issueDate = u.update ? u.update->dataSet.ISDT : std::string();
  s.applied = dateOf(*u.read.file);
  s.source = u.read.file->source;
  s.file = file;
  return s;
}

CellImportResult Importer::run() {
  outcome_.cell = offered_.name;
  if (installed_) cell_ = *installed_;
  cell_.name = offered_.name;

  std::unique_ptr<BaseCandidate> best = chooseBase();
  const bool replace = decideBase(best);
  const bool inUse = installed_ && installed_->status == CellStatus::InUse;
  if (!replace && !inUse) {
    // Nothing to put updates on.
    if (installed_ && installed_->status == CellStatus::Cancelled) {
      // Updates up to the cancellation are history; any after it are refused.
      const int cancelledAt = installed_->cancellation ? installed_->cancellation->number : 0;
      for (const OfferedFile& f : offered_.updates)
        if (f.number > cancelledAt) {
          issues_.push_back(cellCancelledIssue(f.name, installed_->edition, f.number));
          break;
        }
    } else if (!offered_.updates.empty()) {
      std::vector<int> numbers;
      for (const OfferedFile& f : offered_.updates) numbers.push_back(f.number);
      issues_.push_back(notInstalledIssue(offered_.updates.front().name, std::move(numbers)));
    }
    const bool refusedBase = !issues_.empty() && !offered_.bases.empty();
    if (installed_) {
      outcome_.action = issues_.empty() ? ImportAction::Unchanged : ImportAction::Refused;
      outcome_.status = installed_->status;
      outcome_.edition = installed_->edition;
      outcome_.updateNumber = installed_->updateNumber();
      result_.keep = true;
      if (!issues_.empty()) cell_.issue = issues_.front();
    } else if (refusedBase) {
      // Kept as refused, so that the store can say why the cell is not there.
      outcome_.action = ImportAction::Refused;
      outcome_.status = CellStatus::Refused;
      cell_ = StoredCell();
      cell_.name = offered_.name;
      cell_.status = CellStatus::Refused;
      cell_.issue = issues_.front();
      result_.keep = true;
    } else {
      outcome_.action = ImportAction::NotInstalled;
      outcome_.status = CellStatus::NotInstalled;
    }
    return std::move(result_);
  }

  // The base the updates go onto, and the installed updates kept on it.
  std::unique_ptr<S57CellReader> reader;
  std::vector<StoredUpdate> kept;
  std::string folder;
  if (replace) {
    reader = std::move(best->reader);
    const DataSetIdentification& dsid = reader->dataSetIdentification;
    if (outcome_.action == ImportAction::Reissued)
      for (const StoredUpdate& u : installed_->updates)
        if (u.number > best->baseUpdate) kept.push_back(u);
    const int number = context_.rebuilding ? folderNumberOf(best->read.file->storedPath) : context_.nextFolder++;
    folder = cellFolderPath(offered_.name, number);
    cell_.status = CellStatus::InUse;
    cell_.edition = best->edition;
    cell_.baseUpdate = best->baseUpdate;
    cell_.issueDate = dsid.ISDT;
    cell_.updateDate = dsid.UADT;
    cell_.installed = dateOf(*best->read.file);
    cell_.source = best->read.file->source;
    cell_.cancellation.reset();
    const std::string path = context_.rebuilding ? best->read.file->storedPath : folder + "/" + cellFileName(offered_.name, 0);
    if (!write(path, best->read, cell_.base)) return std::move(result_);
    best->read.bytes.clear();
    best->read.plain.clear();
  } else {
    kept = installed_->updates;
    folder = folderOf(installed_->base.path);
    reader = std::make_unique<S57CellReader>();
    std::string bytes, why;
    SecureBytes plain;
    std::vector<SseCode> sse;
    ReaderResult code = readStored(installed_->base, bytes, plain, why, sse);
    if (code == ReaderResult::Ok)
      code = reader->readCellBytes(installed_->base.encrypted ? bytesView(plain) : std::string_view(bytes));
    if (code != ReaderResult::Ok && !cellListedDespite(code)) {
      // The store's own copy is damaged, or cannot be decrypted any more:
      // nothing can go onto it.
      noteSse(sse);
      issues_.push_back(sse.empty() ? storedFileDamagedIssue(cellFileName(offered_.name, 0))
                                    : protectionIssue(cellFileName(offered_.name, 0), 0, sseNumbers(sse),
                                                      "the installed base file: " + why));
      outcome_.action = ImportAction::Refused;
      outcome_.status = cell_.status;
      outcome_.edition = cell_.edition;
      outcome_.updateNumber = cell_.updateNumber();
      cell_.issue = issues_.front();
      result_.keep = true;
      return std::move(result_);
    }
  }
  cell_.updates.clear();
  const int current = kept.empty() ? cell_.baseUpdate : kept.back().number;
  sortUpdates(cell_.edition, current);
  if (cancellation_) chain_.clear();  // the cell goes: nothing to put on it
  runChain(*reader, kept);

  for (const OfferedUpdate* u : applied_) {
    StoredFile file;
    const std::string path =
        context_.rebuilding ? u->read.file->storedPath : folder + "/" + cellFileName(offered_.name, u->read.file->number);
    if (!write(path, u->read, file)) return std::move(result_);
    cell_.updates.push_back(storedUpdate(*u, file));
    outcome_.applied.push_back(u->read.file->number);
  }
  if (replace || !applied_.empty() || cell_.updates.size() != installed_->updates.size()) {
    cell_.coverage = cellCoverage(*reader);
    if (!replace && !applied_.empty()) outcome_.action = ImportAction::Updated;
  } else if (!issues_.empty()) {
    outcome_.action = ImportAction::Refused;
  }
  if (cancellation_) {
    StoredFile file;
    // In a folder of its own: its number may be one the cell's files have.
    const OfferedFile& f = *cancellation_->read.file;
    const std::string path = context_.rebuilding ? f.storedPath
                                                 : cellFolderPath(offered_.name, context_.nextFolder++) + "/" +
                                                       cellFileName(offered_.name, f.number);
    if (!write(path, cancellation_->read, file)) return std::move(result_);
    cell_.cancellation = storedUpdate(*cancellation_, file);
    cell_.status = CellStatus::Cancelled;
    outcome_.action = ImportAction::Cancelled;
  }
  // The last refusal stays with the cell until an import moves it on.
  if (!issues_.empty()) cell_.issue = issues_.front();
  else if (outcome_.action != ImportAction::Unchanged) cell_.issue = StoreIssue();
  outcome_.status = cell_.status;
  outcome_.edition = cell_.edition;
  outcome_.updateNumber = cell_.updateNumber();
  result_.keep = true;
  return std::move(result_);
}

}  // namespace

CellImportResult importCell(const StoredCell* installed, const OfferedCell& offered, CellImportContext& context) {
  return Importer(installed, offered, context).run();
}
