#include "CellLoader.h"

#include <QFile>
#include <QRunnable>
#include <QStringList>
#include <QThreadPool>

#include "CellFolder.h"
#include "ChartEngine.h"
#include "ChineseText.h"
#include "LibraryResult.h"

namespace {
QString fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return QFile::decodeName(QByteArray::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1)));
}
}  // namespace

QString libraryFailureText(const ChartEngine& engine) { return chineseLibraryFailureText(engine.libraryResult()); }

QString cellFailureText(const CellLoadResult& result, const ChartEngine& engine) {
  if (result.libraryMissing()) return libraryFailureText(engine);
  return chineseFailureText(result);
}

// One load on the pool (which deletes it); counted by its loader from the
// hand-off, so a second import is refused at once.
class CellLoader::Task : public QRunnable {
public:
  Task(CellLoader& loader, QString directory, bool reportCells)
      : loader_(loader), directory_(std::move(directory)), reportCells_(reportCells) {
    ++loader_.running_;
  }

  void run() override {
    // File names go to the reader in the file system's 8-bit encoding.
    const CellFolder folder = scanCellFolder(QFile::encodeName(directory_).toStdString());
    QStringList failures, warnings;
    std::vector<S57Cell*> listed;
    for (const CellSource& source : folder.cells) {
      if (loader_.stopRequested_) break;
      CellLoadOptions options;
      options.updateFiles = &source.updates;
      options.warnings = source.warnings;
      CellLoadReport report;
      const CellLoadResult result = loader_.engine_.loadCell(source.path, nullptr, options, &report);
      if (result.listed()) {  // a finding is its first warning
        listed.push_back(report.cell);
        for (const LoadWarning& warning : report.cell->loadWarnings) warnings << chineseWarningText(warning);
        emit loader_.cellLoaded();  // shown as it comes
      } else {
        failures << fileName(source.path) + QStringLiteral(": ") + cellFailureText(result, loader_.engine_);
      }
    }
    for (const LoadWarning& warning : folder.warnings) warnings << chineseWarningText(warning);
    if (reportCells_ && !listed.empty() && !loader_.stopRequested_) emit loader_.cellsListed(listed);
    --loader_.running_;
    emit loader_.finished(failures.join(QLatin1Char('\n')), warnings.join(QLatin1Char('\n')));
  }

private:
  CellLoader& loader_;
  const QString directory_;  // as the starter passed it
  const bool reportCells_;
};

CellLoader::CellLoader(ChartEngine& engine, QObject* parent) : QObject(parent), engine_(engine) {
  qRegisterMetaType<std::vector<S57Cell*>>("std::vector<S57Cell*>");
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
