// enctool store [--store DIR] [--date YYYYMMDD] [--remove-permit CELL [--server XX]]
//
// Lists a chart store (the user's unless --store names another): one JSON
// line per cell in name order,
//   {"cell":..,"edition":..,"updates":[..],"update":..,"status":..,"reason":..,
//    "issueDate":..,"updateDates":[..],["cancelledBy":..,]"cscl":..,"extent":[s,w,n,e]|null,"encrypted":false}
// and for an encrypted cell where it stands with its permits:
//    ..,"encrypted":true,"permit":"valid"|"expiring"|"expired"|"none","permitExpiry":..,"dataServer":..}
// and, for a cell its data server's latest product list names, what the
// list announces and whether the cell is behind it (SSE 27, a warning the
// window shows while the cell is on the chart):
//    ..,"listed":{"edition":..,"update":..,"date":"YYYYMMDDhhmmss"},"sse":[27],"message":"SSE 27 - ..."}
// ("sse":[] and "message":"" for every other cell).
// then one line per permit held,
//   {"permit":"GB100001","dataServer":"GB","expiry":"20181231","state":"valid","serviceLevel":0,
//    "section":"ENC","installed":..,"source":..}
// and one per key installed,
//   {"certificate":"IHO.CRT","role":"scheme","notAfter":"20130829","sse":[],"message":""}
// (the scheme's key missing: {"certificate":"","role":"scheme","sse":[5],..},
// said only of a store that holds encrypted cells or permits).
// "updates" are the update numbers applied and "updateDates" their issue
// dates (YYYYMMDD), "issueDate" the base file's, "update" the last update
// the cell holds (a re-issue holds those up to its own number), "reason"
// the last refusal about the cell ("" when none), "cancelledBy" the file
// that cancelled it. Permit states and certificates are judged on --date
// (else the system date). A damaged index is rebuilt from the store's files
// first, which standard error says.
//
// --remove-permit removes the permits of a cell (of the data server
// --server only, when given): the cell is not shown until a permit comes
// again. It prints {"removed":N,"cell":..,"dataServer":..}.
//
// Exit status 1 when the store cannot be read or written, 2 on a usage
// error.
#include <cstdio>
#include <cstring>
#include <string>

#include "ChartStore.h"
#include "Json.h"
#include "ProtectionOptions.h"

namespace {

int usage() {
  std::fprintf(stderr, "usage: enctool store [--store DIR] [--date YYYYMMDD] [--remove-permit CELL [--server XX]]\n");
  return 2;
}

std::string cellLine(const ChartStore& store, const StoredCell& cell) {
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
  const CellPermitStanding standing = store.permitStanding(cell);
  line.add("encrypted", standing.encrypted);
  if (standing.encrypted) {
    line.add("permit", standing.permitted ? permitStateName(standing.state) : "none")
        .add("permitExpiry", standing.permitted ? standing.expiry.compact() : std::string())
        .add("dataServer", standing.dataServer);
  }
  const CellProductStanding product = store.productStanding(cell);
  if (product.listed) {
    line.addRaw("listed", JsonLine()
                              .add("edition", product.edition)
                              .add("update", product.update)
                              .add("date", product.listDate)
                              .str());
  }
  const bool behind = product.behind && cell.status == CellStatus::InUse;
  const std::vector<SseCode> codes = behind ? std::vector<SseCode>{SseCode::CellNotUpToDate} : std::vector<SseCode>{};
  line.addRaw("sse", sseJson(codes)).add("message", sseEnglishList(codes, cell.name));
  return line.str();
}

std::string keyLine(const SchemeKey& key, const char* role, SseCode code) {
  const std::vector<SseCode> codes = code == SseCode::None ? std::vector<SseCode>{} : std::vector<SseCode>{code};
  return JsonLine()
      .add("certificate", key.source)
      .add("role", role)
      .add("notAfter", key.notAfter ? key.notAfter->compact() : std::string())
      .addRaw("sse", sseJson(codes))
      .add("message", sseEnglishList(codes))
      .str();
}

}  // namespace

int runStoreCommand(int argc, char** argv) {
  std::string folder, date, removeCell, server;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage();
    if (arg == "--store") folder = argv[++i];
    else if (arg == "--date") date = argv[++i];
    else if (arg == "--remove-permit") removeCell = argv[++i];
    else if (arg == "--server") server = argv[++i];
    else return usage();
  }
  if (!server.empty() && removeCell.empty()) return usage();
  if (folder.empty()) folder = ChartStore::defaultFolder();
  DataClient client;
  if (!makeClock("store", date, client.clock)) return 2;
  ChartStore store(folder);
  store.setDataClient(std::move(client));
  std::string error;
  if (!removeCell.empty()) {
    int removed = 0;
    if (!store.removePermits(removeCell, server, removed, error)) {
      std::fprintf(stderr, "enctool store: %s\n", error.c_str());
      return 1;
    }
    std::printf("%s\n",
                JsonLine().add("removed", removed).add("cell", removeCell).add("dataServer", server).str().c_str());
    return 0;
  }
  if (!store.load(error)) {
    std::fprintf(stderr, "enctool store: %s\n", error.c_str());
    return 1;
  }
  for (const StoreMessage& message : store.messages())
    std::fprintf(stderr, "enctool store: %s: %s\n", folder.c_str(), message.text.c_str());
  bool encrypted = false;
  for (const StoredCell& cell : store.index().cells) {
    std::printf("%s\n", cellLine(store, cell).c_str());
    encrypted = encrypted || cell.base.encrypted;
  }
  const std::vector<PermitListing> permits = store.permits();
  for (const PermitListing& p : permits)
    std::printf("%s\n", JsonLine()
                            .add("permit", p.cell)
                            .add("dataServer", p.dataServer)
                            .add("expiry", p.expiry.compact())
                            .add("state", permitStateName(p.state))
                            .add("serviceLevel", p.serviceLevel)
                            .add("section", p.official ? "ENC" : "ECS")
                            .add("installed", p.installed)
                            .add("source", p.source)
                            .str()
                            .c_str());
  // The scheme's key, where the store has to do with encrypted charts.
  const ExchangeSetKeys& keys = store.keys();
  if (encrypted || !permits.empty() || keys.scheme.code != SseCode::SchemeCertificateMissing)
    std::printf("%s\n", keyLine(keys.scheme.key, "scheme", keys.scheme.code).c_str());
  for (const SchemeKey& other : keys.others) std::printf("%s\n", keyLine(other, "other", SseCode::None).c_str());
  std::fflush(stdout);
  return 0;
}
