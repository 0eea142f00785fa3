#include "MenuTable.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <map>
#include <string>

MenuTable::MenuTable(QMainWindow& window, std::vector<MenuSpec> menus) : menus_(std::move(menus)) {
  auto* menuBar = new QMenuBar(&window);
  menuBar->setObjectName(QStringLiteral("menubar"));
  std::map<std::string, QActionGroup*> groups;
  for (const MenuSpec& spec : menus_) {
    QMenu* menu = menuBar->addMenu(spec.title);
    menu->setObjectName(QString::fromLatin1(spec.name));
    for (const MenuEntry& entry : spec.entries) {
      if (!entry.name) {
        menu->addSeparator();
        continue;
      }
      QAction* action = entry.own ? entry.own : new QAction(&window);
      action->setObjectName(QString::fromLatin1(entry.name));
      action->setText(entry.text);
      if (!entry.own) action->setCheckable(static_cast<bool>(entry.checked));
      if (entry.hidden) action->setVisible(false);
      if (entry.group) {
        QActionGroup*& group = groups[entry.group];
        if (!group) {
          group = new QActionGroup(&window);
          group->setExclusive(true);
        }
        group->addAction(action);
      }
      if (entry.trigger)
        QObject::connect(action, &QAction::triggered, &window, [this, trigger = entry.trigger] {
          trigger();
          syncCheckMarks();
        });
      menu->addAction(action);
      placed_.push_back({&entry, action});
    }
  }
  window.setMenuBar(menuBar);
}

MenuTable::~MenuTable() = default;

void MenuTable::syncCheckMarks() const {
  for (const Placed& p : placed_) {
    if (p.entry->checked) p.action->setChecked(p.entry->checked());
    if (p.entry->label) p.action->setText(p.entry->label());
  }
}
