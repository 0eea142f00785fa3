#include "LoadTask.h"

#include <QDir>
#include <QFile>
#include <QMetaObject>
#include <QThreadPool>
#include <atomic>

#include "DisplaySettings.h"
#include "Engine.h"
#include "LibraryResult.h"
#include "MainWindow.h"
#include "ReaderResult.h"

namespace {
std::atomic<int> tasksRunning{0};
std::atomic<bool> stopRequested{false};
}  // namespace

bool loadingInProgress() { return tasksRunning.load() > 0; }

QString libraryFailureText() {
  QString text = QStringLiteral("the presentation library (S57Lib) is not loaded");
  const int code = engineState().libraryResult;
  if (code != 0) text += QStringLiteral(": ") + QString::fromStdString(libraryResultText(code));
  return text;
}

QString cellFailureText(int code) {
  if (code == 1 && !engineState().libraryLoaded) return libraryFailureText();
  return QString::fromLatin1(readerResultText(code));
}

loadTask::loadTask(QString directory_, MainWindow& window_)
    : directory(std::move(directory_)), window(window_) {
  ++tasksRunning;  // counted from the hand-off, so a second import is refused at once
}

loadTask::~loadTask() = default;

void loadTask::start(const QString& directory, MainWindow& window) {
  QThreadPool::globalInstance()->start(new loadTask(directory, window));
}

void loadTask::stopAll() {
  stopRequested = true;
  QThreadPool::globalInstance()->waitForDone();
  stopRequested = false;
}

void loadTask::run() {
  const QStringList names = QDir(directory).entryList({QStringLiteral("*.000")},
                                                      QDir::Files | QDir::Readable, QDir::Name);
  QStringList failures;
  for (const QString& name : names) {
    if (stopRequested) break;
    // File names go to the reader in the file system's 8-bit encoding.
    const QString path = directory + QStringLiteral("//") + name;
    const int code = loadCell(QFile::encodeName(path).toStdString());
    if (code == 0)
      QMetaObject::invokeMethod(&window, "update", Qt::QueuedConnection);  // show it as it comes
    else
      failures << name + QStringLiteral(": ") + cellFailureText(code);
  }
  --tasksRunning;
  QMetaObject::invokeMethod(&window, "loadingstop", Qt::AutoConnection,
                            Q_ARG(QString, failures.join(QLatin1Char('\n'))));
}
