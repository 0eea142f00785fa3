#include "ManufacturerIdentity.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "HexDigits.h"

namespace {

constexpr size_t kMaxKeyFileBytes = 4096;

std::string octalMode(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

// The whole file, if its owner alone may read it.
bool readPrivateFile(const std::string& path, SecureString& bytes, std::string& error, KeyFileFault& fault) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = path + ": cannot be opened: " + std::strerror(errno);
    fault = KeyFileFault::CannotOpen;
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (!ok) {
    error = path + ": cannot be examined: " + std::strerror(errno);
    fault = KeyFileFault::CannotOpen;
  } else if (!S_ISREG(st.st_mode)) {
    error = path + ": is not a regular file";
    fault = KeyFileFault::NotRegular;
    ok = false;
  } else if (st.st_uid != ::geteuid()) {
    error = path + ": belongs to another user (uid " + std::to_string(st.st_uid) + "); the key file must be the user's own";
    fault = KeyFileFault::OtherOwner;
    ok = false;
  } else if ((st.st_mode & 077) != 0) {
    error = path + ": others than its owner may read or write it (mode " + octalMode(st.st_mode) +
            "); make it private with chmod 600";
    fault = KeyFileFault::OpenToOthers;
    ok = false;
  } else if (st.st_size > static_cast<off_t>(kMaxKeyFileBytes)) {
    error = path + ": is larger than a key file (" + std::to_string(st.st_size) + " bytes, at most " +
            std::to_string(kMaxKeyFileBytes) + ")";
    fault = KeyFileFault::TooLarge;
    ok = false;
  }
  if (ok) {
    bytes.resize(kMaxKeyFileBytes + 1);
    size_t have = 0;
    while (have < bytes.size()) {
      const ssize_t n = ::read(fd, &bytes[have], bytes.size() - have);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = path + ": cannot be read: " + std::strerror(errno);
        fault = KeyFileFault::CannotOpen;
        ok = false;
        break;
      }
      if (n == 0) break;
      have += static_cast<size_t>(n);
    }
    bytes.resize(have);
    if (ok && have > kMaxKeyFileBytes) {
      error = path + ": is larger than a key file (at most " + std::to_string(kMaxKeyFileBytes) + " bytes)";
      fault = KeyFileFault::TooLarge;
      ok = false;
    }
  }
  ::close(fd);
  return ok;
}

SecureString trimmed(const SecureString& text) {
  size_t from = 0, to = text.size();
  while (from < to && std::isspace(static_cast<unsigned char>(text[from]))) ++from;
  while (to > from && std::isspace(static_cast<unsigned char>(text[to - 1]))) --to;
  return text.substr(from, to - from);
}

SecureString upper(SecureString text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool allOf(const SecureString& text, size_t length, bool (*test)(char)) {
  if (text.size() != length) return false;
  for (const char c : text)
    if (!test(c)) return false;
  return true;
}

bool isAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

}  // namespace

ManufacturerIdentity testManufacturer() {
  ManufacturerIdentity identity;
  identity.manufacturerId = "10";
  identity.manufacturerKey = "10121";
  identity.hardwareId = "12345";
  identity.testScheme = true;
  return identity;
}

bool readManufacturerFile(const std::string& path, ManufacturerIdentity& identity, std::string& error,
                          KeyFileFault* fault) {
  KeyFileFault kind = KeyFileFault::None;
  if (!fault) fault = &kind;
  *fault = KeyFileFault::None;
  SecureString bytes;
  if (!readPrivateFile(path, bytes, error, *fault)) return false;
  // Whatever is wrong from here on is in the file's lines.
  *fault = KeyFileFault::Content;
  ManufacturerIdentity read;
  bool seen[3] = {false, false, false};
  size_t lineStart = 0;
  int lineNumber = 0;
  while (lineStart <= bytes.size()) {
    size_t lineEnd = bytes.find('\n', lineStart);
    if (lineEnd == SecureString::npos) lineEnd = bytes.size();
    ++lineNumber;
    const SecureString line = trimmed(bytes.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    const std::string where = path + ": line " + std::to_string(lineNumber);
    if (equals == SecureString::npos) {
      error = where + ": expected NAME=VALUE (M_ID, M_KEY or HW_ID)";
      return false;
    }
    const SecureString name = upper(trimmed(line.substr(0, equals)));
    const SecureString value = upper(trimmed(line.substr(equals + 1)));
    int slot = -1;
    if (name == "M_ID") slot = 0;
    else if (name == "M_KEY") slot = 1;
    else if (name == "HW_ID") slot = 2;
    if (slot < 0) {
      error = where + ": unknown name '" + std::string(name.c_str()) + "' (M_ID, M_KEY or HW_ID)";
      return false;
    }
    if (seen[slot]) {
      error = where + ": " + std::string(name.c_str()) + " is given twice";
      return false;
    }
    seen[slot] = true;
    // The values are secrets: the reason names what is wrong, never the value.
    if (slot == 0 && !allOf(value, 2, isAlnum)) {
      error = where + ": M_ID must be two letters or digits";
      return false;
    }
    if (slot > 0 && !allOf(value, 5, isHexDigit)) {
      error = where + ": " + std::string(name.c_str()) + " must be five hexadecimal digits";
      return false;
    }
    (slot == 0 ? read.manufacturerId : slot == 1 ? read.manufacturerKey : read.hardwareId) = value;
  }
  const char* names[3] = {"M_ID", "M_KEY", "HW_ID"};
  for (int i = 0; i < 3; ++i)
    if (!seen[i]) {
      error = path + ": " + names[i] + " is missing";
      return false;
    }
  identity = std::move(read);
  *fault = KeyFileFault::None;
  return true;
}

SecureString hardwareKey6(const ManufacturerIdentity& identity) {
  SecureString key = identity.hardwareId;
  if (!key.empty()) key += key[0];
  return key;
}
