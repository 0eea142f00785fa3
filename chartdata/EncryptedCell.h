#pragma once
// Telling an S-63 encrypted cell from a damaged one. Encrypted, a cell file
// is not ISO 8211 at all; what marks it is where it lies: a cell file name
// (NAME.000 to NAME.999) inside an exchange set whose folder holds the data
// server's SERIAL.ENC beside ENC_ROOT. Such a file can only be read through
// the chart store, with its permits; read as a plain cell it is reported
// as encrypted (ReaderResult::Encrypted), not as a file that is no ISO 8211.
#include <string>

// Whether `path`, whose bytes did not read as ISO 8211, is a cell file of an
// encrypted exchange set. Looks at the names only: the file name and, up
// the folders from it, an ENC_ROOT whose parent holds SERIAL.ENC.
bool inEncryptedExchangeSet(const std::string& path);

// The same judged on the file itself: its first bytes are no ISO 8211
// leader and it lies in an encrypted exchange set. For a file refused
// before it is read (its catalogue's CRC-32 is that of the decrypted bytes).
bool isEncryptedCellFile(const std::string& path);
