// BuiltinsConvert: the conversion functions (CBool ... CStr), the type tests (IsArray ...
// IsObject, TypeName, VarType) and the array functions Array, UBound and LBound.
//
// Conversions follow Variant's toX rules (Null raises 94, text that is no number raises 13,
// values out of range raise 6). Type tests never raise: they look at the value as given, and
// IsNumeric and IsDate look through an object to its default value when it has one.
#include <array>
#include <climits>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/Object.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

using Args = std::span<Variant>;

Variant CBool(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].toBool());
}
Variant CByte(BuiltinHost&, Args args) {
  return Variant::fromByte(args[0].toByte());
}
Variant CCur(BuiltinHost&, Args args) {
  return Variant::fromCurrency(args[0].toCurrency());
}
// CDate of a text that is no date but a number ("1", "2.5") is the date of that number.
Variant CDate(BuiltinHost&, Args args) {
  const Variant v = args[0].resolved();
  if (v.isString() && !ParseDateText(v.rawString())) {
    if (const std::optional<double> number = ParseNumberText(v.rawString())) {
      return Variant::fromDate(Variant::fromDouble(*number).toDate());
    }
  }
  return Variant::fromDate(args[0].toDate());
}
Variant CDbl(BuiltinHost&, Args args) {
  return Variant::fromDouble(args[0].toDouble());
}
Variant CInt(BuiltinHost&, Args args) {
  return Variant::fromInteger(args[0].toInteger());
}
Variant CLng(BuiltinHost&, Args args) {
  return Variant::fromLong(args[0].toLong());
}
Variant CSng(BuiltinHost&, Args args) {
  return Variant::fromSingle(args[0].toSingle());
}
Variant CStr(BuiltinHost&, Args args) {
  return Variant::fromString(args[0].toString());
}

Variant IsArray(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].isArray());
}
Variant IsEmpty(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].isEmpty());
}
Variant IsNull(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].isNull());
}
Variant IsObject(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].isObject());
}
Variant IsNumeric(BuiltinHost&, Args args) {
  return Variant::fromBool(args[0].isNumeric());
}

// IsDate: Dates and texts CDate accepts; numbers are not dates.
Variant IsDate(BuiltinHost&, Args args) {
  Variant v = args[0];
  if (v.isObject()) {
    try {
      v = v.resolved();
    } catch (const VbError&) {
      return Variant::fromBool(false);
    }
  }
  if (v.isDate()) return Variant::fromBool(true);
  if (v.isString()) return Variant::fromBool(ParseDateText(v.rawString()).has_value());
  return Variant::fromBool(false);
}

Variant TypeName(BuiltinHost&, Args args) {
  return Variant::fromString(args[0].typeName());
}

// VarType: an object with a default value reports the subtype of that value (as VBScript
// does for objects with a default property); other objects and Nothing report 9.
Variant VarTypeFn(BuiltinHost&, Args args) {
  const Variant& v = args[0];
  if (v.isObject() && !v.isNothing()) {
    try {
      const Variant value = v.object()->defaultValue();
      if (!value.isObject())
        return Variant::fromInteger(static_cast<std::int16_t>(value.varType()));
    } catch (const VbError&) {
      // No default value: the object itself.
    }
  }
  return Variant::fromInteger(static_cast<std::int16_t>(v.varType()));
}

// Array(arglist): a 0-based array of copies of the values (arrays among them are copied).
Variant ArrayFn(BuiltinHost&, Args args) {
  std::vector<Variant> values;
  values.reserve(args.size());
  for (const Variant& v : args) values.push_back(v.deepCopy());
  return Variant::fromArray(VariantArray::fromValues(std::move(values)));
}

const VariantArray& ArrayOf(const Variant& v) {
  if (!v.isArray()) throw VbError(err::kTypeMismatch);
  return *v.array();
}

Variant UBound(BuiltinHost&, Args args) {
  const VariantArray& array = ArrayOf(args[0]);
  return Variant::fromLong(array.upperBound(LongArg(args, 1, 1)));
}

Variant LBound(BuiltinHost&, Args args) {
  const VariantArray& array = ArrayOf(args[0]);
  return Variant::fromLong(array.lowerBound(LongArg(args, 1, 1)));
}

constexpr std::array kTable = {
    BuiltinInfo{"CBool", 1, 1, CBool},       BuiltinInfo{"CByte", 1, 1, CByte},
    BuiltinInfo{"CCur", 1, 1, CCur},         BuiltinInfo{"CDate", 1, 1, CDate},
    BuiltinInfo{"CDbl", 1, 1, CDbl},         BuiltinInfo{"CInt", 1, 1, CInt},
    BuiltinInfo{"CLng", 1, 1, CLng},         BuiltinInfo{"CSng", 1, 1, CSng},
    BuiltinInfo{"CStr", 1, 1, CStr},         BuiltinInfo{"IsArray", 1, 1, IsArray},
    BuiltinInfo{"IsDate", 1, 1, IsDate},     BuiltinInfo{"IsEmpty", 1, 1, IsEmpty},
    BuiltinInfo{"IsNull", 1, 1, IsNull},     BuiltinInfo{"IsNumeric", 1, 1, IsNumeric},
    BuiltinInfo{"IsObject", 1, 1, IsObject}, BuiltinInfo{"TypeName", 1, 1, TypeName},
    BuiltinInfo{"VarType", 1, 1, VarTypeFn}, BuiltinInfo{"Array", 0, INT_MAX, ArrayFn},
    BuiltinInfo{"UBound", 1, 2, UBound},     BuiltinInfo{"LBound", 1, 2, LBound},
};

}  // namespace

BuiltinTable ConversionBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
