#include "CellLoading.h"

#include <cstdio>

#include "CellFolder.h"
#include "ChartEngine.h"
#include "ChartModel.h"
#include "ChartView.h"

namespace {

CellLoadResult loadReporting(ChartEngine& engine, const char* command, const std::string& path,
                             const CellLoadOptions& options, ChartView& view, bool& listed) {
  CellLoadReport report;
  const CellLoadResult result = engine.loadCell(path, &view, options, &report);
  listed = report.cell != nullptr;
  if (result == ReaderResult::CellCancelled) {
    std::fprintf(stderr, "enctool %s: %s: code %d: %s (by %s, issued %s)\n", command, path.c_str(),
                 resultCode(result), cellLoadResultText(result), report.updates.cancellationFile.c_str(),
                 report.updates.cancellationDate.c_str());
    return result;
  }
  if (result.ok()) return result;
  std::fprintf(stderr, "enctool %s: %s: code %d: %s\n", command, path.c_str(), resultCode(result),
               cellLoadResultText(result));
  if (result == ReaderResult::CrcMismatch)
    for (const LoadWarning& w : options.warnings)
      if (w.kind == LoadWarningKind::CrcMismatch || w.kind == LoadWarningKind::CrcUnreadable)
        std::fprintf(stderr, "enctool %s: %s: %s\n", command, path.c_str(), w.text.c_str());
  if (listed && !report.cell->loadWarnings.empty())
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, path.c_str(),
                 report.cell->loadWarnings.front().text.c_str());
  return result;
}

}  // namespace

CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const std::string& path,
                                 ChartView& view, bool& listed) {
  return loadReporting(engine, command, path, CellLoadOptions(), view, listed);
}

CellLoadResult loadCellReporting(ChartEngine& engine, const char* command, const CellSource& source,
                                 const CellFileBytes& fileBytes, ChartView& view, bool& listed) {
  CellLoadOptions options;
  options.updateFiles = &source.updates;
  options.warnings = source.warnings;
  options.fileBytes = fileBytes;
  return loadReporting(engine, command, source.path, options, view, listed);
}
