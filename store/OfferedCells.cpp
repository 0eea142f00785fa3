#include "OfferedCells.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "CellFolder.h"
#include "CellName.h"

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
  return out;
}
