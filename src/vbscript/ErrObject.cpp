#include "vbscript/ErrObject.h"

#include <array>
#include <cstdint>

#include "vbscript/ComErrors.h"
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
  if (number >= 0) return number;
  const auto code = static_cast<std::uint32_t>(number);
  if ((code & 0xFFFF0000u) == 0x800A0000u) return static_cast<int>(code & 0xFFFFu);
  const int mapped = VbNumberOfComError(code);
  return mapped != 0 ? mapped : number;
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
    // Error numbers run from 1 to 65535; larger values are only COM failure codes.
    const std::int32_t raised = args[0].resolved().toLong();
    const int number = raised > 0xFFFF ? 0 : RaisedNumber(raised);
    if (number == 0) throw VbError(err::kInvalidCall);
    auto given = [&](std::size_t i) {
      return i < args.size() && !args[i].isEmpty() &&
             !(args[i].isError() && args[i].rawInt() == kMissingArgument);
    };
    auto text = [&](std::size_t i) -> std::optional<std::string> {
      if (!given(i)) return std::nullopt;
      return args[i].resolved().toString();
    };
    // What is left out keeps what Err holds, whether an earlier error or the script left it
    // there; only a cleared Err takes the defaults.
    std::string source = text(1).value_or(s.source.empty() ? kRuntimeSource : s.source);
    std::string description =
        text(2).value_or(s.description.empty() ? RaiseDescription(number) : s.description);
    if (auto helpFile = text(3)) s.helpFile = std::move(*helpFile);
    if (given(4)) s.helpContext = args[4].resolved().toLong();
    throw SourcedError(number, std::move(description), std::move(source));
  }
  throw VbError(err::kObjectDoesntSupport);
}

}  // namespace vbs::detail
