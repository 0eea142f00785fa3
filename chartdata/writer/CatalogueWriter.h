#pragma once
// Writes an exchange set's catalogue (CATALOG.031): one CATD record per file,
// for tests and benchmarks of catalogue checks, hostile ones included.
#include <string>
#include <vector>

namespace s57write {

struct CatalogueFile {
  std::string file;  // FILE as written in the catalogue: any bytes, '\' or '/' separators
  std::string crc;   // CRCS, 8 hex digits; empty: none given
};

// A CATALOG.031 as S-57 lays it out: ASCII subfields, RCNM and RCID of fixed
// width, the rest up to a unit terminator; IMPL is BIN for names ending in
// a dot and three digits, TXT for the others.
std::string catalogueImage(const std::vector<CatalogueFile>& files);

}  // namespace s57write
