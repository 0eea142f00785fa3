#include "StoreProtection.h"

#include <cstdio>

#include "OfferedCells.h"
#include "RegularFile.h"
#include "SignatureFile.h"

namespace {

// The signature file, when it is there; one larger than any signature file
// is handed on as such (the check says SSE 24 of it), not read whole.
std::optional<std::string> readSignature(const std::string& path) {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  if (path.empty() || openRegularFile(path, file, size) != RegularFileOpen::Opened) return std::nullopt;
  if (size > kMaxSignatureFileBytes) {
    std::fclose(file);
    return std::string(kMaxSignatureFileBytes + 1, ' ');
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  const size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
  std::fclose(file);
  if (got != bytes.size()) return std::nullopt;
  return bytes;
}

}  // namespace

StoreProtection::StoreProtection(const std::vector<StoredPermit>& permits, ExchangeSetKeys keys,
                                 const DataClient& client)
    : keys_(std::move(keys)), today_(client.clock.today()) {
  const SecureString key6 = hardwareKey6(client.identity);
  hardwareCipher_ = std::make_unique<const Blowfish>(reinterpret_cast<const unsigned char*>(key6.data()), key6.size());
  for (const StoredPermit& p : permits) permits_.permits.push_back(p.permit);
}

EncFileOutcome StoreProtection::openOffered(const OfferedFile& file, const std::string& cell,
                                            std::string_view encrypted, SecureBytes& plain) const {
  EncFileRequest request;
  request.cell = cell;
  request.encrypted = encrypted;
  request.signature = readSignature(file.signaturePath);
  request.issued = parseCompactDay(file.issueDate);
  request.listedCrc = file.listedCrc;
  request.dataServer = file.dataServer;
  return openEncFile(request, permits_, keys_, *hardwareCipher_, today_, plain);
}

EncFileOutcome StoreProtection::openKept(const std::string& cell, const StoredFile& file, std::string_view encrypted,
                                         SecureBytes& plain) const {
  return decryptKeptFile(cell, encrypted, file.dataServer, file.plainCrc, permits_, *hardwareCipher_, today_, plain);
}
