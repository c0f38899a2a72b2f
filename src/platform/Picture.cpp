// Picture: decoding with Qt's image readers (metafiles with our own player, Metafile.h),
// format found from the content.
#include "platform/Picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <cerrno>

#include "common/AtomicFile.h"
#include "common/FileResolver.h"
#include "common/UniqueFd.h"
#include "platform/Metafile.h"
#include "platform/MetafileReader.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/MetafileDc.h"
#include "vbscript/VbError.h"

namespace tw::platform {

struct Picture::Impl {
  QImage image;
  bool hasHotSpot = false;
  Point hotSpot;
  std::vector<std::uint8_t> metafile;  // the file, for pictures drawn from one
};

namespace {

constexpr int kInvalidPicture = 481;

std::uint16_t Le16(const QByteArray& b, int at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    (static_cast<unsigned char>(b[at + 1]) << 8));
}

// A .cur file is an icon directory of type 2; its first entry keeps the hot spot where an
// icon keeps planes and bit count.
bool CursorHotSpot(const QByteArray& b, Point& hot) {
  if (b.size() < 22 || Le16(b, 0) != 0 || Le16(b, 2) != 2 || Le16(b, 4) == 0) return false;
  hot = Point{Le16(b, 10), Le16(b, 12)};
  return true;
}

// Decodes into `image`'s pixels when the reader can (a JPEG of the same size and format as
// the image handed in), else into new ones.
QImage Decode(const QByteArray& bytes, QImage image = QImage()) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  if (!reader.read(&image)) image = QImage();
  if (image.isNull()) {
    // Qt does not sniff icon and cursor files from their content; ask its icon reader.
    Point unused;
    if (bytes.size() >= 6 && Le16(bytes, 0) == 0 &&
        (Le16(bytes, 2) == 1 || CursorHotSpot(bytes, unused))) {
      buffer.seek(0);
      QImageReader iconReader(&buffer, "ico");
      image = iconReader.read();
    }
  }
  return image;
}

std::shared_ptr<const Picture> FromBytes(const QByteArray& bytes, QImage spare = QImage()) {
  if (bytes.isEmpty()) throw vbs::VbError(kInvalidPicture);
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  const auto size = static_cast<std::size_t>(bytes.size());
  if (IsMetafile(data, size)) return RenderMetafile(data, size);
  QImage image = Decode(bytes, std::move(spare));
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    throw vbs::VbError(kInvalidPicture);
  }
  Point hot;
  if (!CursorHotSpot(bytes, hot)) return PictureAccess::make(std::move(image));
  // A damaged directory may name a hot spot outside the picture; keep it on the picture.
  hot = Point{std::clamp(hot.x, 0, image.width() - 1), std::clamp(hot.y, 0, image.height() - 1)};
  return PictureAccess::make(std::move(image), hot);
}

}  // namespace

const QImage& PictureAccess::image(const Picture& picture) {
  return picture.impl().image;
}

std::shared_ptr<const Picture> PictureAccess::make(QImage image, std::optional<Point> hotSpot) {
  auto impl = std::make_unique<Picture::Impl>();
  impl->hasHotSpot = hotSpot.has_value();
  impl->hotSpot = hotSpot.value_or(Point{});
  // Moved: an opaque 32-bit image (what JPEG and most bitmaps decode to) only changes its
  // format's name, without a copy.
  impl->image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return std::make_shared<const Picture>(Picture::Key{}, std::move(impl));
}

QImage PictureAccess::takePixels(std::shared_ptr<const Picture>&& picture) {
  if (!picture || picture.use_count() != 1 || !picture->impl().metafile.empty()) return QImage();
  // The last holder: nobody can see the picture change.
  QImage pixels = std::move(const_cast<Picture::Impl&>(picture->impl()).image);
  picture.reset();
  return pixels;
}

std::shared_ptr<const Picture> PictureAccess::makeMetafile(QImage image,
                                                           std::vector<std::uint8_t> metafile) {
  auto impl = std::make_unique<Picture::Impl>();
  impl->image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  impl->metafile = std::move(metafile);
  return std::make_shared<const Picture>(Picture::Key{}, std::move(impl));
}

QImage PictureAccess::drawnAt(const Picture& picture, QSize size) {
  const std::vector<std::uint8_t>& file = picture.impl().metafile;
  if (file.empty()) return QImage();
  if (size == picture.impl().image.size()) return picture.impl().image;
  try {
    return metafile::PlayMetafile(file.data(), file.size(), size);
  } catch (const metafile::BadMetafile&) {
    return QImage();  // a size beyond the limits: the caller scales the picture
  }
}

Picture::Picture(Key, std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Picture::~Picture() = default;

std::shared_ptr<const Picture> Picture::fromPixels(int width, int height,
                                                    const std::uint32_t* rgb) {
  if (width <= 0 || height <= 0 || !rgb) return solid(1, 1, 0);
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < height; ++y) {
    auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    const std::uint32_t* from = rgb + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) line[x] = 0xFF000000u | from[x];
  }
  return PictureAccess::make(std::move(image), std::nullopt);
}

std::shared_ptr<const Picture> Picture::load(const std::string& path) {
  return PictureAccess::load(path, QImage());
}

std::shared_ptr<const Picture> PictureAccess::load(const std::string& path, QImage spare) {
  // The path's bytes are the file's name as it is on disk, which need not be UTF-8 (a name
  // copied from a Windows disk in Windows-1252): it is opened as it stands, never converted
  // to text and back.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat st {};
  if (!fd) {
    if (errno == ENOENT || errno == ENOTDIR || errno == EISDIR) {
      throw vbs::VbError(vbs::err::kFileNotFound);
    }
    throw vbs::VbError(vbs::err::kPermissionDenied);
  }
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw vbs::VbError(vbs::err::kFileNotFound);
  }
  if (static_cast<std::uint64_t>(st.st_size) > FileResolver::kMaxFileSize) {
    throw vbs::VbError(vbs::err::kOutOfMemory);
  }
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(st.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw vbs::VbError(vbs::err::kPermissionDenied);
    if (got == 0) break;
    bytes.append(chunk, static_cast<qsizetype>(got));
  }
  return FromBytes(bytes, std::move(spare));
}

std::shared_ptr<const Picture> Picture::decode(const std::vector<std::uint8_t>& bytes) {
  return FromBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                              static_cast<qsizetype>(bytes.size())));
}

std::shared_ptr<const Picture> Picture::solid(int width, int height, std::uint32_t vbColour) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
  Rgb rgb = ToRgb(vbColour);
  image.fill(QColor(rgb.r, rgb.g, rgb.b));
  return PictureAccess::make(std::move(image));
}

int Picture::width() const {
  return impl_->image.width();
}
int Picture::height() const {
  return impl_->image.height();
}
bool Picture::hasHotSpot() const {
  return impl_->hasHotSpot;
}

Point Picture::hotSpot() const {
  if (impl_->hasHotSpot) return impl_->hotSpot;
  return Point{width() / 2, height() / 2};
}

std::uint32_t Picture::pixel(int x, int y) const {
  if (!impl_->image.valid(x, y)) return 0;
  return impl_->image.pixelColor(x, y).rgba();
}

// Encoded in memory, then written beside the target and renamed over it once complete and
// flushed (AtomicFile), so that a reader never meets half a picture and a failed save (a full
// disk included) leaves the old file whole.
void Picture::saveBmp(const std::string& path) const {
  QImage rgb = impl_->image.convertToFormat(QImage::Format_RGB888);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  if (!writer.write(rgb) ||
      ReplacePathAtomically(path, std::string_view(bytes.constData(), bytes.size())) != 0) {
    throw vbs::VbError(vbs::err::kPathFileAccessError);
  }
}

std::shared_ptr<const Picture> Picture::region(int x, int y, int w, int h) const {
  QRect r = QRect(x, y, w, h).intersected(impl_->image.rect());
  if (r.isEmpty()) throw vbs::VbError(vbs::err::kInvalidCall);
  return PictureAccess::make(impl_->image.copy(r));
}

}  // namespace tw::platform
