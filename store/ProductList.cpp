#include "ProductList.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

bool allDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An integer of 0 to 999; blank reads as `blank`.
bool smallNumber(std::string_view text, int blank, int& value) {
  text = trimmed(text);
  if (text.empty()) {
    value = blank;
    return true;
  }
  if (!allDigits(text) || text.size() > 3) return false;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return true;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i)
    if (i == line.size() || line[i] == ',') {
      out.push_back(line.substr(start, i - start));
      start = i + 1;
    }
  return out;
}

// ":DATE 20141007 13:34" or with seconds; YYYYMMDDhhmmss.
std::optional<std::string> listDate(std::string_view value) {
  value = trimmed(value);
  const std::size_t space = value.find(' ');
  const std::string_view day = value.substr(0, space);
  if (day.size() != 8 || !allDigits(day)) return std::nullopt;
  std::string digits(day);
  std::string_view time = space == std::string_view::npos ? std::string_view() : trimmed(value.substr(space + 1));
  std::string clock;
  for (const char c : time) {
    if (c == ':') continue;
    if (c < '0' || c > '9') return std::nullopt;
    clock += c;
  }
  if (clock.size() > 6 || clock.size() % 2 != 0) return std::nullopt;
  clock.resize(6, '0');
  return digits + clock;
}

bool isCellName(std::string_view name) {
  return name.size() == 8 && std::all_of(name.begin(), name.end(), [](char c) {
           return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_';
         });
}

void sortByName(std::vector<ProductRecord>& cells) {
  std::stable_sort(cells.begin(), cells.end(), [](const ProductRecord& a, const ProductRecord& b) { return a.cell < b.cell; });
  // A cell named twice keeps its last record.
  std::vector<ProductRecord> unique;
  for (ProductRecord& r : cells) {
    if (!unique.empty() && unique.back().cell == r.cell) unique.back() = std::move(r);
    else unique.push_back(std::move(r));
  }
  cells = std::move(unique);
}

}  // namespace

const ProductRecord* ProductList::find(std::string_view cell) const {
  const auto it = std::lower_bound(cells.begin(), cells.end(), cell,
                                   [](const ProductRecord& r, std::string_view n) { return r.cell < n; });
  return it != cells.end() && it->cell == cell ? &*it : nullptr;
}

std::optional<ProductList> parseProductList(std::string_view bytes, std::string& error, int* skipped) {
  ProductList list;
  bool dated = false, inEnc = false;
  int bad = 0;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = trimmed(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (line.empty()) continue;
    if (line.front() == ':') {
      const std::size_t space = line.find(' ');
      const std::string_view key = line.substr(0, space);
      const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
      inEnc = key == ":ENC";
      if (key == ":DATE") {
        const std::optional<std::string> date = listDate(value);
        if (!date) {
          error = "the :DATE line is not a date and time (YYYYMMDD hh:mm)";
          return std::nullopt;
        }
        list.date = *date;
        dated = true;
      } else if (key == ":CONTENT") {
        list.full = trimmed(value) == "FULL";
      }
      continue;
    }
    if (!inEnc) continue;
    const std::vector<std::string_view> f = fields(line);
    ProductRecord record;
    const std::string_view file = f.empty() ? std::string_view() : trimmed(f[0]);
    if (f.size() < 5 || file.size() != 12 || file.substr(8) != ".000" || !isCellName(file.substr(0, 8)) ||
        !smallNumber(f[2], -1, record.edition) || record.edition < 0 || !smallNumber(f[4], 0, record.update)) {
      ++bad;
      continue;
    }
    record.cell = std::string(file.substr(0, 8));
    record.line = std::string(line);
    list.cells.push_back(std::move(record));
  }
  if (!dated) {
    error = "no :DATE line";
    return std::nullopt;
  }
  sortByName(list.cells);
  if (skipped) *skipped = bad;
  return list;
}

std::string productListBytes(const ProductList& list) {
  const std::string& d = list.date;
  std::string out = ":DATE " + d.substr(0, 8) + " " + d.substr(8, 2) + ":" + d.substr(10, 2) + ":" + d.substr(12, 2) +
                    "\r\n:VERSION 2\r\n:CONTENT " + (list.full ? "FULL" : "PARTIAL") + "\r\n:ENC\r\n";
  for (const ProductRecord& r : list.cells) out += r.line + "\r\n";
  return out;
}

ProductList mergeProductList(const std::optional<ProductList>& held, const ProductList& offered) {
  if (held && held->date >= offered.date) return *held;
  if (!held || offered.full) return offered;
  ProductList merged = *held;
  merged.date = offered.date;
  for (const ProductRecord& r : offered.cells) merged.cells.push_back(r);
  sortByName(merged.cells);  // the offered record of a cell, pushed last, wins
  return merged;
}

bool behindProductRecord(int edition, int update, const ProductRecord& record) {
  if (record.edition == 0) return edition > 0;  // cancelled since
  if (record.edition != edition) return record.edition > edition;
  return record.update > update;
}

std::string productListPath(std::string_view dataServer) {
  if (dataServer.size() != 2 || !std::all_of(dataServer.begin(), dataServer.end(),
                                             [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
    return {};
  return "products/" + std::string(dataServer);
}
