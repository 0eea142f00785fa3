#include "DateDependency.h"

#include <cstdio>

#include "ChartDate.h"
#include "ColourToken.h"
#include "PresentationLibrary.h"
#include "ProcedureSupport.h"

namespace {
// The four date attributes of a feature, found in one pass over its
// attributes (most features have none).
struct Dates {
  const std::string* datsta = nullptr;
  const std::string* datend = nullptr;
  const std::string* persta = nullptr;
  const std::string* perend = nullptr;
  bool any() const { return datsta || datend || persta || perend; }
};

Dates datesOf(const ChartFeature& feature) {
  Dates d;
  for (const FeatureAttribute& a : feature.attributes) {
    const std::string& n = a.acronym;
    if (n.size() != 6 || (n[0] != 'D' && n[0] != 'P')) continue;
    if (n == "DATSTA" && !d.datsta) d.datsta = &a.value;
    else if (n == "DATEND" && !d.datend) d.datend = &a.value;
    else if (n == "PERSTA" && !d.persta) d.persta = &a.value;
    else if (n == "PEREND" && !d.perend) d.perend = &a.value;
  }
  return d;
}

std::string_view text(const std::string* value) { return value ? std::string_view(*value) : std::string_view(); }

// "2024-05-01", "2024-05", "2024", "05-01", "05"; the text as written when
// it is no S-57 date.
std::string dateText(std::string_view value) {
  PartialDate d;
  if (!parseS57Date(value, d)) return std::string(value);
  char out[16];
  if (d.year == 0)
    std::snprintf(out, sizeof out, d.day ? "%02d-%02d" : "%02d", d.month, d.day);
  else if (d.month == 0)
    std::snprintf(out, sizeof out, "%04d", d.year);
  else
    std::snprintf(out, sizeof out, d.day ? "%04d-%02d-%02d" : "%04d-%02d", d.year, d.month, d.day);
  return out;
}
}  // namespace

DateShow showOnViewingDate(const ChartFeature& feature, const DisplaySettings& settings) {
  if (!feature.mayHaveDates) return DateShow::Shown;
  const Dates d = datesOf(feature);
  if (!d.any()) return DateShow::Shown;
  const int date = settings.viewingDate;
  if (withinPeriod(text(d.datsta), text(d.datend), date) && withinPeriod(text(d.persta), text(d.perend), date))
    return DateShow::Shown;
  return settings.showAllDates ? DateShow::ShownOutsideDates : DateShow::Hidden;
}

Instruction outsideDatesIndication(const ChartFeature& feature, const DisplaySettings& settings,
                                   const PresentationLibrary& library) {
  if (library.symbols.count("CHDATD01") != 0) return symbolInstruction("CHDATD01");
  const Dates d = datesOf(feature);
  const bool dated = withinPeriod(text(d.datsta), text(d.datend), settings.viewingDate);
  const std::string* start = dated ? d.persta : d.datsta;
  const std::string* end = dated ? d.perend : d.datend;
  PlainText indication;
  indication.text = dateText(text(start)) + "~" + dateText(text(end));
  indication.prepared = true;
  indication.horizontal = 3;  // the text starts at the object
  indication.vertical = 3;    // and hangs below it
  indication.spacing = 2;
  indication.xOffset = 1;
  indication.yOffset = 1;
  indication.colour = colourIndex("CHMGD");
  return indication;
}
