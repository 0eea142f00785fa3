#pragma once
// Unpacking the zip archive an encrypted cell holds once decrypted, in
// memory only (libzip reads from the buffer; nothing touches the disk).
// The archive's directory says how large its file is: no more is taken,
// never more than `limit` bytes, and an archive that claims more is
// refused before anything is unpacked.
#include <cstddef>
#include <cstdint>
#include <string>

#include "SecureBytes.h"

enum class UnzipResult {
  Ok,
  NotZip,    // no zip archive, or one holding no file
  Damaged,   // the archive or its data is damaged (libzip's CRC check, a short read, an encrypted entry)
  TooLarge,  // the file claims or turns out to be larger than the limit
};

// Unpacks the archive's first file into `out` (emptied first). `reason`
// says what failed. `crc`, when given, gets the CRC-32 of the file
// unpacked: the one its archive gives, which libzip checked the data
// against while unpacking it.
UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc = nullptr);
