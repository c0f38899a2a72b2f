// MenuItem: the menu tree; changes are reported to the owning window.
#include "platform/Menu.h"

#include <algorithm>
#include <utility>

#include "platform/Window.h"

namespace tw::platform {

MenuItem::MenuItem(std::string name, std::string caption)
    : Component(ElementKind::MenuItem, std::move(name)), caption_(std::move(caption)) {}

MenuItem::~MenuItem() {
  for (MenuItem* child : children_) child->parent_ = nullptr;
  children_.clear();
  if (parent_) parent_->remove(*this);
}

std::unique_ptr<Component> MenuItem::clone() const {
  auto m = std::make_unique<MenuItem>(name(), caption_);
  m->copyComponentProperties(*this);
  m->visible_ = visible_;
  m->checked_ = checked_;
  m->checkable_ = checkable_;
  m->enabled_ = enabled_;
  m->toolTip_ = toolTip_;
  m->onClick = onClick;
  return m;
}

void MenuItem::attachBeside(const Component& templ) {
  const auto& t = static_cast<const MenuItem&>(templ);
  MenuItem* p = t.parent_;
  if (!p) return;
  // After the array element with the highest index below ours, so the entries of an array
  // stay in index order whatever order they are loaded in. Being in index order, the first
  // such element seen from the back is the one; loading in ascending order (a list of
  // thousands of frames) finds it at once.
  const MenuItem* after = &t;
  for (auto it = p->children_.rbegin(); it != p->children_.rend(); ++it) {
    const MenuItem* sibling = *it;
    if (sibling != this && sibling->name() == name() && sibling->index() < index()) {
      after = sibling;
      break;
    }
  }
  p->insertAfter(*this, after);
}

void MenuItem::changed() {
  if (Window* w = window()) w->changed(WindowHost::Change::Menus);
}

void MenuItem::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  changed();
}

void MenuItem::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed();
}

void MenuItem::setChecked(bool checked) {
  if (checked_ == checked) return;
  checked_ = checked;
  if (checked) checkable_ = true;
  changed();
}

void MenuItem::setCheckable(bool checkable) {
  if (checkable_ == checkable) return;
  checkable_ = checkable;
  if (!checkable) checked_ = false;
  changed();
}

void MenuItem::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed();
}

void MenuItem::setToolTip(std::string text) {
  if (toolTip_ == text) return;
  toolTip_ = std::move(text);
  changed();
}

void MenuItem::add(MenuItem& child) {
  insertAfter(child, children_.empty() ? nullptr : children_.back());
}

void MenuItem::insertAfter(MenuItem& child, const MenuItem* after) {
  if (&child == this) return;
  for (MenuItem* p = this; p; p = p->parent_) {
    if (p == &child) return;  // no cycles
  }
  if (child.parent_) child.parent_->remove(child);
  auto pos = children_.begin();
  if (after) {
    // Searched from the back: items are mostly added at the end.
    auto it = std::find(children_.rbegin(), children_.rend(), after);
    pos = it == children_.rend() ? children_.end() : it.base();
  }
  children_.insert(pos, &child);
  child.parent_ = this;
  changed();
}

void MenuItem::remove(MenuItem& child) {
  // From the back: a list is emptied from its last item.
  auto it = std::find(children_.rbegin(), children_.rend(), &child);
  if (it == children_.rend()) return;
  children_.erase(std::prev(it.base()));
  child.parent_ = nullptr;
  changed();
}

MenuItem* MenuItem::find(const std::string& name, int index) {
  for (MenuItem* child : children_) {
    if (child->name() == name && (index < 0 || child->index() == index)) return child;
    if (MenuItem* inner = child->find(name, index)) return inner;
  }
  return nullptr;
}

Window* MenuItem::window() const {
  const MenuItem* m = this;
  while (m->parent_) m = m->parent_;
  return m->owner_;
}

void MenuItem::click() {
  if (!enabled_ || !onClick) return;
  auto handler = onClick;
  handler(*this);
}

}  // namespace tw::platform
