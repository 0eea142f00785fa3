#include "CellLoading.h"

#include <cstdio>

#include "CellList.h"
#include "ChartModel.h"
#include "ChartView.h"
#include "Engine.h"
#include "ReaderResult.h"

CellLoadResult loadCellReporting(const char* command, const std::string& path, ChartView& view, bool& listed) {
  CellLoadReport report;
  const CellLoadResult result = loadCell(path, view, cellList(), CellLoadOptions(), &report);
  listed = report.cell != nullptr;
  if (result.ok()) return result;
  std::fprintf(stderr, "enctool %s: %s: code %d: %s\n", command, path.c_str(), resultCode(result),
               cellLoadResultText(result));
  if (listed && !report.cell->loadWarnings.empty())
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, path.c_str(),
                 report.cell->loadWarnings.front().text.c_str());
  return result;
}
