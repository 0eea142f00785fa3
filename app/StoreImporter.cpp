#include "StoreImporter.h"

#include <QFile>
#include <QRunnable>
#include <QThread>
#include <QThreadPool>

#include "ChartStore.h"

class StoreImporter::Task : public QRunnable {
public:
  Task(StoreImporter& importer, QString folder, DataClient client, QStringList sources)
      : importer_(importer), folder_(std::move(folder)), client_(std::move(client)), sources_(std::move(sources)) {}

  void run() override {
    std::vector<std::string> sources;
    for (const QString& s : sources_) sources.push_back(QFile::encodeName(s).toStdString());
    ChartStore store(QFile::encodeName(folder_).toStdString());
    store.setDataClient(client_);
    const ImportReport report = store.import(sources);
    emit importer_.finished(report);
    importer_.running_ = false;
  }

private:
  StoreImporter& importer_;
  const QString folder_;
  const DataClient client_;
  const QStringList sources_;
};

StoreImporter::StoreImporter(QObject* parent) : QObject(parent) {
  qRegisterMetaType<ImportReport>("ImportReport");
}

StoreImporter::~StoreImporter() { wait(); }

bool StoreImporter::start(const QString& storeFolder, const DataClient& client, const QStringList& sources) {
  bool idle = false;
  if (!running_.compare_exchange_strong(idle, true)) return false;
  QThreadPool::globalInstance()->start(new Task(*this, storeFolder, client, sources));
  return true;
}

void StoreImporter::wait() {
  while (running_.load()) QThread::msleep(5);
}
