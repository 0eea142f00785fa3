#include "CatalogueWriter.h"

#include <cctype>
#include <cstdio>

#include "Iso8211Writer.h"

namespace s57write {

std::string catalogueImage(const std::vector<CatalogueFile>& files) {
  iso8211::Writer w;
  w.describe("0001", "0100;&   ", "ISO 8211 Record Identifier", "", "(I(5))")
      .describe("CATD", "1600;&   ", "Catalog Directory field",
                "RCNM!RCID!FILE!LFIL!VOLM!IMPL!SLAT!WLON!NLAT!ELON!CRCS!COMT", "(A(2),I(10),3A,A(3),4R,2A)")
      .fieldTree({{"0001", "CATD"}});
  int n = 0;
  for (const CatalogueFile& f : files) {
    ++n;
    char id[16];
    std::snprintf(id, sizeof id, "%05d", n % 100000);
    char rcid[16];
    std::snprintf(rcid, sizeof rcid, "%010d", n);
    const std::string& name = f.file;
    const bool cell = name.size() > 4 && name[name.size() - 4] == '.' &&
                      std::isdigit(static_cast<unsigned char>(name.back()));
    w.addRecord(iso8211::Record()
                    .add("0001", iso8211::field(id))
                    .add("CATD", iso8211::field(std::string("CD") + rcid + iso8211::text(name) + iso8211::text("") +
                                                iso8211::text("V01X01") + (cell ? "BIN" : "TXT") +
                                                iso8211::text("47.0") + iso8211::text("-122.1") +
                                                iso8211::text("47.1") + iso8211::text("-122.0") +
                                                iso8211::text(f.crc) + iso8211::text(""))));
  }
  return w.image();
}

}  // namespace s57write
