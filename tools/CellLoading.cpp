#include "CellLoading.h"

#include <cstdio>

#include "ChartEngine.h"
#include "ChartModel.h"
#include "ChartView.h"

CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const std::string& path,
                                 ChartView& view, bool& listed) {
  CellLoadReport report;
  const CellLoadResult result = engine.loadCell(path, &view, CellLoadOptions(), &report);
  listed = report.cell != nullptr;
  if (result.ok()) return result;
  std::fprintf(stderr, "enctool %s: %s: code %d: %s\n", command, path.c_str(), resultCode(result),
               cellLoadResultText(result));
  if (listed && !report.cell->loadWarnings.empty())
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, path.c_str(),
                 report.cell->loadWarnings.front().text.c_str());
  return result;
}
