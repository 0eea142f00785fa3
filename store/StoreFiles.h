#pragma once
// The files of a chart store, inside its folder. Every read and write of
// the store's own files goes through here: reading checks a file against
// the CRC-32 it was stored with (and is where copies kept encrypted will be
// decrypted), writing puts a file beside its place, flushes it to disk and
// renames it there, so a file the index names is never half written.
//
// Paths are the store's own: cells/NAME/K/NAME.NNN (NAME a cell name, K a
// folder number), the index, the permits, and the keys of the protection
// scheme (keys/scheme/NAME, keys/other/NAME) and the data servers' product
// lists (products/XX). A path of any other form,
// from a damaged or hostile index, is refused, and no link inside the
// store is followed out of it, so nothing outside the store's folder is
// read, written or deleted.
#include <functional>
#include <set>
#include <vector>
#include <string>
#include <string_view>

#include "ReaderResult.h"
#include "SecureBytes.h"
#include "StoredCell.h"

class StoreFiles {
public:
  explicit StoreFiles(std::string root);

  const std::string& root() const { return root_; }
  // The file's place on disk.
  std::string absolute(const std::string& relative) const { return root_ + "/" + relative; }

  // Reads a stored file whole; Ok, or CannotOpen, NotRegularFile,
  // FileTooLarge, CrcMismatch (ReaderResult.h).
  ReaderResult read(const StoredFile& file, std::string& bytes) const;
  // The same into memory wiped when freed, for the loader.
  ReaderResult read(const StoredFile& file, SecureBytes& bytes) const;
  // The same for a file the index does not describe yet (a rebuild):
  // no CRC to check against.
  ReaderResult readUnchecked(const std::string& relative, std::string& bytes) const;
  // The store's other files (the index, the permits, a key): Ok, or
  // CannotOpen (absent among them), NotRegularFile, FileTooLarge.
  ReaderResult readOwn(const std::string& relative, std::string& bytes) const;
  // The names of the files in one of the key folders ("keys/scheme"), the
  // newest first.
  std::vector<std::string> keyFiles(const std::string& folder) const;
  // Removes one of the store's own files that is not a cell file (a key
  // replaced); false when it is there and cannot be removed.
  bool remove(const std::string& relative, std::string& error) const;

  // Writes `bytes` as `relative` (its folders made as needed); false with
  // the reason in `error`. `faultBeforeRename`, when set, is asked before
  // each rename and fails the write when it says no. A durable write is on
  // disk, renamed, before it returns (the index); the others (cell files,
  // which no index names yet) reach the disk with flush().
  bool write(const std::string& relative, std::string_view bytes, std::string& error, bool durable = true) const;
  // Puts every file written so far onto the disk: one flush of the store's
  // file system, before the index that names them is written.
  bool flush(std::string& error) const;

  // Removes every file under cells/ that `keep` does not name, partial
  // files left by an import that did not finish, and folders left empty.
  void removeUnreferenced(const std::set<std::string>& keep) const;

  std::function<bool(const std::string& relative)> faultBeforeRename;

private:
  std::string root_;
};

// Reads a regular file whole (a cell file offered to the store); Ok, or
// CannotOpen, NotRegularFile or FileTooLarge.
ReaderResult readWholeFile(const std::string& path, std::string& bytes);
ReaderResult readWholeFile(const std::string& path, SecureBytes& bytes);

// Whether `relative` is a path of a cell file the store may hold:
// cells/NAME/K/NAME.NNN with one cell name twice and K a folder number.
bool isStoredCellPath(std::string_view relative);

// Whether `relative` is a key file of the store: keys/scheme/NAME or
// keys/other/NAME, NAME of letters, digits, '.', '_' and '-' (1 to 32, not
// beginning with '.').
bool isStoredKeyPath(std::string_view relative);

// Whether `relative` is a data server's product list: products/XX, XX two
// letters or digits.
bool isStoredProductListPath(std::string_view relative);

// "cells/NAME/K".
std::string cellFolderPath(const std::string& cell, int folder);

// The CRC-32 as 8 upper-case hex digits.
std::string crcText(std::uint32_t crc);
