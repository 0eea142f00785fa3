#pragma once
// 转到: a position (latitude and longitude) and an optional scale. Bad input
// is explained in the dialog, which stays open until the input is good or
// the user cancels.
#include <QDialog>

#include "GoToTarget.h"

class QLabel;
class QLineEdit;

class GoToDialog : public QDialog {
  Q_OBJECT

public:
  explicit GoToDialog(QWidget* parent = nullptr);

  QLineEdit* latitudeEdit() const { return latitude_; }
  QLineEdit* longitudeEdit() const { return longitude_; }
  QLineEdit* scaleEdit() const { return scale_; }
  QString errorText() const;
  const GoToTarget& target() const { return target_; }

  // Checks the input: on success the target is stored and the dialog
  // accepted; otherwise the reason is shown and the dialog stays.
  void accept() override;

private:
  QLineEdit *latitude_ = nullptr, *longitude_ = nullptr, *scale_ = nullptr;
  QLabel* error_ = nullptr;
  GoToTarget target_;
};
