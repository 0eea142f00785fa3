#pragma once
// Where the bytes of a cell's files come from. By default a loader reads
// them from disk by their path; a chart store hands over its own copies
// instead (checked against the CRC-32 it recorded, and decrypted where it
// keeps them encrypted), so nothing above the store reads its files behind
// its back. The bytes come in memory that is wiped when freed: decrypted
// chart data goes from the decryption to the reader without a copy and
// leaves nothing behind.
#include <functional>
#include <string>

#include "ReaderResult.h"
#include "SecureBytes.h"

// Fills `bytes` with the whole file `path` names; returns Ok or the
// reader's result (CannotOpen, NotRegularFile, CrcMismatch, ...).
using CellFileBytes = std::function<ReaderResult(const std::string& path, SecureBytes& bytes)>;
