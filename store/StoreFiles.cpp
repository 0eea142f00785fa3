#include "StoreFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "CellName.h"
#include "Crc32.h"
#include "ReaderResult.h"
#include "RegularFile.h"
#include "S57CellReader.h"

namespace fs = std::filesystem;

namespace {

constexpr char kPartSuffix[] = ".part";

std::vector<std::string_view> parts(std::string_view path) {
  std::vector<std::string_view> out;
  while (!path.empty()) {
    const size_t slash = path.find('/');
    out.push_back(path.substr(0, slash));
    if (slash == std::string_view::npos) break;
    path.remove_prefix(slash + 1);
  }
  return out;
}

bool isFolderNumber(std::string_view text) {
  if (text.empty() || text.size() > 9 || text[0] == '0') return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Each folder on the way from the root is a real folder, not a link; with
// `make`, missing ones are made.
bool foldersOnTheWay(const std::string& root, std::string_view relative, bool make, std::string& error) {
  std::string path = root;
  const std::vector<std::string_view> names = parts(relative);
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    path += '/';
    path += names[i];
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno == ENOENT && make && ::mkdir(path.c_str(), 0755) == 0) continue;
      error = path + ": " + std::strerror(errno);
      return false;
    }
    if (!S_ISDIR(st.st_mode)) {
      error = path + ": not a folder of the store (a link or a file)";
      return false;
    }
  }
  return true;
}

bool syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

}  // namespace

std::string crcText(std::uint32_t crc) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", crc);
  return text;
}

bool isStoredCellPath(std::string_view relative) {
  const std::vector<std::string_view> names = parts(relative);
  if (names.size() != 4 || names[0] != "cells" || !isCellName(names[1]) || !isFolderNumber(names[2])) return false;
  const std::string_view file = names[3];
  return file.size() == 12 && file.substr(0, 8) == names[1] && cellFileNumber(file) >= 0 &&
         cellNameOfFile(file) == names[1];
}

bool isStoredKeyPath(std::string_view relative) {
  const std::vector<std::string_view> names = parts(relative);
  if (names.size() != 3 || names[0] != "keys" || (names[1] != "scheme" && names[1] != "other")) return false;
  const std::string_view name = names[2];
  if (name.empty() || name.size() > 32 || name[0] == '.') return false;
  for (const char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-') return false;
  return true;
}

bool isStoredProductListPath(std::string_view relative) {
  const std::vector<std::string_view> names = parts(relative);
  return names.size() == 2 && names[0] == "products" && names[1].size() == 2 &&
         std::isalnum(static_cast<unsigned char>(names[1][0])) && std::isalnum(static_cast<unsigned char>(names[1][1]));
}

std::string cellFolderPath(const std::string& cell, int folder) { return "cells/" + cell + "/" + std::to_string(folder); }

StoreFiles::StoreFiles(std::string root) : root_(std::move(root)) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

ReaderResult StoreFiles::readOwn(const std::string& relative, std::string& bytes) const {
  bytes.clear();
  std::string error;
  if ((relative != "index" && relative != "permits" && !isStoredKeyPath(relative) &&
       !isStoredProductListPath(relative)) ||
      !foldersOnTheWay(root_, relative, false, error))
    return ReaderResult::CannotOpen;
  const std::string path = absolute(relative);
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return ReaderResult::CannotOpen;
  if (!S_ISREG(st.st_mode)) return ReaderResult::NotRegularFile;
  return readWholeFile(path, bytes);
}

std::vector<std::string> StoreFiles::keyFiles(const std::string& folder) const {
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::string error;
  if (!foldersOnTheWay(root_, folder + "/x", false, error)) return {};
  std::error_code ec;
  for (fs::directory_iterator it(absolute(folder), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (isStoredKeyPath(folder + "/" + name) && it->is_regular_file(typeError) && !it->is_symlink(typeError))
      found.emplace_back(it->last_write_time(typeError), name);
  }
  // The newest first.
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  std::vector<std::string> names;
  for (auto& f : found) names.push_back(std::move(f.second));
  return names;
}

bool StoreFiles::remove(const std::string& relative, std::string& error) const {
  if (!isStoredKeyPath(relative)) {
    error = relative + ": not a key file of the store";
    return false;
  }
  if (!foldersOnTheWay(root_, relative, false, error)) return true;  // no such folder: nothing to remove
  if (::unlink(absolute(relative).c_str()) == 0 || errno == ENOENT) return true;
  error = absolute(relative) + ": " + std::strerror(errno);
  return false;
}

namespace {

// One read of the whole file into room that is not zeroed first.
template <class Bytes>
ReaderResult readWhole(const std::string& path, Bytes& bytes) {
  bytes.clear();
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::Opened: break;
    case RegularFileOpen::NotRegular: return ReaderResult::NotRegularFile;
    case RegularFileOpen::CannotOpen: return ReaderResult::CannotOpen;
  }
  if (size > S57CellReader::kMaxFileBytes) {
    std::fclose(file);
    return ReaderResult::FileTooLarge;
  }
  bytes.resize(static_cast<size_t>(size));
  const size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
  std::fclose(file);
  if (got != bytes.size()) {
    bytes.clear();
    return ReaderResult::CannotOpen;
  }
  return ReaderResult::Ok;
}

// A cell file of the store, its path checked and no link followed.
template <class Bytes>
ReaderResult readCellFile(const StoreFiles& files, const std::string& relative, Bytes& bytes) {
  bytes.clear();
  std::string error;
  if (!isStoredCellPath(relative) || !foldersOnTheWay(files.root(), relative, false, error))
    return ReaderResult::CannotOpen;
  const std::string path = files.absolute(relative);
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return ReaderResult::CannotOpen;
  if (!S_ISREG(st.st_mode)) return ReaderResult::NotRegularFile;  // a link is not followed
  return readWhole(path, bytes);
}

template <class Bytes>
ReaderResult readChecked(const StoreFiles& files, const StoredFile& file, Bytes& bytes) {
  if (const ReaderResult code = readCellFile(files, file.path, bytes); code != ReaderResult::Ok) return code;
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (static_cast<long long>(bytes.size()) != file.size || crcText(crc32(view)) != file.crc) {
    bytes.clear();
    return ReaderResult::CrcMismatch;
  }
  return ReaderResult::Ok;
}

}  // namespace

ReaderResult readWholeFile(const std::string& path, std::string& bytes) { return readWhole(path, bytes); }
ReaderResult readWholeFile(const std::string& path, SecureBytes& bytes) { return readWhole(path, bytes); }

ReaderResult StoreFiles::readUnchecked(const std::string& relative, std::string& bytes) const {
  return readCellFile(*this, relative, bytes);
}

ReaderResult StoreFiles::read(const StoredFile& file, std::string& bytes) const {
  return readChecked(*this, file, bytes);
}
ReaderResult StoreFiles::read(const StoredFile& file, SecureBytes& bytes) const {
  return readChecked(*this, file, bytes);
}

bool StoreFiles::write(const std::string& relative, std::string_view bytes, std::string& error, bool durable) const {
  if (relative != "index" && relative != "permits" && !isStoredCellPath(relative) && !isStoredKeyPath(relative) &&
      !isStoredProductListPath(relative)) {
    error = relative + ": not a path of the store";
    return false;
  }
  if (!foldersOnTheWay(root_, relative, true, error)) return false;
  const std::string path = absolute(relative);
  const std::string part = path + kPartSuffix;
  const int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = part + ": " + std::strerror(errno);
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  if (ok && durable) ok = ::fsync(fd) == 0;
  if (!ok) error = part + ": " + std::strerror(errno ? errno : EIO);
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = part + ": " + std::strerror(errno);
  }
  if (ok && faultBeforeRename && !faultBeforeRename(relative)) {
    ok = false;
    error = part + ": not renamed (a fault was injected)";
  }
  if (ok && ::rename(part.c_str(), path.c_str()) != 0) {
    ok = false;
    error = path + ": " + std::strerror(errno);
  }
  if (!ok) {
    ::unlink(part.c_str());
    return false;
  }
  if (durable) syncFolder(fs::path(path).parent_path().string());
  return true;
}

bool StoreFiles::flush(std::string& error) const {
  const int fd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || ::syncfs(fd) != 0) {
    error = root_ + ": " + std::strerror(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  ::close(fd);
  return true;
}

void StoreFiles::removeUnreferenced(const std::set<std::string>& keep) const {
  ::unlink((absolute("index") + kPartSuffix).c_str());
  ::unlink((absolute("permits") + kPartSuffix).c_str());
  const fs::path cells = fs::path(root_) / "cells";
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(cells, ec);
  if (ec || !fs::is_directory(status)) return;
  std::vector<fs::path> files, folders;
  // Links are removed as links, never followed.
  for (fs::recursive_directory_iterator it(cells, fs::directory_options::none, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError) && !it->is_symlink(typeError)) {
      folders.push_back(it->path());
      continue;
    }
    const std::string relative = it->path().lexically_relative(root_).generic_string();
    if (!keep.count(relative)) files.push_back(it->path());
  }
  for (const fs::path& file : files) fs::remove(file, ec);
  // Deepest first: a folder emptied by the files removed goes too.
  for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
    std::error_code empty;
    if (fs::is_empty(*it, empty) && !empty) fs::remove(*it, empty);
  }
}
