// enctool store [--store DIR]
//
// Lists the cells of a chart store (the user's unless --store names
// another), one JSON line per cell in name order:
//   {"cell":..,"edition":..,"updates":[..],"update":..,"status":..,"reason":..,
//    "issueDate":..,"updateDates":[..],["cancelledBy":..,]"cscl":..,"extent":[s,w,n,e]|null}
// "updates" are the update numbers applied and "updateDates" their issue
// dates (YYYYMMDD), "issueDate" the base file's, "update" the last update
// the cell holds (a re-issue holds those up to its own number), "reason"
// the last refusal about the cell ("" when none), "cancelledBy" the file
// that cancelled it. A damaged index is rebuilt from the store's files
// first, which standard error says. Exit status 1 when the store cannot be
// read, 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>

#include "ChartStore.h"
#include "Json.h"

int runStoreCommand(int argc, char** argv) {
  std::string folder;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--store") == 0 && i + 1 < argc) {
      folder = argv[++i];
    } else {
      std::fprintf(stderr, "usage: enctool store [--store DIR]\n");
      return 2;
    }
  }
  if (folder.empty()) folder = ChartStore::defaultFolder();
  ChartStore store(folder);
  std::string error;
  if (!store.load(error)) {
    std::fprintf(stderr, "enctool store: %s\n", error.c_str());
    return 1;
  }
  for (const StoreMessage& message : store.messages())
    std::fprintf(stderr, "enctool store: %s: %s\n", folder.c_str(), message.text.c_str());
  for (const StoredCell& cell : store.index().cells) {
    std::string numbers = "[", dates = "[";
    for (const StoredUpdate& u : cell.updates) {
      numbers += (numbers.size() > 1 ? "," : "") + std::to_string(u.number);
      dates += (dates.size() > 1 ? "," : "") + jsonString(u.issueDate);
    }
    JsonLine line;
    line.add("cell", cell.name)
        .add("edition", cell.edition)
        .addRaw("updates", numbers + "]")
        .add("update", cell.updateNumber())
        .add("status", cellStatusName(cell.status))
        .add("reason", cell.issue.text)
        .add("issueDate", cell.issueDate)
        .addRaw("updateDates", dates + "]");
    if (cell.cancellation) {
      const std::string& path = cell.cancellation->file.path;
      line.add("cancelledBy", path.substr(path.rfind('/') + 1));
    }
    const CellCoverage& c = cell.coverage;
    line.add("cscl", c.compilationScale);
    if (c.hasExtent) {
      char extent[128];
      std::snprintf(extent, sizeof extent, "[%.7f,%.7f,%.7f,%.7f]", c.south, c.west, c.north, c.east);
      line.addRaw("extent", extent);
    } else {
      line.addRaw("extent", "null");
    }
    std::printf("%s\n", line.str().c_str());
  }
  std::fflush(stdout);
  return 0;
}
