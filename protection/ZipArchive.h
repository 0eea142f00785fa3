#pragma once
// Unpacking the zip archive an encrypted cell holds once decrypted, in
// memory only, straight from the decrypted buffer into the output (nothing
// touches the disk). The archive's central directory says where its first
// file lies, how it is packed (stored, or deflated: libdeflate inflates
// it), how large it is and its CRC-32; no more than that size is taken,
// never more than `limit` bytes, and an archive that claims more is
// refused before anything is unpacked. The directory is what counts, so
// an archive whose local header leaves the sizes to a data descriptor
// after the data unpacks as well.
#include <cstddef>
#include <cstdint>
#include <string>

#include "SecureBytes.h"

enum class UnzipResult {
  Ok,
  NotZip,    // no zip archive (no end of central directory), or one holding no file
  Damaged,   // the archive or its data is damaged (a header or the data out of place, the inflated
             // data not what the directory says, its CRC-32 wrong, an encrypted or unknown packing)
  TooLarge,  // the file claims to be larger than the limit
};

// Unpacks the archive's first file into `out` (emptied first). `reason`
// says what failed. `crc`, when given, gets the CRC-32 of the file
// unpacked: the one its archive gives, which the unpacked data was checked
// against.
UnzipResult unzipFirstFile(const unsigned char* data, std::size_t size, std::size_t limit, SecureBytes& out,
                           std::string& reason, std::uint32_t* crc = nullptr);
