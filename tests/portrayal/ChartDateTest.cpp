// S-57 dates, whole and partial, and the periods they bound.
#include <gtest/gtest.h>

#include "ChartDate.h"

TEST(ChartDate, TheFormsOfS57Dates) {
  struct Case {
    const char* text;
    bool read;
    PartialDate date;
  } cases[] = {
      {"20240229", true, {2024, 2, 29}}, {"202402", true, {2024, 2, 0}}, {"2024", true, {2024, 0, 0}},
      {"--0229", true, {0, 2, 29}},      {"--11", true, {0, 11, 0}},     {" 20240101 ", true, {2024, 1, 1}},
      {"20230229", false, {}},           {"20241301", false, {}},        {"--1301", false, {}},
      {"--0431", false, {}},             {"0000", false, {}},            {"2024-01-01", false, {}},
      {"", false, {}},                   {"--", false, {}},              {"20240101x", false, {}},
      {"+2024", false, {}},
  };
  for (const Case& c : cases) {
    PartialDate d{1, 1, 1};
    EXPECT_EQ(parseS57Date(c.text, d), c.read) << c.text;
    if (c.read) {
      EXPECT_TRUE(d.year == c.date.year && d.month == c.date.month && d.day == c.date.day) << c.text;
    }
  }
}

TEST(ChartDate, PeriodsIncludeBothEndsAndComeBackEveryYearWithoutAYear) {
  struct Case {
    const char* start;
    const char* end;
    int date;
    bool within;
  } cases[] = {
      {"", "", 20240101, true},                 // no bounds
      {"20240301", "", 20240229, false},        // open end
      {"20240301", "", 99991231, true},
      {"", "202402", 20240229, true},           // a month bound covers the month
      {"", "202402", 20240301, false},
      {"2023", "2023", 20231231, true},         // a year bound covers the year
      {"2023", "2023", 20240101, false},
      {"--0401", "--0930", 20250401, true},     // every year
      {"--0401", "--0930", 19990930, true},
      {"--0401", "--0930", 20251001, false},
      {"--1101", "--0331", 20250101, true},     // across the new year
      {"--1101", "--0331", 20250401, false},
      {"--12", "--02", 20240229, true},          // months of every year
      {"--02", "", 20240301, true},              // from February to the end of every year
      {"bad", "20240101", 20240101, true},       // an unreadable bound is open
  };
  for (const Case& c : cases)
    EXPECT_EQ(withinPeriod(c.start, c.end, c.date), c.within) << c.start << " " << c.end << " " << c.date;
}

TEST(ChartDate, WholeDates) {
  for (int good : {19000101, 20240229, 99991231}) EXPECT_TRUE(validDate(good)) << good;
  for (int bad : {18991231, 20230229, 20240431, 20240001, 20240100, 0, -20240101}) EXPECT_FALSE(validDate(bad)) << bad;
  EXPECT_TRUE(validDate(todaysDate()));
}
