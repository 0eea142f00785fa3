#pragma once
// The catalogue of an exchange set (CATALOG.031): an ISO 8211 file with one
// CATD record per file of the set, giving its path, kind and CRC-32.
#include <string>
#include <string_view>
#include <vector>

#include "ReaderResult.h"

struct CatalogueEntry {
  std::string file;            // FILE: path from the catalogue's folder, as written ('\' separators)
  std::string longName;        // LFIL
  std::string volume;          // VOLM
  std::string implementation;  // IMPL: BIN for cells, ASC, TXT, ...
  std::string crc;             // CRCS: 8 hex digits, empty when not given
  std::string comment;         // COMT
};

// Reads the CATD records in file order through the cell reader's ISO 8211
// layer. Subfields are cut as the DDR's CATD description says (fixed widths
// such as A(2) and I(10), the rest up to a unit terminator); without one,
// as S-57 lays CATD out. Returns Ok or the reader's result (ReaderResult.h); the
// entries read before a damaged record are kept.
ReaderResult readCatalogue(const std::string& path, std::vector<CatalogueEntry>& entries);
ReaderResult readCatalogueBytes(std::string_view bytes, std::vector<CatalogueEntry>& entries);

// The path of an entry's file from the catalogue's folder, with '/' separators.
std::string catalogueRelativePath(const CatalogueEntry& entry);
