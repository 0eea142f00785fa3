#include "UserDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>

#include "AdvancedSettingsDialog.h"
#include "GoToDialog.h"
#include "ImportOutcomeDialog.h"

namespace {
// Qt's message icons are white bubbles: under the dark tables a box goes
// without one, as dark as the window.
QMessageBox::Icon iconFor(QMessageBox::Icon icon) {
  return QApplication::palette().color(QPalette::Window).lightness() < 100 ? QMessageBox::NoIcon : icon;
}
}  // namespace

UserDialogs UserDialogs::standard() {
  UserDialogs d;
  d.question = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(iconFor(QMessageBox::Question), title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
  };
  // A notice, not a question: one button.
  d.information = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(iconFor(QMessageBox::Information), title, text, QMessageBox::Ok, parent);
    box.exec();
  };
  d.openCellFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开海图"), folder,
                                        QStringLiteral("S-57 海图 (*.000)"));
  };
  d.openRouteFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("导入航线"), folder,
                                        QStringLiteral("航线文件 (*.rtz *.gpx *.RTZ *.GPX)"));
  };
  d.saveRouteFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("导出航线"), folder,
                                        QStringLiteral("RTZ 航线 (*.rtz);;GPX (*.gpx)"));
  };
  d.chooseDirectory = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择目录"), folder,
                                             QFileDialog::ShowDirsOnly);
  };
  d.chooseImportSource = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择要导入的交换集或海图文件夹"), folder,
                                             QFileDialog::ShowDirsOnly);
  };
  d.choosePermitFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("选择许可证文件"), folder,
                                        QStringLiteral("许可证 (PERMIT.TXT *.TXT *.txt)"));
  };
  d.chooseCertificateFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("选择方案管理者证书"), folder,
                                        QStringLiteral("证书 (*.CRT *.crt *.PUB *.pub);;所有文件 (*)"));
  };
  d.chooseManufacturerFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("选择制造商密钥文件"), folder);
  };
  d.importOutcome = [](QWidget* parent, const std::vector<ImportOutcomeRow>& rows) {
    ImportOutcomeDialog dialog(rows, parent);
    dialog.exec();
  };
  d.show = [](QDialog& dialog) { dialog.exec(); };
  d.goTo = [](QWidget* parent, GoToTarget& target) {
    GoToDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    target = dialog.target();
    return true;
  };
  d.customSafetyContour = [](QWidget* parent, double current, double& metres) {
    bool ok = false;
    const double value = QInputDialog::getDouble(parent, QStringLiteral("自定义安全等深线"),
                                                 QStringLiteral("安全等深线（0.1至500米）："), current,
                                                 kMinimumSafetyContour, kMaximumSafetyContour, 1, &ok);
    if (ok) metres = value;
    return ok;
  };
  d.advancedSettings = [](QWidget* parent, DisplaySettings& settings, QString& manufacturerFile) {
    AdvancedSettingsDialog dialog(settings, parent, manufacturerFile);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.apply(settings);
    manufacturerFile = dialog.manufacturerFile();
    return true;
  };
  return d;
}
