#pragma once
// What the protection tests share: the IHO's encrypted test data beside
// the checkout, a zip archive written byte by byte (stored, so its
// directory can be made to lie), and a small S-57 cell.
#include <cstdint>
#include <string>

namespace protectiontest {

// A folder of the encrypted test data (../shared/iho/s63/RELATIVE).
std::string testData(const std::string& relative = "");

struct ZipOptions {
  std::uint32_t claimedSize = 0;  // what the directory says the file holds; 0 for its real size
  bool badCrc = false;
  bool deflated = false;  // packed as deflate data (one uncompressed deflate block; at most 65535 bytes)
};

// A zip archive holding `name` with `content`, stored without compression
// unless `deflated`.
std::string storedZip(const std::string& name, const std::string& content, const ZipOptions& options = {});

// The bytes of a small S-57 cell written with the project's writer.
std::string smallCell();

}  // namespace protectiontest
