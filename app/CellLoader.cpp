#include "CellLoader.h"

#include <QFile>
#include <QRunnable>
#include <QStringList>
#include <QThreadPool>

#include "CellFolder.h"
#include "CellList.h"
#include "ChartView.h"
#include "ChineseText.h"
#include "Engine.h"
#include "EngineState.h"
#include "LibraryResult.h"
#include "ReaderResult.h"

namespace {
QString fileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return QFile::decodeName(QByteArray::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1)));
}
}  // namespace

QString libraryFailureText() { return chineseLibraryFailureText(engineState().libraryResult); }

QString cellFailureText(int code) {
  if (code == 1 && !engineState().libraryLoaded) return libraryFailureText();
  return chineseFailureText(code, engineState().libraryLoaded);
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
      const int code = loadCell(source.path, loadingChartView(), cellList(), options, &report);
      if (code == 0 || cellListedDespite(code)) {  // listed; a finding is its first warning
        listed.push_back(report.cell);
        for (const LoadWarning& warning : report.cell->loadWarnings) warnings << chineseWarningText(warning);
        emit loader_.cellLoaded();  // shown as it comes
      } else {
        failures << fileName(source.path) + QStringLiteral(": ") + cellFailureText(code);
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

CellLoader::CellLoader(QObject* parent) : QObject(parent) {
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
