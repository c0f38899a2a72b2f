// Builtins: the built-in function library and the constants of VBScript 5.8 (en-US).
//
// The engine looks a name up once (FindBuiltin / FindConstant, case-insensitive), checks the
// argument count against minArgs..maxArgs itself (450 otherwise) and then calls the function
// with the arguments the script gave, in script order; optional arguments the script left out
// at the end are simply absent (args.size() tells). One skipped inside the list
// (FormatNumber(x, , , , 0)) is passed as Variant::fromError(kMissingArgument), as automation
// passes it, and counts as absent. Arguments may still be objects; functions take their
// default values as VBScript does. Functions throw VbError for run-time errors.
//
// What a built-in needs from the engine that runs it (dialog boxes, the random generator, object
// creation, the clock) comes through BuiltinHost, so the library itself holds no state.
// Eval, Execute, ExecuteGlobal, GetRef and Err belong to the engine and are not listed here.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "vbscript/Object.h"
#include "vbscript/Variant.h"

namespace vbs {

// State of Rnd and Randomize: VB's 24-bit linear congruential generator
// x = (x * 1140671485 + 12820163) mod 2^24, Rnd = x / 2^24. The initial seed is 327680
// (0x50000), so a script that never calls Randomize gets VB's well-known sequence.
class RandomState {
 public:
  static constexpr std::uint32_t kInitialSeed = 0x50000;

  // Rnd(): the next number; Rnd(n) with n < 0 reseeds from n first and gives the same value for
  // the same n; Rnd(0) repeats the last number; Rnd(n > 0) is Rnd().
  float next();
  float nextWith(float number);
  // Randomize number: mixes the number into the seed (keeping the low byte of the state).
  void randomize(double number);

  std::uint32_t seed() const { return seed_; }
  void setSeed(std::uint32_t seed) { seed_ = seed & 0xFFFFFF; }

 private:
  float current() const;

  std::uint32_t seed_ = kInitialSeed;
};

// The Error value standing for an argument skipped inside an argument list (DISP_E_PARAMNOTFOUND).
inline constexpr std::int32_t kMissingArgument = static_cast<std::int32_t>(0x80020004u);

class BuiltinHost {  // what built-ins need from the engine that runs them
 public:
  virtual ~BuiltinHost() = default;
  // MsgBox: returns the code of the pressed button (vbOK = 1 ... vbNo = 7).
  virtual Variant msgBox(const Variant& prompt, int buttons, const Variant& title) = 0;
  // InputBox: the text entered, Empty when cancelled.
  virtual Variant inputBox(const Variant& prompt, const Variant& title,
                           const Variant& defaultText) = 0;
  virtual RandomState& random() = 0;
  // CreateObject; nullptr when the class is unknown (the caller raises 429).
  virtual std::shared_ptr<Object> createObject(std::string_view progId) = 0;
  // Local time as an OLE date (Now, Date, Time); default: the system clock.
  virtual double now();
  // Seconds since midnight, with fractions (Timer); default: the system clock.
  virtual double timer();
  // Ends the running script when it has used up its time (the engine's time-out unwinds
  // from here); does nothing otherwise. Built-ins whose work grows with their input (text
  // searches, pattern matching) call it every few hundred microseconds of work, so that no
  // call runs far past the time-out. Default: no time-out.
  virtual void checkTime() {}
};

using BuiltinFunction = Variant (*)(BuiltinHost& host, std::span<Variant> args);

struct BuiltinInfo {
  std::string_view name;  // as documented ("InStrRev")
  int minArgs;
  int maxArgs;
  BuiltinFunction function;
};

// The built-in function of that name, case-insensitive; nullptr if there is none.
const BuiltinInfo* FindBuiltin(std::string_view name);
// The value of a VBScript constant (vbCrLf, vbTextCompare, vbString, vbOKCancel, ...),
// case-insensitive; nullopt if there is none.
std::optional<Variant> FindConstant(std::string_view name);

}  // namespace vbs
