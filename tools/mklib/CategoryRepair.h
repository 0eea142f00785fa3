#pragma once
// Look-up display categories that contradict their viewing groups, mended
// as the look-up table is written (mapping::mendedDisplayCategory), and the
// record of each mend for mklib's report.
#include <set>
#include <string>
#include <vector>

// The look-ups of one class and geometry whose category was mended the same
// way for the same viewing group.
struct CategoryRepair {
  std::string className;     // "DRGARE"
  std::string geometry;      // the XML's type: "Area", "Line" or "Point"
  std::string viewingGroup;  // "13030"
  std::string from, to;      // the XML's category names: "Standard" -> "Displaybase"
  std::set<std::string> tables;  // the XML's table names: "Plain", "Symbolized"
  int lookups = 0;
  long long firstLine = 0;  // XML line of the first

  // "DRGARE Area 13030: Standard -> Displaybase (Plain, Symbolized)"
  std::string text() const;
};

// Adds one mended look-up to `repairs`, joining the entry of its class,
// geometry, group and change when there is one (in order of first appearance).
void noteCategoryRepair(std::vector<CategoryRepair>& repairs, const std::string& className,
                        const std::string& geometry, const std::string& tableName, const std::string& viewingGroup,
                        const std::string& from, const std::string& to, long long sourceLine);
