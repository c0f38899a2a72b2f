// LibraryMembers: member look-up, invocation checks and argument conversions of the library
// objects.
#include "vbscript/LibraryMembers.h"

#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

unsigned KindBit(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::Get: return kGet;
    case InvokeKind::Call: return kCall;
    case InvokeKind::Let: return kLet;
    case InvokeKind::Set: return kSet;
  }
  return 0;
}

}  // namespace

MemberTable::MemberTable(std::initializer_list<MemberSpec> members) : members_(members) {}

int MemberTable::idOf(std::string_view name) const {
  // Tables hold a dozen or two names: a linear scan beats hashing, and the engine caches ids.
  for (const MemberSpec& m : members_) {
    if (SameNameIgnoringCase(m.name, name)) return m.id;
  }
  return Object::kUnknownMember;
}

std::span<Variant> MemberTable::check(int id, InvokeKind kind, std::span<Variant> args) const {
  for (const MemberSpec& m : members_) {
    if (m.id != id) continue;
    if ((m.kinds & KindBit(kind)) == 0) throw VbError(err::kObjectDoesntSupport);
    std::span<Variant> plain = args;
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
      if (args.empty()) throw VbError(450);
      plain = args.first(args.size() - 1);
    }
    const auto count = static_cast<int>(plain.size());
    if (count < m.minArgs || count > m.maxArgs) throw VbError(450);
    // A hole where an argument is required is as good as a missing argument.
    for (int i = 0; i < m.minArgs; ++i) {
      if (!HasArg(plain, static_cast<std::size_t>(i))) throw VbError(450);
    }
    return plain;
  }
  throw VbError(err::kObjectDoesntSupport);
}

Variant MissingArgument() { return Variant::fromError(kParamNotFound); }

bool HasArg(std::span<const Variant> args, std::size_t i) {
  if (i >= args.size()) return false;
  const Variant& a = args[i];
  return !(a.isError() && a.rawInt() == kParamNotFound);
}

namespace {

Variant Plain(const Variant& arg) {
  Variant v = arg.isObject() ? arg.resolved() : arg;
  if (v.isNull() || v.isArray()) throw VbError(err::kTypeMismatch);
  return v;
}

}  // namespace

std::string ArgString(const Variant& arg) { return Plain(arg).toString(); }
std::int32_t ArgLong(const Variant& arg) { return Plain(arg).toLong(); }
bool ArgBool(const Variant& arg) { return Plain(arg).toBool(); }

std::string ArgString(std::span<const Variant> args, std::size_t i, std::string_view fallback) {
  return HasArg(args, i) ? ArgString(args[i]) : std::string(fallback);
}

std::int32_t ArgLong(std::span<const Variant> args, std::size_t i, std::int32_t fallback) {
  return HasArg(args, i) ? ArgLong(args[i]) : fallback;
}

bool ArgBool(std::span<const Variant> args, std::size_t i, bool fallback) {
  return HasArg(args, i) ? ArgBool(args[i]) : fallback;
}

}  // namespace vbs::detail
