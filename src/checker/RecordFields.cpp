#include "checker/RecordFields.h"

#include <exception>

#include "checker/CheckContext.h"
#include "project/Player.h"
#include "vbscript/VbError.h"

namespace tw::checker {

std::string FieldName(int number, const char* what) {
  std::string name = "field " + std::to_string(number);
  if (what != nullptr && *what != '\0') name += std::string(" (") + what + ")";
  return name;
}

void RecordFields::at(int number, const char* what) {
  place_ = FieldName(number, what);
}

vbs::Variant RecordFields::any(int number, const char* what) {
  at(number, what);
  return in_.readAny();
}

std::string RecordFields::text(int number, const char* what) {
  at(number, what);
  return in_.readString();
}

std::int16_t RecordFields::integer(int number, const char* what) {
  at(number, what);
  return in_.readInteger();
}

std::int32_t RecordFields::longInteger(int number, const char* what) {
  at(number, what);
  return in_.readLong();
}

double RecordFields::real(int number, const char* what) {
  at(number, what);
  return in_.readDouble();
}

bool RecordFields::boolean(int number, const char* what) {
  at(number, what);
  return in_.readBoolean();
}

void RecordFields::skip(int number, int count) {
  at(number + count - 1, nullptr);
  in_.skip(count);
}

bool ReadRecord(CheckContext& context, const std::string& path,
                const std::function<void(RecordFields&)>& read) {
  std::optional<RecordFields> fields;
  try {
    fields.emplace(FieldReader::Open(context.files(), path));
  } catch (const std::exception& e) {
    context.report(path, "", std::string("cannot be read (") + e.what() + ")");
    return false;
  }
  try {
    read(*fields);
    return true;
  } catch (const vbs::VbError& e) {
    if (e.number() == vbs::err::kInputPastEndOfFile) {
      context.report(path, "", "ends before " + fields->place() + ": the file is too short");
    } else {
      context.report(path, fields->place(), e.description());
    }
  } catch (const std::exception& e) {
    context.report(path, fields->place(), e.what());
  }
  return false;
}

}  // namespace tw::checker
