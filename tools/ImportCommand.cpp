// enctool import [--store DIR] SOURCE...
//
// Imports exchange sets, folders of cells or cell files into a chart store
// (the user's, ~/.local/share/chartdisplay/charts, unless --store names
// another): base cells, updates, new editions, re-issues and cancellations,
// each cell as the rules for chart updates require (ChartStore, CellImport).
// One JSON line per cell offered, in name order:
//   {"cell":..,"action":..,"edition":..,"updates":[..],"update":..,"status":..,"reason":..}
// "action" is what the import did ("installed", "updated", "new edition",
// "re-issued", "cancelled", "unchanged", "refused", "not installed"),
// "updates" the update numbers it applied, "update" the last update the
// cell holds, "status" where the cell stands ("in use", "cancelled",
// "refused", "not installed"), "reason" what was refused (empty when
// nothing was). A file named like a cell file with no cell name gets
// {"file":..,"action":"refused","reason":..}. Findings about the exchange
// sets (catalogue entries refused, files listed but absent) and the store
// (an index rebuilt) go to standard error.
//
// Exit status: 0 when everything offered was taken or held already, 1 when
// anything was refused or the store could not be written (it then stands as
// before the import), 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ChartStore.h"
#include "Json.h"

namespace {

void printImportUsage() { std::fprintf(stderr, "usage: enctool import [--store DIR] SOURCE...\n"); }

std::string jsonNumbers(const std::vector<int>& numbers) {
  std::string json = "[";
  for (const int n : numbers) json += (json.size() > 1 ? "," : "") + std::to_string(n);
  return json + "]";
}

}  // namespace

int runImportCommand(int argc, char** argv) {
  std::string folder;
  std::vector<std::string> sources;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--store") == 0) {
      if (i + 1 >= argc) {
        printImportUsage();
        return 2;
      }
      folder = argv[++i];
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      std::fprintf(stderr, "enctool import: unknown option '%s'\n", argv[i]);
      printImportUsage();
      return 2;
    } else {
      sources.emplace_back(argv[i]);
    }
  }
  if (sources.empty()) {
    printImportUsage();
    return 2;
  }
  if (folder.empty()) folder = ChartStore::defaultFolder();

  ChartStore store(folder);
  const ImportReport report = store.import(sources);
  for (const StoreMessage& message : report.storeMessages)
    std::fprintf(stderr, "enctool import: %s: %s\n", folder.c_str(), message.text.c_str());
  for (const LoadWarning& warning : report.setWarnings)
    std::fprintf(stderr, "enctool import: warning: %s\n", warning.text.c_str());
  if (report.failed()) {
    std::fprintf(stderr, "enctool import: %s\n", report.failure.text.c_str());
    return 1;
  }
  for (const StoreIssue& issue : report.filesRefused)
    std::printf("%s\n", JsonLine().add("file", issue.file).add("action", "refused").add("reason", issue.text).str().c_str());
  for (const CellOutcome& cell : report.cells) {
    std::printf("%s\n", JsonLine()
                            .add("cell", cell.cell)
                            .add("action", importActionName(cell.action))
                            .add("edition", cell.edition)
                            .addRaw("updates", jsonNumbers(cell.applied))
                            .add("update", cell.updateNumber)
                            .add("status", cellStatusName(cell.status))
                            .add("reason", cell.reason())
                            .str()
                            .c_str());
    for (const StoreIssue& issue : cell.issues)
      std::fprintf(stderr, "enctool import: %s: %s\n", cell.cell.c_str(), issue.text.c_str());
  }
  std::fflush(stdout);
  return report.anyRefused() ? 1 : 0;
}
