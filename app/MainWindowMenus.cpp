// The window's menus, as one table, and the commands they give.
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>

#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "ChartStatusBar.h"
#include "ContourOrder.h"
#include "DisplaySettings.h"
#include "MainWindow.h"
#include "MenuTable.h"
#include "ObjectPanel.h"
#include "SettingChoice.h"
#include "WindowSettings.h"

namespace {

MenuEntry separator() { return MenuEntry(); }

MenuEntry command(const char* name, const char* text, std::function<void()> run) {
  MenuEntry e;
  e.name = name;
  e.text = QString::fromUtf8(text);
  e.trigger = std::move(run);
  return e;
}

MenuEntry toggle(const char* name, const char* text, std::function<void()> run, std::function<bool()> on) {
  MenuEntry e = command(name, text, std::move(run));
  e.checked = std::move(on);
  return e;
}

MenuEntry hidden(MenuEntry e) {
  e.hidden = true;
  return e;
}

}  // namespace

void MainWindow::createMenus() {
  // An entry for a display setting: choosing it changes the settings in
  // force, its mark says whether they are as it chooses.
  auto setting = [this](const char* name, const char* text, const char* group, const SettingChoice& choice) {
    MenuEntry e;
    e.name = name;
    e.text = QString::fromUtf8(text);
    e.group = group;
    e.trigger = [this, choose = choice.choose] {
      const DisplaySettings before = displaySettings();
      choose(displaySettings());
      // A contour that had to move with the one chosen is named.
      const QString moved = movedContoursText(before, displaySettings(), Contour::Safety);
      if (!moved.isEmpty()) statusBar_->showNote(moved);
      settingsChanged();
    };
    e.checked = [this, inForce = choice.inForce] { return inForce(displaySettings()); };
    return e;
  };
  MenuEntry custom = toggle(
      "action_13", "自定义…", [this] { chooseCustomSafetyContour(); },
      [this] { return customSafetyContour(displaySettings()); });
  custom.group = "contours";
  custom.label = [this] {
    const DisplaySettings& s = displaySettings();
    return customSafetyContour(s) ? QStringLiteral("自定义… (%1m)").arg(static_cast<double>(s.safetyContour))
                                  : QStringLiteral("自定义…");
  };
  MenuEntry cellList;  // the dock's own action: its mark follows the panel
  cellList.name = "actionCellList";
  cellList.text = QStringLiteral("海图列表");
  cellList.own = cellListPanel_->toggleViewAction();
  using S = DisplaySettings;

  menus_ = std::make_unique<MenuTable>(
      *this,
      std::vector<MenuSpec>{
          {"menu",
           QStringLiteral("开始"),
           {command("action", "导入", [this] { chooseCellFile(); }),
            command("action_3", "批量导入", [this] { chooseDirectory(); }),
            command("actionImportCharts", "导入海图…", [this] { chooseImportSource(); }),
            separator(),  // encrypted charts
            command("actionImportPermits", "导入许可证…", [this] { choosePermitFile(); }),
            command("actionInstallCertificate", "安装证书…", [this] { chooseCertificateFile(); }),
            command("actionPermitList", "许可证列表…", [this] { showPermitList(); }),
            command("actionUserPermit", "用户许可…", [this] { showUserPermit(); }),
            command("actionManufacturerFile", "制造商密钥文件…", [this] { chooseManufacturerFile(); }),
            separator(),
            command("actionGoTo", "转到…", [this] { chooseGoToTarget(); }),
            toggle(
                "actionMeasure", "测距", [this] { toggleMeasuring(); },
                [this] { return chart_->rangeBearing().active(); }),
            toggle(
                "actionRoutes", "航线", [this] { setRouteMode(!chart_->routeMode()); },
                [this] { return chart_->routeMode(); }),
            command("action_2", "退出", [this] { close(); })}},
          {"menu_2",
           QStringLiteral("显示设置"),
           {separator(),
            setting("action_4", "基本显示", "category", displayCategoryChoice(0)),
            setting("action_5", "标准显示", "category", displayCategoryChoice(1)),
            setting("action_6", "全部显示", "category", displayCategoryChoice(2)),
            separator(),
            setting("action_8", "传统符号", "symbols", flagValueChoice(&S::paperChartSymbols, false)),
            setting("action_9", "纸质符号", "symbols", flagValueChoice(&S::paperChartSymbols, true)),
            separator(),
            setting("action_11", "中文显示", "language", flagValueChoice(&S::nationalText, true)),
            setting("action_12", "英文显示", "language", flagValueChoice(&S::nationalText, false)),
            separator(),
            separator(),
            setting("action_15", "水深显示", nullptr, flagToggle(&S::showSoundings)),
            setting("action_16", "边界显示", nullptr, flagToggle(&S::showCellBoundaries)),
            toggle(
                "action_17", "选择对象", [this] { toggleSelection(); },
                [this] { return chart_->selectionMode(); }),
            setting("actionWorldBaseMap", "世界底图", nullptr, flagToggle(&S::showWorldBaseMap)),
            cellList,
            separator(),
            command("actionAdvanced", "高级设置…", [this] { chooseAdvancedSettings(); }),
            command("actionDefaults", "恢复默认", [this] { restoreDefaults(); })}},
          {"menu_3",
           QStringLiteral("等深线设置"),
           {setting("action_5m", "等深线5m", "contours", contourSetChoice(5)),
            setting("action_10m", "等深线10m", "contours", contourSetChoice(10)),
            setting("action_20m", "等深线20m", "contours", contourSetChoice(20)),
            custom,  // any depth from 0.1 to 500 m
            setting("action_7", "显示等深线", nullptr, flagToggle(&S::showDepthContours)),
            // Contour labels have no setting of their own.
            hidden(command("action_10", " 等深线标识", nullptr))}},
          {"menu_4",
           QStringLiteral("颜色设置"),
           {setting("action_18", "白天", "colours", colourSchemeChoice(ColourScheme::DAY_BRIGHT)),
            setting("action_19", "夜晚", "colours", colourSchemeChoice(ColourScheme::NIGHT)),
            setting("action_20", "晴天", "colours", colourSchemeChoice(ColourScheme::DAY_BLACKBACK)),
            // The rain table is not offered.
            hidden(setting("action_21", "雨天", "colours", colourSchemeChoice(ColourScheme::DAY_WHITEBACK))),
            setting("action_22", "黄昏", "colours", colourSchemeChoice(ColourScheme::DUSK))}},
      });
}

// ---- 开始 -------------------------------------------------------------------

void MainWindow::chooseCellFile() {
  const QString path = dialogs.openCellFile(this, cellFolder_);
  if (path.isEmpty()) return;
  cellFolder_ = QFileInfo(path).absolutePath();
  QSettings().setValue(QStringLiteral("folders/cell"), cellFolder_);
  openCell(path);
}

void MainWindow::chooseDirectory() {
  if (loader_->busy()) {
    showLoadingBusy();
    return;
  }
  const QString directory = dialogs.chooseDirectory(this, importFolder_);
  if (directory.isEmpty()) return;
  importFolder_ = directory;
  QSettings().setValue(QStringLiteral("folders/import"), importFolder_);
  importDirectory(directory);
}

void MainWindow::chooseGoToTarget() {
  GoToTarget target;
  if (dialogs.goTo(this, target)) chart_->goTo(target);
}

void MainWindow::toggleMeasuring() { chart_->setMeasuring(!chart_->rangeBearing().active()); }

// ---- 显示设置 ---------------------------------------------------------------

void MainWindow::toggleSelection() {
  if (chart_->selectionMode()) {
    chart_->setSelectionMode(false);
    objectPanel_->hide();
    objectPanel_->clearChoice();  // the mark ends; the list stays
  } else {
    objectPanel_->show();
    chart_->setSelectionMode(true);
  }
}

void MainWindow::chooseAdvancedSettings() {
  DisplaySettings chosen = displaySettings();
  const QString keyFile = QSettings().value(QStringLiteral("protection/manufacturerFile")).toString();
  QString chosenKeyFile = keyFile;
  if (!dialogs.advancedSettings(this, chosen, chosenKeyFile)) return;
  displaySettings() = chosen;
  settingsChanged();
  if (chosenKeyFile != keyFile) setManufacturerFile(chosenKeyFile);
}

void MainWindow::restoreDefaults() {
  // The settings as the window starts without stored choices.
  DisplaySettings& s = displaySettings();
  s = DisplaySettings(engine_.library());
  s.setContourSet(10);
  QSettings store;
  removeDisplaySettings(store);
  settingsChanged();
}

// ---- 等深线设置 -------------------------------------------------------------

void MainWindow::chooseCustomSafetyContour() {
  double metres = displaySettings().safetyContour;
  if (dialogs.customSafetyContour(this, metres, metres)) {
    const DisplaySettings before = displaySettings();
    setContourInOrder(displaySettings(), Contour::Safety, metres);
    const QString moved = movedContoursText(before, displaySettings(), Contour::Safety);
    if (!moved.isEmpty()) statusBar_->showNote(moved);
  }
  settingsChanged();  // cancelled too; the check marks then go back as they were
}
