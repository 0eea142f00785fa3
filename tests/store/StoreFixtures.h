#pragma once
// Synthetic cells and exchange sets for the store's tests: a small cell
// with its coverage, updates that rename its light, and exchange sets
// written with their catalogue.
#include <filesystem>
#include <string>
#include <vector>

namespace storetest {

namespace fs = std::filesystem;

// A base cell NAME.000: a light (OBJNAM "Light 0") on an isolated node and
// its coverage, a square of M_COVR (CATCOV 1) from 50 N 1 E to 50.1 N
// 1.1 E. `updn` above 0 makes it a re-issue that holds the light's names
// up to "Light <updn>".
std::string baseCell(const std::string& name, int edition, int updn = 0, const std::string& issued = "20240101");

// Update `number` of that cell: the light is named "Light <number>"
// (record version number + 1). Edition 0 makes it a cancellation (no
// records).
std::string updateCell(const std::string& name, int edition, int number, const std::string& issued = "20240201");

struct SetFile {
  std::string name;  // its path in the set
  std::string bytes;
  std::string crc;   // written to the catalogue; "" the file's own
};

// An exchange set DIR/ENC_ROOT with the files and a CATALOG.031 listing
// each with its CRC-32.
void writeExchangeSet(const fs::path& dir, const std::vector<SetFile>& files);

// A fresh folder under the temporary folder, removed with the object.
class TempFolder {
public:
  explicit TempFolder(const std::string& what);
  ~TempFolder();
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& part) const { return path_ / part; }

private:
  fs::path path_;
};

// Every regular file under `dir` with its bytes, for comparing a folder
// before and after (links listed by their target's name, not followed).
std::vector<std::pair<std::string, std::string>> folderContent(const fs::path& dir);

}  // namespace storetest
