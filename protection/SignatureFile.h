#pragma once
// The signature file beside each encrypted cell and update: the data
// server's signature of the encrypted file (the first R and S), then its
// certificate, the scheme administrator's signature (the second R and S)
// of the data server's public key (BIG p, q, g, y) that follows. The file
// is named after the cell with its third character, the navigational
// purpose 1 to 6, replaced by I to N: GB100001.000 is signed in
// GBI00001.000.
#include <string>
#include <string_view>

#include "DsaSignature.h"
#include "SseCode.h"

struct EncSignatureFile {
  DsaSignatureValue encSignature;          // the data server's, of the encrypted file
  DsaSignatureValue certificateSignature;  // the scheme administrator's, of the public key text
  std::string serverKeyText;               // from the "// BIG p" line to the end, the bytes it signs
  DsaPublicKey serverKey;
};

// Signature files are under a kilobyte; larger files are refused unread.
inline constexpr std::size_t kMaxSignatureFileBytes = 64 * 1024;

// None; SSE 24 when the first R and S pair is not as the scheme lays it
// out (two elements of 40 digits); SSE 07 when no certificate follows it;
// SSE 04 when the certificate is malformed. `reason` says what is wrong.
SseCode parseEncSignatureFile(std::string_view bytes, EncSignatureFile& file, std::string& reason);

// The name of the signature file of a cell or update file name (the name
// alone, any path left out); "" when the name has no navigational purpose
// 1 to 6 as its third character.
std::string signatureFileName(std::string_view cellFileName);

// Whether a file name is a signature file's (third character I to N) of
// the form CC?XXXXX.EEE with a numeric extension.
bool isSignatureFileName(std::string_view fileName);
// Whether a file name is a cell or update file's: CC[1-6]XXXXX.EEE, a
// numeric extension.
bool isEncFileName(std::string_view fileName);
