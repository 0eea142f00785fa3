#include "ObjectPanel.h"

#include <QHeaderView>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ChineseText.h"
#include "ObjectDescription.h"
#include "PresentationLibrary.h"
#include "ReadoutText.h"

namespace {
QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }
QString escaped(const std::string& text) { return fromUtf8(text).toHtmlEscaped(); }

// The chosen object as the panel shows it: title, cell (and whether its data
// is official), where, attributes.
QString descriptionHtml(const ObjectDescription& d, const PickedObject& object, NameLanguage language) {
  QString html = QStringLiteral("<p><b>%1</b></p>").arg(escaped(d.title));
  html += QStringLiteral("<p>图幅：%1</p>").arg(escaped(d.cell));
  if (!d.nonOfficialReason.empty() && object.cell)
    html += QStringLiteral("<p style=\"color:#c800a0\"><b>%1</b></p>").arg(chineseNonOfficialText(*object.cell).toHtmlEscaped());
  if (d.position) html += QStringLiteral("<p>位置：%1</p>").arg(positionText(*d.position));
  if (d.southWest && d.northEast)
    html += QStringLiteral("<p>范围：%1<br>至 %2</p>").arg(positionText(*d.southWest), positionText(*d.northEast));
  if (d.depth)
    html += QStringLiteral("<p>水深：%1 %2</p>")
                .arg(static_cast<double>(*d.depth), 0, 'g', 6)
                .arg(language == NameLanguage::Chinese ? QStringLiteral("米") : QStringLiteral("m"));
  for (const AttributeText& a : d.attributes)
    html += QStringLiteral("<p><b>%1</b> (%2)<br>%3</p>").arg(escaped(a.name), escaped(a.acronym), escaped(a.value));
  return html;
}
}  // namespace

ObjectPanel::ObjectPanel(const PresentationLibrary& library, QWidget* parent)
    : QDockWidget(QStringLiteral("物标信息"), parent), library_(library) {
  setObjectName(QStringLiteral("objectPanel"));
  // Opaque, title bar included, in every colour table.
  setAutoFillBackground(true);
  // Shown and hidden with object selection, not closed on its own.
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  auto* content = new QWidget(this);
  list_ = new QTreeWidget(content);
  list_->setObjectName(QStringLiteral("objectList"));
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral("物标信息"), QStringLiteral("图幅")});
  list_->setRootIsDecorated(false);
  list_->setWordWrap(true);
  list_->header()->setStretchLastSection(false);
  list_->header()->setSectionResizeMode(ObjectColumn, QHeaderView::Stretch);
  list_->header()->setSectionResizeMode(CellColumn, QHeaderView::ResizeToContents);
  view_ = new QTextBrowser(content);
  view_->setObjectName(QStringLiteral("attributeView"));
  view_->setLineWrapMode(QTextEdit::WidgetWidth);
  view_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);

  auto* splitter = new QSplitter(Qt::Vertical, content);
  splitter->addWidget(list_);
  splitter->addWidget(view_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 2);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter);
  setWidget(content);

  connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
    describeChosen();
    emit choiceChanged();
  });
}

void ObjectPanel::showObjects(std::vector<PickedObject> objects) {
  objects_ = std::move(objects);
  listObjects();
  if (!objects_.empty()) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentItem(list_->topLevelItem(0));
  }
  describeChosen();
  emit choiceChanged();
}

void ObjectPanel::setLanguage(NameLanguage language) {
  if (language == language_) return;
  language_ = language;
  const int row = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
  listObjects();
  if (row >= 0) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentItem(list_->topLevelItem(row));
  }
  describeChosen();
}

void ObjectPanel::listObjects() {
  const QSignalBlocker blocker(list_);
  list_->clear();
  for (const PickedObject& object : objects_) {
    const ObjectDescription d = describeObject(object, library_, language_);
    const QString cell = fromUtf8(d.cell) + (d.nonOfficialReason.empty() ? QString() : QStringLiteral("（非官方）"));
    auto* item = new QTreeWidgetItem(list_, {fromUtf8(d.title), cell});
    item->setToolTip(ObjectColumn, fromUtf8(d.title));
    if (!d.nonOfficialReason.empty() && object.cell) item->setToolTip(CellColumn, chineseNonOfficialText(*object.cell));
  }
}

void ObjectPanel::clearChoice() {
  const QSignalBlocker blocker(list_);
  list_->setCurrentItem(nullptr);
  list_->clearSelection();
  describeChosen();
  emit choiceChanged();
}

const PickedObject* ObjectPanel::chosen() const {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item) return nullptr;
  const int row = list_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
  return row >= 0 && static_cast<std::size_t>(row) < objects_.size() ? &objects_[static_cast<std::size_t>(row)]
                                                                       : nullptr;
}

void ObjectPanel::describeChosen() {
  const PickedObject* object = chosen();
  view_->setHtml(object ? descriptionHtml(describeObject(*object, library_, language_), *object, language_) : QString());
}
