#include "DataClientClock.h"

#include <cstdio>
#include <ctime>

namespace {

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int monthLength(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

}  // namespace

// Days from the civil date (Howard Hinnant's algorithm).
long CalendarDay::dayNumber() const {
  const long y = year - (month <= 2 ? 1 : 0);
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CalendarDay dayFromNumber(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  CalendarDay d;
  d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  d.year = static_cast<int>(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
  return d;
}

std::string CalendarDay::compact() const {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year % 10000, month % 100, day % 100);
  return text;
}

std::optional<CalendarDay> parseCompactDay(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  int value[8];
  for (size_t i = 0; i < 8; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value[i] = text[i] - '0';
  }
  CalendarDay d;
  d.year = value[0] * 1000 + value[1] * 100 + value[2] * 10 + value[3];
  d.month = value[4] * 10 + value[5];
  d.day = value[6] * 10 + value[7];
  if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > monthLength(d.year, d.month))
    return std::nullopt;
  return d;
}

DataClientClock DataClientClock::systemClock() { return DataClientClock(); }

DataClientClock DataClientClock::fixedAt(const CalendarDay& day) {
  DataClientClock clock;
  clock.fixed_ = day;
  return clock;
}

CalendarDay DataClientClock::today() const {
  if (fixed_) return *fixed_;
  const std::time_t now = std::time(nullptr);
  std::tm local{};  // the local calendar day, as the mariner reads it
  localtime_r(&now, &local);
  return CalendarDay{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}
