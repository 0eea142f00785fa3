#include "ChartDate.h"

#include <ctime>

namespace {
bool leapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && leapYear(year)) return 29;
  return days[month - 1];
}

// The digits of `text` as a number; false when it holds anything else.
bool digits(std::string_view text, int& value) {
  if (text.empty()) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The first (or last) day a partial date covers, as YYYYMMDD; the year
// stays 0 for a date of every year.
int firstDay(const PartialDate& d) { return d.year * 10000 + (d.month ? d.month : 1) * 100 + (d.day ? d.day : 1); }
int lastDay(const PartialDate& d) {
  const int month = d.month ? d.month : 12;
  // Any leap year will do for a date of every year: 29 February is its last day of February.
  const int day = d.day ? d.day : daysInMonth(d.year ? d.year : 2000, month);
  return d.year * 10000 + month * 100 + day;
}
}  // namespace

int todaysDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

bool validDate(int yyyymmdd) {
  const int year = yyyymmdd / 10000, month = yyyymmdd / 100 % 100, day = yyyymmdd % 100;
  return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

bool parseS57Date(std::string_view text, PartialDate& date) {
  text = trimmed(text);
  PartialDate d;
  const bool everyYear = text.size() >= 2 && text[0] == '-' && text[1] == '-';
  if (everyYear) {
    text.remove_prefix(2);
    if (text.size() != 2 && text.size() != 4) return false;
    if (!digits(text.substr(0, 2), d.month)) return false;
    if (text.size() == 4 && !digits(text.substr(2, 2), d.day)) return false;
  } else {
    if (text.size() != 4 && text.size() != 6 && text.size() != 8) return false;
    if (!digits(text.substr(0, 4), d.year) || d.year == 0) return false;
    if (text.size() >= 6 && !digits(text.substr(4, 2), d.month)) return false;
    if (text.size() == 8 && !digits(text.substr(6, 2), d.day)) return false;
  }
  const bool hasMonth = everyYear || text.size() >= 6;
  const bool hasDay = everyYear ? text.size() == 4 : text.size() == 8;
  if (hasMonth && (d.month < 1 || d.month > 12)) return false;
  if (hasDay && (d.day < 1 || d.day > daysInMonth(d.year ? d.year : 2000, d.month))) return false;
  date = d;
  return true;
}

bool withinPeriod(std::string_view start, std::string_view end, int date) {
  PartialDate from, to;
  const bool hasStart = parseS57Date(start, from);
  const bool hasEnd = parseS57Date(end, to);
  if (!hasStart && !hasEnd) return true;
  const bool everyYear = (hasStart && from.year == 0) || (hasEnd && to.year == 0);
  if (!everyYear) {
    if (hasStart && date < firstDay(from)) return false;
    if (hasEnd && date > lastDay(to)) return false;
    return true;
  }
  // Months and days only.
  const int day = date % 10000;
  const int first = hasStart ? firstDay(from) % 10000 : 101;
  const int last = hasEnd ? lastDay(to) % 10000 : 1231;
  if (first <= last) return day >= first && day <= last;
  return day >= first || day <= last;  // across the new year
}
