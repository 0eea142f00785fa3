#include "PermitListDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "StoreText.h"

namespace {
QString stateText(PermitState state) {
  switch (state) {
    case PermitState::Valid: return QStringLiteral("有效");
    case PermitState::Expiring: return QStringLiteral("即将到期");
    case PermitState::Expired: return QStringLiteral("已过期");
    case PermitState::Refused: break;
  }
  return QStringLiteral("无效");
}
}  // namespace

PermitListDialog::PermitListDialog(const std::vector<PermitListing>& permits, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("permitList"));
  setWindowTitle(QStringLiteral("许可证列表"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("permitListView"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("海图"), QStringLiteral("有效期至"), QStringLiteral("数据服务商"),
                          QStringLiteral("状态")});
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (const PermitListing& p : permits) {
    auto* item = new QTreeWidgetItem({QString::fromStdString(p.cell), dayText(p.expiry),
                                      QString::fromStdString(p.dataServer), stateText(p.state)});
    if (p.state == PermitState::Expired)
      for (int c = 0; c < 4; ++c) item->setForeground(c, QColor(220, 50, 50));
    list_->addTopLevelItem(item);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(520, 300);
}
