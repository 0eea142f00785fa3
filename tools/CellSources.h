#pragma once
// The cells a command was given, as the loader takes them: cell files (the
// updates beside each found by the loader), a folder (every cell at any
// depth with its update files and what its catalogues say of them), or a
// chart store (the cells in use with the updates applied, read through the
// store, which stays locked for reading while the command loads them).
#include <memory>
#include <string>
#include <vector>

#include "CellFileBytes.h"
#include "CellFolder.h"
#include "ChartStore.h"

struct CellSources {
  std::vector<CellSource> cells;
  CellFileBytes fileBytes;             // set for a store
  std::unique_ptr<ChartStore> store;   // set for a store

  // Each returns false, with the reason on standard error ("enctool
  // COMMAND: ..."), when the cells cannot be had.
  bool fromFiles(const std::vector<std::string>& files);
  bool fromFolder(const char* command, const std::string& folder);
  // The cells of a store are decrypted for `client`; with
  // `leaveOutUnpermitted`, an encrypted cell no permit is installed for is
  // named on standard error (SSE 11) and left out; one whose permit has
  // expired is named with the warning it is shown with (SSE 25), and one
  // behind its data server's latest product list with SSE 27.
  bool fromStore(const char* command, const std::string& folder, const DataClient& client = DataClient(),
                 bool leaveOutUnpermitted = true);
};
