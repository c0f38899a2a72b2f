// VariableList: an ordered list of variable objects, like a VB Collection.
//
// Positions count from 1. An element may carry a key (compared without regard to case,
// unique within the list); the player itself never uses keys, so lists may hold several
// variables of the same name and every look-up by name is a linear scan done by the caller.
// Elements are shared: the script engine holds the same objects as named objects, so a
// script writing a variable's Value changes the list's element.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextEncoding.h"
#include "vbscript/VbError.h"

namespace tw {

template <typename Element>
class VariableList {
 public:
  using Pointer = std::shared_ptr<Element>;

 private:
  struct Entry {
    Pointer element;
    std::string key;
  };

 public:
  // Appends a new variable; a non-empty key already present raises error 457.
  template <typename V>
  Pointer Add(std::string name, V value, std::string key = {}) {
    if (!key.empty() && findKey(key) != npos) {
      throw vbs::VbError(vbs::err::kKeyAlreadyAssociated);
    }
    auto element = std::make_shared<Element>(std::move(name), std::move(value));
    entries_.push_back({element, std::move(key)});
    return element;
  }

  // Position 1..Count; anything else raises 9 "Subscript out of range".
  const Pointer& Item(std::int32_t position) const {
    return entries_[checkedIndex(position)].element;
  }
  // By key; an unknown key raises 5 "Invalid procedure call or argument".
  const Pointer& Item(std::string_view key) const { return entries_[keyIndex(key)].element; }

  std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

  void Remove(std::int32_t position) { entries_.erase(entries_.begin() + checkedIndex(position)); }
  void Remove(std::string_view key) { entries_.erase(entries_.begin() + keyIndex(key)); }

  void Clear() { entries_.clear(); }

  // Enumeration in list order (range-for gives the shared element pointers).
  class Iterator {
   public:
    using Inner = typename std::vector<Entry>::const_iterator;
    explicit Iterator(Inner it) : it_(it) {}
    const Pointer& operator*() const { return it_->element; }
    Iterator& operator++() {
      ++it_;
      return *this;
    }
    bool operator==(const Iterator& other) const = default;

   private:
    Inner it_;
  };
  Iterator begin() const { return Iterator(entries_.begin()); }
  Iterator end() const { return Iterator(entries_.end()); }

 private:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  std::size_t checkedIndex(std::int32_t position) const {
    if (position < 1 || position > Count()) throw vbs::VbError(vbs::err::kSubscriptOutOfRange);
    return static_cast<std::size_t>(position - 1);
  }
  std::size_t findKey(std::string_view key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (!entries_[i].key.empty() && EqualsNoCase(entries_[i].key, key)) return i;
    }
    return npos;
  }
  std::size_t keyIndex(std::string_view key) const {
    const std::size_t index = findKey(key);
    if (index == npos) throw vbs::VbError(vbs::err::kInvalidCall);
    return index;
  }

  std::vector<Entry> entries_;
};

}  // namespace tw
