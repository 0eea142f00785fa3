#include "PermitFile.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

PermitFile failed(SseCode code, std::string reason) {
  PermitFile file;
  file.code = code;
  file.reason = std::move(reason);
  return file;
}

// ":DATE 20130422 14:11"
bool readDate(std::string_view value, PermitFile& file) {
  value = trimmed(value);
  const std::optional<CalendarDay> day = parseCompactDay(value.substr(0, 8));
  if (!day) return false;
  const std::string_view time = trimmed(value.substr(8));
  if (!time.empty()) {
    if (time.size() < 5 || !std::isdigit(static_cast<unsigned char>(time[0])) ||
        !std::isdigit(static_cast<unsigned char>(time[1])) || time[2] != ':' ||
        !std::isdigit(static_cast<unsigned char>(time[3])) || !std::isdigit(static_cast<unsigned char>(time[4])))
      return false;
  }
  file.date = day;
  return true;
}

bool readVersion(std::string_view value, PermitFile& file) {
  value = trimmed(value);
  if (value.empty() || value.size() > 2) return false;
  int version = 0;
  for (const char c : value) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    version = version * 10 + (c - '0');
  }
  if (version < 1) return false;
  file.version = version;
  return true;
}

}  // namespace

PermitFile parsePermitFile(std::string_view text) {
  PermitFile file;
  enum class Section { Header, Enc, Ecs } section = Section::Header;
  int lineNumber = 0;
  size_t from = 0;
  while (from < text.size()) {
    size_t end = from;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = trimmed(text.substr(from, end - from));
    ++lineNumber;
    // CR LF is one line end; CR alone and LF alone are one each.
    from = end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? end + 2 : end + 1;
    if (line.empty()) continue;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    if (line[0] == ':') {
      if (line == ":ENC") {
        if (section != Section::Header) return failed(SseCode::PermitFormat, where + ":ENC after the :ENC or :ECS section");
        if (!file.date || file.version == 0)
          return failed(SseCode::PermitFormat, where + "the :ENC section comes before the header's :DATE and :VERSION");
        section = Section::Enc;
      } else if (line == ":ECS") {
        if (section == Section::Ecs) return failed(SseCode::PermitFormat, where + ":ECS given twice");
        if (!file.date || file.version == 0)
          return failed(SseCode::PermitFormat, where + "the :ECS section comes before the header's :DATE and :VERSION");
        section = Section::Ecs;
      } else if (startsWith(line, ":DATE") && section == Section::Header && !file.date) {
        if (!readDate(line.substr(5), file))
          return failed(SseCode::PermitFormat, where + ":DATE is not followed by a date YYYYMMDD and a time HH:MM");
      } else if (startsWith(line, ":VERSION") && section == Section::Header && file.version == 0) {
        if (!readVersion(line.substr(8), file))
          return failed(SseCode::PermitFormat, where + ":VERSION is not followed by a number from 1 to 99");
      } else {
        return failed(SseCode::PermitFormat, where + "not a header or section line of a permit file");
      }
      continue;
    }
    if (section == Section::Header)
      return failed(SseCode::PermitFormat, where + "a permit record before the :ENC or :ECS section");
    PermitRecord& record = file.records.emplace_back();
    record.line = lineNumber;
    record.official = section == Section::Enc;
    record.text = line;
    record.format = parseCellPermitRecord(line, record.permit, record.reason);
  }
  if (!file.date || file.version == 0) return failed(SseCode::PermitFormat, "the header's :DATE and :VERSION are missing");
  if (section == Section::Header) return failed(SseCode::PermitFormat, "the :ENC section is missing");
  if (file.records.empty()) {
    file.code = SseCode::PermitNotFound;
    file.reason = "the permit file holds no permit";
  }
  return file;
}

PermitFile readPermitFile(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name != "PERMIT.TXT") return failed(SseCode::PermitNotFound, path + ": a permit file is named PERMIT.TXT");
  std::ifstream in(path, std::ios::binary);
  if (!in) return failed(SseCode::PermitNotFound, path + ": cannot be opened: " + std::strerror(errno));
  std::string text(kMaxPermitFileBytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return failed(SseCode::PermitNotFound, path + ": cannot be read");
  text.resize(static_cast<size_t>(in.gcount()));
  if (text.size() > kMaxPermitFileBytes)
    return failed(SseCode::PermitFormat, path + ": larger than any permit file (over " +
                                             std::to_string(kMaxPermitFileBytes) + " bytes)");
  PermitFile file = parsePermitFile(text);
  if (!file.reason.empty()) file.reason = path + ": " + file.reason;
  return file;
}
