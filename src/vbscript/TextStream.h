// TextStream: a text file opened by OpenTextFile, CreateTextFile or OpenAsTextStream.
//
// A stream reads or writes, never both: reading members on a writing stream and writing
// members on a reading one raise 54 "Bad file mode", as does any use after Close. Reading past
// the end raises 62. Line ends read as CR LF, LF or CR; WriteLine writes CR LF. Line and
// Column count from 1 in UTF-16 characters, a CR LF pair being one line end.
// A single read result is bounded (kMaxReadChars); larger ones raise 7 instead of exhausting
// memory. Encodings follow FsText; an ANSI stream that has written Windows-1252 bytes and then
// meets a character outside Windows-1252 re-encodes the file as UTF-8, so no text is lost and
// the file never mixes encodings. Appending follows the encoding the file already has.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "vbscript/Object.h"

namespace vbs::detail {

inline constexpr int kForReading = 1;
inline constexpr int kForWriting = 2;
inline constexpr int kForAppending = 8;
inline constexpr int kTristateUseDefault = -2;
inline constexpr int kTristateTrue = -1;
inline constexpr int kTristateFalse = 0;

// Reading more characters than the largest string holds bytes (OperatorsDetail.h) at once
// raises 7 "Out of memory".
inline constexpr std::size_t kMaxReadChars = std::size_t{64} << 20;

// Opens a resolved disk path. ioMode is kForReading/kForWriting/kForAppending (else 5);
// format is a Tristate (else 5). A missing file raises 53 (76 when its folder is missing)
// unless create; a folder raises 70.
std::shared_ptr<Object> OpenTextStream(const std::string& diskPath, int ioMode, bool create,
                                       int format);

}  // namespace vbs::detail
