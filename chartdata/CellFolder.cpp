#include "CellFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#include "Crc32.h"
#include "ExchangeCatalogue.h"

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
};

Found walk(const fs::path& root) {
  Found found;
  std::error_code ec;
  const auto options = fs::directory_options::skip_permission_denied;
  for (fs::recursive_directory_iterator it(root, options, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const fs::path path = it->path().lexically_normal();
    if (isCatalogueName(path.filename().string())) {
      found.catalogues.push_back(path);
      continue;
    }
    const int number = cellFileNumber(path);
    if (number == 0) found.bases.push_back(path);
    else if (number > 0) found.updates.emplace_back(path, number);
  }
  std::sort(found.bases.begin(), found.bases.end());
  std::sort(found.catalogues.begin(), found.catalogues.end());
  return found;
}

class CatalogueCheck {
public:
  CatalogueCheck(CellFolder& folder, const std::unordered_map<std::string, size_t>& cellsByKey)
      : folder_(folder), cellsByKey_(cellsByKey) {}

  // Checks one catalogue; `files` are the cell files (base and updates)
  // under its folder that no deeper catalogue covers.
  void check(const fs::path& catalogue, const std::vector<fs::path>& files) {
    const std::string catalogueName = catalogue.string();
    std::vector<CatalogueEntry> entries;
    if (const int code = readCatalogue(catalogueName, entries)) {
      folder_.warnings.push_back(catalogueUnreadableWarning(catalogueName, code));
      if (entries.empty()) return;
    }
    ++folder_.catalogues;
    const fs::path base = catalogue.parent_path();
    std::set<std::string> listed;
    for (const CatalogueEntry& entry : entries) {
      if (entry.file.empty()) continue;
      const fs::path file = (base / catalogueRelativePath(entry)).lexically_normal();
      if (!listed.insert(file.string()).second && entry.crc.empty()) continue;
      if (isCatalogueName(file.filename().string())) continue;
      std::error_code ec;
      if (!fs::is_regular_file(file, ec)) {
        report(file, listedButAbsentWarning(catalogueName, entry.file));
        continue;
      }
      if (entry.crc.empty()) continue;
      std::uint32_t crc = 0;
      const std::string name = file.filename().string();
      if (!fileCrc32(file.string(), crc)) {
        report(file, crcUnreadableWarning(name, catalogueName));
        continue;
      }
      char* end = nullptr;
      const unsigned long expected = std::strtoul(entry.crc.c_str(), &end, 16);
      if (end == entry.crc.c_str() || *end != '\0' || expected != crc)
        report(file, crcMismatchWarning(name, catalogueName, hex8(crc), entry.crc));
    }
    for (const fs::path& file : files)
      if (!listed.count(file.string()))
        report(file, notInCatalogueWarning(file.filename().string(), catalogueName));
  }

private:
  // A finding about a file goes to its cell, or to the folder when the
  // file belongs to no cell.
  void report(const fs::path& file, LoadWarning warning) {
    const bool cellFile = cellFileNumber(file) >= 0 && !isCatalogueName(file.filename().string());
    const auto cell = cellFile ? cellsByKey_.find(cellKey(file)) : cellsByKey_.end();
    if (cell != cellsByKey_.end()) folder_.cells[cell->second].warnings.push_back(std::move(warning));
    else folder_.warnings.push_back(std::move(warning));
  }

  CellFolder& folder_;
  const std::unordered_map<std::string, size_t>& cellsByKey_;
};

}  // namespace

CellFolder scanCellFolder(const std::string& directory) {
  CellFolder folder;
  const Found found = walk(fs::path(directory));

  // Each cell once: a file name met again (the same cell in two places)
  // is passed over.
  std::unordered_map<std::string, size_t> cellsByKey;
  std::map<std::string, std::string> firstByName;
  for (const fs::path& base : found.bases) {
    const auto [first, added] = firstByName.emplace(base.filename().string(), base.string());
    if (!added) {
      folder.warnings.push_back(sameCellTwiceWarning(base.string(), first->second));
      continue;
    }
    cellsByKey.emplace(cellKey(base), folder.cells.size());
    folder.cells.push_back({base.string(), {}, {}});
  }
  for (const auto& [path, number] : found.updates) {
    const auto cell = cellsByKey.find(cellKey(path));
    if (cell != cellsByKey.end()) folder.cells[cell->second].updates.push_back({number, path.string()});
  }
  for (CellSource& cell : folder.cells)
    std::sort(cell.updates.begin(), cell.updates.end(),
              [](const UpdateFileName& a, const UpdateFileName& b) { return a.number < b.number; });

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
  CatalogueCheck check(folder, cellsByKey);
  for (size_t i = 0; i < found.catalogues.size(); ++i) check.check(found.catalogues[i], filesOf[i]);
  return folder;
}
