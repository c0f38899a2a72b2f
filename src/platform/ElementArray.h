// ElementArray: a VB control array — element 0 is a hidden template, elements 1 and up are
// created and removed at run time.
//
// load(i) creates element i as a copy of the template's properties and handlers, hidden
// (as VB's Load does), in the template's container (at the front) or menu (after the array's
// element with the next lower index). The array owns the loaded elements; unload(i)
// destroys one, which takes it out of its container. Indexes need not be contiguous.
// Errors are VB's: 340 for an element that does not exist, 360 for loading one that does,
// 362 for unloading the template.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Component.h"
#include "platform/Element.h"
#include "platform/Menu.h"
#include "vbscript/VbError.h"

namespace tw::platform {

template <class T>
class ElementArray {
  static_assert(std::is_base_of_v<Component, T>, "arrays hold window components");

 public:
  // The template is constructed from args (a Timer needs its scheduler) and named name.
  template <class... Args>
  explicit ElementArray(std::string name, Args&&... args)
      : template_(std::make_unique<T>(std::forward<Args>(args)...)) {
    template_->setName(std::move(name));
    template_->setIndex(0);
    hide(*template_);
  }
  ElementArray(const ElementArray&) = delete;
  ElementArray& operator=(const ElementArray&) = delete;
  // Loaded elements go before the template, so nothing points at a destroyed template.
  ~ElementArray() { elements_.clear(); }

  const std::string& name() const { return template_->name(); }
  T& templ() { return *template_; }
  const T& templ() const { return *template_; }

  bool exists(int index) const { return index == 0 || elements_.count(index) != 0; }
  T& operator[](int index) { return at(index); }
  T& at(int index) {
    if (index == 0) return *template_;
    auto it = elements_.find(index);
    if (it == elements_.end()) throw missing(index);
    return *it->second;
  }

  T& load(int index) {
    if (index < 0 || index > 32767) throw vbs::VbError(vbs::err::kSubscriptOutOfRange);
    if (exists(index)) throw vbs::VbError(360, "Object already loaded");
    std::unique_ptr<Component> copy = template_->clone();
    std::unique_ptr<T> element(static_cast<T*>(copy.release()));
    element->setIndex(index);
    hide(*element);
    T& ref = *element;
    elements_.emplace(index, std::move(element));
    ref.attachBeside(*template_);
    return ref;
  }

  void unload(int index) {
    if (index == 0) throw vbs::VbError(362, "Can't unload controls created at design time");
    auto it = elements_.find(index);
    if (it == elements_.end()) throw missing(index);
    // Moved out first: the element's destructor may run code that looks at the array.
    std::unique_ptr<T> doomed = std::move(it->second);
    elements_.erase(it);
  }

  // Unloads every element but the template, highest index first.
  void unloadAll() {
    while (!elements_.empty()) unload(elements_.rbegin()->first);
  }

  // Loaded indexes in ascending order, the template's 0 first.
  std::vector<int> indexes() const {
    std::vector<int> out{0};
    for (const auto& [index, element] : elements_) out.push_back(index);
    return out;
  }
  // Elements loaded, the template included (VB Count).
  int count() const { return static_cast<int>(elements_.size()) + 1; }
  int ubound() const { return elements_.empty() ? 0 : elements_.rbegin()->first; }
  int lbound() const { return 0; }

 private:
  static vbs::VbError missing(int index) {
    return vbs::VbError(340, "Control array element '" + std::to_string(index) + "' doesn't exist");
  }
  static void hide(T& element) {
    if constexpr (std::is_base_of_v<Element, T> || std::is_base_of_v<MenuItem, T>) {
      element.setVisible(false);
    }
  }

  std::unique_ptr<T> template_;
  std::map<int, std::unique_ptr<T>> elements_;
};

}  // namespace tw::platform
