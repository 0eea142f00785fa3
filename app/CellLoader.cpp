#include "CellLoader.h"

#include <QFile>
#include <QRunnable>
#include <QStringList>
#include <QThreadPool>
#include <cerrno>
#include <filesystem>

#include "CellFolder.h"
#include "ChartEngine.h"
#include "ChartStore.h"
#include "ChineseText.h"
#include "StoreText.h"

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

// "20010131" as "2001-01-31"; another form as it is.
QString dayText(const std::string& yyyymmdd) {
  const QString d = QString::fromStdString(yyyymmdd);
  return d.size() == 8 ? d.left(4) + QLatin1Char('-') + d.mid(4, 2) + QLatin1Char('-') + d.mid(6) : d;
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
  Task(CellLoader& loader, QString storeFolder, DataClient client, QStringList only)
      : loader_(loader), directory_(std::move(storeFolder)), reportCells_(false), store_(true), only_(std::move(only)),
        client_(std::move(client)) {
    ++loader_.running_;
  }

  void run() override {
    if (store_) {
      runStore();
      return;
    }
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
  void runStore() {
    LoadReport report;
    report.directory = directory_;
    report.fromStore = true;
    ChartStore store(QFile::encodeName(directory_).toStdString());
    store.setDataClient(client_);
    std::string error;
    // Held for reading while its files are read: no import removes one.
    if (!store.load(error, 3000, true)) {
      const QString why = store.failure().kind != StoreMessageKind::None ? chineseStoreMessage(store.failure())
                                                                          : decoded(error);
      report.storeMessages << QStringLiteral("海图库无法读取：") + why;
    }
    for (const StoreMessage& message : store.messages()) report.storeMessages << chineseStoreMessage(message);
    // Said once: a row of the cell list and the status bar's line.
    for (const QString& message : report.storeMessages) {
      LoadFinding f;
      f.name = QStringLiteral("海图库");
      f.text = message;
      f.detail = directory_;
      report.findings.push_back(f);
    }
    for (const StoredCell& cell : store.index().cells) {
      if (loader_.stopRequested_) {
        report.stopped = true;
        break;
      }
      if (cell.status != CellStatus::InUse) continue;
      if (!only_.isEmpty() && !only_.contains(QString::fromStdString(cell.name))) continue;
      ++report.found;
      const OpenedCell opened = store.openCell(cell);
      if (opened.refused()) {
        LoadFinding f;
        f.name = QString::fromStdString(cell.name);
        QStringList codes;
        for (SseCode code : opened.sse) codes << chineseSseText(code, cell.name);
        f.text = codes.isEmpty() ? QStringLiteral("海图库中的文件无法读取") : codes.join(QStringLiteral("；"));
        f.detail = QString::fromStdString(opened.reason);
        f.failed = true;
        report.findings.push_back(f);
        continue;
      }
      CellLoadOptions options;
      options.updateFiles = &opened.source.updates;
      options.warnings = opened.source.warnings;
      options.fileBytes = opened.fileBytes;
      options.permitExpired = opened.permitExpired();
      CellLoadReport loaded;
      const CellLoadResult result = loader_.engine_.loadCell(opened.source.path, nullptr, options, &loaded);
      if (result.listed()) {
        ++report.listed;
        report.storeCells << QString::fromStdString(cell.name);
        for (const StoredUpdate& u : cell.updates)
          report.storeUpdates.push_back({QString::fromStdString(cell.name), u.number, dayText(u.issueDate),
                                         QString::fromStdString(u.applied).left(16).replace(QLatin1Char('T'), QLatin1Char(' '))});
        const CellPermitStanding& permit = opened.standing;
        StoredCellStanding standing;
        standing.cell = QString::fromStdString(cell.name);
        standing.encrypted = permit.encrypted;
        standing.permitted = permit.permitted;
        standing.permit = permit.state;
        standing.expiry = permit.permitted ? dayText(permit.expiry) : QString();
        standing.dataServer = QString::fromStdString(permit.dataServer);
        standing.notUpToDate = opened.notUpToDate();
        report.storeStandings.push_back(standing);
        // A cell behind its data server's product list: said first, once
        // for this load, and kept in its row of the cell list.
        if (standing.notUpToDate) {
          if (report.firstCellWarning.isEmpty()) report.firstCellWarning = chineseSseText(SseCode::CellNotUpToDate, cell.name);
          ++report.cellWarnings;
        }
        for (const LoadWarning& warning : loaded.cell->loadWarnings) {
          if (report.firstCellWarning.isEmpty()) report.firstCellWarning = chineseWarningText(warning);
          ++report.cellWarnings;
        }
        emit loader_.cellLoaded();
      } else if (result == ReaderResult::DuplicateCell) {
        report.alreadyLoaded << decoded(loaded.loadedAlready);
      } else {
        LoadFinding f = failedFile(QString::fromStdString(cell.name), result, loader_.engine_);
        report.findings.push_back(f);
      }
    }
    store.release();
    --loader_.running_;
    emit loader_.finished(report);
  }

  CellLoader& loader_;
  const QString directory_;  // as the starter passed it
  const bool reportCells_;
  const bool store_ = false;  // directory_ is a chart store
  const QStringList only_;
  const DataClient client_;
};

CellLoader::CellLoader(ChartEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {
  qRegisterMetaType<std::vector<S57Cell*>>("std::vector<S57Cell*>");
  qRegisterMetaType<LoadReport>("LoadReport");
}

CellLoader::~CellLoader() { stop(); }

void CellLoader::start(const QString& directory, bool reportCells) {
  QThreadPool::globalInstance()->start(new Task(*this, directory, reportCells));
}

void CellLoader::startStore(const QString& storeFolder, const DataClient& client, const QStringList& only) {
  QThreadPool::globalInstance()->start(new Task(*this, storeFolder, client, only));
}

void CellLoader::stop() {
  stopRequested_ = true;
  QThreadPool::globalInstance()->waitForDone();
  stopRequested_ = false;
}
