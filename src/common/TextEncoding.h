// TextEncoding: the player's text conversions and its case-insensitive name comparison.
//
// Inside the player every text is UTF-8. Game data comes from Windows, so a data file or a
// saved game is read as UTF-8 when its bytes are valid UTF-8 and as Windows-1252 otherwise;
// saved games are written back in Windows-1252 whenever that form reads back unchanged, so
// that older players keep reading them.
//
// Names (files, frames, variables) are compared the way Windows compares them: without
// regard to letter case for ASCII and for the letters of Windows-1252 (A-Z, À-Þ except ×,
// Š Œ Ž Ÿ); every other character, and every byte that is not valid UTF-8, compares as is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// True when the bytes are well-formed UTF-8: shortest forms only, no surrogate halves,
// nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// Windows-1252 bytes to UTF-8. The five bytes Windows leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become U+0081, U+008D, ... as Windows' own conversion makes them.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252; nullopt when a character has no Windows-1252 byte or the input is
// not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The text of a data file or saved game as UTF-8: the bytes as they are when they are valid
// UTF-8 (a leading byte-order mark is dropped), else read as Windows-1252.
std::string DecodeDataText(std::string_view bytes);

// The bytes to write for a saved game: Windows-1252 when every character fits and those
// bytes cannot be taken for UTF-8 by DecodeDataText (which would change the text when read
// back, e.g. "Ã©" whose Windows-1252 bytes C3 A9 are the UTF-8 of "é"); else the UTF-8
// text unchanged. So DecodeDataText(EncodeSavedText(t)) == t for every valid UTF-8 text t
// that does not itself start with a byte-order mark.
std::string EncodeSavedText(std::string_view utf8);

// The name with every letter of the case pairs above in lower case. Two names are equal
// without regard to case exactly when their folded forms are equal.
std::string FoldCase(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);

// Matches a name against a pattern in which "*" stands for any run of characters (none
// included) and "?" for exactly one character, without regard to case. Works on characters,
// not bytes, so "?" matches "é" in UTF-8.
bool WildcardMatchNoCase(std::string_view name, std::string_view pattern);

// A name from a directory listing as UTF-8 text: Linux names are normally UTF-8 already;
// a name copied byte for byte from a Windows disk may be Windows-1252 and is converted.
std::string NameToUtf8(std::string_view diskName);

}  // namespace tw
