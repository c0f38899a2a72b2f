#include "vbscript/ErrObject.h"

#include <array>
#include <cstdint>

#include "vbscript/Lexer.h"

namespace vbs::detail {

namespace {
enum Member { kNumber = 1, kDescription, kSource, kHelpFile, kHelpContext, kRaise, kClear };
constexpr std::array<std::string_view, 7> kNames = {"Number",      "Description", "Source",
                                                    "HelpFile",    "HelpContext", "Raise",
                                                    "Clear"};
}  // namespace

std::string RaiseDescription(int number) {
  const std::string_view text = StandardErrorText(number);
  if (text == StandardErrorText(-1)) return "Unknown runtime error";
  return std::string(text);
}

int RaisedNumber(std::int32_t number) {
  const auto code = static_cast<std::uint32_t>(number);
  if ((code & 0xFFFF0000u) == 0x800A0000u) return static_cast<int>(code & 0xFFFFu);
  struct Mapping {
    std::uint32_t code;
    int number;
  };
  static constexpr Mapping kMappings[] = {
      {0x80004001u, 445},  // E_NOTIMPL: Object doesn't support this action
      {0x80004002u, 430},  // E_NOINTERFACE: Class doesn't support Automation
      {0x80070005u, 70},   // E_ACCESSDENIED: Permission denied
      {0x8007000Eu, 7},    // E_OUTOFMEMORY: Out of memory
      {0x80070057u, 5},    // E_INVALIDARG: Invalid procedure call or argument
      {0x80070002u, 53},   // file not found
      {0x80070003u, 76},   // path not found
      {0x80030002u, 53},   // STG_E_FILENOTFOUND
      {0x80020003u, 438},  // DISP_E_MEMBERNOTFOUND
      {0x80020004u, 448},  // DISP_E_PARAMNOTFOUND: Named argument not found
      {0x80020005u, 13},   // DISP_E_TYPEMISMATCH
      {0x80020006u, 438},  // DISP_E_UNKNOWNNAME
      {0x80020007u, 446},  // DISP_E_NONAMEDARGS
      {0x80020008u, 458},  // DISP_E_BADVARTYPE
      {0x8002000Au, 6},    // DISP_E_OVERFLOW
      {0x8002000Bu, 9},    // DISP_E_BADINDEX: Subscript out of range
      {0x8002000Du, 10},   // DISP_E_ARRAYISLOCKED
      {0x8002000Eu, 450},  // DISP_E_BADPARAMCOUNT
      {0x8002000Fu, 449},  // DISP_E_PARAMNOTOPTIONAL
      {0x80020011u, 451},  // DISP_E_NOTACOLLECTION
      {0x80020012u, 11},   // DISP_E_DIVBYZERO
  };
  for (const Mapping& m : kMappings) {
    if (m.code == code) return m.number;
  }
  return number;
}

int ErrObject::memberId(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (NamesEqual(kNames[i], name)) return static_cast<int>(i) + 1;
  }
  return kUnknownMember;
}

Variant ErrObject::invoke(int memberId, InvokeKind kind, std::span<Variant> args) {
  ErrState& s = *state_;
  if (memberId == kDefaultMember) memberId = kNumber;
  const bool write = kind == InvokeKind::Let;
  if (memberId >= kNumber && memberId <= kHelpContext) {
    if (kind == InvokeKind::Set) throw VbError(err::kObjectDoesntSupport);
    if (write) {
      if (args.size() != 1) throw VbError(450);
      const Variant v = args[0].resolved();
      switch (memberId) {
        case kNumber: s.number = v.toLong(); break;
        case kDescription: s.description = v.toString(); break;
        case kSource: s.source = v.toString(); break;
        case kHelpFile: s.helpFile = v.toString(); break;
        default: s.helpContext = v.toLong(); break;
      }
      return Variant();
    }
    if (!args.empty()) throw VbError(450);
    switch (memberId) {
      case kNumber: return Variant::fromLong(s.number);
      case kDescription: return Variant::fromString(s.description);
      case kSource: return Variant::fromString(s.source);
      case kHelpFile: return Variant::fromString(s.helpFile);
      default: return Variant::fromLong(s.helpContext);
    }
  }
  if (kind == InvokeKind::Let || kind == InvokeKind::Set) throw VbError(err::kObjectDoesntSupport);
  if (memberId == kClear) {
    if (!args.empty()) throw VbError(450);
    s.clear();
    return Variant();
  }
  if (memberId == kRaise) {
    // Raise number [, source [, description [, helpfile, helpcontext]]]
    if (args.empty() || args.size() > 5) throw VbError(450);
    const int number = RaisedNumber(args[0].resolved().toLong());
    if (number == 0) throw VbError(err::kInvalidCall);
    auto given = [&](std::size_t i) {
      return i < args.size() && !args[i].isEmpty() &&
             !(args[i].isError() && args[i].rawInt() == kMissingArgument);
    };
    auto text = [&](std::size_t i) -> std::optional<std::string> {
      if (!given(i)) return std::nullopt;
      return args[i].resolved().toString();
    };
    // What a script set on a clear Err (Err.Description = "..." then Err.Raise n) is the new
    // error's; what is left from an earlier error is not.
    const bool pending = s.number != 0;
    auto kept = [&](const std::string& value) -> std::optional<std::string> {
      if (pending || value.empty()) return std::nullopt;
      return value;
    };
    std::string source = text(1).value_or(kept(s.source).value_or(kRuntimeSource));
    std::string description =
        text(2).value_or(kept(s.description).value_or(RaiseDescription(number)));
    std::string helpFile = text(3).value_or(pending ? std::string() : s.helpFile);
    const int helpContext = given(4) ? args[4].resolved().toLong() : pending ? 0 : s.helpContext;
    s.helpFile = std::move(helpFile);
    s.helpContext = helpContext;
    throw SourcedError(number, std::move(description), std::move(source));
  }
  throw VbError(err::kObjectDoesntSupport);
}

}  // namespace vbs::detail
