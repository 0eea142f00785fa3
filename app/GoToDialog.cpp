#include "GoToDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "PositionInput.h"

GoToDialog::GoToDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("goToDialog"));
  setWindowTitle(QStringLiteral("转到"));
  latitude_ = new QLineEdit(this);
  latitude_->setObjectName(QStringLiteral("latitude"));
  latitude_->setPlaceholderText(QStringLiteral("如 30 30.000 N 或 30.5"));
  longitude_ = new QLineEdit(this);
  longitude_->setObjectName(QStringLiteral("longitude"));
  longitude_->setPlaceholderText(QStringLiteral("如 122 24.03 E 或 122.4005"));
  scale_ = new QLineEdit(this);
  scale_->setObjectName(QStringLiteral("scale"));
  scale_->setPlaceholderText(QStringLiteral("可不填，如 1:25000"));
  error_ = new QLabel(this);
  error_->setObjectName(QStringLiteral("error"));
  error_->setWordWrap(true);
  error_->setStyleSheet(QStringLiteral("color: rgb(220, 60, 60);"));
  error_->hide();
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("纬度："), latitude_);
  form->addRow(QStringLiteral("经度："), longitude_);
  form->addRow(QStringLiteral("比例尺："), scale_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons);
  setMinimumWidth(380);
}

QString GoToDialog::errorText() const { return error_->text(); }

void GoToDialog::accept() {
  GoToTarget t;
  QString error;
  if (!parseLatitude(latitude_->text(), t.latitude, error) || !parseLongitude(longitude_->text(), t.longitude, error) ||
      !parseScale(scale_->text(), t.scale, error)) {
    error_->setText(error);
    error_->show();
    // Tall enough for the whole message, wrapped at the dialog's width.
    layout()->activate();
    resize(width(), qMax(height(), layout()->totalHeightForWidth(width())));
    return;
  }
  error_->clear();
  error_->hide();
  target_ = t;
  QDialog::accept();
}
