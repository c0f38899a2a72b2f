#include "frames/FrameDataReads.h"

#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "game/Game.h"
#include "vbscript/VbError.h"

namespace tw {

FieldReader FrameDataReads::open(const std::string& path) {
  if (auto it = texts_.find(path); it != texts_.end()) return FieldReader(it->second);
  const auto real = files_.resolve(path);
  if (!real) throw vbs::VbError(vbs::err::kFileNotFound);
  auto bytes = files_.readFile(*real);
  if (!bytes) throw vbs::VbError(vbs::err::kPathFileAccessError);
  const std::string& text = texts_.emplace(path, DecodeDataText(*bytes)).first->second;
  return FieldReader(text);
}

FieldReader Game::OpenFrameData(const std::string& path) {
  if (frameReads_) return frameReads_->open(path);
  return FieldReader::Open(player_.files, path);
}

}  // namespace tw
