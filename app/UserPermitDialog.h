#pragma once
// 用户许可: the user permit of this installation, made from the
// manufacturer's identity (the scheme's test manufacturer until a key file
// is set), to send to the data server that issues cell permits; 复制 puts
// it on the clipboard.
#include <QDialog>

struct ManufacturerIdentity;
class QLineEdit;

class UserPermitDialog : public QDialog {
public:
  explicit UserPermitDialog(const ManufacturerIdentity& identity, QWidget* parent = nullptr);
  QString permit() const;

private:
  QLineEdit* permit_ = nullptr;
};
