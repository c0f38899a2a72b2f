// PictureCache: least recently used first out, by bytes of pixels; one spare image.
#include "platform/PictureCache.h"

#include <sys/stat.h>

#include <QImage>

#include "platform/Picture.h"
#include "platform/qt/Bridge.h"

namespace tw::platform {

struct PictureCache::Spare {
  QImage pixels;
};

namespace {

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::size_t PixelBytes(const Picture& picture) {
  return static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()) * 4;
}

}  // namespace

PictureCache::PictureCache(std::size_t budgetBytes)
    : budget_(budgetBytes), spare_(std::make_unique<Spare>()) {}

PictureCache::~PictureCache() = default;

std::shared_ptr<const Picture> PictureCache::load(const std::string& path) {
  struct stat st {};
  const bool stamped = ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  const Stamp stamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                    static_cast<std::uint64_t>(st.st_size), Nanoseconds(st.st_mtim),
                    Nanoseconds(st.st_ctim)};
  if (auto found = byPath_.find(path); found != byPath_.end()) {
    if (stamped && found->second->stamp == stamp) {
      entries_.splice(entries_.begin(), entries_, found->second);
      ++hits_;
      return found->second->picture;
    }
    forget(found->second);  // the file changed or went away
  }

  // Decoded into the spare's pixels; a JPEG reader writes 32-bit opaque pixels, which is
  // what the spare's pixels become again.
  QImage pixels = std::move(spare_->pixels);
  if (!pixels.isNull()) pixels.reinterpretAsFormat(QImage::Format_RGB32);
  std::shared_ptr<const Picture> picture = PictureAccess::load(path, std::move(pixels));
  ++decodes_;
  const std::size_t bytes = PixelBytes(*picture);
  if (!stamped || bytes > budget_) return picture;
  entries_.push_front(Entry{path, stamp, picture, bytes});
  byPath_[path] = entries_.begin();
  bytes_ += bytes;
  trim();
  return picture;
}

void PictureCache::forget(std::list<Entry>::iterator it) {
  bytes_ -= it->bytes;
  byPath_.erase(it->path);
  QImage pixels = PictureAccess::takePixels(std::move(it->picture));
  if (!pixels.isNull() && pixels.depth() == 32) spare_->pixels = std::move(pixels);
  entries_.erase(it);
}

void PictureCache::trim() {
  while (bytes_ > budget_ && !entries_.empty()) forget(std::prev(entries_.end()));
}

void PictureCache::clear() {
  while (!entries_.empty()) forget(entries_.begin());
  spare_->pixels = QImage();
}

}  // namespace tw::platform
