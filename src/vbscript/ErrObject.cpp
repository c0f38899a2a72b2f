#include "vbscript/ErrObject.h"

#include <array>

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
    const int number = args[0].resolved().toLong();
    if (number == 0) throw VbError(err::kInvalidCall);
    auto text = [&](std::size_t i) -> std::optional<std::string> {
      if (i >= args.size() || args[i].isEmpty()) return std::nullopt;
      return args[i].resolved().toString();
    };
    std::string source = text(1).value_or(kRuntimeSource);
    std::string description = text(2).value_or(RaiseDescription(number));
    if (auto help = text(3)) s.helpFile = *help;
    if (args.size() > 4) s.helpContext = args[4].resolved().toLong();
    throw SourcedError(number, std::move(description), std::move(source));
  }
  throw VbError(err::kObjectDoesntSupport);
}

}  // namespace vbs::detail
