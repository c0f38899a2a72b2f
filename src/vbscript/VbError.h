// VbError: the one error type of the player and its script engine.
//
// It carries a VB-style error number and its description ("Overflow", "Type mismatch",
// "Input past end of file", ...). Lower layers throw it; each routine of the player catches
// its own failures and reports them. The texts are those the Windows VB runtime and the
// VBScript engine give for the same numbers, because scripts and error boxes show them.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vbs {

// Error numbers used across the player and the script engine.
namespace err {
inline constexpr int kReturnWithoutGosub = 3;
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kArrayFixedOrLocked = 10;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kOutOfStringSpace = 14;
inline constexpr int kOutOfStackSpace = 28;
inline constexpr int kBadFileNameOrNumber = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadFileMode = 54;
inline constexpr int kFileAlreadyOpen = 55;
inline constexpr int kDeviceIoError = 57;
inline constexpr int kFileAlreadyExists = 58;
inline constexpr int kDiskFull = 61;
inline constexpr int kInputPastEndOfFile = 62;
inline constexpr int kTooManyFiles = 67;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kObjectVariableNotSet = 91;
inline constexpr int kInvalidUseOfNull = 94;
inline constexpr int kObjectRequired = 424;
inline constexpr int kKeyAlreadyAssociated = 457;
inline constexpr int kObjectDoesntSupport = 438;
inline constexpr int kVariableUndefined = 500;
}  // namespace err

// The runtime's description for an error number; "Application-defined or object-defined
// error" for numbers it does not know.
std::string_view StandardErrorText(int number);

class VbError : public std::runtime_error {
 public:
  explicit VbError(int number);
  VbError(int number, std::string description);

  int number() const { return number_; }
  const std::string& description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

}  // namespace vbs
