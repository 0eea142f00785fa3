#include "StoredPermits.h"

#include "JsonReader.h"
#include "SealedLines.h"

namespace {

constexpr int kFormat = 1;

}  // namespace

std::string permitsBytes(const std::vector<StoredPermit>& permits) {
  std::string out = Line().number("chartStorePermits", kFormat).str() + "\n";
  for (const StoredPermit& p : permits)
    out += Line()
               .text("record", p.record)
               .text("section", p.official ? "ENC" : "ECS")
               .text("installed", p.installed)
               .text("source", p.source)
               .str() +
           "\n";
  return sealLines(std::move(out), static_cast<long long>(permits.size()));
}

bool readPermitsBytes(std::string_view bytes, std::vector<StoredPermit>& permits, std::string& error) {
  permits.clear();
  size_t bodyEnd = 0;
  long long declared = -1;
  if (!unsealLines(bytes, bodyEnd, declared, error)) {
    error = "the permits: " + error;
    return false;
  }
  size_t at = 0, lineNumber = 0;
  while (at < bodyEnd) {
    const size_t next = bytes.find('\n', at);
    JsonReader line(bytes.substr(at, next - at));
    at = next + 1;
    if (lineNumber++ == 0) {
      long long format = 0;
      line.object([&](std::string_view key) {
        if (key == "chartStorePermits") format = line.integer();
        else line.skip();
      });
      if (!line.finished() || format != kFormat) {
        error = "the permits are not a chart store's permits of this program";
        return false;
      }
      continue;
    }
    StoredPermit p;
    std::string section;
    line.object([&](std::string_view key) {
      if (key == "record") p.record = line.string();
      else if (key == "section") section = line.string();
      else if (key == "installed") p.installed = line.string();
      else if (key == "source") p.source = line.string();
      else line.skip();
    });
    std::string reason;
    if (!line.finished() || (section != "ENC" && section != "ECS") ||
        parseCellPermitRecord(p.record, p.permit, reason) != SseCode::None) {
      error = "the permits: line " + std::to_string(lineNumber) + " is not a permit";
      permits.clear();
      return false;
    }
    p.official = section == "ENC";
    permits.push_back(std::move(p));
  }
  if (lineNumber == 0 || declared != static_cast<long long>(permits.size())) {
    error = "the permits hold another number of permits than their end line says";
    permits.clear();
    return false;
  }
  return true;
}

std::vector<PermitListing> listPermits(const std::vector<StoredPermit>& permits, const CalendarDay& today) {
  std::vector<PermitListing> list;
  for (const StoredPermit& p : permits) {
    PermitListing l;
    l.cell = p.permit.cell;
    l.dataServer = p.permit.dataServer;
    l.expiry = p.permit.expiry;
    l.state = permitStateOn(p.permit, today);
    l.serviceLevel = p.permit.serviceLevel;
    l.edition = p.permit.edition;
    l.official = p.official;
    l.installed = p.installed;
    l.source = p.source;
    list.push_back(std::move(l));
  }
  return list;
}
