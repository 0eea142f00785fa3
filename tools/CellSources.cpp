#include "CellSources.h"

#include <cstdio>
#include <filesystem>

bool CellSources::fromFiles(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    CellSource source;
    source.path = file;
    // The updates beside it are found by the loader.
    cells.push_back(std::move(source));
  }
  return true;
}

bool CellSources::fromFolder(const char* command, const std::string& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    std::fprintf(stderr, "enctool %s: no such cell directory %s\n", command, folder.c_str());
    return false;
  }
  CellFolder scanned = scanCellFolder(folder);
  for (const LoadWarning& w : scanned.warnings)
    std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, folder.c_str(), w.text.c_str());
  cells = std::move(scanned.cells);
  return true;
}

bool CellSources::fromStore(const char* command, const std::string& folder, const DataClient& client,
                            bool leaveOutUnpermitted) {
  store = std::make_unique<ChartStore>(folder);
  store->setDataClient(client);
  std::string error;
  if (!store->load(error, 3000, true)) {
    std::fprintf(stderr, "enctool %s: %s\n", command, error.c_str());
    return false;
  }
  for (const StoreMessage& message : store->messages())
    std::fprintf(stderr, "enctool %s: %s: %s\n", command, folder.c_str(), message.text.c_str());
  for (const StoredCell& cell : store->index().cells) {
    if (cell.status != CellStatus::InUse) continue;
    const CellPermitStanding standing = store->permitStanding(cell);
    if (leaveOutUnpermitted && standing.encrypted && !standing.permitted) {
      std::fprintf(stderr, "enctool %s: %s: %s: not shown\n", command, cell.name.c_str(),
                   sseEnglishList({SseCode::PermitNotFound}).c_str());
      continue;
    }
    if (leaveOutUnpermitted && standing.encrypted && standing.state == PermitState::Expired)
      std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, cell.name.c_str(),
                   sseEnglishList({SseCode::PermitExpiredWhenShown}, cell.name).c_str());
    if (leaveOutUnpermitted && store->productStanding(cell).behind)
      std::fprintf(stderr, "enctool %s: %s: warning: %s\n", command, cell.name.c_str(),
                   sseEnglishList({SseCode::CellNotUpToDate}, cell.name).c_str());
    cells.push_back(store->cellSource(cell));
  }
  fileBytes = store->fileBytes();
  return true;
}
