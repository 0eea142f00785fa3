#pragma once
// The data client's date: what permits expire against and certificates run
// out by. It is the system date unless a date is set (tests, `--date`).
#include <optional>
#include <string>
#include <string_view>

struct CalendarDay {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to the month's length

  // Days since 1970-01-01 (negative before).
  long dayNumber() const;
  std::string compact() const;  // "20181231"
  bool operator==(const CalendarDay& o) const { return year == o.year && month == o.month && day == o.day; }
  bool operator<(const CalendarDay& o) const { return dayNumber() < o.dayNumber(); }
};

// "YYYYMMDD", a real day of the Gregorian calendar; nothing otherwise.
std::optional<CalendarDay> parseCompactDay(std::string_view text);
CalendarDay dayFromNumber(long dayNumber);

class DataClientClock {
public:
  static DataClientClock systemClock();
  static DataClientClock fixedAt(const CalendarDay& day);

  CalendarDay today() const;
  bool isFixed() const { return fixed_.has_value(); }

private:
  std::optional<CalendarDay> fixed_;
};
