#include "OfferedCells.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <filesystem>
#include <system_error>

#include "CellFolder.h"
#include "CellName.h"
#include "ExchangeCatalogue.h"
#include "ExchangeSetInfo.h"
#include "SignatureFile.h"

namespace fs = std::filesystem;

namespace {

// The exchange set a file belongs to: the nearest folder at or above its
// own, up to `top`, that holds a catalogue; else `top`.
std::string exchangeSetOf(const fs::path& file, const fs::path& top) {
  std::error_code ec;
  for (fs::path up = file.parent_path(); !up.empty(); up = up.parent_path()) {
    if (fs::exists(up / "CATALOG.031", ec) || fs::exists(up / "catalog.031", ec)) return up.string();
    if (up == top || up == up.parent_path()) break;
  }
  return top.string();
}

void offer(OfferedCells& out, const std::string& path, int number, const fs::path& top, const std::string& listedCrc,
           const std::string& crcFailure) {
  const std::string name = fs::path(path).filename().string();
  const std::string cell = cellNameOfFile(name);
  if (cell.empty()) {
    out.notCells.push_back(notACellIssue(name, "not a cell name (eight letters, digits or '_'): not taken"));
    return;
  }
  OfferedFile file;
  file.path = path;
  file.name = name;
  file.number = number;
  file.source = exchangeSetOf(fs::path(path), top);
  file.listedCrc = listedCrc;
  file.crcFailure = crcFailure;
  addOfferedFile(out.cells, cell, std::move(file));
}

// What the walk found that the import's outcomes do not say already: the
// CRC findings become the cells' own, and every copy of a cell is weighed.
void keepSetWarnings(OfferedCells& out, const std::vector<LoadWarning>& warnings) {
  for (const LoadWarning& w : warnings)
    if (w.kind != LoadWarningKind::CrcMismatch && w.kind != LoadWarningKind::CrcUnreadable &&
        w.kind != LoadWarningKind::SameCellTwice)
      out.warnings.push_back(w);
}

void offerSource(OfferedCells& out, const CellSource& source, const fs::path& top) {
  if (!source.path.empty()) offer(out, source.path, 0, top, source.listedCrc, source.crcFailure);
  for (const UpdateFileName& u : source.updates) offer(out, u.path, u.number, top, u.listedCrc, u.crcFailure);
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// An encrypted exchange set: its data server and what its catalogue says
// of each file (by its path from the catalogue's folder, upper case).
struct EncryptedSet {
  bool encrypted = false;
  std::string dataServer;
  std::map<std::string, std::string> comments;
};

class EncryptedSets {
public:
  const EncryptedSet& of(const std::string& set) {
    const auto [it, added] = sets_.try_emplace(set);
    if (!added) return it->second;
    EncryptedSet& s = it->second;
    const fs::path root(set);
    std::error_code ec;
    const fs::path serial = root.parent_path() / "SERIAL.ENC";
    if (!fs::is_regular_file(serial, ec)) return s;
    s.encrypted = true;
    if (const auto read = readSerialFile(serial.string())) s.dataServer = read->dataServer;
    std::vector<CatalogueEntry> entries;
    for (const char* name : {"CATALOG.031", "catalog.031"})
      if (fs::is_regular_file(root / name, ec)) {
        readCatalogue((root / name).string(), entries);
        break;
      }
    for (const CatalogueEntry& e : entries) s.comments[upper(catalogueRelativePath(e))] = e.comment;
    return s;
  }

private:
  std::map<std::string, EncryptedSet> sets_;
};

// Marks the files of encrypted exchange sets, and leaves out their
// signature files, which are read beside the files they sign.
void markEncrypted(OfferedCells& out) {
  EncryptedSets sets;
  auto mark = [&](std::vector<OfferedFile>& files) {
    std::vector<OfferedFile> kept;
    for (OfferedFile& f : files) {
      const EncryptedSet& set = sets.of(f.source);
      if (!set.encrypted) {
        kept.push_back(std::move(f));
        continue;
      }
      if (isSignatureFileName(f.name)) continue;
      f.encrypted = true;
      f.crcFailure.clear();  // the catalogue's CRC-32 is of the decrypted file
      f.dataServer = set.dataServer;
      const fs::path path(f.path);
      if (isEncFileName(f.name)) f.signaturePath = (path.parent_path() / signatureFileName(f.name)).string();
      const auto comment = set.comments.find(upper(path.lexically_relative(f.source).generic_string()));
      if (comment != set.comments.end())
        if (const auto dsid = parseCatalogueDsid(comment->second); dsid && dsid->issueDate)
          f.issueDate = dsid->issueDate->compact();
      kept.push_back(std::move(f));
    }
    files = std::move(kept);
  };
  for (OfferedCell& cell : out.cells) {
    mark(cell.bases);
    mark(cell.updates);
  }
  out.cells.erase(std::remove_if(out.cells.begin(), out.cells.end(),
                                 [](const OfferedCell& c) { return c.bases.empty() && c.updates.empty(); }),
                  out.cells.end());
}

}  // namespace

void addOfferedFile(std::vector<OfferedCell>& cells, const std::string& cellName, OfferedFile file) {
  auto it = std::lower_bound(cells.begin(), cells.end(), cellName,
                             [](const OfferedCell& c, const std::string& n) { return c.name < n; });
  if (it == cells.end() || it->name != cellName) {
    it = cells.insert(it, OfferedCell());
    it->name = cellName;
  }
  auto& list = file.number == 0 ? it->bases : it->updates;
  const auto place = std::upper_bound(list.begin(), list.end(), file, [](const OfferedFile& a, const OfferedFile& b) {
    return a.number != b.number ? a.number < b.number : a.path < b.path;
  });
  list.insert(place, std::move(file));
}

OfferedCells gatherOfferedCells(const std::vector<std::string>& sources) {
  OfferedCells out;
  for (const std::string& source : sources) {
    std::error_code ec;
    const fs::path top = fs::path(source).lexically_normal();
    if (fs::is_directory(source, ec)) {
      const CellFolder folder = scanCellFolder(source);
      for (const CellSource& cell : folder.cells) {
        offerSource(out, cell, top);
        keepSetWarnings(out, cell.warnings);
      }
      for (const CellSource& cell : folder.otherCopies) offerSource(out, cell, top);
      for (const CellSource& cell : folder.updatesAlone) offerSource(out, cell, top);
      keepSetWarnings(out, folder.warnings);
    } else if (fs::is_regular_file(source, ec) && cellFileNumber(fs::path(source).filename().string()) >= 0) {
      offer(out, source, cellFileNumber(fs::path(source).filename().string()), top.parent_path(), {}, {});
    } else {
      out.missing.push_back(source);
    }
  }
  markEncrypted(out);
  return out;
}
