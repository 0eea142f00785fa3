#include "UpdateChain.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "ReaderResult.h"
#include "S57CellReader.h"
#include "UpdateApplication.h"
#include "UpdateFile.h"
#include "UpdateResult.h"

namespace fs = std::filesystem;

namespace {

// "US5WA22M.001" -> "US5WA22M".
std::string_view stemOf(std::string_view name) {
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// 1 to 999 for an extension of three digits, else 0.
int updateNumber(std::string_view extension) {
  if (extension.size() != 3) return 0;
  int n = 0;
  for (const char c : extension) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

UpdateFileReader updateFileReader(const CellFileBytes& fileBytes) {
  return [fileBytes](const UpdateFileName& file, UpdateFile& out, std::string& detail) {
    SecureBytes bytes;
    if (const ReaderResult code = fileBytes(file.path, bytes); code != ReaderResult::Ok) {
      detail = "reader code " + std::to_string(resultCode(code)) + ": " + readerResultText(code);
      return code == ReaderResult::CrcMismatch ? UpdateResult::CrcMismatch : UpdateResult::CannotRead;
    }
    return readUpdateBytes(bytesView(bytes), out, detail);
  };
}

bool cancelsCell(const DataSetIdentification& update) {
  const std::string& edition = update.EDTN;
  return update.EXPP == 2 && !edition.empty() &&
         edition.find_first_not_of('0') == std::string::npos;
}

UpdateResult checkUpdateIdentity(const DataSetIdentification& update, const DataSetIdentification& base,
                                 int number, std::string& detail) {
  if (update.EXPP != 2) {
    detail = "its DSID says EXPP " + std::to_string(update.EXPP) + ", not 2";
    return UpdateResult::NotAnUpdate;
  }
  if (stemOf(update.DSNM) != stemOf(base.DSNM)) {
    detail = "its DSID names " + update.DSNM + ", the cell is " + base.DSNM;
    return UpdateResult::NotAnUpdate;
  }
  if (std::atoi(update.EDTN.c_str()) != std::atoi(base.EDTN.c_str())) {
    detail = "edition " + update.EDTN + ", the cell's is " + base.EDTN;
    return UpdateResult::WrongEdition;
  }
  if (std::atoi(update.UPDN.c_str()) != number) {
    detail = "its DSID says UPDN " + update.UPDN;
    return UpdateResult::WrongNumber;
  }
  return UpdateResult::Ok;
}

std::vector<UpdateFileName> findUpdateFiles(const std::string& basePath) {
  std::vector<UpdateFileName> files;
  const fs::path base(basePath);
  const std::string stem = base.stem().string();
  const fs::path folder = base.has_parent_path() ? base.parent_path() : fs::path(".");
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    if (path.stem().string() != stem) continue;
    const std::string extension = path.extension().string();
    const int number = extension.size() == 4 ? updateNumber(std::string_view(extension).substr(1)) : 0;
    // One that is no regular file (a FIFO, a folder) is listed too: its
    // read is refused at once, and the chain stops there with the reason.
    if (number > 0) files.push_back({number, path.string()});
  }
  std::sort(files.begin(), files.end(),
            [](const UpdateFileName& a, const UpdateFileName& b) { return a.number < b.number; });
  return files;
}

UpdateChainResult applyUpdateChain(S57CellReader& base, const std::vector<UpdateFileName>& files,
                                   const UpdateFileReader& read) {
  UpdateChainResult result;
  const DataSetIdentification& cell = base.dataSetIdentification;
  const int included = std::max(0, std::atoi(cell.UPDN.c_str()));
  int expected = included + 1;
  std::optional<UpdateApplication> application;  // indexes the cell on first use
  for (const UpdateFileName& file : files) {
    if (file.number <= included) continue;
    const std::string name = fs::path(file.path).filename().string();
    std::string detail;
    UpdateResult code = UpdateResult::Ok;
    UpdateFile update;
    if (!file.crcFailure.empty()) {
      detail = file.crcFailure;
      code = UpdateResult::CrcMismatch;
    }
    if (code == UpdateResult::Ok)
      code = read ? read(file, update, detail) : readUpdateFile(file.path, update, detail);
    // A cancellation withdraws the cell whatever came before it.
    if (code == UpdateResult::Ok && cancelsCell(update.dataSet) &&
        stemOf(update.dataSet.DSNM) == stemOf(cell.DSNM)) {
      result.cancelled = true;
      result.cancellationFile = name;
      result.cancellationNumber = file.number;
      result.cancellationDate = update.dataSet.ISDT;
      break;
    }
    if (code == UpdateResult::Ok && file.number != expected) {
      detail = "update " + std::to_string(expected) + " is absent";
      code = UpdateResult::Gap;
    }
    if (code == UpdateResult::Ok) code = checkUpdateIdentity(update.dataSet, cell, file.number, detail);
    UpdateChanges changes{file.number, {}};
    if (code == UpdateResult::Ok) {
      if (!application) application.emplace(base);
      // Where each feature to be deleted stands, before it goes.
      for (const auto& f : update.features) {
        UpdatedFeature u{f->RUIN, f->AGEN, f->FIDN, f->FIDS, false, 0, 0};
        SG2D at;
        if (f->RUIN == 2 && application->featurePosition(*f, at)) u.located = true, u.y = at.YCOO, u.x = at.XCOO;
        changes.features.push_back(u);
      }
      code = application->apply(update, detail);
    }
    if (code != UpdateResult::Ok) {
      result.code = code;
      result.stop = updateStoppedWarning(name, code, detail);
      result.error = result.stop.text;
      break;
    }
    result.applied.push_back(file.number);
    result.issueDates.push_back(update.dataSet.ISDT);
    result.changes.push_back(std::move(changes));
    ++expected;
  }
  if (application) application->finish();
  return result;
}
