#pragma once
// Where the bytes of a cell's files come from. By default a loader reads
// them from disk by their path; a chart store hands over its own copies
// instead (checked against the CRC-32 it recorded, and decrypted where it
// keeps them encrypted), so nothing above the store reads its files behind
// its back.
#include <functional>
#include <string>

// Fills `bytes` with the whole file `path` names; returns 0 or a reader
// code (ReaderResult.h: ReaderCannotOpen, ReaderNotRegularFile,
// ReaderCrcMismatch, ...).
using CellFileBytes = std::function<int(const std::string& path, std::string& bytes)>;
