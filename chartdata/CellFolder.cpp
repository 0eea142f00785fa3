#include "CellFolder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "Crc32.h"
#include "ExchangeCatalogue.h"
#include "ExchangeSetPath.h"
#include "S57CellReader.h"

namespace fs = std::filesystem;

namespace {

// 0 for the base file (.000), 1 to 999 for an update, -1 for anything else.
int cellFileNumber(const fs::path& path) {
  const std::string extension = path.extension().string();
  if (extension.size() != 4) return -1;
  int n = 0;
  for (size_t i = 1; i < 4; ++i) {
    const char c = extension[i];
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool isCatalogueName(const std::string& name) {
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper == "CATALOG.031";
}

// Folder and name before the dot: the key that ties a cell's files together.
std::string cellKey(const fs::path& path) { return (path.parent_path() / path.stem()).string(); }

std::string hex8(std::uint32_t value) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

struct Found {
  std::vector<fs::path> bases;
  std::vector<std::pair<fs::path, int>> updates;
  std::vector<fs::path> catalogues;
  std::vector<LoadWarning> warnings;  // files named like cells or catalogues that are not read
};

// A cell file or catalogue the walk met: a regular file (a link to one
// included), or else reported. An update that is not a regular file is
// listed all the same: its cell's chain stops there and names it.
void lookAt(const fs::directory_entry& entry, const ExchangeSetRoot& scanned, const fs::path& top,
            const fs::path& root, Found& found) {
  const fs::path path = entry.path().lexically_normal();
  const bool catalogue = isCatalogueName(path.filename().string());
  const int number = catalogue ? -1 : cellFileNumber(path);
  if (!catalogue && number < 0) return;  // not looked at any further
  std::error_code typeError;
  if (catalogue && entry.is_symlink(typeError)) {
    // Its entries would be read from wherever the link leads: only a
    // link that stays inside the folder is followed (a broken one is
    // reported below).
    if (!scanned.follow(path.lexically_relative(top).generic_string()).inside) {
      found.warnings.push_back(catalogueOutsideWarning(path.string(), root.string()));
      return;
    }
  }
  if (!entry.is_regular_file(typeError)) {
    if (number > 0) found.updates.emplace_back(path, number);
    else found.warnings.push_back(notRegularFileWarning(path.string()));
    return;
  }
  if (catalogue) found.catalogues.push_back(path);
  else if (number == 0) found.bases.push_back(path);
  else found.updates.emplace_back(path, number);
}

// Every folder from `root` down, links to folders not followed. A folder
// that cannot be opened, or whose reading stops with an error, is reported
// with the system's reason; the walk goes on with the others.
Found walk(const fs::path& root, int& rootError, int& unreadable) {
  Found found;
  const ExchangeSetRoot scanned(root);
  const fs::path top = root.lexically_normal();
  std::vector<fs::path> folders{root};
  while (!folders.empty()) {
    const fs::path folder = std::move(folders.back());
    folders.pop_back();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    const bool opened = !ec;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
      std::error_code typeError;
      if (it->symlink_status(typeError).type() == fs::file_type::directory) folders.push_back(it->path());
      lookAt(*it, scanned, top, root, found);
    }
    if (!ec) continue;
    const std::string name = folder == root ? root.string() : folder.lexically_normal().string();
    found.warnings.push_back(folderUnreadableWarning(name, ec.value(), ec.message()));
    if (folder == root && !opened) rootError = ec.value() != 0 ? ec.value() : EIO;
    ++unreadable;
  }
  std::sort(found.bases.begin(), found.bases.end());
  std::sort(found.catalogues.begin(), found.catalogues.end());
  return found;
}

// What makes one copy of a cell newer than another: its edition, then the
// updates its base file holds (a re-issue). A copy that cannot be read
// comes last.
struct BaseIdentity {
  int edition = -1;
  int update = -1;
  bool operator<(const BaseIdentity& o) const {
    return edition != o.edition ? edition < o.edition : update < o.update;
  }
};

BaseIdentity baseIdentity(const std::string& path) {
  S57CellReader reader;
  BaseIdentity identity;
  if (reader.readCell(path) != ReaderResult::Ok) return identity;
  identity.edition = std::atoi(reader.dataSetIdentification.EDTN.c_str());
  identity.update = std::atoi(reader.dataSetIdentification.UPDN.c_str());
  return identity;
}

// Each file's CRC-32 is computed once however often catalogues list it.
class CrcCache {
public:
  // False when the file cannot be read.
  bool crc(const fs::path& file, std::uint32_t& crc) {
    const auto [it, added] = crcs_.try_emplace(file.string());
    if (added) it->second.readable = fileCrc32(file.string(), it->second.crc);
    crc = it->second.crc;
    return it->second.readable;
  }

private:
  struct Crc {
    bool readable = false;
    std::uint32_t crc = 0;
  };
  std::unordered_map<std::string, Crc> crcs_;
};

// The cell files of a folder by folder and name (cellKey), and whether they
// are among the folder's cells (which take the findings about their files).
struct SourceOfKey {
  CellSource* source = nullptr;
  bool listed = false;
};
using SourcesByKey = std::unordered_map<std::string, SourceOfKey>;

class CatalogueCheck {
public:
  CatalogueCheck(CellFolder& folder, const SourcesByKey& sources) : folder_(folder), sources_(sources) {}

  // Checks one catalogue; `files` are the cell files (base and updates)
  // under its folder that no deeper catalogue covers.
  void check(const fs::path& catalogue, const std::vector<fs::path>& files) {
    const std::string catalogueName = catalogue.string();
    std::vector<CatalogueEntry> entries;
    if (const ReaderResult code = readCatalogue(catalogueName, entries); code != ReaderResult::Ok) {
      folder_.warnings.push_back(catalogueUnreadableWarning(catalogueName, code));
      if (entries.empty()) return;
    }
    ++folder_.catalogues;
    const ExchangeSetRoot set(catalogue.parent_path());
    // Each name as written is looked at once: a repeat costs a look-up.
    std::unordered_map<std::string, std::string> fileByWritten;  // "" for a refused name
    std::unordered_map<std::string, Listing> listings;           // by the file (SetPath::target)
    std::vector<std::string> listingOrder;
    std::unordered_set<std::string> listed;  // the files listed, as named and as resolved
    for (const CatalogueEntry& entry : entries) {
      if (entry.file.empty()) continue;
      const auto [seen, first] = fileByWritten.try_emplace(entry.file);
      if (!first) {
        if (!seen->second.empty()) ++listings[seen->second].times;
        continue;
      }
      const SetPath path = set.resolve(entry.file);
      if (!path.inside) {
        folder_.warnings.push_back(entryRefusedWarning(catalogueName, entry.file, path.refusal));
        continue;
      }
      // A file inside the set is known by where it really lies (a link
      // inside resolved), one absent by its name.
      const fs::path& file = path.absent ? path.named : path.target;
      const std::string key = file.string();
      seen->second = key;
      listed.insert(key);
      listed.insert(path.named.string());
      const auto [listing, newFile] = listings.try_emplace(key);
      ++listing->second.times;
      if (!newFile) continue;  // another spelling of a file listed already
      listing->second.written = entry.file;
      listingOrder.push_back(key);
      checkFile(catalogueName, entry, path, file);
    }
    for (const std::string& key : listingOrder) {
      const Listing& listing = listings[key];
      if (listing.times > 1) report(key, listedRepeatedlyWarning(catalogueName, listing.written, listing.times));
    }
    for (const fs::path& file : files)
      if (!listed.count(file.string()))
        report(file, notInCatalogueWarning(file.filename().string(), catalogueName));
  }

private:
  struct Listing {
    long long times = 0;
    std::string written;  // the first entry that named the file
  };

  // The first entry naming a file inside the set: present, and its CRC.
  // Findings name `file`, the file where it lies.
  void checkFile(const std::string& catalogueName, const CatalogueEntry& entry, const SetPath& path,
                 const fs::path& file) {
    if (isCatalogueName(file.filename().string())) return;
    std::error_code ec;
    const fs::file_status status = path.absent ? fs::file_status(fs::file_type::not_found) : fs::status(path.target, ec);
    if (!fs::exists(status)) {
      report(file, listedButAbsentWarning(catalogueName, entry.file));
      return;
    }
    if (!fs::is_regular_file(status)) {
      // The walk names cell files that are no regular file already.
      if (cellFileNumber(file) < 0) report(file, notRegularFileWarning(file.string()));
      return;
    }
    if (entry.crc.empty()) return;
    std::uint32_t crc = 0;
    const std::string name = file.filename().string();
    if (!crcs_.crc(path.target, crc)) {
      LoadWarning warning = crcUnreadableWarning(name, catalogueName);
      mark(file, path.named, entry.crc, warning.text);
      report(file, std::move(warning));
      return;
    }
    char* end = nullptr;
    const unsigned long expected = std::strtoul(entry.crc.c_str(), &end, 16);
    if (end == entry.crc.c_str() || *end != '\0' || expected != crc) {
      LoadWarning warning = crcMismatchWarning(name, catalogueName, hex8(crc), entry.crc);
      mark(file, path.named, entry.crc, warning.text);
      report(file, std::move(warning));
    } else {
      mark(file, path.named, entry.crc, {});
    }
  }

  // Notes on the cell file (where the walk named it, or where it lies) the
  // CRC its catalogue lists and, when the check failed, why.
  void mark(const fs::path& file, const fs::path& named, const std::string& listedCrc, const std::string& failure) {
    const int number = cellFileNumber(file);
    if (number < 0) return;
    for (const fs::path* place : {&named, &file}) {
      const auto source = sources_.find(cellKey(*place));
      if (source == sources_.end()) continue;
      CellSource& cell = *source->second.source;
      if (number == 0 && !cell.path.empty()) {
        cell.listedCrc = listedCrc;
        cell.crcFailure = failure;
        return;
      }
      for (UpdateFileName& update : cell.updates)
        if (update.number == number) {
          update.listedCrc = listedCrc;
          update.crcFailure = failure;
          return;
        }
    }
  }

  // A finding about a file goes to its cell, or to the folder when the
  // file belongs to no cell.
  void report(const fs::path& file, LoadWarning warning) {
    const bool cellFile = cellFileNumber(file) >= 0 && !isCatalogueName(file.filename().string());
    const auto cell = cellFile ? sources_.find(cellKey(file)) : sources_.end();
    if (cell != sources_.end() && cell->second.listed) cell->second.source->warnings.push_back(std::move(warning));
    else folder_.warnings.push_back(std::move(warning));
  }

  CellFolder& folder_;
  const SourcesByKey& sources_;
  CrcCache crcs_;
};

}  // namespace

CellFolder scanCellFolder(const std::string& directory) {
  CellFolder folder;
  Found found = walk(fs::path(directory), folder.folderError, folder.unreadableFolders);
  folder.warnings = std::move(found.warnings);

  // Each cell once: of the copies of a file name (the same cell in two
  // places, two editions side by side) the newest edition is read, the
  // first in path order among equals; the others are passed over.
  std::map<std::string, std::vector<fs::path>> copiesByName;
  for (const fs::path& base : found.bases) copiesByName[base.filename().string()].push_back(base);
  std::vector<fs::path> chosen;
  std::map<std::string, std::string> chosenByName;
  for (const auto& [name, copies] : copiesByName) {
    size_t newest = 0;
    if (copies.size() > 1) {
      std::vector<BaseIdentity> identities;
      for (const fs::path& copy : copies) identities.push_back(baseIdentity(copy.string()));
      for (size_t i = 1; i < copies.size(); ++i)
        if (identities[newest] < identities[i]) newest = i;
    }
    chosen.push_back(copies[newest]);
    chosenByName[name] = copies[newest].string();
    for (size_t i = 0; i < copies.size(); ++i) {
      if (i == newest) continue;
      CellSource copy;
      copy.path = copies[i].string();
      folder.otherCopies.push_back(std::move(copy));
    }
  }
  std::sort(chosen.begin(), chosen.end());
  std::sort(folder.otherCopies.begin(), folder.otherCopies.end(),
            [](const CellSource& a, const CellSource& b) { return a.path < b.path; });
  std::unordered_map<std::string, size_t> cellsByKey, copiesByKey, aloneByKey;
  for (const fs::path& base : chosen) {
    cellsByKey.emplace(cellKey(base), folder.cells.size());
    CellSource cell;
    cell.path = base.string();
    folder.cells.push_back(std::move(cell));
  }
  for (size_t i = 0; i < folder.otherCopies.size(); ++i) {
    const fs::path copy = folder.otherCopies[i].path;
    copiesByKey.emplace(cellKey(copy), i);
    folder.warnings.push_back(sameCellTwiceWarning(copy.string(), chosenByName[copy.filename().string()]));
  }
  for (const auto& [path, number] : found.updates) {
    const std::string key = cellKey(path);
    if (const auto cell = cellsByKey.find(key); cell != cellsByKey.end()) {
      folder.cells[cell->second].updates.emplace_back(number, path.string());
    } else if (const auto copy = copiesByKey.find(key); copy != copiesByKey.end()) {
      folder.otherCopies[copy->second].updates.emplace_back(number, path.string());
    } else {
      const auto [alone, added] = aloneByKey.emplace(key, folder.updatesAlone.size());
      if (added) folder.updatesAlone.emplace_back();
      folder.updatesAlone[alone->second].updates.emplace_back(number, path.string());
    }
  }
  for (auto* list : {&folder.cells, &folder.otherCopies, &folder.updatesAlone})
    for (CellSource& cell : *list)
      std::sort(cell.updates.begin(), cell.updates.end(),
                [](const UpdateFileName& a, const UpdateFileName& b) { return a.number < b.number; });
  // By path, as the cells are.
  std::sort(folder.updatesAlone.begin(), folder.updatesAlone.end(),
            [](const CellSource& a, const CellSource& b) { return a.updates.front().path < b.updates.front().path; });
  SourcesByKey sources;
  for (CellSource& cell : folder.cells) sources.emplace(cellKey(cell.path), SourceOfKey{&cell, true});
  for (CellSource& cell : folder.otherCopies) sources.emplace(cellKey(cell.path), SourceOfKey{&cell, false});
  for (CellSource& cell : folder.updatesAlone)
    sources.emplace(cellKey(cell.updates.front().path), SourceOfKey{&cell, false});

  if (found.catalogues.empty()) return folder;
  // Every cell file goes to the catalogue of its nearest folder upwards.
  std::map<std::string, size_t> catalogueByFolder;
  for (size_t i = 0; i < found.catalogues.size(); ++i)
    catalogueByFolder.emplace(found.catalogues[i].parent_path().string(), i);
  std::vector<std::vector<fs::path>> filesOf(found.catalogues.size());
  auto assign = [&](const fs::path& file) {
    for (fs::path up = file.parent_path(); !up.empty(); up = up.parent_path()) {
      const auto it = catalogueByFolder.find(up.string());
      if (it != catalogueByFolder.end()) {
        filesOf[it->second].push_back(file);
        return;
      }
      if (up == up.parent_path()) return;
    }
  };
  for (const fs::path& base : found.bases) assign(base);
  for (const auto& update : found.updates) assign(update.first);
  CatalogueCheck check(folder, sources);
  for (size_t i = 0; i < found.catalogues.size(); ++i) check.check(found.catalogues[i], filesOf[i]);
  return folder;
}
