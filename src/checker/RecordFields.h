// RecordFields: the player's field reader, counting the fields it reads, so that a data file
// that is short or holds a field of the wrong form is reported with the field concerned.
//
// Each read names the field (its number in the file and what it means). A failure raises
// the reader's VbError as the player would meet it; ReadRecord turns it into one finding:
// "ends before field N (what)" for a file that stops short, "field N (what): <error>" for a
// field of the wrong form. The checks read the fields the player reads, in its order.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "common/FieldReader.h"
#include "vbscript/Variant.h"

namespace tw::checker {

class CheckContext;

class RecordFields {
 public:
  explicit RecordFields(FieldReader reader) : in_(std::move(reader)) {}

  vbs::Variant any(int number, const char* what);
  std::string text(int number, const char* what);
  std::string anyText(int number, const char* what) { return any(number, what).toString(); }
  std::int16_t integer(int number, const char* what);
  std::int32_t longInteger(int number, const char* what);
  double real(int number, const char* what);
  bool boolean(int number, const char* what);
  void skip(int number, int count = 1);
  bool atEnd() const { return in_.atEnd(); }

  // Where the last read was: "field 13 (frame to go to)".
  const std::string& place() const { return place_; }

 private:
  void at(int number, const char* what);

  FieldReader in_;
  std::string place_;
};

// Opens the file and runs read on its fields; a failure to open or read becomes a finding
// on the file. Returns false when reading failed.
bool ReadRecord(CheckContext& context, const std::string& path,
                const std::function<void(RecordFields&)>& read);

// "field 13 (frame to go to)".
std::string FieldName(int number, const char* what);

}  // namespace tw::checker
