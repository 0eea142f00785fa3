#include "CellLoading.h"

#include <cstdio>

#include "CellFolder.h"
#include "CellList.h"
#include "ChartModel.h"
#include "ChartView.h"
#include "Engine.h"
#include "ReaderResult.h"

namespace {

int loadReporting(const char* command, const std::string& path, const CellLoadOptions& options, ChartView& view,
                  bool& listed) {
  CellLoadReport report;
  const int code = loadCell(path, view, cellList(), options, &report);
  listed = report.cell != nullptr;
  if (code == ReaderCellCancelled) {
    std::fprintf(stderr, "enctool %s: %s: code %d: %s (by %s, issued %s)\n", command, path.c_str(), code,
                 readerResultText(code), report.updates.cancellationFile.c_str(),
                 report.updates.cancellationDate.c_str());
    return code;
  }
  if (code == 0) return code;
  std::fprintf(stderr, "enctool %s: %s: code %d: %s\n", command, path.c_str(), code, readerResultText(code));
  if (code == ReaderCrcMismatch)
    for (const LoadWarning& w : options.warnings)
      if (w.kind == LoadWarningKind::CrcMismatch || w.kind == LoadWarningKind::CrcUnreadable)
        std::fprintf(stderr, "enctool %s: %s: %s\n", command, path.c_str(), w.text.c_str());
  if (listed && cellListedDespite(code) && !report.cell->loadWarnings.empty())
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, path.c_str(),
                 report.cell->loadWarnings.front().text.c_str());
  return code;
}

}  // namespace

int loadCellReporting(const char* command, const std::string& path, ChartView& view, bool& listed) {
  return loadReporting(command, path, CellLoadOptions(), view, listed);
}

int loadCellReporting(const char* command, const CellSource& source, const CellFileBytes& fileBytes, ChartView& view,
                      bool& listed) {
  CellLoadOptions options;
  options.updateFiles = &source.updates;
  options.warnings = source.warnings;
  options.fileBytes = fileBytes;
  return loadReporting(command, source.path, options, view, listed);
}
