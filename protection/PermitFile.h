#pragma once
// PERMIT.TXT as a data server delivers it: a header (":DATE YYYYMMDD HH:MM",
// ":VERSION n"), then the section ":ENC" with the permits of official cells
// and the section ":ECS" with those of other products, one record a line.
// Lines may end in CR, LF or CR LF.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CellPermit.h"
#include "DataClientClock.h"
#include "SseCode.h"

struct PermitRecord {
  int line = 0;                     // 1-based line of the file
  bool official = true;             // :ENC (true) or :ECS
  std::string text;                 // the record as the file gives it, blanks around it left out
  SseCode format = SseCode::None;   // SSE 12 when the record cannot be read
  std::string reason;               // why, for SSE 12
  CellPermit permit;                // when format is None
};

struct PermitFile {
  // None, SSE 11 (not a permit file: another name, missing, no records) or
  // SSE 12 (the file is not laid out as a permit file), with the reason.
  SseCode code = SseCode::None;
  std::string reason;
  std::optional<CalendarDay> date;  // :DATE
  int version = 0;                  // :VERSION
  std::vector<PermitRecord> records;
};

// Larger files are refused unread: far more permits than any service holds.
inline constexpr std::size_t kMaxPermitFileBytes = 16 * 1024 * 1024;

// Reads the file at `path`, which must be named PERMIT.TXT.
PermitFile readPermitFile(const std::string& path);
// The same from the file's bytes.
PermitFile parsePermitFile(std::string_view text);
