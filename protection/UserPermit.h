#pragma once
// The user permit: the installation's HW_ID encrypted with the
// manufacturer's key, a CRC-32 of that, and the manufacturer's identifier,
// 28 characters that a mariner hands a data server to get cell permits:
//   16 hex digits   the HW_ID (5 bytes, padded to a block) Blowfish-encrypted with M_KEY
//    8 hex digits   CRC-32 of those 16 digits as text
//    4 hex digits   M_ID as the hex of its two ASCII characters
#include <string>
#include <string_view>

#include "ManufacturerIdentity.h"
#include "SecureBytes.h"
#include "SseCode.h"

std::string makeUserPermit(const ManufacturerIdentity& identity);

// Checks a user permit read back (from a file, a setting, typed): None, or
// SSE 17 when it is not 28 hex digits or its CRC does not match.
SseCode checkUserPermit(std::string_view permit);

// What a data server does with it: the HW_ID recovered with the
// manufacturer's key. SSE 17 as above, SSE 18 when what decrypts is not a
// 5-digit HW_ID.
SseCode hardwareIdFromUserPermit(std::string_view permit, std::string_view manufacturerKey, SecureString& hardwareId);
