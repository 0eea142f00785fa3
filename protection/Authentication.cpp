#include "Authentication.h"

#include "KeyText.h"
#include "SignatureFile.h"

namespace {

// R, S, then a public key, as both a self-signed key and a data server
// certificate are laid out. False with the reason for a malformed file.
bool readSignedKey(std::string_view bytes, DsaSignatureValue& signature, DsaPublicKey& key, std::string& keyText,
                   std::string& reason) {
  if (bytes.size() > kMaxSignatureFileBytes) {
    reason = "larger than any key file";
    return false;
  }
  const KeyText text = readKeyText(bytes, 6);
  if (!text.complete) {
    reason = text.fault;
    return false;
  }
  if (text.elements.size() != 6 || !headerIs(text.elements[0], "Signature part R:") ||
      !headerIs(text.elements[1], "Signature part S:") || text.elements[0].digits.size() != kSignatureDigits ||
      text.elements[1].digits.size() != kSignatureDigits) {
    reason = "not a signature (R, S) followed by a public key (BIG p, q, g, y)";
    return false;
  }
  reason = readPublicKey(text, 2, key);
  if (!reason.empty()) return false;
  signature.r = text.elements[0].digits;
  signature.s = text.elements[1].digits;
  keyText.assign(bytes.substr(text.elements[2].start));
  return true;
}

}  // namespace

AuthenticationResult authenticateEncFile(const std::optional<std::string>& signature, std::string_view encryptedFile,
                                         const SchemeKey& schemeKey, const std::vector<SchemeKey>& otherKeys) {
  AuthenticationResult result;
  const auto refuse = [&](SseCode code, std::string reason) {
    result.codes.push_back(code);
    result.reason = std::move(reason);
    return result;
  };
  if (!signature) return refuse(SseCode::ServerCertificateMissing, "the signature file is absent");
  EncSignatureFile file;
  std::string reason;
  if (const SseCode code = parseEncSignatureFile(*signature, file, reason); code != SseCode::None)
    return refuse(code, "signature file: " + reason);

  const Sha1Digest keyDigest = sha1Digest(file.serverKeyText);
  if (verifyDsa(schemeKey.key, keyDigest, file.certificateSignature)) {
    result.authority = schemeKey.source;
  } else {
    for (const SchemeKey& other : otherKeys)
      if (verifyDsa(other.key, keyDigest, file.certificateSignature)) {
        result.authority = other.source;
        result.codes.push_back(SseCode::NotAuthenticatedByScheme);
        break;
      }
    if (result.authority.empty())
      return refuse(SseCode::ServerCertificateNotBySchemeKey,
                    "the data server certificate does not verify with the scheme administrator's key (" +
                        schemeKey.source + ")");
  }
  if (!verifyDsa(file.serverKey, sha1Digest(encryptedFile), file.encSignature))
    return refuse(SseCode::EncSignatureInvalid, "the data server's signature of the file does not verify");
  result.authentic = true;
  return result;
}

SseCode checkSelfSignedKey(std::string_view bytes, std::string& reason) {
  DsaSignatureValue signature;
  DsaPublicKey key;
  std::string keyText;
  if (!readSignedKey(bytes, signature, key, keyText, reason)) return SseCode::SelfSignedKeyFormat;
  if (verifyDsa(key, sha1Digest(keyText), signature)) return SseCode::None;
  reason = "the signature does not verify with the key it signs";
  return SseCode::SelfSignedKeyInvalid;
}

SseCode checkServerCertificate(std::string_view bytes, const SchemeKey& schemeKey, std::string& reason) {
  DsaSignatureValue signature;
  DsaPublicKey key;
  std::string keyText;
  if (!readSignedKey(bytes, signature, key, keyText, reason)) return SseCode::ServerCertificateFormat;
  if (verifyDsa(schemeKey.key, sha1Digest(keyText), signature)) return SseCode::None;
  reason = "the certificate does not verify with the scheme administrator's key (" + schemeKey.source + ")";
  return SseCode::ServerCertificateInvalid;
}
