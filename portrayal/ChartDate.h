#pragma once
// Dates as S-57 writes them in DATSTA, DATEND, PERSTA and PEREND: CCYYMMDD,
// or as far as they are known, CCYYMM and CCYY; --MMDD and --MM name a day
// or a month of every year. Dates the mariner views the chart for are
// whole dates held as YYYYMMDD numbers.
#include <string_view>

// Today's date on this computer's clock, YYYYMMDD.
int todaysDate();

// Whether YYYYMMDD is a real date from 1 January 1900 to 31 December 9999.
bool validDate(int yyyymmdd);

// A date as far as a text gives it: 0 for the parts it leaves out (year 0:
// a date of every year).
struct PartialDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

// Reads one of the five forms; false for any other text and for a day or
// month that does not exist (a 29 February of every year exists).
bool parseS57Date(std::string_view text, PartialDate& date);

// Whether `date` (YYYYMMDD) lies in the period from `start` to `end`, both
// days included. A bound that is empty or unreadable leaves that side open;
// a partial bound covers its whole month or year. When a bound has no year,
// the period comes back every year (from 1101 to 0331 runs across the new
// year) and only months and days are compared.
bool withinPeriod(std::string_view start, std::string_view end, int date);
