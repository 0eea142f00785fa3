#include "ImportOutcomeDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

ImportOutcomeDialog::ImportOutcomeDialog(const std::vector<ImportOutcomeRow>& rows, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("importOutcome"));
  setWindowTitle(QStringLiteral("导入结果"));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("importOutcomeList"));
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("海图"), QStringLiteral("结果")});
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  list_->header()->setStretchLastSection(true);
  for (const ImportOutcomeRow& row : rows) {
    auto* item = new QTreeWidgetItem({row.cell, row.text});
    item->setToolTip(1, row.text + QLatin1Char('\n') + row.detail);
    if (row.refused)
      for (int c = 0; c < 2; ++c) item->setForeground(c, QColor(220, 50, 50));
    list_->addTopLevelItem(item);
  }
  if (rows.empty()) list_->addTopLevelItem(new QTreeWidgetItem({QString(), QStringLiteral("没有找到可导入的海图")}));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(buttons);
  resize(640, 360);
}
