// BuiltinsMath: Atn, Cos, Sin, Tan, Exp, Log, Sqr, Int, Fix, Abs, Sgn, Round, Rnd, Randomize,
// and the generator behind Rnd (RandomState).
//
// Null gives Null (Sgn raises 94). Int, Fix, Abs and Round keep the subtype of their argument
// (Empty and Boolean give Integer, except that Round keeps a Boolean; text gives Double); a whole-number result that leaves its
// subtype widens, as arithmetic does. Round rounds half to even, also with decimal places.
#include <array>
#include <bit>
#include <cmath>
#include <limits>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/VbError.h"

namespace vbs {

float RandomState::current() const {
  return static_cast<float>(seed_) / 16777216.0f;
}

float RandomState::next() {
  seed_ = (seed_ * 1140671485u + 12820163u) & 0xFFFFFFu;
  return current();
}

float RandomState::nextWith(float number) {
  if (number == 0.0f) return current();
  if (number < 0.0f) {
    // The same negative number always restarts the same sequence.
    const auto bits = std::bit_cast<std::uint32_t>(number);
    seed_ = (bits + (bits >> 24)) & 0xFFFFFFu;
  }
  return next();
}

void RandomState::randomize(double number) {
  const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(number) >> 32);
  const std::uint32_t mixed = ((high >> 16) ^ high) & 0xFFFFu;
  seed_ = (seed_ & 0xFFu) | (mixed << 8);
}

}  // namespace vbs

namespace vbs::detail {
namespace {

using Args = std::span<Variant>;

Variant Real(Args args, double (*f)(double)) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  const double result = f(v.toDouble());
  if (!std::isfinite(result)) throw VbError(err::kOverflow);
  return Variant::fromDouble(result);
}

Variant Atn(BuiltinHost&, Args args) {
  return Real(args, [](double x) { return std::atan(x); });
}
Variant Cos(BuiltinHost&, Args args) {
  return Real(args, [](double x) { return std::cos(x); });
}
Variant Sin(BuiltinHost&, Args args) {
  return Real(args, [](double x) { return std::sin(x); });
}
Variant Tan(BuiltinHost&, Args args) {
  return Real(args, [](double x) { return std::tan(x); });
}
Variant Exp(BuiltinHost&, Args args) {
  return Real(args, [](double x) { return std::exp(x); });
}

// Log(number): number <= 0 raises 5.
Variant Log(BuiltinHost&, Args args) {
  return Real(args, [](double x) {
    if (!(x > 0.0)) throw VbError(err::kInvalidCall);
    return std::log(x);
  });
}

// Sqr(number): number < 0 raises 5.
Variant Sqr(BuiltinHost&, Args args) {
  return Real(args, [](double x) {
    if (x < 0.0) throw VbError(err::kInvalidCall);
    return std::sqrt(x);
  });
}

Variant Whole(std::int64_t value, VarType type) {
  if (type == VarType::Byte && value >= 0 && value <= 255) {
    return Variant::fromByte(static_cast<std::uint8_t>(value));
  }
  if (type != VarType::Long && value >= -32768 && value <= 32767) {
    return Variant::fromInteger(static_cast<std::int16_t>(value));
  }
  if (value >= std::numeric_limits<std::int32_t>::min() &&
      value <= std::numeric_limits<std::int32_t>::max()) {
    return Variant::fromLong(static_cast<std::int32_t>(value));
  }
  return Variant::fromDouble(static_cast<double>(value));
}

// Applies a rounding rule keeping the subtype: `real` rounds a double, `currency` rounds
// ten-thousandths.
template <typename RealRule, typename CurrencyRule>
Variant KeepingSubtype(const Variant& v, RealRule real, CurrencyRule currency) {
  switch (v.type()) {
    case VarType::Null:
      return Variant::Null();
    case VarType::Empty:
      return Variant::fromInteger(0);
    case VarType::Boolean:
      return Variant::fromInteger(static_cast<std::int16_t>(v.rawInt()));
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return v;
    case VarType::Single:
      return Variant::fromSingle(static_cast<float>(real(v.rawDouble())));
    case VarType::Double:
      return Variant::fromDouble(real(v.rawDouble()));
    case VarType::Date: {
      const double d = real(v.rawDouble());
      return Variant::fromDate(d);
    }
    case VarType::Currency:
      return Variant::fromCurrency(currency(v.rawInt()));
    case VarType::String:
      return Variant::fromDouble(real(v.toDouble()));
    default:
      throw VbError(err::kTypeMismatch);
  }
}

std::int64_t FloorCurrency(std::int64_t c) {
  std::int64_t q = c / 10000;
  if (c % 10000 != 0 && c < 0) --q;
  return q * 10000;
}

std::int64_t TruncCurrency(std::int64_t c) {
  return c / 10000 * 10000;
}

// Int: the largest whole number not above the value (Int(-8.4) = -9).
Variant Int(BuiltinHost&, Args args) {
  return KeepingSubtype(
      ArgValue(args, 0), [](double x) { return std::floor(x); }, FloorCurrency);
}

// Fix: the whole part (Fix(-8.4) = -8).
Variant Fix(BuiltinHost&, Args args) {
  return KeepingSubtype(
      ArgValue(args, 0), [](double x) { return std::trunc(x); }, TruncCurrency);
}

Variant Abs(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  switch (v.type()) {
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long: {
      const std::int64_t magnitude = v.rawInt() < 0 ? -v.rawInt() : v.rawInt();
      return Whole(magnitude, v.type() == VarType::Boolean ? VarType::Integer : v.type());
    }
    case VarType::Currency:
      if (v.rawInt() == std::numeric_limits<std::int64_t>::min()) throw VbError(err::kOverflow);
      return Variant::fromCurrency(v.rawInt() < 0 ? -v.rawInt() : v.rawInt());
    case VarType::Date:
      return Variant::fromDouble(std::fabs(v.rawDouble()));
    default:
      return KeepingSubtype(
          v, [](double x) { return std::fabs(x); }, [](std::int64_t c) { return c; });
  }
}

// Sgn: -1, 0 or 1 as an Integer.
Variant Sgn(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);  // not Null, unlike Abs
  std::int16_t sign = 0;
  if (v.type() == VarType::Currency) {
    sign = v.rawInt() < 0 ? -1 : v.rawInt() > 0 ? 1 : 0;
  } else {
    const double d = v.toDouble();
    sign = d < 0 ? -1 : d > 0 ? 1 : 0;
  }
  return Variant::fromInteger(sign);
}

double RoundHalfEven(double x) {
  return std::nearbyint(x);  // the default rounding mode rounds half to even
}

// Round(expression[, numdecimalplaces]): half to even; places < 0 raise 5. A Boolean stays
// a Boolean (Int and Fix give its Integer).
Variant Round(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  const std::int32_t places = LongArg(args, 1, 0);
  if (places < 0) throw VbError(err::kInvalidCall);
  if (v.isBoolean()) return v;
  auto real = [places](double x) {
    if (places == 0) return RoundHalfEven(x);
    if (places > 22) return x;
    const double scale = std::pow(10.0, places);
    const double scaled = x * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return x;  // 2^52
    return RoundHalfEven(scaled) / scale;
  };
  auto currency = [places](std::int64_t c) {
    if (places >= 4) return c;
    std::int64_t unit = 1;
    for (int i = places; i < 4; ++i) unit *= 10;
    std::int64_t q = c / unit, rest = c % unit;
    if (rest < 0) rest = -rest;
    if (rest * 2 > unit || (rest * 2 == unit && q % 2 != 0)) q += c < 0 ? -1 : 1;
    return q * unit;
  };
  return KeepingSubtype(v, real, currency);
}

// Rnd([number]): < 0 restarts from number, 0 repeats the last value, otherwise the next.
Variant Rnd(BuiltinHost& host, Args args) {
  if (!HasArg(args, 0)) return Variant::fromSingle(host.random().next());
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  return Variant::fromSingle(host.random().nextWith(v.toSingle()));
}

// Randomize [number]: without a number the system timer seeds the generator.
Variant Randomize(BuiltinHost& host, Args args) {
  double number = 0;
  if (HasArg(args, 0)) {
    const Variant v = ArgValue(args, 0);
    if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
    number = v.toDouble();
  } else {
    number = static_cast<float>(host.timer());  // Timer is a Single
  }
  host.random().randomize(number);
  return Variant();
}

constexpr std::array kTable = {
    BuiltinInfo{"Atn", 1, 1, Atn}, BuiltinInfo{"Cos", 1, 1, Cos},
    BuiltinInfo{"Sin", 1, 1, Sin}, BuiltinInfo{"Tan", 1, 1, Tan},
    BuiltinInfo{"Exp", 1, 1, Exp}, BuiltinInfo{"Log", 1, 1, Log},
    BuiltinInfo{"Sqr", 1, 1, Sqr}, BuiltinInfo{"Int", 1, 1, Int},
    BuiltinInfo{"Fix", 1, 1, Fix}, BuiltinInfo{"Abs", 1, 1, Abs},
    BuiltinInfo{"Sgn", 1, 1, Sgn}, BuiltinInfo{"Round", 1, 2, Round},
    BuiltinInfo{"Rnd", 0, 1, Rnd}, BuiltinInfo{"Randomize", 0, 1, Randomize},
};

}  // namespace

BuiltinTable MathBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
