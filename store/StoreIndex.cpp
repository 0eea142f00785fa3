#include "StoreIndex.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "CellName.h"
#include "Crc32.h"
#include "StoreFiles.h"

namespace {

constexpr int kFormat = 1;

// A JSON string: control characters escaped, bytes that are not UTF-8
// taken as Latin-1.
void appendString(std::string& out, std::string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", c);
      out += escape;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      const size_t n = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
      bool valid = n > 0 && i + n <= text.size();
      for (size_t k = 1; valid && k < n; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
      if (valid) {
        out.append(text.substr(i, n));
        i += n - 1;
      } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
      }
    }
  }
  out += '"';
}

class Line {
public:
  Line& key(const char* k) {
    out_ += out_.size() > 1 ? ",\"" : "\"";
    out_ += k;
    out_ += "\":";
    return *this;
  }
  Line& text(const char* k, std::string_view v) {
    key(k);
    appendString(out_, v);
    return *this;
  }
  Line& number(const char* k, long long v) {
    key(k);
    out_ += std::to_string(v);
    return *this;
  }
  Line& raw(const char* k, const std::string& json) {
    key(k);
    out_ += json;
    return *this;
  }
  std::string str() const { return out_ + "}"; }

private:
  std::string out_ = "{";
};

std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7f", std::isfinite(value) ? value : 0.0);
  return text;
}

std::string fileJson(const StoredFile& f) {
  return Line().text("path", f.path).text("crc", f.crc).number("size", f.size).str();
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
  return Line()
      .text("kind", issueKindName(i.kind))
      .text("file", i.file)
      .number("code", i.code)
      .number("number", i.number)
      .number("edition", i.edition)
      .number("installedEdition", i.installedEdition)
      .text("detail", i.detail)
      .text("found", i.found)
      .text("listed", i.listed)
      .raw("numbers", numbers + "]")
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
  return line.str();
}

// Reading back. A value of the wrong type reads as empty or 0, which the
// checks on the cell then catch.
std::string textOf(const QJsonObject& o, const char* key) { return o.value(QLatin1String(key)).toString().toStdString(); }
long long numberOf(const QJsonObject& o, const char* key) {
  return static_cast<long long>(o.value(QLatin1String(key)).toDouble());
}

StoredFile fileOf(const QJsonObject& o) {
  StoredFile f;
  f.path = textOf(o, "path");
  f.crc = textOf(o, "crc");
  f.size = numberOf(o, "size");
  return f;
}

StoredUpdate updateOf(const QJsonObject& o) {
  StoredUpdate u;
  u.number = static_cast<int>(numberOf(o, "number"));
  u.issueDate = textOf(o, "issueDate");
  u.applied = textOf(o, "applied");
  u.source = textOf(o, "source");
  u.file = fileOf(o.value(QLatin1String("file")).toObject());
  return u;
}

StoreIssue issueOf(const QJsonObject& o) {
  StoreIssue i;
  i.kind = issueKindOfName(textOf(o, "kind"));
  i.file = textOf(o, "file");
  i.code = static_cast<int>(numberOf(o, "code"));
  i.number = static_cast<int>(numberOf(o, "number"));
  i.edition = static_cast<int>(numberOf(o, "edition"));
  i.installedEdition = static_cast<int>(numberOf(o, "installedEdition"));
  i.detail = textOf(o, "detail");
  i.found = textOf(o, "found");
  i.listed = textOf(o, "listed");
  for (const QJsonValue& n : o.value(QLatin1String("numbers")).toArray()) i.numbers.push_back(n.toInt());
  wordIssue(i);
  return i;
}

// A cell as the index holds it; false when it does not make sense (a
// name that is no cell name, a file outside the cell's folders, updates out
// of order), which fails the index.
bool cellOf(const QJsonObject& o, StoredCell& c, std::string& error) {
  c.name = textOf(o, "cell");
  const auto status = cellStatusOfName(textOf(o, "status"));
  if (!status || *status == CellStatus::NotInstalled) {
    error = "cell " + c.name + ": unknown status";
    return false;
  }
  c.status = *status;
  c.edition = static_cast<int>(numberOf(o, "edition"));
  c.baseUpdate = static_cast<int>(numberOf(o, "baseUpdate"));
  c.issueDate = textOf(o, "issueDate");
  c.updateDate = textOf(o, "updateDate");
  c.installed = textOf(o, "installed");
  c.source = textOf(o, "source");
  c.base = fileOf(o.value(QLatin1String("base")).toObject());
  for (const QJsonValue& u : o.value(QLatin1String("updates")).toArray()) c.updates.push_back(updateOf(u.toObject()));
  if (o.contains(QLatin1String("cancellation")))
    c.cancellation = updateOf(o.value(QLatin1String("cancellation")).toObject());
  if (o.contains(QLatin1String("issue"))) c.issue = issueOf(o.value(QLatin1String("issue")).toObject());
  CellCoverage& v = c.coverage;
  v.compilationScale = static_cast<int>(numberOf(o, "cscl"));
  const QJsonArray extent = o.value(QLatin1String("extent")).toArray();
  if (extent.size() == 4) {
    v.hasExtent = true;
    v.south = extent[0].toDouble(), v.west = extent[1].toDouble();
    v.north = extent[2].toDouble(), v.east = extent[3].toDouble();
  }
  for (const QJsonValue& ring : o.value(QLatin1String("coverage")).toArray()) {
    const QJsonArray values = ring.toArray();
    std::vector<GeoPosition> outline;
    outline.reserve(static_cast<size_t>(values.size() / 2));
    for (int k = 0; k + 1 < values.size(); k += 2) outline.push_back({values[k].toDouble(), values[k + 1].toDouble()});
    v.outlines.push_back(std::move(outline));
  }
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
  out += Line()
             .number("end", static_cast<long long>(index.cells.size()))
             .text("crc", crcText(crc32(out)))
             .str() +
         "\n";
  return out;
}

bool readIndexBytes(std::string_view bytes, StoreIndex& index, std::string& error) {
  index = StoreIndex();
  // The end line first: it vouches for everything before it.
  if (bytes.size() < 2 || bytes.back() != '\n') {
    error = "the index does not end with its end line";
    return false;
  }
  const size_t lastStart = bytes.rfind('\n', bytes.size() - 2);
  const size_t bodyEnd = lastStart == std::string_view::npos ? 0 : lastStart + 1;
  const QJsonObject end =
      QJsonDocument::fromJson(QByteArray::fromRawData(bytes.data() + bodyEnd, static_cast<int>(bytes.size() - bodyEnd)))
          .object();
  if (!end.contains(QLatin1String("end")) || textOf(end, "crc") != crcText(crc32(bytes.substr(0, bodyEnd)))) {
    error = "the index's CRC-32 does not match its content (cut short or changed)";
    return false;
  }
  size_t at = 0, lineNumber = 0;
  while (at < bodyEnd) {
    const size_t next = bytes.find('\n', at);
    const std::string_view line = bytes.substr(at, next - at);
    at = next + 1;
    QJsonParseError parse;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromRawData(line.data(), static_cast<int>(line.size())), &parse);
    if (!document.isObject()) {
      error = "line " + std::to_string(lineNumber + 1) + " is no JSON object";
      return false;
    }
    const QJsonObject o = document.object();
    if (lineNumber++ == 0) {
      if (numberOf(o, "chartStore") != kFormat) {
        error = "the index is not a chart store index of this program";
        return false;
      }
      index.nextFolder = std::max(1, static_cast<int>(numberOf(o, "nextFolder")));
      continue;
    }
    StoredCell cell;
    if (!cellOf(o, cell, error)) return false;
    if (!index.cells.empty() && !(index.cells.back().name < cell.name)) {
      error = "cell " + cell.name + " out of order";
      return false;
    }
    index.cells.push_back(std::move(cell));
  }
  if (lineNumber == 0 || numberOf(end, "end") != static_cast<long long>(index.cells.size())) {
    error = "the index holds another number of cells than its end line says";
    return false;
  }
  return true;
}
