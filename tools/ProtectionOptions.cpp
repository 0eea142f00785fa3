#include "ProtectionOptions.h"

#include <cstdio>

bool loadManufacturer(const char* command, const std::string& file, ManufacturerIdentity& identity) {
  if (file.empty()) {
    identity = testManufacturer();
    return true;
  }
  std::string error;
  if (readManufacturerFile(file, identity, error)) return true;
  std::fprintf(stderr, "enctool %s: key file refused: %s\n", command, error.c_str());
  return false;
}

bool makeClock(const char* command, const std::string& date, DataClientClock& clock) {
  if (date.empty()) {
    clock = DataClientClock::systemClock();
    return true;
  }
  const std::optional<CalendarDay> day = parseCompactDay(date);
  if (!day) {
    std::fprintf(stderr, "enctool %s: --date needs a date YYYYMMDD, got '%s'\n", command, date.c_str());
    return false;
  }
  clock = DataClientClock::fixedAt(*day);
  return true;
}

std::string sseJson(const std::vector<SseCode>& codes) {
  std::string json = "[";
  for (const SseCode code : codes) {
    if (json.size() > 1) json += ",";
    json += std::to_string(sseNumber(code));
  }
  return json + "]";
}
