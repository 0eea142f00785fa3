#include "TopmarkProcedure.h"

#include <initializer_list>

#include "DecimalNumber.h"
#include "ProcedureSupport.h"
#include "S57Vocabulary.h"

namespace {
bool floatingCarrierClass(int objectClass) {
  return (objectClass >= s57::BOYCAR && objectClass <= s57::BOYSPP)  // the six buoy classes
         || objectClass == s57::LITFLT || objectClass == s57::LITVES
         || objectClass == 20622 || objectClass == 20624;  // two further codes counted as floating aids
}

struct TopmarkRow {
  std::initializer_list<int> shapes;
  const char* floating;
  const char* fixed;
};

const TopmarkRow kTopmarks[] = {
    {{1, 24, 29}, "TOPMAR02", "TOPMAR22"},     {{2, 25}, "TOPMAR04", "TOPMAR24"},
    {{3, 18, 26, 32}, "TOPMAR10", "TOPMAR30"}, {{4}, "TOPMAR12", "TOPMAR32"},
    {{5, 19, 21}, "TOPMAR13", "TOPMAR33"},     {{6, 20, 22, 23}, "TOPMAR14", "TOPMAR34"},
    {{7}, "TOPMAR65", "TOPMAR85"},             {{8, 27, 30}, "TOPMAR17", "TOPMAR86"},
    {{9}, "TOPMAR16", "TOPMAR36"},             {{10}, "TOPMAR08", "TOPMAR28"},
    {{11}, "TOPMAR07", "TOPMAR27"},            {{12, 31}, "TOPMAR14", "TOPMAR14"},
    {{13}, "TOPMAR05", "TOPMAR25"},            {{14}, "TOPMAR06", "TOPMAR26"},
    {{15}, "TMARDEF2", "TOPMAR88"},            {{16}, "TMARDEF2", "TOPMAR87"},
    {{17}, "TMARDEF2", "TMARDEF1"},            {{28}, "TOPMAR18", "TOPMAR89"},
};

const char* topmarkSymbol(int shape, bool floating) {
  for (const TopmarkRow& row : kTopmarks)
    for (int s : row.shapes)
      if (s == shape) return floating ? row.floating : row.fixed;
  return floating ? "TMARDEF2" : "TMARDEF1";
}
}  // namespace

bool isFloatingCarrier(const PointFeature& candidate, const ChartPoint& position) {
  const bool carrier = floatingCarrierClass(candidate.objectClass) ||
                       (candidate.objectClass == s57::MORFAC && candidate.findAttribute("CATMOR") == "7");
  return carrier && candidate.position.point.x == position.x && candidate.position.point.y == position.y;
}

int floatingClass(const S57Cell& cell, const PointFeature& topmark) {
  for (const auto& point : cell.points)
    if (isFloatingCarrier(*point, topmark.position.point)) return 1;
  return 0;
}

void topmarkProcedure(const PointFeature& topmark, const S57Cell& cell, std::vector<Instruction>& out) {
  const std::string& topshp = topmark.findAttribute("TOPSHP");
  if (topshp.empty()) {
    out.push_back(symbolInstruction("QUESMRK1"));
    return;
  }
  const int floating = topmark.floatingClass.get([&] { return floatingClass(cell, topmark); });
  out.push_back(symbolInstruction(topmarkSymbol(decimalNumber(topshp), floating == 1)));
}
