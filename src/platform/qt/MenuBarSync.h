// MenuBarSync: keeps a QMenuBar showing a window's menu tree (platform/Menu.h).
//
// Visible items only, in order; an item with visible children is a menu, any other item an
// action (a caption of "-" is a separator line, "&" marks the access key as in the game's
// data). Check marks and enabled state follow the items. Long menus scroll instead of
// running off the screen (the Debug menu may list hundreds of frames).
//
// sync() rebuilds the Qt menus only when the set of visible items changed, otherwise it
// updates captions, check marks and enabled state in place, so an open menu stays open while
// the game ticks an entry. Menu items are not owned and may be destroyed at any time: every
// Qt action looks its item up in the live tree before it is used, and objects of an old build
// are deleted later, never inside one of their own signals.
//
// Hooks: `triggered` for a chosen entry, `opened` / `closed` when a menu (of the bar or a
// sub-menu) is pulled down or closes — a menu title's Click event in the game's terms.
#pragma once

#include <QPointer>
#include <functional>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace tw::platform {

class MenuItem;

class MenuBarSync {
 public:
  struct Hooks {
    std::function<void(MenuItem&)> triggered;
    std::function<void(MenuItem&)> opened;
    std::function<void(MenuItem&)> closed;
  };

  MenuBarSync(QMenuBar& bar, MenuItem& root, Hooks hooks);
  ~MenuBarSync();
  MenuBarSync(const MenuBarSync&) = delete;
  MenuBarSync& operator=(const MenuBarSync&) = delete;

  // Brings the bar up to date with the tree; returns whether any top-level item is visible.
  bool sync();
  // Forget the tree (its window is going away): actions do nothing from now on.
  void detach();
  // The item behind an action of the bar, when it still exists (tests use it too).
  MenuItem* itemOf(const QAction* action) const;

 private:
  struct Entry {
    const MenuItem* item;
    QPointer<QAction> action;
  };
  void rebuild();
  void buildInto(QMenu* menu, const MenuItem& parent);
  void addItem(QMenu* menu, const MenuItem& item);
  void updateInPlace();
  bool alive(const MenuItem* item) const;
  void dropOldObjects();

  QMenuBar& bar_;
  MenuItem* root_;
  Hooks hooks_;
  std::vector<const MenuItem*> shape_;  // visible items in order, with parents marked
  std::vector<Entry> entries_;
  std::vector<QPointer<QObject>> owned_;
};

}  // namespace tw::platform
