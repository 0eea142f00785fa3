#include "AdvancedSettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ChartDate.h"
#include "StoreText.h"

namespace {
QDate dateOf(int yyyymmdd) { return QDate(yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100); }
int numberOf(const QDate& date) { return date.year() * 10000 + date.month() * 100 + date.day(); }

QDoubleSpinBox* metresBox(QWidget* parent, const char* name, double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setDecimals(2);
  box->setRange(0, 2 * kMaximumSafetyContour);
  box->setSingleStep(1);
  box->setSuffix(QStringLiteral(" 米"));
  box->setValue(value);
  // The value counts once typed in full (Enter, another field, the arrows):
  // the "1" of a "15" being typed moves nothing.
  box->setKeyboardTracking(false);
  return box;
}

QCheckBox* switchBox(QWidget* parent, const char* name, const QString& text, bool checked) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  return box;
}
}  // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog(const DisplaySettings& s, QWidget* parent, const QString& keyFile)
    : QDialog(parent), given_(s), givenKeyFile_(keyFile) {
  setObjectName(QStringLiteral("advancedSettingsDialog"));
  setWindowTitle(QStringLiteral("高级设置"));

  // Depths.
  safety_ = metresBox(this, "safetyContour", s.safetyContour);
  safety_->setRange(kMinimumSafetyContour, kMaximumSafetyContour);
  shallow_ = metresBox(this, "shallowContour", s.shallowContour);
  shallow_->setRange(0, kMaximumSafetyContour);
  deep_ = metresBox(this, "deepContour", s.deepContour);
  deep_->setRange(kMinimumSafetyContour, 2 * kMaximumSafetyContour);
  contourNote_ = new QLabel(this);
  contourNote_->setObjectName(QStringLiteral("contourNote"));
  contourNote_->setWordWrap(true);
  contourNote_->hide();
  shades_ = new QComboBox(this);
  shades_->setObjectName(QStringLiteral("depthShades"));
  shades_->addItems({QStringLiteral("四色"), QStringLiteral("两色")});
  shades_->setCurrentIndex(s.twoDepthShades ? 1 : 0);
  shallowPattern_ = switchBox(this, "shallowPattern", QStringLiteral("浅水区图案（浅于安全等深线）"), s.shallowPattern);
  depthContours_ = switchBox(this, "depthContours", QStringLiteral("显示等深线"), s.showDepthContours);
  soundings_ = switchBox(this, "soundings", QStringLiteral("水深显示"), s.showSoundings);
  safetyDepth_ = metresBox(this, "safetyDepth", s.safetyDepthIsContour ? s.safetyContour : s.safetyDepth);
  safetyDepth_->setRange(0, kMaximumSafetyContour);
  safetyDepth_->setEnabled(!s.safetyDepthIsContour);
  safetyDepthIsContour_ =
      switchBox(this, "safetyDepthIsContour", QStringLiteral("同安全等深线"), s.safetyDepthIsContour);
  shallowWaterDangers_ = switchBox(this, "shallowWaterDangers", QStringLiteral("显示浅水区内的孤立危险物"),
                                   s.shallowWaterDangers);
  auto* depths = new QGroupBox(QStringLiteral("水深"), this);
  auto* depthForm = new QFormLayout(depths);
  depthForm->addRow(QStringLiteral("安全等深线："), safety_);
  depthForm->addRow(QStringLiteral("浅水等深线："), shallow_);
  depthForm->addRow(QStringLiteral("深水等深线："), deep_);
  depthForm->addRow(contourNote_);
  auto* safetyDepthRow = new QHBoxLayout;
  safetyDepthRow->addWidget(safetyDepth_, 1);
  safetyDepthRow->addWidget(safetyDepthIsContour_);
  depthForm->addRow(QStringLiteral("安全水深："), safetyDepthRow);
  depthForm->addRow(QStringLiteral("水深色带："), shades_);
  depthForm->addRow(shallowPattern_);
  depthForm->addRow(depthContours_);
  depthForm->addRow(soundings_);
  depthForm->addRow(shallowWaterDangers_);
  // While it follows the safety contour, the box shows the contour's depth.
  connect(safetyDepthIsContour_, &QCheckBox::toggled, this, [this](bool follows) {
    safetyDepth_->setEnabled(!follows);
    if (follows) safetyDepth_->setValue(safety_->value());
  });
  connect(safety_, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, [this](double value) {
    if (safetyDepthIsContour_->isChecked()) safetyDepth_->setValue(value);
  });

  // Display.
  category_ = new QComboBox(this);
  category_->setObjectName(QStringLiteral("displayCategory"));
  category_->addItems({QStringLiteral("基本显示"), QStringLiteral("标准显示"), QStringLiteral("全部显示")});
  category_->setCurrentIndex(s.displayCategory >= 0 && s.displayCategory <= 2 ? s.displayCategory : 1);
  symbols_ = new QComboBox(this);
  symbols_->setObjectName(QStringLiteral("symbolStyle"));
  symbols_->addItems({QStringLiteral("传统符号"), QStringLiteral("纸质符号")});
  symbols_->setCurrentIndex(s.paperChartSymbols ? 1 : 0);
  language_ = new QComboBox(this);
  language_->setObjectName(QStringLiteral("textLanguage"));
  language_->addItems({QStringLiteral("中文显示"), QStringLiteral("英文显示")});
  language_->setCurrentIndex(s.nationalText ? 0 : 1);
  scaleMinimum_ = switchBox(this, "useScaleMinimum", QStringLiteral("按最小比例尺（SCAMIN）隐藏物标"),
                            s.useScaleMinimum);
  boundaries_ = switchBox(this, "cellBoundaries", QStringLiteral("边界显示"), s.showCellBoundaries);
  worldBaseMap_ = switchBox(this, "worldBaseMap", QStringLiteral("世界底图"), s.showWorldBaseMap);
  areaBoundaries_ = new QComboBox(this);
  areaBoundaries_->setObjectName(QStringLiteral("areaBoundaries"));
  areaBoundaries_->addItems({QStringLiteral("符号化边界"), QStringLiteral("简单边界")});
  areaBoundaries_->setCurrentIndex(s.plainBoundaries ? 1 : 0);
  fullLightSectors_ = switchBox(this, "fullLightSectors", QStringLiteral("灯光扇形线延至灯光射程"), s.rangeLegs);
  dataQuality_ = switchBox(this, "dataQuality", QStringLiteral("数据质量（按CATZOC）"), s.showDataQuality);
  scaleBoundaries_ = switchBox(this, "scaleBoundaries", QStringLiteral("比例尺边界（编绘比例尺变化处）"),
                               s.showScaleBoundaries);
  auto* display = new QGroupBox(QStringLiteral("显示"), this);
  auto* displayForm = new QFormLayout(display);
  displayForm->addRow(QStringLiteral("显示类别："), category_);
  displayForm->addRow(QStringLiteral("符号："), symbols_);
  displayForm->addRow(QStringLiteral("区域边界："), areaBoundaries_);
  displayForm->addRow(QStringLiteral("名称："), language_);
  displayForm->addRow(scaleMinimum_);
  displayForm->addRow(boundaries_);
  displayForm->addRow(worldBaseMap_);
  displayForm->addRow(fullLightSectors_);
  displayForm->addRow(dataQuality_);
  displayForm->addRow(scaleBoundaries_);

  // Texts.
  importantText_ = switchBox(this, "importantText", QStringLiteral("重要文字（助航标志名称、灯质）"), s.importantText);
  otherText_ = switchBox(this, "otherText", QStringLiteral("其他文字（地名、底质等）"), s.otherText);
  auto* texts = new QGroupBox(QStringLiteral("文字"), this);
  auto* textLayout = new QVBoxLayout(texts);
  textLayout->addWidget(importantText_);
  textLayout->addWidget(otherText_);

  // Date.
  today_ = switchBox(this, "dateToday", QStringLiteral("今天"), s.dateIsToday);
  date_ = new QDateEdit(this);
  date_->setObjectName(QStringLiteral("viewingDate"));
  date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  date_->setCalendarPopup(true);
  date_->setDateRange(QDate(1900, 1, 1), QDate(9999, 12, 31));
  date_->setDate(dateOf(validDate(s.viewingDate) ? s.viewingDate : todaysDate()));
  date_->setEnabled(!s.dateIsToday);
  allDates_ = switchBox(this, "allDates", QStringLiteral("显示所有日期的物标（日期外的加标记）"), s.showAllDates);
  auto* dates = new QGroupBox(QStringLiteral("日期"), this);
  auto* dateLayout = new QVBoxLayout(dates);
  auto* dateRow = new QHBoxLayout;
  dateRow->addWidget(today_);
  dateRow->addWidget(date_, 1);
  dateLayout->addLayout(dateRow);
  dateLayout->addWidget(allDates_);
  connect(today_, &QCheckBox::toggled, this, [this](bool today) {
    date_->setEnabled(!today);
    if (today) date_->setDate(dateOf(todaysDate()));
  });

  // Encrypted charts: the manufacturer's key file.
  keyFile_ = new QLineEdit(keyFile, this);
  keyFile_->setObjectName(QStringLiteral("manufacturerFile"));
  keyFile_->setPlaceholderText(QStringLiteral("未设置：使用测试许可 (test scheme)"));
  auto* browse = new QPushButton(QStringLiteral("浏览…"), this);
  browse->setObjectName(QStringLiteral("browseManufacturerFile"));
  browse->setAutoDefault(false);
  keyFileNote_ = new QLabel(this);
  keyFileNote_->setObjectName(QStringLiteral("manufacturerFileNote"));
  keyFileNote_->setWordWrap(true);
  keyFileNote_->setStyleSheet(QStringLiteral("color: rgb(220, 50, 50);"));
  keyFileNote_->hide();
  auto* protection = new QGroupBox(QStringLiteral("加密海图"), this);
  auto* protectionLayout = new QVBoxLayout(protection);
  auto* keyFileRow = new QHBoxLayout;
  keyFileRow->addWidget(new QLabel(QStringLiteral("制造商密钥文件："), this));
  keyFileRow->addWidget(keyFile_, 1);
  keyFileRow->addWidget(browse);
  protectionLayout->addLayout(keyFileRow);
  protectionLayout->addWidget(keyFileNote_);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString folder = QFileInfo(keyFile_->text().trimmed()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("制造商密钥文件"), folder);
    if (!path.isEmpty()) keyFile_->setText(path);
  });
  connect(keyFile_, &QLineEdit::textChanged, keyFileNote_, &QLabel::hide);

  const std::pair<QDoubleSpinBox*, Contour> contours[] = {
      {shallow_, Contour::Shallow}, {safety_, Contour::Safety}, {deep_, Contour::Deep}};
  for (const auto& [box, contour] : contours)
    connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
            [this, which = contour](double metres) { contourChosen(which, metres); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(depths);
  left->addWidget(protection);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(display);
  right->addWidget(texts);
  right->addWidget(dates);
  right->addStretch(1);
  columns->addLayout(left);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);
}

void AdvancedSettingsDialog::contourChosen(Contour which, double metres) {
  DisplaySettings before = given_;
  before.shallowContour = static_cast<float>(shallow_->value());
  before.safetyContour = static_cast<float>(safety_->value());
  before.deepContour = static_cast<float>(deep_->value());
  DisplaySettings after = before;
  setContourInOrder(after, which, metres);
  const QString moved = movedContoursText(before, after, which);
  // The others move without calling back here.
  const std::pair<QDoubleSpinBox*, float> values[] = {
      {shallow_, after.shallowContour}, {safety_, after.safetyContour}, {deep_, after.deepContour}};
  for (const auto& [box, value] : values) {
    const QSignalBlocker quiet(box);
    box->setValue(value);
  }
  if (safetyDepthIsContour_->isChecked()) safetyDepth_->setValue(safety_->value());
  contourNote_->setText(moved);
  contourNote_->setVisible(!moved.isEmpty());
}

QString AdvancedSettingsDialog::manufacturerFile() const { return keyFile_->text().trimmed(); }

void AdvancedSettingsDialog::accept() {
  const QString path = manufacturerFile();
  if (!path.isEmpty() && path != givenKeyFile_) {
    ManufacturerIdentity identity;
    QString reason, detail;
    if (!readKeyFile(path, identity, reason, detail)) {
      keyFileNote_->setText(QStringLiteral("制造商密钥文件无法使用：") + reason);
      keyFileNote_->setToolTip(detail);
      keyFileNote_->show();
      keyFile_->setFocus();
      return;
    }
  }
  QDialog::accept();
}

void AdvancedSettingsDialog::apply(DisplaySettings& s) const {
  // The three are in order here: each set in turn moves nothing the next
  // does not set again.
  setContourInOrder(s, Contour::Safety, safety_->value());
  setContourInOrder(s, Contour::Shallow, shallow_->value());
  setContourInOrder(s, Contour::Deep, deep_->value());
  s.setTwoDepthShades(shades_->currentIndex() == 1 ? 1 : 2);
  s.setShallowPattern(shallowPattern_->isChecked() ? 1 : 2);
  s.showDepthContours = depthContours_->isChecked();
  s.setShowSoundings(soundings_->isChecked() ? 1 : 2);
  if (safetyDepthIsContour_->isChecked())
    s.setSafetyDepthFollowsContour();
  else
    s.setSafetyDepth(static_cast<float>(safetyDepth_->value()));
  s.setShallowWaterDangers(shallowWaterDangers_->isChecked() ? 1 : 2);
  s.setDisplayCategory(category_->currentIndex());
  s.setSymbolStyle(symbols_->currentIndex() == 1 ? 1 : 2);
  s.setTextLanguage(language_->currentIndex() == 1 ? 2 : 1);
  s.setUseScaleMinimum(scaleMinimum_->isChecked() ? 1 : 2);
  s.setShowCellBoundaries(boundaries_->isChecked() ? 1 : 2);
  s.setShowWorldBaseMap(worldBaseMap_->isChecked() ? 1 : 2);
  s.setPlainBoundaries(areaBoundaries_->currentIndex() == 1 ? 1 : 2);
  s.setRangeLegs(fullLightSectors_->isChecked() ? 1 : 2);
  s.setShowDataQuality(dataQuality_->isChecked() ? 1 : 2);
  s.setShowScaleBoundaries(scaleBoundaries_->isChecked() ? 1 : 2);
  s.setImportantText(importantText_->isChecked() ? 1 : 2);
  s.setOtherText(otherText_->isChecked() ? 1 : 2);
  if (today_->isChecked())
    s.setDateToday();
  else
    s.setViewingDate(numberOf(date_->date()));
  s.setShowAllDates(allDates_->isChecked() ? 1 : 2);
}
