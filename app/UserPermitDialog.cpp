#include "UserPermitDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ManufacturerIdentity.h"
#include "UserPermit.h"

UserPermitDialog::UserPermitDialog(const ManufacturerIdentity& identity, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("userPermit"));
  setWindowTitle(QStringLiteral("用户许可"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("本设备的用户许可（向数据服务商申请海图许可证时提供）："), this));
  permit_ = new QLineEdit(QString::fromStdString(makeUserPermit(identity)), this);
  permit_->setObjectName(QStringLiteral("userPermitText"));
  permit_->setReadOnly(true);
  layout->addWidget(permit_);
  if (identity.testScheme)
    layout->addWidget(new QLabel(QStringLiteral("测试许可 (test scheme)：未设置制造商密钥文件，只能使用测试数据"), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* copy = buttons->addButton(QStringLiteral("复制"), QDialogButtonBox::ActionRole);
  copy->setObjectName(QStringLiteral("copyUserPermit"));
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(permit_->text()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QString UserPermitDialog::permit() const { return permit_->text(); }
