// MenuBarSync: building Qt menus from the menu tree and updating them in place.
#include "platform/qt/MenuBarSync.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/Menu.h"

namespace tw::platform {

namespace {

bool HasVisibleChildren(const MenuItem& item) {
  for (const MenuItem* child : item.children()) {
    if (child->visible()) return true;
  }
  return false;
}

bool IsSeparator(const MenuItem& item) {
  return item.caption() == "-" && item.children().empty();
}

bool InTree(const MenuItem& root, const MenuItem* item) {
  for (const MenuItem* child : root.children()) {
    if (child == item || InTree(*child, item)) return true;
  }
  return false;
}

// The visible items in display order; a nullptr closes the children of the item before it,
// so two trees with the same items in different nesting differ.
void Shape(const MenuItem& parent, std::vector<const MenuItem*>& out) {
  for (const MenuItem* child : parent.children()) {
    if (!child->visible()) continue;
    out.push_back(child);
    if (HasVisibleChildren(*child)) {
      Shape(*child, out);
      out.push_back(nullptr);
    }
  }
}

}  // namespace

MenuBarSync::MenuBarSync(QMenuBar& bar, MenuItem& root, Hooks hooks)
    : bar_(bar), root_(&root), hooks_(std::move(hooks)) {}

MenuBarSync::~MenuBarSync() {
  dropOldObjects();
}

void MenuBarSync::detach() {
  root_ = nullptr;
}

bool MenuBarSync::alive(const MenuItem* item) const {
  return root_ && item && InTree(*root_, item);
}

MenuItem* MenuBarSync::itemOf(const QAction* action) const {
  for (const Entry& e : entries_) {
    if (e.action == action && alive(e.item)) return const_cast<MenuItem*>(e.item);
  }
  return nullptr;
}

bool MenuBarSync::sync() {
  if (!root_) return false;
  std::vector<const MenuItem*> shape;
  Shape(*root_, shape);
  if (shape == shape_ && !entries_.empty()) {
    updateInPlace();
  } else {
    shape_ = std::move(shape);
    rebuild();
  }
  return HasVisibleChildren(*root_);
}

void MenuBarSync::dropOldObjects() {
  for (auto& object : owned_) {
    if (object) object->deleteLater();
  }
  owned_.clear();
}

void MenuBarSync::rebuild() {
  // Old menus may be in the middle of emitting a signal: they go when control returns to
  // the event loop, and are taken off the bar now.
  for (const Entry& e : entries_) {
    if (e.action) e.action->disconnect();
  }
  bar_.clear();
  dropOldObjects();
  entries_.clear();
  buildInto(nullptr, *root_);
}

void MenuBarSync::buildInto(QMenu* menu, const MenuItem& parent) {
  for (const MenuItem* child : parent.children()) {
    if (child->visible()) addItem(menu, *child);
  }
}

void MenuBarSync::addItem(QMenu* menu, const MenuItem& item) {
  QWidget* owner = menu ? static_cast<QWidget*>(menu) : static_cast<QWidget*>(&bar_);
  const QString caption = QString::fromStdString(item.caption());
  if (HasVisibleChildren(item)) {
    auto* sub = new QMenu(caption, owner);  // owned by its parent; dropped with owned_
    owned_.emplace_back(sub);
    sub->setStyleSheet(QStringLiteral("QMenu { menu-scrollable: 1; }"));
    sub->setToolTipsVisible(true);
    sub->setEnabled(item.enabled());
    QAction* action = menu ? menu->addMenu(sub) : bar_.addMenu(sub);
    entries_.push_back(Entry{&item, action});
    const MenuItem* key = &item;
    QObject::connect(sub, &QMenu::aboutToShow, sub, [this, key] {
      if (alive(key) && hooks_.opened) hooks_.opened(*const_cast<MenuItem*>(key));
    });
    QObject::connect(sub, &QMenu::aboutToHide, sub, [this, key] {
      if (alive(key) && hooks_.closed) hooks_.closed(*const_cast<MenuItem*>(key));
    });
    buildInto(sub, item);
    return;
  }
  auto* action = new QAction(owner);
  owned_.emplace_back(action);
  if (IsSeparator(item)) {
    action->setSeparator(true);
  } else {
    action->setText(caption);
    action->setCheckable(item.checkable());
    action->setChecked(item.checked());
    action->setEnabled(item.enabled());
    action->setToolTip(QString::fromStdString(item.toolTip()));
  }
  if (menu) {
    menu->addAction(action);
  } else {
    bar_.addAction(action);
  }
  entries_.push_back(Entry{&item, action});
  const MenuItem* key = &item;
  QObject::connect(action, &QAction::triggered, action, [this, key, action] {
    if (!alive(key)) return;
    auto* item = const_cast<MenuItem*>(key);
    // Qt toggles a checkable action by itself; the item's own state decides.
    action->setChecked(item->checked());
    if (hooks_.triggered) hooks_.triggered(*item);
  });
}

void MenuBarSync::updateInPlace() {
  for (const Entry& e : entries_) {
    if (!e.action || e.action->isSeparator()) continue;
    e.action->setText(QString::fromStdString(e.item->caption()));
    if (e.action->menu()) {
      e.action->menu()->setEnabled(e.item->enabled());
      continue;
    }
    e.action->setCheckable(e.item->checkable());
    e.action->setChecked(e.item->checked());
    e.action->setEnabled(e.item->enabled());
    e.action->setToolTip(QString::fromStdString(e.item->toolTip()));
  }
}

}  // namespace tw::platform
