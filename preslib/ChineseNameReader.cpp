#include "ChineseNameReader.h"

#include <string_view>
#include <vector>

#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
constexpr std::string_view kEndLine = "END";
constexpr std::size_t kLongestCode = 9;

// A whole unsigned number of at most nine digits.
bool readCode(std::string_view text, int& code) {
  if (text.empty() || text.size() > kLongestCode) return false;
  code = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    code = code * 10 + (c - '0');
  }
  return true;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  for (;;) {
    const std::size_t tab = line.find('\t');
    out.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return out;
    line.remove_prefix(tab + 1);
  }
}

bool usableName(std::string_view name) { return !name.empty() && isPrintableUtf8(std::string(name)); }

void readLine(std::string_view line, ChineseNames& names) {
  const std::vector<std::string_view> f = fields(line);
  const std::string_view kind = f[0];
  int code = 0, value = 0;
  if (kind == "text" && f.size() == 3) {
    if (usableName(f[1]) && usableName(f[2])) names.texts[std::string(f[1])] = std::string(f[2]);
  } else if (kind == "value" && f.size() == 4) {
    if (readCode(f[1], code) && readCode(f[2], value) && usableName(f[3]))
      names.values[code][value] = std::string(f[3]);
  } else if ((kind == "class" || kind == "attribute") && f.size() == 3) {
    if (readCode(f[1], code) && usableName(f[2]))
      (kind == "class" ? names.classes : names.attributes)[code] = std::string(f[2]);
  }
}
}  // namespace

bool isPrintableUtf8(const std::string& text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7f) return false;
      ++i;
      continue;
    }
    std::size_t length = 0;
    unsigned int point = 0, least = 0;
    if ((c & 0xe0) == 0xc0) length = 2, point = c & 0x1f, least = 0x80;
    else if ((c & 0xf0) == 0xe0) length = 3, point = c & 0x0f, least = 0x800;
    else if ((c & 0xf8) == 0xf0) length = 4, point = c & 0x07, least = 0x10000;
    else return false;
    if (i + length > n) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((s[i + k] & 0xc0) != 0x80) return false;
      point = (point << 6) | (s[i + k] & 0x3f);
    }
    if (point < least || point > 0x10ffff || (point >= 0xd800 && point <= 0xdfff)) return false;
    if (point >= 0x80 && point < 0xa0) return false;  // C1 controls
    i += length;
  }
  return true;
}

LibraryResult readChineseNameFile(const std::string& path, ChineseNames& names) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  std::string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  if (!reader.next(line)) return LibraryResult::Ok;  // the comment line
  bool whole = line.empty() || line.back() == '\n';
  while (reader.next(line)) {
    // A piece of a line longer than the reader's buffer is no name: skip
    // the line to its end.
    const bool continued = !whole;
    whole = line.back() == '\n';
    if (continued || !whole) continue;
    const std::string_view text = withoutLineFeed(line);
    if (text == kEndLine) break;
    readLine(text, names);
  }
  return LibraryResult::Ok;
}
