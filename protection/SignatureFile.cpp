#include "SignatureFile.h"

#include <cctype>

#include "KeyText.h"

namespace {

bool readPair(const KeyText& text, size_t first, DsaSignatureValue& value, std::string& reason) {
  static const char* const kNames[2] = {"Signature part R:", "Signature part S:"};
  std::string* parts[2] = {&value.r, &value.s};
  for (size_t i = 0; i < 2; ++i) {
    const size_t at = first + i;
    if (at >= text.elements.size()) {
      reason = at == text.elements.size() && !text.complete ? text.fault
                                                           : std::string("the element \"") + kNames[i] + "\" is missing";
      return false;
    }
    const KeyTextElement& element = text.elements[at];
    if (!headerIs(element, kNames[i])) {
      reason = "\"" + element.header + "\" stands where \"" + kNames[i] + "\" belongs";
      return false;
    }
    if (element.digits.size() != kSignatureDigits) {
      reason = std::string("\"") + kNames[i] + "\" has " + std::to_string(element.digits.size()) + " digits, not " +
               std::to_string(kSignatureDigits);
      return false;
    }
    *parts[i] = element.digits;
  }
  return true;
}

bool encNameShape(std::string_view name) {
  if (name.size() != 12 || name[8] != '.') return false;
  for (size_t i = 9; i < 12; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return std::isalnum(static_cast<unsigned char>(name[0])) && std::isalnum(static_cast<unsigned char>(name[1]));
}

std::string_view baseName(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

SseCode parseEncSignatureFile(std::string_view bytes, EncSignatureFile& file, std::string& reason) {
  if (bytes.size() > kMaxSignatureFileBytes) {
    reason = "larger than any signature file";
    return SseCode::EncSignatureFormat;
  }
  const KeyText text = readKeyText(bytes, 8);
  EncSignatureFile read;
  if (!readPair(text, 0, read.encSignature, reason)) return SseCode::EncSignatureFormat;
  if (text.elements.size() == 2 && text.complete) {
    reason = "the signature file holds no data server certificate";
    return SseCode::ServerCertificateMissing;
  }
  if (!readPair(text, 2, read.certificateSignature, reason)) return SseCode::ServerCertificateFormat;
  reason = readPublicKey(text, 4, read.serverKey);
  if (reason.empty() && !text.complete) reason = text.fault;
  if (reason.empty() && text.elements.size() != 8) reason = "elements follow the data server's public key";
  if (!reason.empty()) return SseCode::ServerCertificateFormat;
  read.serverKeyText.assign(bytes.substr(text.elements[4].start));
  file = std::move(read);
  return SseCode::None;
}

std::string signatureFileName(std::string_view cellFileName) {
  const std::string_view name = baseName(cellFileName);
  if (!isEncFileName(name)) return {};
  std::string signature(name);
  signature[2] = static_cast<char>('I' + (name[2] - '1'));
  return signature;
}

bool isSignatureFileName(std::string_view fileName) {
  const std::string_view name = baseName(fileName);
  return encNameShape(name) && name[2] >= 'I' && name[2] <= 'N';
}

bool isEncFileName(std::string_view fileName) {
  const std::string_view name = baseName(fileName);
  return encNameShape(name) && name[2] >= '1' && name[2] <= '6';
}
