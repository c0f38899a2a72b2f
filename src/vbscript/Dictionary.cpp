// Dictionary: entries live in a list in insertion order; a hash map from the normalised key to
// the list position gives O(1) look-up. Invariant: every list entry has exactly one map entry
// whose NormalKey is that entry's key normalised under the current compare mode (the mode can
// only change while the dictionary is empty, so the map never needs rebuilding).
#include "vbscript/Dictionary.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

#include "vbscript/LibraryMembers.h"
#include "vbscript/Utf16.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

constexpr int kElementNotFound = 32811;

enum class KeyKind : std::uint8_t { Empty, Null, Number, String, Boolean, Date, Object, Error };

// A key reduced to what decides its identity.
struct NormalKey {
  KeyKind kind = KeyKind::Empty;
  double number = 0;          // Number, Date
  std::int64_t integer = 0;   // Boolean, Error, Object (address)
  std::u16string text;        // String (folded under text compare)

  bool operator==(const NormalKey& o) const {
    return kind == o.kind && number == o.number && integer == o.integer && text == o.text;
  }
};

struct NormalKeyHash {
  std::size_t operator()(const NormalKey& k) const {
    std::size_t h = std::hash<int>()(static_cast<int>(k.kind));
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(std::hash<double>()(k.number));
    mix(std::hash<std::int64_t>()(k.integer));
    mix(std::hash<std::u16string>()(k.text));
    return h;
  }
};

NormalKey Normalise(const Variant& key, bool textCompare) {
  NormalKey n;
  switch (key.type()) {
    case VarType::Empty: n.kind = KeyKind::Empty; break;
    case VarType::Null: n.kind = KeyKind::Null; break;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      n.kind = KeyKind::Number;
      n.number = static_cast<double>(key.rawInt());
      break;
    case VarType::Currency:
      n.kind = KeyKind::Number;
      n.number = static_cast<double>(key.rawInt()) / 10000.0;
      break;
    case VarType::Single:
    case VarType::Double:
      n.kind = KeyKind::Number;
      n.number = key.rawDouble();
      break;
    case VarType::Date:
      n.kind = KeyKind::Date;
      n.number = key.rawDouble();
      break;
    case VarType::String:
      n.kind = KeyKind::String;
      n.text = ToUtf16(key.rawString());
      if (textCompare) {
        for (char16_t& c : n.text) c = FoldCase(c);
      }
      break;
    case VarType::Boolean:
      n.kind = KeyKind::Boolean;
      n.integer = key.rawInt();
      break;
    case VarType::Error:
      n.kind = KeyKind::Error;
      n.integer = key.rawInt();
      break;
    case VarType::Object:
      n.kind = KeyKind::Object;
      n.integer = static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(key.object().get()));
      break;
    default: throw VbError(err::kTypeMismatch);  // arrays
  }
  if (n.number == 0) n.number = 0;  // -0.0 and 0.0 are one key and must hash alike
  return n;
}

// Arrays are values in VBScript: the dictionary keeps and hands out its own copies.
Variant OwnCopy(const Variant& v) { return v.isArray() ? v.deepCopy() : v; }

enum Member { kItem = 0, kAdd, kExists, kKeys, kItems, kRemove, kRemoveAll, kCount, kKey,
              kCompareMode };

const MemberTable& Members() {
  static const MemberTable table{
      {"Item", kItem, 1, 1, kGet | kCall | kLet | kSet},
      {"Add", kAdd, 2, 2, kMethod},
      {"Exists", kExists, 1, 1, kMethod},
      {"Keys", kKeys, 0, 0, kMethod},
      {"Items", kItems, 0, 0, kMethod},
      {"Remove", kRemove, 1, 1, kMethod},
      {"RemoveAll", kRemoveAll, 0, 0, kMethod},
      {"Count", kCount, 0, 0, kReadOnly},
      {"Key", kKey, 1, 1, kLet | kSet},
      {"CompareMode", kCompareMode, 0, 0, kReadWrite},
  };
  return table;
}

class Dictionary final : public Object {
 public:
  std::string typeName() const override { return "Dictionary"; }
  int memberId(std::string_view name) override { return Members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = Members().check(id, kind, all);
    const bool assigning = kind == InvokeKind::Let || kind == InvokeKind::Set;
    switch (id) {
      case kItem:
        if (assigning) {
          setItem(args[0], all.back());
          return {};
        }
        return OwnCopy(findOrAdd(args[0])->second);
      case kAdd: add(args[0], args[1]); return {};
      case kExists: return Variant::fromBool(index_.count(normal(args[0])) != 0);
      case kKeys: return listOf(true);
      case kItems: return listOf(false);
      case kRemove: remove(args[0]); return {};
      case kRemoveAll:
        index_.clear();
        entries_.clear();
        return {};
      case kCount: return Variant::fromLong(static_cast<std::int32_t>(entries_.size()));
      case kKey: rename(args[0], all.back()); return {};
      case kCompareMode:
        if (assigning) {
          setCompareMode(all.back());
          return {};
        }
        return Variant::fromLong(compareMode_);
    }
    throw VbError(err::kObjectDoesntSupport);
  }

  bool enumerate(std::vector<Variant>& elements) override {
    elements.reserve(elements.size() + entries_.size());
    for (const auto& e : entries_) elements.push_back(e.first);
    return true;
  }

  void surrenderValues(std::vector<Variant>& out) override {
    index_.clear();
    for (auto& e : entries_) {
      out.push_back(std::move(e.first));
      out.push_back(std::move(e.second));
    }
    entries_.clear();
  }

  ~Dictionary() override {
    std::vector<Variant> values;
    surrenderValues(values);
    ReleaseValues(values);
  }

 private:
  using Entry = std::pair<Variant, Variant>;  // key, item
  using Position = std::list<Entry>::iterator;

  NormalKey normal(const Variant& key) const { return Normalise(key, compareMode_ != 0); }

  std::list<Entry>::iterator findOrAdd(const Variant& key) {
    NormalKey n = normal(key);
    auto found = index_.find(n);
    if (found != index_.end()) return found->second;
    // Reading a missing key adds it with an Empty item, as the Windows dictionary does.
    entries_.emplace_back(OwnCopy(key), Variant());
    auto pos = std::prev(entries_.end());
    index_.emplace(std::move(n), pos);
    return pos;
  }

  void add(const Variant& key, const Variant& item) {
    NormalKey n = normal(key);
    if (index_.count(n) != 0) throw VbError(err::kKeyAlreadyAssociated);
    entries_.emplace_back(OwnCopy(key), OwnCopy(item));
    index_.emplace(std::move(n), std::prev(entries_.end()));
  }

  void setItem(const Variant& key, const Variant& item) {
    findOrAdd(key)->second = OwnCopy(item);
  }

  void remove(const Variant& key) {
    auto found = index_.find(normal(key));
    if (found == index_.end()) throw VbError(kElementNotFound, "Element not found");
    entries_.erase(found->second);
    index_.erase(found);
  }

  void rename(const Variant& oldKey, const Variant& newKey) {
    NormalKey from = normal(oldKey);
    NormalKey to = normal(newKey);
    auto found = index_.find(from);
    if (found == index_.end()) throw VbError(kElementNotFound, "Element not found");
    if (from == to) {
      found->second->first = OwnCopy(newKey);  // a change of letter case under text compare
      return;
    }
    if (index_.count(to) != 0) throw VbError(err::kKeyAlreadyAssociated);
    Position pos = found->second;
    index_.erase(found);
    pos->first = OwnCopy(newKey);
    index_.emplace(std::move(to), pos);
  }

  void setCompareMode(const Variant& value) {
    const std::int32_t mode = ArgLong(value);
    if (mode < 0 || !entries_.empty()) throw VbError(err::kInvalidCall);
    compareMode_ = mode;
  }

  Variant listOf(bool keys) const {
    std::vector<Variant> values;
    values.reserve(entries_.size());
    for (const auto& e : entries_) values.push_back(OwnCopy(keys ? e.first : e.second));
    return Variant::fromArray(VariantArray::fromValues(std::move(values)));
  }

  std::list<Entry> entries_;
  std::unordered_map<NormalKey, Position, NormalKeyHash> index_;
  std::int32_t compareMode_ = 0;  // 0 binary; 1 text; larger values (locale ids) compare as text
};

}  // namespace

std::shared_ptr<Object> NewDictionary() { return std::make_shared<Dictionary>(); }

}  // namespace vbs::detail
