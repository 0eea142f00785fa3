#pragma once
// 导入结果: what an import into the chart store did, one row per cell in
// Chinese (已安装, 已更新至第N次更新, 已替换（新版N）, 已重新发行, 已注销,
// 拒绝：原因), the store's English line in each row's tool tip, refusals in red.
#include <QDialog>
#include <vector>

#include "StoreText.h"

class QTreeWidget;

class ImportOutcomeDialog : public QDialog {
public:
  ImportOutcomeDialog(const std::vector<ImportOutcomeRow>& rows, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }

private:
  QTreeWidget* list_ = nullptr;
};
