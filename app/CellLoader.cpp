#include "CellLoader.h"

#include <QFile>
#include <QRunnable>
#include <QStringList>
#include <QThreadPool>
#include <cerrno>
#include <filesystem>

#include "CellFolder.h"
#include "ChartEngine.h"
#include "ChineseText.h"

namespace {
QString decoded(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// A finding that belongs to no cell as a row: "file：text" split at its
// file, the English line as the detail.
LoadFinding findingRow(const LoadWarning& warning) {
  const QString line = chineseWarningText(warning);
  const int colon = line.indexOf(QStringLiteral("："));
  LoadFinding f;
  f.name = colon < 0 ? QString() : line.left(colon);
  f.text = colon < 0 ? line : line.mid(colon + 1);
  f.detail = decoded(warning.text);
  return f;
}

// The loaded cell of that name, or null.
S57Cell* loadedCell(const CellSnapshot& cells, const std::string& name) {
  for (S57Cell* cell : *cells)
    if (cell->name == name) return cell;
  return nullptr;
}
}  // namespace

// One load on the pool (which deletes it); counted by its loader from the
// hand-off, so a second import is refused at once.
class CellLoader::Task : public QRunnable {
public:
  Task(CellLoader& loader, QString directory, bool reportCells)
      : loader_(loader), directory_(std::move(directory)), reportCells_(reportCells) {
    ++loader_.running_;
  }

  void run() override {
    LoadReport report;
    report.directory = directory_;
    report.requested = reportCells_;
    // File names go to the reader in the file system's 8-bit encoding.
    const CellFolder folder = scanCellFolder(QFile::encodeName(directory_).toStdString());
    report.found = static_cast<int>(folder.cells.size());
    report.folderError = folder.folderError;
    report.unreadableFolders = folder.unreadableFolders;
    std::vector<S57Cell*> listed;
    std::vector<LoadFinding> failures;
    for (const CellSource& source : folder.cells) {
      if (loader_.stopRequested_) {
        report.stopped = true;
        break;
      }
      CellLoadOptions options;
      options.updateFiles = &source.updates;
      options.warnings = source.warnings;
      CellLoadReport loaded;
      const CellLoadResult result = loader_.engine_.loadCell(source.path, nullptr, options, &loaded);
      if (result.listed()) {  // a finding is its first warning
        listed.push_back(loaded.cell);
        ++report.listed;
        for (const LoadWarning& warning : loaded.cell->loadWarnings) {
          if (report.firstCellWarning.isEmpty()) report.firstCellWarning = chineseWarningText(warning);
          ++report.cellWarnings;
        }
        emit loader_.cellLoaded();  // shown as it comes
      } else if (result == ReaderResult::DuplicateCell) {
        report.alreadyLoaded << decoded(loaded.loadedAlready);
      } else {
        failures.push_back(failedFile(decoded(source.path), result, loader_.engine_));
      }
    }
    report.findings = std::move(failures);
    // Updates whose base is not beside them are not applied: each set named.
    for (const CellSource& alone : folder.updatesAlone) {
      if (alone.updates.empty()) continue;
      LoadFinding f;
      f.name = decoded(std::filesystem::path(alone.updates.front().path).filename().string());
      f.text = QStringLiteral("%1个更新文件没有同名的基础海图（*.000），未应用").arg(alone.updates.size());
      f.detail = decoded(alone.updates.front().path) + QStringLiteral(": update files without their base cell beside them");
      report.findings.push_back(f);
    }
    // A start-up folder that is not there is no fault.
    const bool quiet = !reportCells_ && folder.folderError == ENOENT;
    if (!quiet)
      for (const LoadWarning& warning : folder.warnings) report.findings.push_back(findingRow(warning));
    if (folder.folderError != 0) --report.unreadableFolders;  // the folder itself: its own line
    // A folder the user chose that holds no cell says so in the cell list too.
    if (reportCells_ && folder.folderError == 0 && folder.cells.empty() && folder.unreadableFolders == 0) {
      LoadFinding none;
      none.name = directory_;
      none.text = QStringLiteral("文件夹中没有S-57海图文件（*.000）");
      report.findings.push_back(none);
    }
    if (reportCells_ && !loader_.stopRequested_) {
      const CellSnapshot cells = loader_.engine_.cells().snapshot();
      for (const QString& name : report.alreadyLoaded)
        if (S57Cell* cell = loadedCell(cells, QFile::encodeName(name).toStdString())) listed.push_back(cell);
      if (!listed.empty()) emit loader_.cellsListed(listed);
    }
    --loader_.running_;
    emit loader_.finished(report);
  }

private:
  CellLoader& loader_;
  const QString directory_;  // as the starter passed it
  const bool reportCells_;
};

CellLoader::CellLoader(ChartEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {
  qRegisterMetaType<std::vector<S57Cell*>>("std::vector<S57Cell*>");
  qRegisterMetaType<LoadReport>("LoadReport");
}

CellLoader::~CellLoader() { stop(); }

void CellLoader::start(const QString& directory, bool reportCells) {
  QThreadPool::globalInstance()->start(new Task(*this, directory, reportCells));
}

void CellLoader::stop() {
  stopRequested_ = true;
  QThreadPool::globalInstance()->waitForDone();
  stopRequested_ = false;
}
