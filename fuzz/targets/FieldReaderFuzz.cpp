// Fuzz target: the sequential field reader. The input's first line names the conversions to
// apply, one letter each, in turn (S string, I integer, L long, F single, D double,
// B boolean, A any, K skip); the rest is the file's bytes, decoded as a data file is. The
// reader must end every field with a value or a VbError, and reach the end of the data.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "vbscript/VbError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t lineEnd = input.find('\n');
  std::string_view ops = lineEnd == input.npos ? std::string_view("A") : input.substr(0, lineEnd);
  if (ops.empty() || ops.size() > 16) ops = "A";
  const std::string_view bytes = lineEnd == input.npos ? input : input.substr(lineEnd + 1);
  std::string text = tw::DecodeDataText(bytes);
  const std::size_t length = text.size();
  tw::FieldReader in(std::move(text));
  // Each field consumes at least one character, so the fields are at most the text + 1.
  std::size_t fields = 0;
  while (!in.atEnd()) {
    if (++fields > length + 2) __builtin_trap();
    try {
      switch (ops[fields % ops.size()]) {
        case 'S': in.readString(); break;
        case 'I': in.readInteger(); break;
        case 'L': in.readLong(); break;
        case 'F': in.readSingle(); break;
        case 'D': in.readDouble(); break;
        case 'B': in.readBoolean(); break;
        case 'K': in.skip(2); break;
        default: in.readAny(); break;
      }
    } catch (const vbs::VbError& e) {
      // 62 only when nothing is left: atEnd() said there was.
      if (e.number() == 62) break;
    }
  }
  return 0;
}
