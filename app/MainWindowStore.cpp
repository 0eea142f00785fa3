// The chart store in the window: the start on its cells, imports into it
// and what the chart shows after them; the permits and the scheme's
// certificate of encrypted charts.
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QSettings>

#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartStore.h"
#include "ManufacturerIdentity.h"
#include "ChartStatusBar.h"
#include "ChartWidget.h"
#include "MainWindow.h"
#include "PermitListDialog.h"
#include "StoreImporter.h"
#include "StoreText.h"
#include "UserPermitDialog.h"

namespace {
// Takes the cell the store calls `name` off the chart (listed by its data
// set name, NAME.000); false when it was not on it.
bool withdrawCell(ChartEngine& engine, const std::string& name) {
  bool withdrawn = false;
  const CellSnapshot cells = engine.cells().snapshot();
  for (const S57Cell* cell : *cells)
    if (cell->name.substr(0, cell->name.find('.')) == name) withdrawn = engine.cells().withdraw(cell->name) || withdrawn;
  return withdrawn;
}
}  // namespace

void MainWindow::startStore(const QString& folder) {
  storeFolder_ = folder;
  fitWhileLoading_ = true;
  // The key file chosen before; without it the test manufacturer.
  const QString keyFile = QSettings().value(QStringLiteral("protection/manufacturerFile")).toString();
  ManufacturerIdentity identity;
  QString reason, detail;
  if (!keyFile.isEmpty()) {
    if (readKeyFile(keyFile, identity, reason, detail))
      dataClient_.identity = identity;
    else
      statusBar_->showFailure(QStringLiteral("制造商密钥文件无法使用，改用测试许可：") + reason + QStringLiteral("（") +
                              keyFile + QStringLiteral("）"));
  }
  setDataClient(dataClient_);
  loader_->startStore(folder, dataClient_);
}

void MainWindow::setDataClient(const DataClient& client) {
  dataClient_ = client;
  // Charts decrypted for the scheme's test manufacturer are test data.
  if (!schemeLabel_) {
    schemeLabel_ = new QLabel(QStringLiteral("测试许可 (test scheme)"), this);
    schemeLabel_->setObjectName(QStringLiteral("schemeLabel"));
    statusBar_->addPermanentWidget(schemeLabel_);
  }
  schemeLabel_->setVisible(client.identity.testScheme);
}

void MainWindow::reloadStore() {
  const CellSnapshot cells = engine_.cells().snapshot();
  std::string error;
  ChartStore store(QFile::encodeName(storeFolder_).toStdString());
  store.setDataClient(dataClient_);
  if (!store.load(error, 3000)) return;
  for (const StoredCell& stored : store.index().cells) withdrawCell(engine_, stored.name);
  cellsShown_ = 0;
  cellsChanged();
  chart_->update();
  loader_->startStore(storeFolder_, dataClient_);
}

void MainWindow::choosePermitFile() {
  const QString path = dialogs.choosePermitFile(this, importFolder_);
  if (!path.isEmpty()) installPermits(path);
}

void MainWindow::chooseCertificateFile() {
  const QString path = dialogs.chooseCertificateFile(this, importFolder_);
  if (!path.isEmpty()) installCertificate(path);
}

void MainWindow::installPermits(const QString& permitFile) {
  if (storeFolder_.isEmpty()) return;
  ChartStore store(QFile::encodeName(storeFolder_).toStdString());
  store.setDataClient(dataClient_);
  const PermitInstallReport report = store.installPermits(QFile::encodeName(permitFile).toStdString());
  dialogs.importOutcome(this, permitOutcomeRows(report));
  if (report.written) reloadStore();
}

void MainWindow::installCertificate(const QString& file) {
  if (storeFolder_.isEmpty()) return;
  ChartStore store(QFile::encodeName(storeFolder_).toStdString());
  store.setDataClient(dataClient_);
  const KeyInstallOutcome outcome = store.installKey(QFile::encodeName(file).toStdString(), KeyRole::Scheme);
  dialogs.information(this, QStringLiteral("安装证书"), chineseKeyOutcome(outcome));
  if (outcome.installed) reloadStore();
}

void MainWindow::chooseImportSource() {
  if (importer_->busy()) {
    dialogs.information(this, QStringLiteral("提示"), QStringLiteral("正在导入海图，请稍后!"));
    return;
  }
  const QString source = dialogs.chooseImportSource(this, importFolder_);
  if (source.isEmpty()) return;
  importFolder_ = source;
  QSettings().setValue(QStringLiteral("folders/import"), importFolder_);
  importIntoStore({source});
}

bool MainWindow::importIntoStore(const QStringList& sources) {
  if (storeFolder_.isEmpty()) return false;
  if (!importer_->start(storeFolder_, dataClient_, sources)) {
    dialogs.information(this, QStringLiteral("提示"), QStringLiteral("正在导入海图，请稍后!"));
    return false;
  }
  qDebug().noquote() << "import into the chart store:" << sources.join(QStringLiteral(", "));
  statusBar_->showNote(QStringLiteral("正在导入海图…"));
  return true;
}


void MainWindow::storeImported(const ImportReport& report) {
  dialogs.importOutcome(this, importOutcomeRows(report));
  if (report.failed()) {
    statusBar_->showFailure(QStringLiteral("导入海图：") + chineseStoreMessage(report.failure));
    return;
  }
  // Cells the import changed leave the chart; those still in use come
  // back from the store as they now are.
  QStringList reload, cancelled;
  for (const CellOutcome& o : report.cells) {
    const QString name = QString::fromStdString(o.cell);
    switch (o.action) {
      case ImportAction::Installed:
      case ImportAction::Updated:
      case ImportAction::NewEdition:
      case ImportAction::Reissued:
        withdrawCell(engine_, o.cell);
        if (o.status == CellStatus::InUse) reload << name;
        break;
      case ImportAction::Cancelled:
        if (withdrawCell(engine_, o.cell)) cancelled << name;
        break;
      default: break;
    }
  }
  cellsShown_ = 0;  // the list shrank: the next catch-up looks at every cell
  cellsChanged();
  chart_->update();
  if (!cancelled.isEmpty())
    statusBar_->showFailure(QStringLiteral("已注销，已从海图上移除：") + cancelled.join(QStringLiteral("、")));
  else if (!reload.isEmpty())
    statusBar_->showNote(QStringLiteral("导入海图：%1幅海图已安装或更新，正在加载").arg(reload.size()));
  if (!reload.isEmpty()) loader_->startStore(storeFolder_, dataClient_, reload);
}

void MainWindow::showUserPermit() {
  UserPermitDialog dialog(dataClient_.identity, this);
  dialogs.show(dialog);
}

void MainWindow::showPermitList() {
  std::vector<PermitListing> permits;
  if (!storeFolder_.isEmpty()) {
    ChartStore store(QFile::encodeName(storeFolder_).toStdString());
    store.setDataClient(dataClient_);
    std::string error;
    if (store.load(error, 3000)) permits = store.permits();
  }
  PermitListDialog dialog(permits, this);
  dialogs.show(dialog);
}

void MainWindow::chooseManufacturerFile() {
  const QString path = dialogs.chooseManufacturerFile(this, QString());
  if (!path.isEmpty()) setManufacturerFile(path);
}

bool MainWindow::setManufacturerFile(const QString& path) {
  DataClient client = dataClient_;
  if (path.isEmpty()) {
    // No key file: the scheme's test manufacturer again.
    QSettings().remove(QStringLiteral("protection/manufacturerFile"));
    client.identity = testManufacturer();
    setDataClient(client);
    statusBar_->showNote(QStringLiteral("未设置制造商密钥文件，使用测试许可"));
    if (!storeFolder_.isEmpty()) reloadStore();
    return true;
  }
  ManufacturerIdentity identity;
  QString reason, detail;
  if (!readKeyFile(path, identity, reason, detail)) {
    // The reason names the file and what is wrong with it, never a key.
    dialogs.information(this, QStringLiteral("制造商密钥文件"),
                        QStringLiteral("制造商密钥文件无法使用：") + reason + QLatin1Char('\n') + detail);
    return false;
  }
  QSettings().setValue(QStringLiteral("protection/manufacturerFile"), path);
  client.identity = identity;
  setDataClient(client);
  statusBar_->showNote(QStringLiteral("已使用制造商密钥文件：") + path);
  if (!storeFolder_.isEmpty()) reloadStore();
  return true;
}
