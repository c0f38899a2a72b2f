// FieldReader: reads the fields of a sequential text file the way the VB runtime's `Input #`
// does. Every data file of a game and the saved game are read through it.
//
// The whole file is read at once and decoded (DecodeDataText), so the reader holds UTF-8
// text and a position that only moves forward. A Ctrl-Z (0x1A) outside a quoted text ends
// the data, as it ends the runtime's text input (editors leave one at the end of a file);
// inside a closed quoted text it is a character like any other, so every text FieldWriter
// wrote reads back whole. In a quote never closed it still ends the data.
//
// Rules for one field:
//  1. Blanks and tabs before the field are skipped.
//  2. A line end is CR LF, a lone LF or a lone CR; each counts as one.
//  3. A field that starts with `"` is quoted: its value is everything up to the next `"`,
//     commas and line ends included (there is no escape for a quote inside). Whatever
//     follows the closing quote up to the next comma or line end is dropped. A quote never
//     closed runs to the end of the data.
//  4. Any other field runs to the next comma or line end; blanks and tabs at its end are
//     dropped. A line that is empty (or only blanks) is one empty field.
//  5. The comma or line end that ends a field is consumed with it. A comma followed (after
//     blanks) directly by a line end takes that line end along: a comma at the end of a
//     line does not make an extra empty field, and the next field starts on the next line.
//     So "a,b," CR LF "c" is three fields, and "," CR LF is one empty field.
//  6. Reading when no character is left raises 62 "Input past end of file".
//
// atEnd() is true when nothing but blanks, tabs and line ends is left. This is the test
// between groups of fields: a file that ends in an extra empty line (editors often leave
// one) does not start a phantom group of empty fields. Reading a field explicitly still
// gives an empty field for each empty line left, so a saved Empty value written as the last
// line reads back.
//
// Conversions of a field:
//  - readString: the value as text. Unquoted forms are not interpreted: #TRUE# reads as the
//    text "#TRUE#".
//  - readInteger / readLong / readSingle / readDouble: FieldNumber's numeric text ("." as
//    decimal point, sign, E or D exponent, &H and &O), also when quoted ("12" reads 12,
//    blanks inside the quotes are ignored); unquoted #TRUE# is -1 and #FALSE# 0; an empty
//    field (quoted or not) is 0. Whole numbers are taken after rounding halves to even
//    (2.5 -> 2, 3.5 -> 4). A value outside the type's range raises 6 "Overflow"; any other
//    text raises 13 "Type mismatch".
//  - readBoolean: unquoted #TRUE# / #FALSE#; "True" / "False" in any case, quoted or not;
//    a number (nonzero is true); an empty field is false; anything else raises 13.
//  - readAny keeps the field's kind: quoted -> String; empty unquoted -> Empty; #TRUE# /
//    #FALSE# -> Boolean; #NULL# -> Null; #ERROR n# -> Error n; #date# -> Date for every
//    text vbs::ParseDateText accepts (#2026-06-12#, #2026-06-12 10:30:00#, ...); numeric
//    text -> Integer when a whole number within 16 bits, Long within 32 bits, else Double
//    (6 "Overflow" beyond a Double); any other unquoted text -> String as it stands.
//  - skip(n) reads n fields of any form and drops them; only 62 can fail it.
//
// The reader never loops or crashes on garbage: each field consumes at least one character
// or the separator, and every scan is linear.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "vbscript/Variant.h"

namespace tw {

class FileResolver;

class FieldReader {
 public:
  // Reads the whole file. Throws vbs::VbError 53 "File not found" when the path names
  // nothing, 75 "Path/File access error" when it cannot be read (a folder, no permission),
  // 7 "Out of memory" when it is too large (FileResolver::kMaxFileSize).
  static FieldReader Open(FileResolver& files, std::string_view path);

  // A reader over text that is already UTF-8.
  explicit FieldReader(std::string utf8Text);

  bool atEnd() const;

  std::string readString();
  std::int16_t readInteger();
  std::int32_t readLong();
  float readSingle();
  double readDouble();
  bool readBoolean();
  vbs::Variant readAny();
  void skip(int n = 1);

 private:
  struct Field {
    std::string text;
    bool quoted = false;
  };

  Field next();
  void consumeSeparator();
  void consumeLineEnd();
  // When a Ctrl-Z stands at p, the data ends there: nothing after it is ever read.
  void endDataAt(std::size_t p);
  static double NumericValue(const Field& field);

  std::string text_;
  std::size_t pos_ = 0;
  // First position at or after pos_ that is not a blank or line end; valid while
  // pos_ <= firstNonBlank_, since the position only moves forward.
  mutable std::size_t firstNonBlank_ = 0;
  mutable bool scanned_ = false;
};

}  // namespace tw
