#include "StoreKeys.h"

#include <cctype>
#include <filesystem>

#include "ReaderResult.h"
#include "RegularFile.h"
#include "SchemeCertificate.h"

namespace {

const char* folderOf(KeyRole role) { return role == KeyRole::Scheme ? "keys/scheme" : "keys/other"; }

// The name the store keeps a key file by: its own, upper case, when it is
// a plain file name, else "KEY".
std::string keptName(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return isStoredKeyPath("keys/other/" + name) ? name : "KEY";
}

ReaderResult readKeyFile(const std::string& path, std::string& bytes) {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::Opened: break;
    case RegularFileOpen::NotRegular: return ReaderResult::NotRegularFile;
    case RegularFileOpen::CannotOpen: return ReaderResult::CannotOpen;
  }
  if (size > kMaxSchemeKeyFileBytes) {
    std::fclose(file);
    return ReaderResult::FileTooLarge;
  }
  bytes.assign(static_cast<size_t>(size), '\0');
  const size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
  std::fclose(file);
  return got == bytes.size() ? ReaderResult::Ok : ReaderResult::CannotOpen;
}

}  // namespace

const char* keyRoleName(KeyRole role) { return role == KeyRole::Scheme ? "scheme" : "other"; }

ExchangeSetKeys readStoreKeys(const StoreFiles& files, const CalendarDay& today) {
  ExchangeSetKeys keys;
  const std::vector<std::string> scheme = files.keyFiles(folderOf(KeyRole::Scheme));
  if (scheme.empty()) {
    keys.scheme.code = SseCode::SchemeCertificateMissing;
    keys.scheme.reason = "no scheme administrator's certificate is installed";
  } else {
    // The newest, should an install have stopped before the old one went.
    const std::string relative = std::string(folderOf(KeyRole::Scheme)) + "/" + scheme.front();
    std::string bytes;
    if (files.readOwn(relative, bytes) != ReaderResult::Ok) {
      keys.scheme.code = SseCode::SchemeCertificateFormat;
      keys.scheme.reason = "the installed certificate " + scheme.front() + " cannot be read";
    } else {
      keys.scheme = parseSchemeKey(bytes, scheme.front(), today);
    }
  }
  for (const std::string& name : files.keyFiles(folderOf(KeyRole::Other))) {
    std::string bytes;
    if (files.readOwn(std::string(folderOf(KeyRole::Other)) + "/" + name, bytes) != ReaderResult::Ok) continue;
    const SchemeKeyResult other = parseSchemeKey(bytes, name, today);
    if (other.code == SseCode::None || other.code == SseCode::SchemeCertificateExpired)
      keys.others.push_back(other.key);
  }
  return keys;
}

KeyInstallOutcome installStoreKey(const StoreFiles& files, const std::string& path, KeyRole role,
                                  const CalendarDay& today) {
  KeyInstallOutcome out;
  out.file = path;
  out.role = role;
  out.name = keptName(path);
  std::string bytes;
  if (const ReaderResult code = readKeyFile(path, bytes); code != ReaderResult::Ok) {
    out.code = code == ReaderResult::FileTooLarge ? SseCode::SchemeCertificateFormat : SseCode::SchemeCertificateMissing;
    out.reason = path + ": " + (code == ReaderResult::FileTooLarge ? "larger than any certificate" : readerResultText(code));
    return out;
  }
  const SchemeKeyResult read = parseSchemeKey(bytes, out.name, today);
  out.certificate = read.key.certificate;
  out.notAfter = read.key.notAfter;
  const bool acceptable =
      read.code == SseCode::None || (role == KeyRole::Other && read.code == SseCode::SchemeCertificateExpired);
  if (!acceptable) {
    out.code = read.code;
    out.reason = read.reason;
    return out;
  }
  const std::string folder = folderOf(role);
  std::string error;
  if (!files.write(folder + "/" + out.name, bytes, error)) {
    out.failure = cannotWriteMessage(error);
    return out;
  }
  // The scheme's key is one: the one it replaces goes.
  if (role == KeyRole::Scheme)
    for (const std::string& name : files.keyFiles(folder))
      if (name != out.name && !files.remove(folder + "/" + name, error)) {
        out.failure = cannotWriteMessage(error);
        return out;
      }
  out.installed = true;
  return out;
}
