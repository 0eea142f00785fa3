// The menu slots (connected by name), cell and directory import, the end of
// a background load, and object selection.
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QMovie>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTreeView>

#include "CellList.h"
#include "DisplaySettings.h"
#include "Engine.h"
#include "LoadTask.h"
#include "MainWindow.h"
#include "PresentationLibrary.h"

int MainWindow::openCell(const QString& path) {
  // The reader opens the file by its name in the file system's encoding.
  CellLoadReport report;
  const int code = loadCell(QFile::encodeName(path).toStdString(), chartView, cellList(), CellLoadOptions(), &report);
  if (code != 0) showFailure(QFileInfo(path).fileName() + QStringLiteral(": ") + cellFailureText(code));
  else if (!report.cell->loadWarnings.empty())  // an update that stopped: named in the status bar
    showFailure(QFile::decodeName(report.cell->loadWarnings.front().c_str()));
  update();
  return code;
}

bool MainWindow::importDirectory(const QString& directory) {
  if (loadingInProgress()) {
    showLoadingNotice();
    return false;
  }
  qDebug().noquote() << "batch import:" << directory;
  loadingMovie_->start();
  loadingPanel_->show();
  loadTask::start(directory, *this, true);  // into an empty view: the view goes to the cells
  return true;
}

void MainWindow::showLoadingNotice() {
  dialogs.information(nullptr, QStringLiteral("infor"), QStringLiteral("正在加载海图中，请稍后!"));
}

void MainWindow::startLoading(const QString& directory) { loadTask::start(directory, *this); }

void MainWindow::loadingstop(const QString& failures) {
  loadingPanel_->hide();
  loadingMovie_->stop();
  update();
  if (failures.isEmpty()) return;
  const QStringList lines = failures.split(QLatin1Char('\n'));
  for (int i = 1; i < lines.size(); ++i) qWarning().noquote() << lines[i];
  QString text = lines.first();
  if (lines.size() > 1) text += QStringLiteral(" (%1 more in the log)").arg(lines.size() - 1);
  showFailure(text);  // logs the first line with the count
}

void MainWindow::showAttributes(const std::vector<PointFeature*>& features) {
  attributeModel_->clear();
  attributeModel_->setHorizontalHeaderLabels({QStringLiteral("物标信息")});
  const ObjectClassCatalogue& classes = presentationLibrary().objectClassCatalogue;
  for (const PointFeature* feature : features) {
    const auto known = classes.find(feature->objectClass);
    // A class the catalogue lacks shows its code.
    auto* classItem = new QStandardItem(known != classes.end()
                                            ? QString::fromLocal8Bit(known->second.name.c_str())
                                            : QString::number(feature->objectClass));
    for (const FeatureAttribute& a : feature->attributes)
      classItem->appendRow(new QStandardItem(QString::fromStdString(a.acronym) + QLatin1Char(':') +
                                             QString::fromStdString(a.value)));
    attributeModel_->appendRow(classItem);
  }
  treeView_->expandAll();
}

void MainWindow::toggleSelection() {
  if (selectionMode_) {
    selectionMode_ = false;
    treeView_->hide();
  } else {
    treeView_->show();
    selectionMode_ = true;
  }
}

// ---- 开始 -------------------------------------------------------------------

void MainWindow::on_action_triggered() {
  const QString path = dialogs.openCellFile(this);
  if (!path.isEmpty()) openCell(path);
}

void MainWindow::on_action_3_triggered() {
  if (loadingInProgress()) {
    showLoadingNotice();
    return;
  }
  const QString directory = dialogs.chooseDirectory(this);
  if (!directory.isEmpty()) importDirectory(directory);
}

void MainWindow::on_action_2_triggered() { close(); }

// ---- 显示设置 ---------------------------------------------------------------

void MainWindow::on_action_4_triggered() { displaySettings().setDisplayCategory(0), update(); }
void MainWindow::on_action_5_triggered() { displaySettings().setDisplayCategory(1), update(); }
void MainWindow::on_action_6_triggered() { displaySettings().setDisplayCategory(2), update(); }
void MainWindow::on_action_8_triggered() { displaySettings().setSymbolStyle(2), update(); }
void MainWindow::on_action_9_triggered() { displaySettings().setSymbolStyle(1), update(); }
void MainWindow::on_action_11_triggered() { displaySettings().setTextLanguage(1), update(); }
void MainWindow::on_action_12_triggered() { displaySettings().setTextLanguage(2), update(); }
void MainWindow::on_action_15_triggered() { displaySettings().toggleSoundings(), update(); }
void MainWindow::on_action_16_triggered() { displaySettings().toggleCellBoundaries(), update(); }
void MainWindow::on_action_17_triggered() { toggleSelection(); }

// ---- 等深线设置 -------------------------------------------------------------

void MainWindow::on_action_5m_triggered() { displaySettings().setContourSet(5), update(); }
void MainWindow::on_action_10m_triggered() { displaySettings().setContourSet(10), update(); }
void MainWindow::on_action_20m_triggered() { displaySettings().setContourSet(20), update(); }
void MainWindow::on_action_7_triggered() { displaySettings().toggleDepthContours(), update(); }

// ---- 颜色设置 ---------------------------------------------------------------

void MainWindow::on_action_18_triggered() { displaySettings().setColourScheme(1), update(); }
void MainWindow::on_action_19_triggered() { displaySettings().setColourScheme(5), update(); }
void MainWindow::on_action_20_triggered() { displaySettings().setColourScheme(3), update(); }
void MainWindow::on_action_21_triggered() { displaySettings().setColourScheme(4), update(); }
void MainWindow::on_action_22_triggered() { displaySettings().setColourScheme(2), update(); }
