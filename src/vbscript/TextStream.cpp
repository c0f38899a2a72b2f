// TextStream: buffered reading (decoded piecewise into UTF-16) and writing of text files.
// Invariant while reading: buffer_[position_..] are the decoded characters not yet consumed,
// pending_ the bytes of a character split across two reads of the file.
#include "vbscript/TextStream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>

#include "vbscript/FsOps.h"
#include "vbscript/FsText.h"
#include "vbscript/LibraryMembers.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/Utf16.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

static_assert(kMaxReadChars == detail::kMaxStringBytes, "one limit for the largest string");

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kPiece = 1 << 16;
constexpr std::size_t kDetectionBytes = std::size_t{16} << 20;

enum Member { kLine = 1, kColumn, kAtEndOfStream, kAtEndOfLine, kRead, kReadLine, kReadAll,
              kWrite, kWriteLine, kWriteBlankLines, kSkip, kSkipLine, kClose };

const MemberTable& Members() {
  static const MemberTable table{
      {"Line", kLine, 0, 0, kReadOnly},
      {"Column", kColumn, 0, 0, kReadOnly},
      {"AtEndOfStream", kAtEndOfStream, 0, 0, kReadOnly},
      {"AtEndOfLine", kAtEndOfLine, 0, 0, kReadOnly},
      {"Read", kRead, 1, 1, kMethod},
      {"ReadLine", kReadLine, 0, 0, kMethod},
      {"ReadAll", kReadAll, 0, 0, kMethod},
      {"Write", kWrite, 1, 1, kMethod},
      {"WriteLine", kWriteLine, 0, 1, kMethod},
      {"WriteBlankLines", kWriteBlankLines, 1, 1, kMethod},
      {"Skip", kSkip, 1, 1, kMethod},
      {"SkipLine", kSkipLine, 0, 0, kMethod},
      {"Close", kClose, 0, 0, kMethod},
  };
  return table;
}

// Reads the whole of a small-enough file (for re-encoding); 7 beyond the read bound.
std::string ReadWholeFile(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  char piece[kPiece];
  std::size_t n;
  while ((n = std::fread(piece, 1, sizeof piece, file)) > 0) {
    if (bytes.size() + n > kMaxReadChars * 2) throw VbError(err::kOutOfMemory);
    bytes.append(piece, n);
  }
  return bytes;
}

class TextStream final : public Object {
 public:
  TextStream(FilePtr file, bool reading, TextEncoding encoding, bool wroteNonAscii1252)
      : file_(std::move(file)),
        reading_(reading),
        encoding_(encoding),
        nonAscii1252_(wroteNonAscii1252) {}

  std::string typeName() const override { return "TextStream"; }
  int memberId(std::string_view name) override { return Members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = Members().check(id, kind, all);
    switch (id) {
      case kLine: return Variant::fromLong(line_);
      case kColumn: return Variant::fromLong(column_);
      case kClose: file_.reset(); return {};
      default: break;
    }
    if (!file_) throw VbError(err::kBadFileMode);
    switch (id) {
      case kAtEndOfStream: needReading(); return Variant::fromBool(!peek());
      case kAtEndOfLine: {
        needReading();
        auto c = peek();
        return Variant::fromBool(!c || *c == u'\r' || *c == u'\n');
      }
      case kRead: return readCount(ArgLong(args[0]), true);
      case kSkip: readCount(ArgLong(args[0]), false); return {};
      case kReadLine: return Variant::fromString(ToUtf8(readLine(true)));
      case kSkipLine: readLine(false); return {};
      case kReadAll: return readAll();
      case kWrite: write(ToUtf16(ArgString(args[0]))); return {};
      case kWriteLine: write(ToUtf16(ArgString(args, 0, "")) + u"\r\n"); return {};
      case kWriteBlankLines: {
        const std::int32_t n = ArgLong(args[0]);
        if (n < 0) throw VbError(err::kInvalidCall);
        std::u16string lines;
        for (std::int32_t i = 0; i < n; ++i) {
          if (lines.size() >= kMaxReadChars) throw VbError(err::kOutOfMemory);
          lines += u"\r\n";
        }
        write(lines);
        return {};
      }
    }
    throw VbError(err::kObjectDoesntSupport);
  }

 private:
  void needReading() const {
    if (!reading_) throw VbError(err::kBadFileMode);
  }
  void needWriting() const {
    if (reading_) throw VbError(err::kBadFileMode);
  }

  // Line and column bookkeeping for one character read or written.
  void count(char16_t c) {
    if (c == u'\n' && lastWasCr_) {
      lastWasCr_ = false;  // the LF of a CR LF pair: the CR already ended the line
      return;
    }
    lastWasCr_ = c == u'\r';
    if (c == u'\r' || c == u'\n') {
      if (line_ < INT32_MAX) ++line_;
      column_ = 1;
    } else if (column_ < INT32_MAX) {
      ++column_;
    }
  }

  // Decodes the next piece of the file; false at the end of the file.
  bool fill() {
    if (atFileEnd_) return false;
    if (position_ > kPiece && position_ * 2 > buffer_.size()) {
      buffer_.erase(0, position_);
      position_ = 0;
    }
    char piece[kPiece];
    const std::size_t n = std::fread(piece, 1, sizeof piece, file_.get());
    if (n == 0) {
      atFileEnd_ = true;
      if (std::ferror(file_.get())) throw VbError(err::kDeviceIoError);
      if (!pending_.empty()) {
        // An unfinished character at the very end: it reads as a replacement character.
        buffer_ += u'\xFFFD';
        pending_.clear();
      }
      return position_ < buffer_.size();
    }
    pending_.append(piece, n);
    const std::size_t whole = WholeCharacterPrefix(pending_, encoding_);
    buffer_ += DecodeText(std::string_view(pending_).substr(0, whole), encoding_);
    pending_.erase(0, whole);
    return true;
  }

  std::optional<char16_t> peek(std::size_t ahead = 0) {
    while (position_ + ahead >= buffer_.size()) {
      if (!fill()) return std::nullopt;
    }
    return buffer_[position_ + ahead];
  }

  char16_t take() {
    const char16_t c = buffer_[position_++];
    count(c);
    return c;
  }

  Variant readCount(std::int32_t n, bool keep) {
    needReading();
    if (n < 0) throw VbError(err::kInvalidCall);
    if (n > 0 && !peek()) throw VbError(err::kInputPastEndOfFile);
    if (keep && static_cast<std::size_t>(n) > kMaxReadChars) throw VbError(err::kOutOfMemory);
    std::u16string text;
    for (std::int32_t i = 0; i < n && peek(); ++i) {
      const char16_t c = take();
      if (keep) text += c;
    }
    return Variant::fromString(ToUtf8(text));
  }

  std::u16string readLine(bool keep) {
    needReading();
    if (!peek()) throw VbError(err::kInputPastEndOfFile);
    std::u16string text;
    while (auto c = peek()) {
      if (*c == u'\n' || *c == u'\r') {
        take();
        if (*c == u'\r' && peek() == u'\n') take();
        break;
      }
      if (keep && text.size() >= kMaxReadChars) throw VbError(err::kOutOfMemory);
      if (keep) text += *c;
      take();
    }
    return text;
  }

  Variant readAll() {
    needReading();
    // Refuse a file too large to hold before reading any of it.
    struct stat st;
    if (::fstat(fileno(file_.get()), &st) == 0) {
      const long at = std::ftell(file_.get());
      if (at >= 0 && st.st_size - at > static_cast<off_t>(kMaxReadChars * 2)) {
        throw VbError(err::kOutOfMemory);
      }
    }
    if (!peek()) throw VbError(err::kInputPastEndOfFile);
    std::u16string text;
    while (peek()) {
      if (text.size() >= kMaxReadChars) throw VbError(err::kOutOfMemory);
      text += take();
    }
    return Variant::fromString(ToUtf8(text));
  }

  void writeBytes(const std::string& bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
      ThrowSystemError(errno, {});
    }
  }

  void write(const std::u16string& text) {
    needWriting();
    if (encoding_ == TextEncoding::Cp1252) {
      if (auto bytes = EncodeCp1252(text)) {
        for (char b : *bytes) nonAscii1252_ |= static_cast<unsigned char>(b) >= 0x80;
        writeBytes(*bytes);
        for (char16_t c : text) count(c);
        return;
      }
      // A character beyond Windows-1252: from here on the file is UTF-8, and what was
      // written as Windows-1252 so far is converted so that the file is all one encoding.
      if (nonAscii1252_) reencodeAsUtf8();
      encoding_ = TextEncoding::Utf8;
    }
    writeBytes(EncodeText(text, encoding_));
    for (char16_t c : text) count(c);
  }

  void reencodeAsUtf8() {
    if (std::fflush(file_.get()) != 0) ThrowSystemError(errno, {});
    const std::string bytes = ReadWholeFile(file_.get());
    const std::string utf8 = ToUtf8(DecodeText(bytes, TextEncoding::Cp1252));
    std::rewind(file_.get());
    writeBytes(utf8);
    if (std::fflush(file_.get()) != 0) ThrowSystemError(errno, {});
    std::fseek(file_.get(), 0, SEEK_END);
  }

  FilePtr file_;
  bool reading_;
  TextEncoding encoding_;
  bool nonAscii1252_;  // the file holds Windows-1252 bytes above 0x7F
  std::u16string buffer_;
  std::size_t position_ = 0;
  std::string pending_;
  bool atFileEnd_ = false;
  std::int32_t line_ = 1;
  std::int32_t column_ = 1;
  bool lastWasCr_ = false;
};

// What an existing file's bytes say about its encoding. start = bytes of a BOM to skip.
struct Detected {
  TextEncoding encoding = TextEncoding::Cp1252;
  long start = 0;
  bool nonAscii1252 = false;
  bool empty = true;
};

Detected Detect(std::FILE* file) {
  Detected d;
  unsigned char head[3] = {0, 0, 0};
  const std::size_t n = std::fread(head, 1, 3, file);
  d.empty = n == 0;
  if (n >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
    d.encoding = TextEncoding::Utf16Le;
    d.start = 2;
  } else if (n == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
    d.encoding = TextEncoding::Utf8;
    d.start = 3;
  } else {
    std::rewind(file);
    Utf8Checker checker;
    char piece[kPiece];
    std::size_t got;
    std::size_t scanned = 0;
    // The first 16 MB decide; a text file that turns to another encoding after that is not
    // worth reading the whole of a huge file at every open.
    while (!checker.failed() && scanned < kDetectionBytes &&
           (got = std::fread(piece, 1, sizeof piece, file)) > 0) {
      checker.feed(std::string_view(piece, got));
      scanned += got;
    }
    // A sequence cut off by the end of the file makes it invalid; one cut off by the scan
    // limit does not.
    const bool invalid = checker.failed() || (scanned < kDetectionBytes && !checker.valid());
    if (!invalid && checker.sawNonAscii()) {
      d.encoding = TextEncoding::Utf8;
    } else if (invalid) {
      d.nonAscii1252 = true;
    }
  }
  std::fseek(file, d.start, SEEK_SET);
  return d;
}

}  // namespace

std::shared_ptr<Object> OpenTextStream(const std::string& diskPath, int ioMode, bool create,
                                       int format) {
  if (ioMode != kForReading && ioMode != kForWriting && ioMode != kForAppending) {
    throw VbError(err::kInvalidCall);
  }
  if (format != kTristateUseDefault && format != kTristateTrue && format != kTristateFalse) {
    throw VbError(err::kInvalidCall);
  }
  const bool unicode = format == kTristateTrue;
  auto st = StatOf(diskPath);
  if (st && S_ISDIR(st->st_mode)) throw VbError(err::kPermissionDenied);
  if (!st && !create) ThrowSystemError(ENOENT, diskPath);

  const char* mode = ioMode == kForReading ? "rb" : (ioMode == kForAppending && st) ? "r+b" : "w+b";
  if (ioMode == kForReading && !st) mode = "w+b";  // create and read an empty file
  FilePtr file(std::fopen(diskPath.c_str(), mode));
  if (!file) ThrowSystemError(errno, diskPath);

  if (ioMode == kForReading) {
    Detected d = Detect(file.get());
    if (unicode && d.encoding != TextEncoding::Utf16Le) {
      d.encoding = TextEncoding::Utf16Le;  // Unicode mode reads UTF-16 with or without a BOM
      std::rewind(file.get());
    }
    return std::make_shared<TextStream>(std::move(file), true, d.encoding, false);
  }
  TextEncoding encoding = unicode ? TextEncoding::Utf16Le : TextEncoding::Cp1252;
  bool nonAscii = false;
  if (ioMode == kForAppending && st) {
    Detected d = Detect(file.get());
    if (!d.empty) {
      encoding = d.encoding;  // never mix two encodings in one file
      nonAscii = d.nonAscii1252;
    }
    std::fseek(file.get(), 0, SEEK_END);
    if (d.empty && unicode) std::fwrite("\xFF\xFE", 1, 2, file.get());
  } else if (unicode) {
    std::fwrite("\xFF\xFE", 1, 2, file.get());
  }
  return std::make_shared<TextStream>(std::move(file), false, encoding, nonAscii);
}

}  // namespace vbs::detail
