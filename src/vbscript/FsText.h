// FsText: the byte encodings of text files read and written by TextStream.
//
// Reading: a file is UTF-16LE when it starts with FF FE (or is opened in Unicode mode), UTF-8
// when it is valid UTF-8 (a UTF-8 BOM is skipped; TextStream judges by the first 16 MB), else
// Windows-1252. Writing in ANSI mode
// uses Windows-1252 while every character fits, else UTF-8; Unicode mode writes UTF-16LE.
// Inside, text is UTF-16 code units: VBScript counts characters (Read(n), Column) that way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vbs::detail {

enum class TextEncoding { Cp1252, Utf8, Utf16Le };

// Checks UTF-8 validity of a byte stream fed in pieces of any size.
class Utf8Checker {
 public:
  void feed(std::string_view bytes);
  // Valid so far and no sequence left unfinished.
  bool valid() const { return valid_ && carry_.empty(); }
  // Invalid already, whatever follows.
  bool failed() const { return !valid_; }
  // Whether any byte above 0x7F was seen.
  bool sawNonAscii() const { return nonAscii_; }

 private:
  std::string carry_;  // the start of a sequence split across pieces
  bool valid_ = true;
  bool nonAscii_ = false;
};

// The longest prefix of bytes that ends on a whole character of the encoding (the rest is
// kept for the next piece).
std::size_t WholeCharacterPrefix(std::string_view bytes, TextEncoding encoding);

// Bytes of whole characters to UTF-16 (invalid UTF-8 reads as U+FFFD).
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding);

// UTF-16 to bytes. Cp1252 gives nullopt when a character has no Windows-1252 byte.
std::optional<std::string> EncodeCp1252(std::u16string_view text);
std::string EncodeText(std::u16string_view text, TextEncoding encoding);  // Utf8 or Utf16Le

}  // namespace vbs::detail
