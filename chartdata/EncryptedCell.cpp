#include "EncryptedCell.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool sameLetters(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return i == a.size() && !b[i];
}

// NAME.000 to NAME.999: an extension of three digits.
bool cellFileName(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || name.size() - dot != 4) return false;
  for (size_t i = dot + 1; i < name.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

bool regularFile(const fs::path& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool inEncryptedExchangeSet(const std::string& path) {
  const fs::path file = fs::path(path).lexically_normal();
  if (!cellFileName(file.filename().string())) return false;
  // ENC_ROOT/AGENCY/CELL/EDITION/UPDATE/CELL.000 at most; a flat set holds
  // the cells in ENC_ROOT itself.
  fs::path folder = file.parent_path();
  for (int depth = 0; depth < 6 && !folder.empty() && folder != folder.root_path(); ++depth) {
    if (sameLetters(folder.filename().string(), "ENC_ROOT"))
      return regularFile(folder.parent_path() / "SERIAL.ENC") || regularFile(folder.parent_path() / "serial.enc");
    folder = folder.parent_path();
  }
  return false;
}

bool isEncryptedCellFile(const std::string& path) {
  if (!inEncryptedExchangeSet(path)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char leader[12];
  const size_t got = std::fread(leader, 1, sizeof leader, file);
  std::fclose(file);
  return got < sizeof leader || std::memcmp(leader + 5, "3LE1 09", 7) != 0;
}
