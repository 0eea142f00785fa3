#include "StoreRebuild.h"

#include <sys/stat.h>

#include <QDateTime>
#include <algorithm>
#include <filesystem>

#include "CellImport.h"
#include "CellName.h"
#include "OfferedCells.h"

namespace fs = std::filesystem;

StoreIndex rebuildIndex(const StoreFiles& files, const StoreProtection* protection) {
  std::vector<OfferedCell> offered;
  int lastFolder = 0;
  const fs::path cells = fs::path(files.root()) / "cells";
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(cells, ec))) {
    for (fs::recursive_directory_iterator it(cells, fs::directory_options::none, ec), end; !ec && it != end;
         it.increment(ec)) {
      const std::string relative = it->path().lexically_relative(files.root()).generic_string();
      if (!isStoredCellPath(relative)) continue;
      struct stat st;
      if (::lstat(it->path().c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      OfferedFile file;
      file.name = it->path().filename().string();
      file.path = files.absolute(relative);
      file.number = cellFileNumber(file.name);
      file.storedPath = relative;
      file.storedAt = QDateTime::fromSecsSinceEpoch(st.st_mtime, Qt::UTC).toString(Qt::ISODate).toStdString();
      const std::string folder = relative.substr(0, relative.rfind('/'));
      lastFolder = std::max(lastFolder, std::atoi(folder.substr(folder.rfind('/') + 1).c_str()));
      const std::string cell = cellNameOfFile(file.name);
      addOfferedFile(offered, cell, std::move(file));
    }
  }
  StoreIndex index;
  index.nextFolder = lastFolder + 1;
  CellImportContext context{files, QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString(),
                            index.nextFolder, true, protection, {}};
  for (const OfferedCell& cell : offered) {
    CellImportResult result = importCell(nullptr, cell, context);
    if (!result.keep || result.cell.status == CellStatus::Refused) continue;
    result.cell.issue = StoreIssue();  // the files' own history, not a refusal
    index.cells.push_back(std::move(result.cell));
  }
  return index;
}
