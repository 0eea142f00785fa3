// Feeds arbitrary bytes through the exchange set catalogue reader
// (CATALOG.031: the ISO 8211 layers, then the CATD records as the DDR
// describes them) and resolves every entry in a small exchange set as the
// folder check does: a folder, a link that stays inside and links that lead
// out. An entry taken as inside must name and reach a file inside the set.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ExchangeCatalogue.h"
#include "ExchangeSetPath.h"

namespace fs = std::filesystem;

namespace {
volatile size_t sink;

fs::path made;  // removed when the run ends

// ROOT/set/{sub/, inside -> sub, out -> .., abs -> /, loop -> loop}, made
// once for the run.
fs::path exchangeSet() {
  std::string root = (fs::temp_directory_path() / "catalogue-fuzz-XXXXXX").string();
  if (!mkdtemp(root.data())) std::abort();
  made = root;
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(made, ignored);
  });
  const fs::path set = fs::path(root) / "set";
  fs::create_directories(set / "sub");
  fs::create_directory_symlink("sub", set / "inside");
  fs::create_directory_symlink("..", set / "out");
  fs::create_directory_symlink("/", set / "abs");
  fs::create_symlink("loop", set / "loop");
  return set;
}

bool under(const fs::path& path, const fs::path& root) {
  const fs::path relative = path.lexically_normal().lexically_relative(root.lexically_normal());
  return !relative.empty() && *relative.begin() != "..";
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path set = exchangeSet();
  static const ExchangeSetRoot root(set);
  std::vector<CatalogueEntry> entries;
  readCatalogueBytes(std::string_view(reinterpret_cast<const char*>(data), size), entries);
  size_t total = 0;
  for (const CatalogueEntry& e : entries) {
    total += catalogueRelativePath(e).size() + e.crc.size();
    const SetPath path = root.resolve(e.file);
    if (path.inside && (!under(path.named, set) || !under(path.target, set))) std::abort();
  }
  sink = total;
  return 0;
}
