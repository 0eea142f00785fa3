#include "UserDialogs.h"

#include <QFileDialog>
#include <QInputDialog>

#include "AdvancedSettingsDialog.h"
#include "GoToDialog.h"

UserDialogs UserDialogs::standard() {
  UserDialogs d;
  d.question = [](QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  };
  // A notice, not a question: one button.
  d.information = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
  };
  d.openCellFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开海图"), folder,
                                        QStringLiteral("S-57 海图 (*.000)"));
  };
  d.chooseDirectory = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择目录"), folder,
                                             QFileDialog::ShowDirsOnly);
  };
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
  d.advancedSettings = [](QWidget* parent, DisplaySettings& settings) {
    AdvancedSettingsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.apply(settings);
    return true;
  };
  return d;
}
