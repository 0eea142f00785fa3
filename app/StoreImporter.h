#pragma once
// Imports into the chart store on Qt's global thread pool, so the window
// stays responsive while exchange sets are checked and written; the
// store's lock makes an enctool import at the same time safe. The outcome
// comes back through `finished`, queued to the importer's thread.
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>

#include "ImportOutcome.h"
#include "StoreProtection.h"

Q_DECLARE_METATYPE(ImportReport)

class StoreImporter : public QObject {
  Q_OBJECT

public:
  explicit StoreImporter(QObject* parent = nullptr);
  // Waits for a running import: none reports after the importer is gone.
  ~StoreImporter() override;

  // Imports `sources` (exchange sets, folders of cells, cell files) into
  // the store in `storeFolder`. False, nothing started, while an import runs.
  bool start(const QString& storeFolder, const DataClient& client, const QStringList& sources);
  bool busy() const { return running_.load(); }
  // Waits for a running import to end.
  void wait();

signals:
  void finished(const ImportReport& report);

private:
  class Task;
  std::atomic<bool> running_{false};
};
