#include "CategoryRepair.h"

std::string CategoryRepair::text() const {
  std::string s = className + " " + geometry + " " + viewingGroup + ": " + from + " -> " + to + " (";
  bool first = true;
  for (const std::string& t : tables) {
    s += (first ? "" : ", ") + t;
    first = false;
  }
  return s + ")";
}

void noteCategoryRepair(std::vector<CategoryRepair>& repairs, const std::string& className,
                        const std::string& geometry, const std::string& tableName, const std::string& viewingGroup,
                        const std::string& from, const std::string& to, long long sourceLine) {
  for (CategoryRepair& r : repairs) {
    if (r.className == className && r.geometry == geometry && r.viewingGroup == viewingGroup && r.from == from &&
        r.to == to) {
      r.tables.insert(tableName);
      ++r.lookups;
      return;
    }
  }
  repairs.push_back(CategoryRepair{className, geometry, viewingGroup, from, to, {tableName}, 1, sourceLine});
}
