// FieldWriter: writes values in the form of the VB runtime's `Write #`, one value per line,
// each line ended by CR LF. This is the saved-game form; FieldReader reads it back with the
// same values and kinds.
//
// Forms written:
//  - text: between double quotes. The form has no escape for a quote inside a value, so each
//    `"` of the text is written as `'`: the file stays readable field by field and only that
//    character changes. Line ends inside a text are kept (the reader keeps them too).
//  - integers (and Byte, Integer, Long variants): decimal digits, "-" when negative.
//  - Single, Double, Currency variants: the script engine's own number text (CStr under
//    en-US: "." as decimal point, "1E+20" for large values).
//  - Boolean #TRUE# / #FALSE#; Null #NULL#; Empty an empty line; Error #ERROR n#;
//    Date #yyyy-mm-dd# when it has no time of day, else #yyyy-mm-dd hh:mm:ss#.
//  - objects and arrays have no form: 13 "Type mismatch".
//
// The text is built in memory as UTF-8; saveTo() writes it in one go, so a failed save
// never leaves a half-written file behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vbscript/Variant.h"

namespace tw {

class FieldWriter {
 public:
  void writeString(std::string_view text);
  void writeInteger(std::int32_t value);
  void writeVariant(const vbs::Variant& value);

  const std::string& text() const { return text_; }

  // Writes EncodeSavedText(text()) to `path`, whose folder and (when the file exists) name
  // are matched without regard to case, so an older "SAVE1.SAV" is replaced rather than
  // joined by "save1.sav". The data goes to a temporary file beside the target which then
  // replaces it, so an older file survives any failure: the bytes are written and flushed
  // (fsync) under a hidden temporary name, the file is closed, renamed over the target in
  // one step, and the folder is flushed so the new name lasts. A target without any write
  // permission counts as read-only and is not replaced, as on Windows. Throws vbs::VbError:
  // 76 "Path not found" (no such folder), 70 "Permission denied" (read-only file or
  // folder), 61 "Disk full" (also for a file larger than the process may write), 75
  // "Path/File access error" (any other failure).
  void saveTo(std::string_view path) const;

 private:
  std::string text_;
};

}  // namespace tw
