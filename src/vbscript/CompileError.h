// CompileError: a VbError raised while turning text into code, with the place it was found.
//
// The engine's one error type stays VbError; compile errors only add the line and column, so
// Execute and Eval can raise them as ordinary run-time errors. The texts are those of the
// VBScript compiler for the same numbers.
#pragma once

#include "vbscript/VbError.h"

namespace vbs {

namespace cerr {
inline constexpr int kSyntaxError = 1002;
inline constexpr int kExpectedColon = 1003;
inline constexpr int kExpectedLParen = 1005;
inline constexpr int kExpectedRParen = 1006;
inline constexpr int kExpectedIdentifier = 1010;
inline constexpr int kExpectedEquals = 1011;
inline constexpr int kExpectedIf = 1012;
inline constexpr int kExpectedTo = 1013;
inline constexpr int kExpectedEnd = 1014;
inline constexpr int kExpectedFunction = 1015;
inline constexpr int kExpectedSub = 1016;
inline constexpr int kExpectedThen = 1017;
inline constexpr int kExpectedWend = 1018;
inline constexpr int kExpectedLoop = 1019;
inline constexpr int kExpectedNext = 1020;
inline constexpr int kExpectedCase = 1021;
inline constexpr int kExpectedSelect = 1022;
inline constexpr int kExpectedExpression = 1023;
inline constexpr int kExpectedStatement = 1024;
inline constexpr int kExpectedEndOfStatement = 1025;
inline constexpr int kExpectedInteger = 1026;
inline constexpr int kExpectedWhileUntil = 1027;
inline constexpr int kExpectedWhileUntilEos = 1028;
inline constexpr int kExpectedWith = 1029;
inline constexpr int kIdentifierTooLong = 1030;
inline constexpr int kInvalidNumber = 1031;
inline constexpr int kInvalidCharacter = 1032;
inline constexpr int kUnterminatedString = 1033;
inline constexpr int kInvalidMe = 1037;
inline constexpr int kLoopWithoutDo = 1038;
inline constexpr int kInvalidExit = 1039;
inline constexpr int kInvalidForVariable = 1040;
inline constexpr int kNameRedefined = 1041;
inline constexpr int kMustBeFirstStatement = 1042;
inline constexpr int kCannotUseParens = 1044;
inline constexpr int kExpectedLiteral = 1045;
inline constexpr int kExpectedIn = 1046;
inline constexpr int kExpectedClass = 1047;
inline constexpr int kMustBeInsideClass = 1048;
inline constexpr int kExpectedLetSetGet = 1049;
inline constexpr int kExpectedProperty = 1050;
inline constexpr int kInconsistentPropertyArgs = 1051;
inline constexpr int kMultipleDefaults = 1052;
inline constexpr int kInitTerminateArgs = 1053;
inline constexpr int kPropertyNeedsArgument = 1054;
inline constexpr int kUnexpectedNext = 1055;
inline constexpr int kDefaultNotPublic = 1057;
inline constexpr int kDefaultOnlyOnGet = 1058;
}  // namespace cerr

// The compiler's text for a compile error number ("Expected end of statement").
std::string_view CompileErrorText(int number);

class CompileError : public VbError {
 public:
  CompileError(int number, int line, int column);
  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

}  // namespace vbs
