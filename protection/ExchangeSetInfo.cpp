#include "ExchangeSetInfo.h"

#include <cctype>
#include <fstream>

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

int smallNumber(std::string_view s) {
  s = trimmed(s);
  if (s.empty() || s.size() > 6) return -1;
  int n = 0;
  for (const char c : s) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

std::optional<ExchangeSetSerial> parseSerial(std::string_view bytes) {
  // Data server 2, week 10, date 8, type 10, version 5, set number 6.
  if (bytes.size() < 2 || !std::isalnum(static_cast<unsigned char>(bytes[0])) ||
      !std::isalnum(static_cast<unsigned char>(bytes[1])))
    return std::nullopt;
  ExchangeSetSerial serial;
  serial.dataServer.assign(bytes.substr(0, 2));
  if (bytes.size() >= 12) serial.week.assign(trimmed(bytes.substr(2, 10)));
  if (bytes.size() >= 20) serial.date.assign(trimmed(bytes.substr(12, 8)));
  if (bytes.size() >= 30) serial.type.assign(trimmed(bytes.substr(20, 10)));
  return serial;
}

std::optional<ExchangeSetSerial> readSerialFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(256, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return parseSerial(bytes);
}

std::optional<CatalogueDsid> parseCatalogueDsid(std::string_view comment) {
  const size_t semicolon = comment.find(';');
  if (semicolon != std::string_view::npos) comment = comment.substr(0, semicolon);
  CatalogueDsid dsid;
  bool any = false;
  size_t from = 0;
  while (from <= comment.size()) {
    size_t comma = comment.find(',', from);
    if (comma == std::string_view::npos) comma = comment.size();
    const std::string_view field = trimmed(comment.substr(from, comma - from));
    from = comma + 1;
    const size_t equals = field.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = trimmed(field.substr(0, equals));
    const std::string_view value = trimmed(field.substr(equals + 1));
    if (name == "EDTN") {
      dsid.edition = smallNumber(value);
      any = any || dsid.edition >= 0;
    } else if (name == "UPDN") {
      dsid.update = smallNumber(value);
      any = any || dsid.update >= 0;
    } else if (name == "ISDT") {
      dsid.issueDate = parseCompactDay(value);
    } else if (name == "UADT") {
      dsid.applicationDate = parseCompactDay(value);
    }
  }
  if (!any) return std::nullopt;
  return dsid;
}
