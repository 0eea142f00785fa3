#pragma once
// The questions, notices and file choices the window puts to the user. The
// window starts with the Qt dialogs; tests put their own answers in.
#include <QMessageBox>
#include <QString>
#include <functional>

#include "DisplaySettings.h"
#include "GoToTarget.h"
#include "StoreText.h"

class QDialog;
class QWidget;

struct UserDialogs {
  std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text)> question;
  std::function<void(QWidget* parent, const QString& title, const QString& text)> information;
  // File choices start in `folder` (the one used last); empty: cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> openCellFile;
  std::function<QString(QWidget* parent, const QString& folder)> chooseDirectory;
  // 转到: false when cancelled.
  std::function<bool(QWidget* parent, GoToTarget& target)> goTo;
  // 自定义 safety contour from 0.1 to 500 m, starting at `current`; false when cancelled.
  std::function<bool(QWidget* parent, double current, double& metres)> customSafetyContour;
  // 高级设置: starts from `settings` and the manufacturer's key file in
  // use, and writes the choices into them; false when cancelled.
  std::function<bool(QWidget* parent, DisplaySettings& settings, QString& manufacturerFile)> advancedSettings;
  // 导入海图…: the exchange set or folder of cells to import; empty: cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> chooseImportSource;
  // 导入许可证…: a PERMIT.TXT; 安装证书…: the scheme administrator's
  // certificate (IHO.CRT). Empty: cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> choosePermitFile;
  std::function<QString(QWidget* parent, const QString& folder)> chooseCertificateFile;
  // 制造商密钥文件…: the manufacturer's key file (M_ID, M_KEY, HW_ID).
  std::function<QString(QWidget* parent, const QString& folder)> chooseManufacturerFile;
  // 航线 导入… and 导出…: an RTZ or GPX file; empty: cancelled.
  std::function<QString(QWidget* parent, const QString& folder)> openRouteFile;
  std::function<QString(QWidget* parent, const QString& folder)> saveRouteFile;
  // The outcome of an import into the chart store, one row per cell.
  std::function<void(QWidget* parent, const std::vector<ImportOutcomeRow>& rows)> importOutcome;
  // Shows a dialog that only informs (用户许可, 许可证列表) until it is closed.
  std::function<void(QDialog& dialog)> show;
  static UserDialogs standard();
};
