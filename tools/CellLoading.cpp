#include "CellLoading.h"

#include <cstdio>

#include "CellList.h"
#include "ChartModel.h"
#include "ChartView.h"
#include "Engine.h"
#include "ReaderResult.h"

int loadCellReporting(const char* command, const std::string& path, ChartView& view, bool& listed) {
  CellLoadReport report;
  const int code = loadCell(path, view, cellList(), CellLoadOptions(), &report);
  listed = report.cell != nullptr;
  if (code == 0) return code;
  std::fprintf(stderr, "enctool %s: %s: code %d: %s\n", command, path.c_str(), code, readerResultText(code));
  if (listed && cellListedDespite(code) && !report.cell->loadWarnings.empty())
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, path.c_str(),
                 report.cell->loadWarnings.front().text.c_str());
  return code;
}
