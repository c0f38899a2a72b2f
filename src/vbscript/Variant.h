// Variant: the value type of the script engine, behaving as VBScript 5.8's values do under
// the English (United States) locale.
//
// A Variant holds exactly one subtype (VarType). Invariants:
//  - Boolean, Byte, Integer, Long, Currency (value x 10000) and Error keep their value in one
//    64-bit integer that always lies in the subtype's range; True is -1, False 0.
//  - Single, Double and Date keep theirs in a double; a Single's double is exactly a float.
//  - String holds UTF-8 text; Object holds a shared object pointer (null = Nothing);
//    Array holds a shared VariantArray, never null.
//  - A text of kSharedTextBytes or more is shared by the copies of its Variant and copied
//    only when one of them changes it (mutableString), so that passing, assigning and
//    returning a huge text costs no copy; what a Variant's text reads is never changed
//    through another Variant.
// Copying a Variant that holds an array shares the storage; deepCopy() gives an own copy.
// The conversions (toBool ... toString) are those of CBool ... CStr and throw VbError:
// 13 Type mismatch, 6 Overflow, 94 Invalid use of Null, 91 Object variable not set,
// 438 for an object without a default value.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vbs {

enum class VarType : int {
  Empty = 0,
  Null = 1,
  Integer = 2,
  Long = 3,
  Single = 4,
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Object = 9,
  Error = 10,
  Boolean = 11,
  Variant = 12,
  Byte = 17,
  Array = 0x2000,
};

class Object;        // base of host and script objects (Object.h)
class VariantArray;  // arrays of variants, 1..60 dimensions (VariantArray.h)

class Variant {
 public:
  Variant() : type_(VarType::Empty) {}  // Empty

  static Variant Null();
  static Variant fromBool(bool value) { return fromWhole(VarType::Boolean, value ? -1 : 0); }
  static Variant fromByte(std::uint8_t value);
  static Variant fromInteger(std::int16_t value) { return fromWhole(VarType::Integer, value); }
  static Variant fromLong(std::int32_t value) { return fromWhole(VarType::Long, value); }
  static Variant fromSingle(float value);
  static Variant fromDouble(double value) { return fromReal(VarType::Double, value); }
  static Variant fromCurrency(std::int64_t tenThousandths);  // value x 10000
  static Variant fromDate(double oleDate);  // days since 1899-12-30, fraction = time of day
  static Variant fromString(std::string utf8);
  static Variant fromError(std::int32_t code);
  static Variant fromObject(std::shared_ptr<Object> object);  // nullptr = Nothing
  static Variant fromArray(std::shared_ptr<VariantArray> array);

  // The subtype; Array for arrays of any element type.
  VarType type() const { return type_; }
  // VarType() as scripts see it: arrays give Array | Variant (8204).
  int varType() const;
  // TypeName() as scripts see it: "Empty", "Null", "Integer", ..., "Nothing", "Variant()",
  // or the object's own type name.
  std::string typeName() const;

  bool isEmpty() const { return type_ == VarType::Empty; }
  bool isNull() const { return type_ == VarType::Null; }
  bool isString() const { return type_ == VarType::String; }
  bool isBoolean() const { return type_ == VarType::Boolean; }
  bool isDate() const { return type_ == VarType::Date; }
  bool isError() const { return type_ == VarType::Error; }
  bool isObject() const { return type_ == VarType::Object; }  // Nothing included
  bool isNothing() const;
  bool isArray() const { return type_ == VarType::Array; }
  // Holds Byte, Integer, Long, Single, Double or Currency (not Boolean, not Date).
  bool isNumberType() const;
  // IsNumeric(): numbers, Booleans, Empty and text that converts to a Double.
  bool isNumeric() const;

  // Raw access for the engine; each requires the matching subtype.
  std::int64_t rawInt() const { return u_.i; }  // Boolean, Byte, Integer, Long, Currency (x 10000), Error
  double rawDouble() const { return u_.d; }     // Single, Double, Date
  const std::string& rawString() const;  // String
  // The text of a String, to change in place; unshared first when other copies hold it.
  std::string& mutableString();
  static constexpr std::size_t kSharedTextBytes = std::size_t{1} << 16;
  const std::shared_ptr<Object>& object() const;       // Object (null = Nothing)
  const std::shared_ptr<VariantArray>& array() const;  // Array

  // Conversions as the VBScript functions do them.
  bool toBool() const;              // CBool: "True"/"False" (any case), "#TRUE#", numeric text
  std::uint8_t toByte() const;      // CByte: banker's rounding, 6 outside 0..255
  std::int16_t toInteger() const;   // CInt: banker's rounding (2.5 -> 2, 3.5 -> 4)
  std::int32_t toLong() const;      // CLng
  float toSingle() const;           // CSng
  double toDouble() const;          // CDbl
  std::int64_t toCurrency() const;  // CCur (x 10000)
  double toDate() const;            // CDate
  std::string toString() const;     // CStr

  // The value an object stands for (its default value); other values unchanged.
  // Nothing throws 91, an object without a default value 438.
  Variant resolved() const;

  // A copy whose arrays (nested ones too) are own copies; objects stay shared.
  Variant deepCopy() const;

 private:
  // What the storage holds. The first three need no destructor and are copied as bytes, so
  // numbers, Booleans, Empty and Null never touch the heap and copy in a few instructions.
  enum class Held : unsigned char { None, Int, Real, Text, SharedText, Obj, Arr };
  union Store {
    std::int64_t i;
    double d;
    std::string text;
    std::shared_ptr<std::string> shared;
    std::shared_ptr<Object> obj;
    std::shared_ptr<VariantArray> arr;
    Store() : i(0) {}
    ~Store() {}
  };
  bool heavy() const { return held_ >= Held::Text; }
  static Variant fromWhole(VarType type, std::int64_t value) {
    Variant v;
    v.type_ = type;
    v.held_ = Held::Int;
    v.u_.i = value;
    return v;
  }
  static Variant fromReal(VarType type, double value) {
    Variant v;
    v.type_ = type;
    v.held_ = Held::Real;
    v.u_.d = value;
    return v;
  }
  void copyHeavy(const Variant& other);
  void moveHeavy(Variant& other) noexcept;
  void destroyHeavy() noexcept;
  void copyAssignHeavy(const Variant& other);
  void moveAssignHeavy(Variant& other) noexcept;

  VarType type_;
  Held held_ = Held::None;
  Store u_;

 public:
  Variant(const Variant& other) : type_(other.type_), held_(other.held_) {
    if (heavy()) copyHeavy(other);
    else u_.i = other.u_.i;
  }
  Variant(Variant&& other) noexcept : type_(other.type_), held_(other.held_) {
    if (held_ == Held::Text) new (&u_.text) std::string(std::move(other.u_.text));
    else if (heavy()) moveHeavy(other);
    else u_.i = other.u_.i;
  }
  Variant& operator=(const Variant& other) {
    if (!heavy() && !other.heavy()) {
      type_ = other.type_;
      held_ = other.held_;
      u_.i = other.u_.i;
    } else {
      copyAssignHeavy(other);
    }
    return *this;
  }
  Variant& operator=(Variant&& other) noexcept {
    if (!heavy() && !other.heavy()) {
      type_ = other.type_;
      held_ = other.held_;
      u_.i = other.u_.i;
    } else {
      moveAssignHeavy(other);
    }
    return *this;
  }
  ~Variant() {
    using String = std::string;
    if (held_ == Held::Text) u_.text.~String();
    else if (heavy()) destroyHeavy();
  }
};

// Comparison by VBScript's rules: numbers with numbers, strings with strings (binary or text
// compare), a number with a string held in a variable: the number is less; Empty is 0 against
// numbers and "" against strings. Returns <0, 0, >0; nullopt when either side is Null.
// Objects compare by their default values. Throws 13 for arrays and Error values.
std::optional<int> Compare(const Variant& a, const Variant& b, bool textCompare = false);

// Text to number as the conversions read it (blanks around, sign, "$", thousands commas,
// parentheses for negative, exponent, "&H"/"&O"); nullopt when the text is not a number.
// Throws 6 when the number is too large for a Double.
std::optional<double> ParseNumberText(std::string_view text);

// Numbers and dates printed as CStr prints them.
std::string FormatDouble(double value);  // 15 significant digits
std::string FormatSingle(float value);   // 7 significant digits
std::string FormatCurrency(std::int64_t tenThousandths);
std::string FormatDate(double oleDate);  // "12/31/1999 10:00:00 PM"

// Dates
struct DateParts {
  int year, month, day, hour, minute, second;
};
// The parts as Year(), Month(), Day(), Hour(), Minute(), Second() give them (rounded to the
// second). Throws 6 for a number outside the date range (FormatDate too).
DateParts SplitDate(double oleDate);
// DateSerial + TimeSerial as one moment: months, days, hours, minutes and seconds outside their
// range carry over; years 0..29 mean 2000..2029 and 30..99 mean 1930..1999. Throws 5 when the
// result lies outside 1 January 100 .. 31 December 9999.
double DateFromParts(const DateParts& parts);
// The forms CDate and #date# literals accept under en-US ("1999-12-31", "12/31/1999",
// "12/31/1999 10:00:00 PM", "10:00 AM", "December 31, 1999", "31-Dec-1999", ...);
// nullopt when the text is no date. Forms without a year take the current year.
std::optional<double> ParseDateText(std::string_view text);
std::optional<double> ParseDateText(std::string_view text, int currentYear);

}  // namespace vbs
