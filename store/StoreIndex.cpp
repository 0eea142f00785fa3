#include "StoreIndex.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "CellName.h"
#include "Crc32.h"
#include "JsonReader.h"
#include "SealedLines.h"
#include "StoreFiles.h"

namespace {

constexpr int kFormat = 1;

std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7f", std::isfinite(value) ? value : 0.0);
  return text;
}

std::string fileJson(const StoredFile& f) {
  Line line;
  line.text("path", f.path).text("crc", f.crc).number("size", f.size);
  if (f.encrypted) line.raw("encrypted", "true").text("dataServer", f.dataServer).text("plainCrc", f.plainCrc);
  return line.str();
}

std::string updateJson(const StoredUpdate& u) {
  return Line()
      .number("number", u.number)
      .text("issueDate", u.issueDate)
      .text("applied", u.applied)
      .text("source", u.source)
      .raw("file", fileJson(u.file))
      .str();
}

std::string issueJson(const StoreIssue& i) {
  std::string numbers = "[";
  for (size_t k = 0; k < i.numbers.size(); ++k) numbers += (k ? "," : "") + std::to_string(i.numbers[k]);
  std::string sse = "[";
  for (size_t k = 0; k < i.sse.size(); ++k) sse += (k ? "," : "") + std::to_string(i.sse[k]);
  return Line()
      .text("kind", issueKindName(i.kind))
      .text("file", i.file)
      .number("code", issueCode(i))
      .number("number", i.number)
      .number("edition", i.edition)
      .number("installedEdition", i.installedEdition)
      .text("detail", i.detail)
      .text("found", i.found)
      .text("listed", i.listed)
      .raw("numbers", numbers + "]")
      .raw("sse", sse + "]")
      .str();
}

std::string cellJson(const StoredCell& c) {
  Line line;
  line.text("cell", c.name)
      .text("status", cellStatusName(c.status))
      .number("edition", c.edition)
      .number("baseUpdate", c.baseUpdate)
      .text("issueDate", c.issueDate)
      .text("updateDate", c.updateDate)
      .text("installed", c.installed)
      .text("source", c.source)
      .raw("base", fileJson(c.base));
  std::string updates = "[";
  for (size_t k = 0; k < c.updates.size(); ++k) updates += (k ? "," : "") + updateJson(c.updates[k]);
  line.raw("updates", updates + "]");
  if (c.cancellation) line.raw("cancellation", updateJson(*c.cancellation));
  if (c.issue.kind != IssueKind::None) line.raw("issue", issueJson(c.issue));
  const CellCoverage& v = c.coverage;
  line.number("cscl", v.compilationScale);
  if (v.hasExtent)
    line.raw("extent", "[" + degrees(v.south) + "," + degrees(v.west) + "," + degrees(v.north) + "," +
                           degrees(v.east) + "]");
  std::string outlines = "[";
  for (size_t r = 0; r < v.outlines.size(); ++r) {
    outlines += r ? ",[" : "[";
    for (size_t p = 0; p < v.outlines[r].size(); ++p)
      outlines += (p ? "," : "") + degrees(v.outlines[r][p].latitude) + "," + degrees(v.outlines[r][p].longitude);
    outlines += "]";
  }
  line.raw("coverage", outlines + "]");
  if (c.keptUnread) line.raw("keptUnread", "true");
  return line.str();
}

// Reading back: each member the index writes, in any order; members it
// does not write are passed over.
StoredFile fileOf(JsonReader& r) {
  StoredFile f;
  r.object([&](std::string_view key) {
    if (key == "path") f.path = r.string();
    else if (key == "crc") f.crc = r.string();
    else if (key == "size") f.size = r.integer();
    else if (key == "encrypted") f.encrypted = r.boolean();
    else if (key == "dataServer") f.dataServer = r.string();
    else if (key == "plainCrc") f.plainCrc = r.string();
    else r.skip();
  });
  return f;
}

StoredUpdate updateOf(JsonReader& r) {
  StoredUpdate u;
  r.object([&](std::string_view key) {
    if (key == "number") u.number = static_cast<int>(r.integer());
    else if (key == "issueDate") u.issueDate = r.string();
    else if (key == "applied") u.applied = r.string();
    else if (key == "source") u.source = r.string();
    else if (key == "file") u.file = fileOf(r);
    else r.skip();
  });
  return u;
}

StoreIssue issueOf(JsonReader& r) {
  StoreIssue i;
  int code = 0;  // whose result it is follows from the kind, which may come later
  r.object([&](std::string_view key) {
    if (key == "kind") i.kind = issueKindOfName(r.string());
    else if (key == "file") i.file = r.string();
    else if (key == "code") code = static_cast<int>(r.integer());
    else if (key == "number") i.number = static_cast<int>(r.integer());
    else if (key == "edition") i.edition = static_cast<int>(r.integer());
    else if (key == "installedEdition") i.installedEdition = static_cast<int>(r.integer());
    else if (key == "detail") i.detail = r.string();
    else if (key == "found") i.found = r.string();
    else if (key == "listed") i.listed = r.string();
    else if (key == "numbers") r.array([&] { i.numbers.push_back(static_cast<int>(r.integer())); });
    else if (key == "sse") r.array([&] { i.sse.push_back(static_cast<int>(r.integer())); });
    else r.skip();
  });
  setIssueCode(i, code);
  wordIssue(i);
  return i;
}

void coverageOf(JsonReader& r, CellCoverage& v) {
  r.array([&] {
    std::vector<GeoPosition> outline;
    bool latitude = true;
    r.array([&] {
      const double value = r.number();
      if (latitude) outline.push_back({value, 0});
      else outline.back().longitude = value;
      latitude = !latitude;
    });
    v.outlines.push_back(std::move(outline));
  });
}

// A cell as the index holds it; false when it does not make sense (a
// name that is no cell name, a file outside the cell's folders, updates out
// of order), which fails the index.
bool cellOf(JsonReader& r, StoredCell& c, std::string& error) {
  std::string status;
  CellCoverage& v = c.coverage;
  r.object([&](std::string_view key) {
    if (key == "cell") c.name = r.string();
    else if (key == "status") status = r.string();
    else if (key == "edition") c.edition = static_cast<int>(r.integer());
    else if (key == "baseUpdate") c.baseUpdate = static_cast<int>(r.integer());
    else if (key == "issueDate") c.issueDate = r.string();
    else if (key == "updateDate") c.updateDate = r.string();
    else if (key == "installed") c.installed = r.string();
    else if (key == "source") c.source = r.string();
    else if (key == "base") c.base = fileOf(r);
    else if (key == "updates") r.array([&] { c.updates.push_back(updateOf(r)); });
    else if (key == "cancellation") c.cancellation = updateOf(r);
    else if (key == "issue") c.issue = issueOf(r);
    else if (key == "cscl") v.compilationScale = static_cast<int>(r.integer());
    else if (key == "coverage") coverageOf(r, v);
    else if (key == "keptUnread") c.keptUnread = r.boolean();
    else if (key == "extent") {
      double box[4] = {0, 0, 0, 0};
      int n = 0;
      r.array([&] {
        const double value = r.number();
        if (n < 4) box[n] = value;
        ++n;
      });
      v.hasExtent = n == 4;
      v.south = box[0], v.west = box[1], v.north = box[2], v.east = box[3];
    } else {
      r.skip();
    }
  });
  const auto known = cellStatusOfName(status);
  if (!r.finished() || !known || *known == CellStatus::NotInstalled) {
    error = "cell " + c.name + ": not a cell of this index";
    return false;
  }
  c.status = *known;
  // Every file the cell names lies in its own folders.
  auto ownFile = [&c](const StoredFile& f) {
    return isStoredCellPath(f.path) && f.path.compare(6, c.name.size() + 1, c.name + "/") == 0;
  };
  bool files = c.status == CellStatus::Refused ? c.base.path.empty() : ownFile(c.base);
  int previous = c.baseUpdate;
  for (const StoredUpdate& u : c.updates) {
    files = files && ownFile(u.file) && u.number == previous + 1;
    previous = u.number;
  }
  if (c.cancellation) files = files && ownFile(c.cancellation->file);
  if (!isCellName(c.name) || !files) {
    error = "cell " + c.name + ": its files are not the store's";
    return false;
  }
  return true;
}

}  // namespace

StoredCell* StoreIndex::find(const std::string& name) {
  const auto it = std::lower_bound(cells.begin(), cells.end(), name,
                                   [](const StoredCell& c, const std::string& n) { return c.name < n; });
  return it != cells.end() && it->name == name ? &*it : nullptr;
}

const StoredCell* StoreIndex::find(const std::string& name) const {
  return const_cast<StoreIndex*>(this)->find(name);
}

std::string indexBytes(const StoreIndex& index) {
  std::string out = Line().number("chartStore", kFormat).number("nextFolder", index.nextFolder).str() + "\n";
  for (const StoredCell& c : index.cells) out += cellJson(c) + "\n";
  return sealLines(std::move(out), static_cast<long long>(index.cells.size()));
}

std::vector<StoredCell> salvageIndexCells(std::string_view bytes) {
  std::vector<StoredCell> cells;
  for (size_t at = 0; at < bytes.size();) {
    const size_t end = std::min(bytes.find('\n', at), bytes.size());
    JsonReader line(bytes.substr(at, end - at));
    at = end + 1;
    StoredCell cell;
    std::string error;
    if (cellOf(line, cell, error)) cells.push_back(std::move(cell));
  }
  return cells;
}

bool readIndexBytes(std::string_view bytes, StoreIndex& index, std::string& error) {
  index = StoreIndex();
  long long declared = -1;
  size_t bodyEnd = 0;
  if (!unsealLines(bytes, bodyEnd, declared, error)) {
    error = "the index: " + error;
    return false;
  }
  size_t at = 0, lineNumber = 0;
  while (at < bodyEnd) {
    const size_t next = bytes.find('\n', at);
    JsonReader line(bytes.substr(at, next - at));
    at = next + 1;
    if (lineNumber++ == 0) {
      long long format = 0, nextFolder = 1;
      line.object([&](std::string_view key) {
        if (key == "chartStore") format = line.integer();
        else if (key == "nextFolder") nextFolder = line.integer();
        else line.skip();
      });
      if (!line.finished() || format != kFormat) {
        error = "the index is not a chart store index of this program";
        return false;
      }
      index.nextFolder = static_cast<int>(std::max(1LL, std::min(nextFolder, 999999999LL)));
      continue;
    }
    StoredCell cell;
    if (!cellOf(line, cell, error)) return false;
    if (!index.cells.empty() && !(index.cells.back().name < cell.name)) {
      error = "cell " + cell.name + " out of order";
      return false;
    }
    index.cells.push_back(std::move(cell));
  }
  if (lineNumber == 0 || declared != static_cast<long long>(index.cells.size())) {
    error = "the index holds another number of cells than its end line says";
    return false;
  }
  return true;
}
