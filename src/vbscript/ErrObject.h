// ErrObject: the script's Err object — the last run-time error (Number, the default member,
// Description, Source, HelpFile, HelpContext) and the methods Raise and Clear.
//
// It reads and writes the runtime's error state, which it shares, so a script that keeps Err
// in a variable still sees the current error.
#pragma once

#include <cstdint>
#include <memory>

#include "vbscript/Object.h"
#include "vbscript/Runtime.h"

namespace vbs::detail {

class ErrObject : public Object {
 public:
  explicit ErrObject(std::shared_ptr<ErrState> state) : state_(std::move(state)) {}
  std::string typeName() const override { return "ErrObject"; }
  int memberId(std::string_view name) override;
  Variant invoke(int memberId, InvokeKind kind, std::span<Variant> args) override;

 private:
  std::shared_ptr<ErrState> state_;
};

// Err.Raise's description for a number given without one: the runtime's text for numbers it
// knows, "Unknown runtime error" otherwise.
std::string RaiseDescription(int number);

// The VBScript number of an error raised with a COM status code: codes of VBScript's own
// facility (&h800A0005&) carry the number in their low word, the codes of ComErrors.cpp map to
// the run-time error they stand for (&h80070057& is 5), anything else stays as given.
int RaisedNumber(std::int32_t number);

}  // namespace vbs::detail
