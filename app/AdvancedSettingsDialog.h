#pragma once
// 高级设置: the mariner's settings in one dialog. Depths: the safety, shallow
// and deep contours, the safety depth (or the safety contour's), two or
// four depth shades, the shallow-water pattern, depth contours, soundings
// and isolated dangers in shallow water. Display: the display category,
// symbol style, plain or symbolised area boundaries, names in Chinese or
// English, SCAMIN, cell boundaries, the world base map, full-length light
// sector legs and data quality. Texts: important and other texts
// apart. Date: today or a chosen day, or every date. Encrypted charts: the
// manufacturer's key file (empty: the scheme's test manufacturer), refused
// on 确定 with the reason when it cannot be used. The dialog starts from
// the settings it is given and changes nothing until apply().
#include <QDialog>

#include "ContourOrder.h"
#include "DisplaySettings.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

class AdvancedSettingsDialog : public QDialog {
  Q_OBJECT

public:
  explicit AdvancedSettingsDialog(const DisplaySettings& settings, QWidget* parent = nullptr,
                                  const QString& manufacturerFile = QString());

  // Writes the dialog's choices into `settings` through the settings' own
  // operations; the three contours as the dialog shows them.
  void apply(DisplaySettings& settings) const;
  // The key file chosen, trimmed; empty for the test manufacturer.
  QString manufacturerFile() const;
  // 确定: a key file other than the one the dialog started with must be
  // usable (as 制造商密钥文件… checks it); else the reason shows under it
  // and the dialog stays open.
  void accept() override;

private:
  // A contour typed in full (or stepped): it stays, the others keep their
  // values unless they contradict it (ContourOrder.h), and the note under
  // them says which moved.
  void contourChosen(Contour which, double metres);

  const DisplaySettings given_;  // as the dialog opened: the rest of a contour's trial copy
  QDoubleSpinBox *safety_ = nullptr, *shallow_ = nullptr, *deep_ = nullptr;
  QLabel* contourNote_ = nullptr;
  QComboBox *shades_ = nullptr, *category_ = nullptr, *symbols_ = nullptr, *language_ = nullptr;
  QCheckBox *shallowPattern_ = nullptr, *depthContours_ = nullptr, *soundings_ = nullptr;
  QCheckBox *scaleMinimum_ = nullptr, *boundaries_ = nullptr, *worldBaseMap_ = nullptr;
  QCheckBox* scaleBoundaries_ = nullptr;
  QCheckBox *importantText_ = nullptr, *otherText_ = nullptr;
  QCheckBox *today_ = nullptr, *allDates_ = nullptr;
  QDoubleSpinBox* safetyDepth_ = nullptr;
  QCheckBox *safetyDepthIsContour_ = nullptr, *shallowWaterDangers_ = nullptr;
  QComboBox* areaBoundaries_ = nullptr;
  QCheckBox *fullLightSectors_ = nullptr, *dataQuality_ = nullptr;
  QDateEdit* date_ = nullptr;
  const QString givenKeyFile_;
  QLineEdit* keyFile_ = nullptr;
  QLabel* keyFileNote_ = nullptr;
};
