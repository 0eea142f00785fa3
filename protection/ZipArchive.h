#pragma once
// Unpacking the zip archive an encrypted cell holds once decrypted, in
// memory only: libzip reads the archive from the decrypted buffer where it
// lies and inflates its file straight into the output (nothing touches the
// disk, nothing is copied on the way). The archive's directory says how
// large its file is: the output is sized from it, no more is taken, never
// more than `limit` bytes, and an archive that claims more is refused
// before anything is unpacked. The directory is what counts, so an archive
// whose local header leaves the sizes to a data descriptor after the data
// unpacks as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "SecureBytes.h"

enum class UnzipResult {
  Ok,
  NotZip,    // no zip archive, or one holding no file
  Damaged,   // the archive or its data is damaged (inconsistent headers, data that does not inflate, its CRC-32
             // wrong, the file shorter or longer than its directory says, an encrypted or unknown packing)
  TooLarge,  // the file claims to be larger than the limit
};

// Unpacks the archive's first file into `out` (emptied first). `reason`
// says what failed. `crc`, when given, gets the CRC-32 of the file
// unpacked: the one its archive gives, which libzip checked the data
// against while unpacking it.
UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc = nullptr);
