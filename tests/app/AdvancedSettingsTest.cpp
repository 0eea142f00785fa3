// 高级设置: the dialog changes the chart, starts from the settings in force
// and its choices survive a restart (a screenshot of it is kept in
// build/test-artifacts/advanced-settings.png); the status bar tells an
// overscaled chart.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <filesystem>
#include <fstream>

#include "AdvancedSettingsDialog.h"
#include "CellFixtures.h"
#include "ChartStore.h"
#include "WindowFixture.h"

using namespace apptest;

namespace {

class AdvancedSettings : public WindowTest {
protected:
  // Loads a small cell (compiled for 1:20,000) and shows its centre at `scale`.
  void showCellAt(float scale) {
    cell = fixtures::writeCell(fixtures::smallCell("ADVANCED.000"), dir.path, "ADVANCED.000");
    window->dialogs.openCellFile = [this](QWidget*, const QString&) { return QString::fromStdString(cell); };
    showAndDraw();
    action("action")->trigger();
    window->chart()->goTo({47.05, -121.95, scale});
    window->repaint();
  }
  QImage chart() {
    window->repaint();
    return window->chart()->grab().toImage();
  }
  template <typename T>
  static T* part(const QDialog& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  fixtures::TempDirectory dir;
  std::string cell;
};

TEST_F(AdvancedSettings, TheDialogChangesTheChartAndItsChoicesSurviveARestart) {
  showCellAt(20000);
  const QImage before = chart();
  // The mariner's choices, made in the dialog's own widgets.
  window->dialogs.advancedSettings = [](QWidget* parent, DisplaySettings& s, QString&) {
    AdvancedSettingsDialog dialog(s, parent);
    part<QDoubleSpinBox>(dialog, "safetyContour")->setValue(7.5);
    part<QDoubleSpinBox>(dialog, "shallowContour")->setValue(3);
    part<QDoubleSpinBox>(dialog, "deepContour")->setValue(30);
    part<QComboBox>(dialog, "depthShades")->setCurrentIndex(1);  // two shades
    part<QCheckBox>(dialog, "shallowPattern")->setChecked(true);
    part<QCheckBox>(dialog, "useScaleMinimum")->setChecked(false);
    part<QComboBox>(dialog, "symbolStyle")->setCurrentIndex(1);  // paper chart
    part<QCheckBox>(dialog, "importantText")->setChecked(false);
    part<QCheckBox>(dialog, "dateToday")->setChecked(false);
    part<QDateEdit>(dialog, "viewingDate")->setDate(QDate(2024, 6, 1));
    part<QCheckBox>(dialog, "allDates")->setChecked(true);
    dialog.apply(s);
    return true;
  };
  action("actionAdvanced")->trigger();
  const DisplaySettings& s = window->displaySettings();
  EXPECT_FLOAT_EQ(s.safetyContour, 7.5f);
  EXPECT_FLOAT_EQ(s.shallowContour, 3.0f);
  EXPECT_FLOAT_EQ(s.deepContour, 30.0f);
  EXPECT_TRUE(s.twoDepthShades);
  EXPECT_TRUE(s.shallowPattern);
  EXPECT_FALSE(s.useScaleMinimum);
  EXPECT_FALSE(s.importantText);
  EXPECT_TRUE(s.otherText);
  EXPECT_FALSE(s.dateIsToday);
  EXPECT_EQ(s.viewingDate, 20240601);
  EXPECT_TRUE(s.showAllDates);
  EXPECT_TRUE(s.paperChartSymbols);
  EXPECT_TRUE(s.nationalText);
  EXPECT_TRUE(action("action_13")->isChecked());  // the custom safety contour's mark
  EXPECT_TRUE(action("action_9")->isChecked());   // 纸质符号
  EXPECT_NE(chart(), before);  // the shallow pattern and the other shades show

  // Cancelled: nothing changes.
  window->dialogs.advancedSettings = [](QWidget*, DisplaySettings& s, QString&) {
    s.setTwoDepthShades(2);
    return false;
  };
  action("actionAdvanced")->trigger();
  EXPECT_TRUE(window->displaySettings().twoDepthShades);

  EXPECT_TRUE(window->close());
  window.reset();
  window = makeWindow();
  showAndDraw();
  const DisplaySettings& restored = window->displaySettings();  // the new window's own
  EXPECT_FLOAT_EQ(restored.safetyContour, 7.5f);
  EXPECT_FLOAT_EQ(restored.shallowContour, 3.0f);
  EXPECT_FLOAT_EQ(restored.deepContour, 30.0f);
  EXPECT_TRUE(restored.twoDepthShades);
  EXPECT_TRUE(restored.shallowPattern);
  EXPECT_FALSE(restored.useScaleMinimum);
  EXPECT_FALSE(restored.importantText);
  EXPECT_FALSE(restored.dateIsToday);
  EXPECT_EQ(restored.viewingDate, 20240601);
  EXPECT_TRUE(restored.showAllDates);

  // The dialog opens on the settings in force.
  window->dialogs.advancedSettings = [](QWidget* parent, DisplaySettings& s, QString&) {
    AdvancedSettingsDialog dialog(s, parent);
    EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "safetyContour")->value(), 7.5);
    EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "shallowContour")->value(), 3);
    EXPECT_EQ(part<QComboBox>(dialog, "depthShades")->currentIndex(), 1);
    EXPECT_FALSE(part<QCheckBox>(dialog, "importantText")->isChecked());
    EXPECT_FALSE(part<QCheckBox>(dialog, "dateToday")->isChecked());
    EXPECT_EQ(part<QDateEdit>(dialog, "viewingDate")->date(), QDate(2024, 6, 1));
    // Back to today; the shallow contour cannot pass the safety contour.
    part<QCheckBox>(dialog, "dateToday")->setChecked(true);
    part<QDoubleSpinBox>(dialog, "safetyContour")->setValue(2);
    EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "shallowContour")->value(), 2);
    EXPECT_EQ(part<QLabel>(dialog, "contourNote")->text(), QString::fromUtf8("浅水等深线随之改为2米"));
    dialog.apply(s);
    return true;
  };
  action("actionAdvanced")->trigger();
  EXPECT_TRUE(restored.dateIsToday);
  EXPECT_FLOAT_EQ(restored.safetyContour, 2.0f);
  EXPECT_LE(restored.shallowContour, 2.0f);
  EXPECT_GE(restored.deepContour, 2.0f);

  // 恢复默认 brings the start values back.
  action("actionDefaults")->trigger();
  EXPECT_FALSE(restored.twoDepthShades);
  EXPECT_TRUE(restored.useScaleMinimum);
  EXPECT_TRUE(restored.importantText);
  EXPECT_TRUE(restored.dateIsToday);
  EXPECT_FALSE(restored.showAllDates);
}

// Typing a contour moves nothing until it is typed in full: "15" into the
// safety contour beside a shallow contour of 5 keeps the 5 (the "1" on the
// way clamps nothing), and a value that contradicts the others moves them,
// the dialog saying which; what is accepted is what the dialog showed.
TEST_F(AdvancedSettings, TypedContoursKeepTheOthersUnlessTheyContradictThem) {
  showAndDraw();
  struct Typed {
    const char* box;
    const char* text;
    double shallow, safety, deep;
    const char* note;
  };
  const Typed steps[] = {
      {"safetyContour", "15", 5, 15, 20, ""},
      {"safetyContour", "25", 5, 25, 25, "深水等深线随之改为25米"},
      {"shallowContour", "8", 8, 25, 25, ""},
      {"deepContour", "6", 6, 6, 6, "浅水等深线随之改为6米，安全等深线随之改为6米"},
      {"deepContour", "40", 6, 6, 40, ""},
  };
  window->dialogs.advancedSettings = [&](QWidget* parent, DisplaySettings& s, QString&) {
    AdvancedSettingsDialog dialog(s, parent);
    dialog.show();
    for (const Typed& t : steps) {
      SCOPED_TRACE(std::string(t.box) + " " + t.text);
      auto* box = part<QDoubleSpinBox>(dialog, t.box);
      const auto values = [&] {
        return std::vector<double>{part<QDoubleSpinBox>(dialog, "shallowContour")->value(),
                                   part<QDoubleSpinBox>(dialog, "safetyContour")->value(),
                                   part<QDoubleSpinBox>(dialog, "deepContour")->value()};
      };
      const std::vector<double> before = values();
      box->setFocus();
      box->selectAll();
      QTest::keyClicks(box, QString::fromLatin1(t.text));
      EXPECT_EQ(values(), before);  // typing, not yet typed: nothing moved
      QTest::keyClick(box, Qt::Key_Return);
      EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "shallowContour")->value(), t.shallow);
      EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "safetyContour")->value(), t.safety);
      EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "deepContour")->value(), t.deep);
      EXPECT_EQ(part<QLabel>(dialog, "contourNote")->text(), QString::fromUtf8(t.note));
    }
    dialog.apply(s);
    return true;
  };
  action("actionAdvanced")->trigger();
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 6.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 6.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 40.0f);
}

// The safety depth, dangers in shallow water, area boundaries, full-length
// light sectors and data quality: chosen in the dialog, kept across a
// restart, shown by the dialog when it opens again, and put back by 恢复默认.
TEST_F(AdvancedSettings, TheFurtherChoicesSurviveARestart) {
  showCellAt(20000);
  window->dialogs.advancedSettings = [](QWidget* parent, DisplaySettings& s, QString&) {
    // Qt's own buttons in Chinese, as the window has them, for the screenshot.
    QTranslator chinese;
    const bool translated =
        chinese.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&chinese);
    AdvancedSettingsDialog dialog(s, parent);
    auto* depth = part<QDoubleSpinBox>(dialog, "safetyDepth");
    EXPECT_FALSE(depth->isEnabled());  // it follows the safety contour
    EXPECT_DOUBLE_EQ(depth->value(), s.safetyContour);
    part<QCheckBox>(dialog, "safetyDepthIsContour")->setChecked(false);
    EXPECT_TRUE(depth->isEnabled());
    depth->setValue(7.5);
    part<QCheckBox>(dialog, "shallowWaterDangers")->setChecked(true);
    part<QComboBox>(dialog, "areaBoundaries")->setCurrentIndex(1);  // plain
    part<QCheckBox>(dialog, "fullLightSectors")->setChecked(true);
    part<QCheckBox>(dialog, "dataQuality")->setChecked(true);
    // The dialog as the mariner sees it, kept beside the other screenshots.
    const std::filesystem::path artifacts = std::filesystem::path(CHART_BINARY_DIR) / "test-artifacts";
    std::filesystem::create_directories(artifacts);
    EXPECT_TRUE(dialog.grab().save(QString::fromStdString((artifacts / "advanced-settings.png").string())));
    dialog.apply(s);
    if (translated) QCoreApplication::removeTranslator(&chinese);
    return true;
  };
  action("actionAdvanced")->trigger();
  const auto chosen = [](const DisplaySettings& s) {
    EXPECT_FALSE(s.safetyDepthIsContour);
    EXPECT_FLOAT_EQ(s.soundingSafetyDepth(), 7.5f);
    EXPECT_TRUE(s.shallowWaterDangers);
    EXPECT_TRUE(s.plainBoundaries);
    EXPECT_FALSE(s.paperChartSymbols);  // the symbols of points stay apart
    EXPECT_TRUE(s.rangeLegs);
    EXPECT_TRUE(s.showDataQuality);
  };
  chosen(window->displaySettings());

  EXPECT_TRUE(window->close());
  window.reset();
  window = makeWindow();
  showAndDraw();
  chosen(window->displaySettings());

  window->dialogs.advancedSettings = [](QWidget* parent, DisplaySettings& s, QString&) {
    AdvancedSettingsDialog dialog(s, parent);
    EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "safetyDepth")->value(), 7.5);
    EXPECT_FALSE(part<QCheckBox>(dialog, "safetyDepthIsContour")->isChecked());
    EXPECT_TRUE(part<QCheckBox>(dialog, "shallowWaterDangers")->isChecked());
    EXPECT_EQ(part<QComboBox>(dialog, "areaBoundaries")->currentIndex(), 1);
    EXPECT_TRUE(part<QCheckBox>(dialog, "fullLightSectors")->isChecked());
    EXPECT_TRUE(part<QCheckBox>(dialog, "dataQuality")->isChecked());
    // Back to the safety contour's depth: the box follows the contour.
    part<QCheckBox>(dialog, "safetyDepthIsContour")->setChecked(true);
    part<QDoubleSpinBox>(dialog, "safetyContour")->setValue(12);
    EXPECT_DOUBLE_EQ(part<QDoubleSpinBox>(dialog, "safetyDepth")->value(), 12);
    dialog.apply(s);
    return true;
  };
  action("actionAdvanced")->trigger();
  EXPECT_TRUE(window->displaySettings().safetyDepthIsContour);
  EXPECT_FLOAT_EQ(window->displaySettings().soundingSafetyDepth(), 12.0f);

  action("actionDefaults")->trigger();
  const DisplaySettings& s = window->displaySettings();
  EXPECT_TRUE(s.safetyDepthIsContour);
  EXPECT_FALSE(s.shallowWaterDangers || s.plainBoundaries || s.rangeLegs || s.showDataQuality);
}

// Choices stored before area boundaries were a choice of their own: paper
// chart symbols drew plain boundaries, and still do.
TEST_F(AdvancedSettings, StoredPaperChartSymbolsKeepTheirPlainBoundaries) {
  {
    QSettings store;
    store.setValue(QStringLiteral("display/paperChartSymbols"), true);
    store.remove(QStringLiteral("display/plainBoundaries"));
  }
  window.reset();
  window = makeWindow();
  showAndDraw();
  EXPECT_TRUE(window->displaySettings().paperChartSymbols);
  EXPECT_TRUE(window->displaySettings().plainBoundaries);
}

// 比例尺边界: off at start, turned on in the dialog, kept across a restart,
// and off again with 恢复默认.
TEST_F(AdvancedSettings, TheScaleBoundarySwitchIsKeptAcrossARestart) {
  showAndDraw();
  EXPECT_FALSE(window->displaySettings().showScaleBoundaries);
  window->dialogs.advancedSettings = [](QWidget* parent, DisplaySettings& s, QString&) {
    AdvancedSettingsDialog dialog(s, parent);
    QCheckBox* box = part<QCheckBox>(dialog, "scaleBoundaries");
    EXPECT_EQ(box->isChecked(), s.showScaleBoundaries);
    box->setChecked(!s.showScaleBoundaries);
    dialog.apply(s);
    return true;
  };
  action("actionAdvanced")->trigger();
  EXPECT_TRUE(window->displaySettings().showScaleBoundaries);

  EXPECT_TRUE(window->close());
  window.reset();
  window = makeWindow();
  showAndDraw();
  EXPECT_TRUE(window->displaySettings().showScaleBoundaries);
  action("actionDefaults")->trigger();
  EXPECT_FALSE(window->displaySettings().showScaleBoundaries);
}

// The manufacturer's key file in the dialog: checked on 确定 as
// 制造商密钥文件… checks it (a file others may read is refused, the reason in
// Chinese, the dialog left open), kept with the settings, and the status
// bar's 测试许可 follows it; emptied, the test manufacturer is back.
TEST_F(AdvancedSettings, TheManufacturersKeyFileIsChosenAndCheckedInTheDialog) {
  QSettings().remove(QStringLiteral("protection/manufacturerFile"));
  showAndDraw();
  window->setDataClient(DataClient());
  const QWidget* scheme = window->findChild<QWidget*>("schemeLabel");
  ASSERT_NE(scheme, nullptr);
  EXPECT_TRUE(scheme->isVisible());
  const QString keys = QString::fromStdString(dir.path + "/keys.txt");
  std::ofstream(keys.toStdString()) << "M_ID=10\nM_KEY=10121\nHW_ID=12345\n";
  namespace fs = std::filesystem;
  fs::permissions(keys.toStdString(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);

  // What the dialog starts from, what it said and whether it closed.
  QString given, note;
  bool accepted = false;
  const auto choose = [&](const QString& path) {
    window->dialogs.advancedSettings = [&, path](QWidget* parent, DisplaySettings& s, QString& keyFile) {
      AdvancedSettingsDialog dialog(s, parent, keyFile);
      QLineEdit* field = part<QLineEdit>(dialog, "manufacturerFile");
      EXPECT_NE(part<QPushButton>(dialog, "browseManufacturerFile"), nullptr);
      given = field->text();
      field->setText(path);
      dialog.accept();
      accepted = dialog.result() == QDialog::Accepted;
      const QLabel* label = part<QLabel>(dialog, "manufacturerFileNote");
      note = label->isVisibleTo(&dialog) ? label->text() : QString();
      if (!accepted) return false;  // the mariner gives up
      dialog.apply(s);
      keyFile = dialog.manufacturerFile();
      return true;
    };
    action("actionAdvanced")->trigger();
  };

  choose(keys);
  EXPECT_FALSE(accepted);
  EXPECT_TRUE(note.startsWith(QStringLiteral("制造商密钥文件无法使用：除所有者外其他人也可读写该文件"))) << note.toStdString();
  EXPECT_FALSE(note.contains("10121"));
  EXPECT_FALSE(QSettings().contains(QStringLiteral("protection/manufacturerFile")));
  EXPECT_TRUE(scheme->isVisible());

  fs::permissions(keys.toStdString(), fs::perms::owner_read | fs::perms::owner_write);
  choose(QStringLiteral("  ") + keys);  // as pasted, with a space before it
  EXPECT_TRUE(accepted) << note.toStdString();
  EXPECT_EQ(QSettings().value(QStringLiteral("protection/manufacturerFile")).toString(), keys);
  EXPECT_FALSE(scheme->isVisible());

  choose(QString());
  EXPECT_EQ(given, keys);
  EXPECT_TRUE(accepted);
  EXPECT_FALSE(QSettings().contains(QStringLiteral("protection/manufacturerFile")));
  EXPECT_TRUE(scheme->isVisible());
}

TEST_F(AdvancedSettings, TheStatusBarTellsAnOverscaledChart) {
  auto* label = window->findChild<QLabel*>("overscaleLabel");
  ASSERT_NE(label, nullptr);
  struct Case {
    float scale;
    const char* text;  // "" : hidden
  } cases[] = {{20000, ""}, {8000, "超比例 ×2.5"}, {2000, "超比例 ×10"}, {40000, ""}};
  showCellAt(cases[0].scale);
  for (const Case& c : cases) {
    window->chart()->goTo({47.05, -121.95, c.scale});
    window->repaint();
    QApplication::processEvents();
    EXPECT_EQ(label->text(), QString::fromUtf8(c.text)) << c.scale;
    EXPECT_EQ(label->isVisible(), *c.text != '\0') << c.scale;
  }
}

}  // namespace
