// RegExpMatches: Match, MatchCollection and SubMatches. Item of both collections is their
// default member and takes an index from 0; an index outside 0..Count-1 raises 5.
#include "vbscript/RegExpMatches.h"

#include <utility>

#include "vbscript/LibraryMembers.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

std::size_t CheckedIndex(const Variant& arg, std::size_t count) {
  const std::int32_t index = ArgLong(arg);
  if (index < 0 || static_cast<std::size_t>(index) >= count) throw VbError(err::kInvalidCall);
  return static_cast<std::size_t>(index);
}

enum CollectionMember { kItem = Object::kDefaultMember, kCount };

const MemberTable& CollectionMembers() {
  static const MemberTable table{
      {"Item", kItem, 1, 1, kReadOnly},
      {"Count", kCount, 0, 0, kReadOnly},
  };
  return table;
}

class SubMatches : public Object {
 public:
  explicit SubMatches(std::vector<Variant> groups) : groups_(std::move(groups)) {}

  std::string typeName() const override { return "ISubMatches"; }
  int memberId(std::string_view name) override { return CollectionMembers().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    const auto plain = CollectionMembers().check(id, kind, args);
    if (id == kCount) return Variant::fromLong(static_cast<std::int32_t>(groups_.size()));
    return groups_[CheckedIndex(plain[0], groups_.size())];
  }

  bool enumerate(std::vector<Variant>& elements) override {
    elements = groups_;
    return true;
  }

 private:
  std::vector<Variant> groups_;
};

enum MatchMember { kValue = Object::kDefaultMember, kFirstIndex, kLength, kSubMatches };

const MemberTable& MatchMembers() {
  static const MemberTable table{
      {"Value", kValue, 0, 0, kReadOnly},
      {"FirstIndex", kFirstIndex, 0, 0, kReadOnly},
      {"Length", kLength, 0, 0, kReadOnly},
      {"SubMatches", kSubMatches, 0, 1, kReadOnly},
  };
  return table;
}

class Match : public Object {
 public:
  explicit Match(MatchData data) : data_(std::move(data)) {}

  std::string typeName() const override { return "IMatch2"; }
  int memberId(std::string_view name) override { return MatchMembers().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    const auto plain = MatchMembers().check(id, kind, args);
    if (id == kSubMatches && !plain.empty()) {
      // m.SubMatches(0): as automation does for a property that takes no index, the index
      // goes to the default member (Item) of the collection the property returns.
      return subMatches()->invoke(kDefaultMember, kind, plain);
    }
    switch (id) {
      case kFirstIndex:
        return Variant::fromLong(data_.firstIndex);
      case kLength:
        return Variant::fromLong(data_.length);
      case kSubMatches:
        return Variant::fromObject(subMatches());
      default:
        return Variant::fromString(data_.value);
    }
  }

 private:
  // One collection per Match, so `m.SubMatches Is m.SubMatches` holds.
  const std::shared_ptr<Object>& subMatches() {
    if (!subMatches_) subMatches_ = std::make_shared<SubMatches>(data_.groups);
    return subMatches_;
  }

  MatchData data_;
  std::shared_ptr<Object> subMatches_;
};

class MatchCollection : public Object {
 public:
  explicit MatchCollection(std::vector<std::shared_ptr<Object>> matches)
      : matches_(std::move(matches)) {}

  std::string typeName() const override { return "IMatchCollection2"; }
  int memberId(std::string_view name) override { return CollectionMembers().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    const auto plain = CollectionMembers().check(id, kind, args);
    if (id == kCount) return Variant::fromLong(static_cast<std::int32_t>(matches_.size()));
    return Variant::fromObject(matches_[CheckedIndex(plain[0], matches_.size())]);
  }

  bool enumerate(std::vector<Variant>& elements) override {
    elements.clear();
    elements.reserve(matches_.size());
    for (const auto& match : matches_) elements.push_back(Variant::fromObject(match));
    return true;
  }

 private:
  std::vector<std::shared_ptr<Object>> matches_;
};

}  // namespace

std::shared_ptr<Object> NewMatch(MatchData data) {
  return std::make_shared<Match>(std::move(data));
}

std::shared_ptr<Object> NewMatchCollection(std::vector<std::shared_ptr<Object>> matches) {
  return std::make_shared<MatchCollection>(std::move(matches));
}

}  // namespace vbs::detail
