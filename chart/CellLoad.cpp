#include "CellLoad.h"

#include "CellBuilder.h"
#include "CellList.h"
#include "EncryptedCell.h"
#include "ReaderResult.h"
#include "RecordCheck.h"
#include "S57CellReader.h"

namespace {
std::string fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

CellLoadResult loadCell(const std::string& path, const PresentationLibrary& library, CellList& list,
                        ViewGeometry* centreOn, const CellLoadOptions& options, CellLoadReport* report) {
  if (report) *report = CellLoadReport();
  // A base file that failed its catalogue's CRC check is never read.
  for (const LoadWarning& w : options.warnings)
    if ((w.kind == LoadWarningKind::CrcMismatch || w.kind == LoadWarningKind::CrcUnreadable) &&
        w.file == fileName(path))
      return isEncryptedCellFile(path) ? ReaderResult::Encrypted : ReaderResult::CrcMismatch;
  S57CellReader reader;
  // A store's bytes (decrypted, for an encrypted cell) are read where they
  // lie and wiped when they go, once the reader has taken what it needs.
  if (options.fileBytes) {
    SecureBytes bytes;
    if (const ReaderResult code = options.fileBytes(path, bytes); code != ReaderResult::Ok) return code;
    if (const ReaderResult code = reader.readCellBytes(bytesView(bytes)); code != ReaderResult::Ok) return code;
  } else if (const ReaderResult code = reader.readCell(path); code != ReaderResult::Ok) {
    return code;
  }
  if (reader.dataSetParameters.COMF == 0 || reader.dataSetParameters.SOMF == 0) return ReaderResult::NoFactors;
  if (list.contains(reader.dataSetIdentification.DSNM)) {
    if (report) report->loadedAlready = reader.dataSetIdentification.DSNM;
    return ReaderResult::DuplicateCell;
  }
  // Judged before the updates change the records: the base file as shipped.
  std::vector<LoadWarning> findings = checkCellRecords(fileName(path), reader);
  UpdateChainResult updates;
  if (options.applyUpdates) {
    updates = applyUpdateChain(reader, options.updateFiles ? *options.updateFiles : findUpdateFiles(path),
                               options.fileBytes ? updateFileReader(options.fileBytes) : UpdateFileReader());
  }
  if (updates.cancelled) {  // withdrawn: not listed
    if (report) report->updates = std::move(updates);
    return ReaderResult::CellCancelled;
  }
  std::unique_ptr<S57Cell> cell = buildCell(reader, library);
  if (!cell) return ReaderResult::GeometryTooLarge;
  cell->updatesApplied = updates.applied;
  cell->updateChanges = updates.changes;
  cell->permitExpired = options.permitExpired;
  const ReaderResult finding = findings.empty() ? ReaderResult::Ok : findings.front().reader;
  cell->loadWarnings = std::move(findings);
  cell->loadWarnings.insert(cell->loadWarnings.end(), options.warnings.begin(), options.warnings.end());
  if (updates.code != UpdateResult::Ok) cell->loadWarnings.push_back(updates.stop);
  S57Cell* listed = cell.get();
  const ReaderResult appended = list.append(std::move(cell), centreOn);
  if (report) {
    report->cell = appended == ReaderResult::Ok ? listed : nullptr;
    report->updates = std::move(updates);
    if (appended == ReaderResult::DuplicateCell) report->loadedAlready = reader.dataSetIdentification.DSNM;
  }
  return appended != ReaderResult::Ok ? appended : finding;
}
