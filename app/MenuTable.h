#pragma once
// The window's menus, built from one table. Each entry names its action
// (object name and text) and says what triggering it does and when it bears
// a check mark; entries that share a group are exclusive. The table drives
// the making of the menus, actions and groups, what each action does, and
// every check mark: after any entry is triggered every check mark is set
// again from the state in force, so a mark never disagrees with the state.
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMainWindow;

struct MenuEntry {
  const char* name = nullptr;  // the action's object name; none: a separator
  QString text;
  std::function<void()> trigger;  // none: does nothing
  std::function<bool()> checked;  // none: not checkable
  // A text that follows the state (the custom safety contour shows its
  // depth); none: `text` always.
  std::function<QString()> label;
  const char* group = nullptr;  // entries of one group are exclusive
  bool hidden = false;
  // An action a widget owns (the dock's own, whose check mark follows the
  // dock): placed, named and worded by the table, nothing more.
  QAction* own = nullptr;
};

struct MenuSpec {
  const char* name;  // the menu's object name
  QString title;
  std::vector<MenuEntry> entries;
};

class MenuTable {
public:
  // Builds the window's menu bar; the actions and groups it makes belong to
  // the window.
  MenuTable(QMainWindow& window, std::vector<MenuSpec> menus);
  ~MenuTable();
  MenuTable(const MenuTable&) = delete;
  MenuTable& operator=(const MenuTable&) = delete;

  // Every check mark (and every text that follows the state) as the state
  // stands.
  void syncCheckMarks() const;

private:
  struct Placed {
    const MenuEntry* entry;
    QAction* action;
  };
  std::vector<MenuSpec> menus_;
  std::vector<Placed> placed_;
};
