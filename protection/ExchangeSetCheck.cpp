#include "ExchangeSetCheck.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "CellDecryption.h"
#include "ExchangeCatalogue.h"
#include "ExchangeSetInfo.h"
#include "SignatureFile.h"

namespace fs = std::filesystem;

namespace {

enum class FileRead { Ok, Missing, TooLarge, Unreadable };

FileRead readBounded(const fs::path& path, std::size_t limit, std::string& bytes) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return FileRead::Missing;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::Unreadable;
  bytes.assign(limit + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return FileRead::Unreadable;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes.size() > limit ? FileRead::TooLarge : FileRead::Ok;
}

bool safeRelativePath(const std::string& path) {
  if (path.empty() || path[0] == '/') return false;
  for (const auto& part : fs::path(path))
    if (part == "..") return false;
  return true;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::vector<fs::path> findCatalogues(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code error;
  if (fs::is_regular_file(folder, error)) {
    if (upper(folder.filename().string()) == "CATALOG.031") found.push_back(folder);
    return found;
  }
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
  for (; !error && it != end; it.increment(error)) {
    if (it.depth() > 8) it.disable_recursion_pending();
    if (it->is_regular_file(error) && upper(it->path().filename().string()) == "CATALOG.031") found.push_back(it->path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

void addCode(std::vector<SseCode>& codes, SseCode code) {
  if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
}

class SetChecker {
public:
  SetChecker(const InstalledPermits& permits, const ExchangeSetKeys& keys, const SecureString& hardwareKey6,
             const CalendarDay& today, const DecryptedFileHandler& onDecrypted)
      : permits_(permits),
        keys_(keys),
        hardwareCipher_(reinterpret_cast<const unsigned char*>(hardwareKey6.data()), hardwareKey6.size()),
        today_(today),
        onDecrypted_(onDecrypted) {}

  ExchangeSetReport check(const fs::path& catalogue) {
    ExchangeSetReport report;
    report.catalogue = catalogue.string();
    const fs::path root = catalogue.parent_path();
    if (const auto serial = readSerialFile((root.parent_path() / "SERIAL.ENC").string())) report.dataServer = serial->dataServer;
    std::vector<CatalogueEntry> entries;
    if (const ReaderResult code = readCatalogue(report.catalogue, entries); code != ReaderResult::Ok) {
      report.reason = "the catalogue cannot be read (reader code " + std::to_string(resultCode(code)) + ")";
      if (entries.empty()) return report;
    }
    if (keys_.scheme.code != SseCode::None) {
      addCode(report.codes, keys_.scheme.code);
      report.reason = keys_.scheme.reason;
    }
    for (const CatalogueEntry& entry : entries) {
      const std::string relative = catalogueRelativePath(entry);
      if (!safeRelativePath(relative)) {
        report.missing.push_back(relative + " (a path outside the exchange set, not read)");
        continue;
      }
      const fs::path path = root / relative;
      std::error_code error;
      const bool present = fs::exists(path, error);
      if (!isEncFileName(relative)) {
        if (!present) report.missing.push_back(relative);
        continue;
      }
      report.files.push_back(checkFile(entry, relative, path, report));
      if (!present) report.missing.push_back(relative);
    }
    // By cell, then base cell and updates in their order (update 10 after 9).
    std::sort(report.files.begin(), report.files.end(), [](const ExchangeSetFile& a, const ExchangeSetFile& b) {
      if (a.cell != b.cell) return a.cell < b.cell;
      if (a.edition != b.edition) return a.edition < b.edition;
      if (a.update != b.update) return a.update < b.update;
      return a.file < b.file;
    });
    return report;
  }

private:
  ExchangeSetFile checkFile(const CatalogueEntry& entry, const std::string& relative, const fs::path& path,
                            ExchangeSetReport& report) {
    ExchangeSetFile file;
    file.file = relative;
    file.cell = path.filename().string().substr(0, 8);
    const std::optional<CatalogueDsid> dsid = parseCatalogueDsid(entry.comment);
    if (dsid) {
      file.edition = dsid->edition;
      file.update = dsid->update;
      if (dsid->issueDate) file.issueDate = dsid->issueDate->compact();
    }
    const auto refuse = [&](SseCode code, std::string reason) {
      if (code != SseCode::None) addCode(file.codes, code);
      file.reason = std::move(reason);
      return file;
    };
    if (keys_.scheme.code != SseCode::None) return refuse(keys_.scheme.code, keys_.scheme.reason);

    std::string encrypted;
    switch (readBounded(path, kMaxDecryptedBytes, encrypted)) {
      case FileRead::Ok: break;
      case FileRead::Missing: return refuse(SseCode::None, "listed in the catalogue but absent");
      case FileRead::TooLarge: return refuse(SseCode::EncCrcIncorrect, "larger than any cell file");
      case FileRead::Unreadable: return refuse(SseCode::None, std::string("cannot be read: ") + std::strerror(errno));
    }
    EncFileRequest request;
    request.cell = file.cell;
    request.encrypted = encrypted;
    std::string signatureBytes;
    const fs::path signaturePath = path.parent_path() / signatureFileName(relative);
    switch (readBounded(signaturePath, kMaxSignatureFileBytes, signatureBytes)) {
      case FileRead::Ok: request.signature = std::move(signatureBytes); break;
      case FileRead::TooLarge: request.signature = std::string(kMaxSignatureFileBytes + 1, ' '); break;
      default: break;
    }
    if (dsid) request.issued = dsid->issueDate;
    request.listedCrc = entry.crc;
    request.dataServer = report.dataServer;

    SecureBytes plain;
    const EncFileOutcome opened = openEncFile(request, permits_, keys_, hardwareCipher_, today_, plain);
    file.authority = opened.authority;
    file.codes = opened.codes;
    file.reason = opened.reason;
    if (opened.notByScheme && !warnedNotByScheme_) {
      // Said once for the exchange set, not for every file.
      warnedNotByScheme_ = true;
      addCode(report.codes, SseCode::NotAuthenticatedByScheme);
      addCode(file.codes, SseCode::NotAuthenticatedByScheme);
    }
    if (!opened.decrypted) return file;
    file.permitServer = opened.permit->dataServer;
    file.bytes = plain.size();
    file.decrypted = true;
    if (onDecrypted_) onDecrypted_(file, plain);
    return file;
  }

  const InstalledPermits& permits_;
  const ExchangeSetKeys& keys_;
  const Blowfish hardwareCipher_;
  CalendarDay today_;
  const DecryptedFileHandler& onDecrypted_;
  bool warnedNotByScheme_ = false;
};

}  // namespace

std::vector<ExchangeSetReport> checkExchangeSets(const std::string& folder, const InstalledPermits& permits,
                                                 const ExchangeSetKeys& keys, const SecureString& hardwareKey6,
                                                 const DataClientClock& clock, const DecryptedFileHandler& onDecrypted) {
  std::vector<ExchangeSetReport> reports;
  const std::vector<fs::path> catalogues = findCatalogues(folder);
  if (catalogues.empty()) {
    ExchangeSetReport report;
    report.catalogue = folder;
    report.reason = "no exchange set (CATALOG.031) in " + folder;
    reports.push_back(std::move(report));
    return reports;
  }
  for (const fs::path& catalogue : catalogues) {
    SetChecker checker(permits, keys, hardwareKey6, clock.today(), onDecrypted);
    reports.push_back(checker.check(catalogue));
  }
  return reports;
}
