// LibraryMembers: the member tables and argument conversions shared by the library objects
// (Dictionary, FileSystemObject and its File, Folder, Drive, TextStream and collections).
//
// Each object describes its members once, as a table of name, id, argument counts and the
// kinds of invocation it accepts; the table answers memberId() and checks every invoke()
// before the object runs the member, so a member body can index its arguments without
// further checks. Rules, as automation objects raise them:
//  - an unknown id, or a kind the member does not take (assigning to a read-only property,
//    reading a write-only one), raises 438;
//  - an argument count outside [minArgs, maxArgs] raises 450 (for Let/Set the assigned value
//    is not counted).
// An optional argument may be left out in the middle of a list (f.OpenTextFile(p, , True));
// the engine passes such a hole as the Error value DISP_E_PARAMNOTFOUND, as COM does.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Object.h"
#include "vbscript/Variant.h"

namespace vbs::detail {

// Kinds of invocation a member takes.
enum MemberKinds : unsigned {
  kGet = 1u << 0,   // read (property) — a method also takes Get, its result being used
  kCall = 1u << 1,  // statement call
  kLet = 1u << 2,
  kSet = 1u << 3,
  kMethod = kGet | kCall,
  kReadOnly = kGet | kCall,
  kReadWrite = kGet | kCall | kLet,
};

struct MemberSpec {
  std::string_view name;
  int id;
  int minArgs;
  int maxArgs;
  unsigned kinds;
};

class MemberTable {
 public:
  MemberTable(std::initializer_list<MemberSpec> members);

  // The id of the named member without regard to case; Object::kUnknownMember when none.
  int idOf(std::string_view name) const;

  // Checks an invocation against the table and returns the arguments without the assigned
  // value (for Let/Set the value is args.back()). Throws 438 or 450 as described above.
  std::span<Variant> check(int id, InvokeKind kind, std::span<Variant> args) const;

 private:
  std::vector<MemberSpec> members_;
};

// DISP_E_PARAMNOTFOUND: the Error value standing for an optional argument left out.
inline constexpr std::int32_t kParamNotFound = static_cast<std::int32_t>(0x80020004u);
Variant MissingArgument();

// Whether argument i was given (present in the list and not a hole).
bool HasArg(std::span<const Variant> args, std::size_t i);

// Conversions of arguments to the types the members declare. Null raises 13 (a typed
// parameter cannot take Null); an object stands for its default value; numbers out of range
// raise 6; other values that do not convert raise 13.
std::string ArgString(const Variant& arg);
std::int32_t ArgLong(const Variant& arg);
bool ArgBool(const Variant& arg);

// The given argument converted, or the fallback when it was left out.
std::string ArgString(std::span<const Variant> args, std::size_t i, std::string_view fallback);
std::int32_t ArgLong(std::span<const Variant> args, std::size_t i, std::int32_t fallback);
bool ArgBool(std::span<const Variant> args, std::size_t i, bool fallback);

}  // namespace vbs::detail
