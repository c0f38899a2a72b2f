#include "platform/TaggedPng.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/Picture.h"
#include "platform/qt/Bridge.h"
#include "vbscript/VbError.h"

namespace tw::platform {

namespace {

bool Tagged(QImageReader& reader, const PngTag& tag) {
  return reader.format() == "png" &&
         reader.text(QString::fromStdString(tag.key)) == QString::fromStdString(tag.value);
}

}  // namespace

std::shared_ptr<const Picture> ScaledToWidth(const Picture& picture, int maxWidth) {
  const QImage& image = PictureAccess::image(picture);
  if (image.width() <= maxWidth) return PictureAccess::make(image);
  const int height = std::max(
      1, static_cast<int>(std::lround(double(image.height()) * maxWidth / image.width())));
  return PictureAccess::make(
      image.scaled(std::max(1, maxWidth), height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void SaveTaggedPng(const Picture& picture, const std::string& path, const PngTag& tag) {
  QSaveFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::WriteOnly)) throw vbs::VbError(vbs::err::kPathFileAccessError);
  QImageWriter writer(&file, "png");
  writer.setText(QString::fromStdString(tag.key), QString::fromStdString(tag.value));
  if (!writer.write(PictureAccess::image(picture)) || !file.commit()) {
    throw vbs::VbError(vbs::err::kPathFileAccessError);
  }
}

bool HasTaggedPng(const std::string& path, const PngTag& tag) {
  QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
  return Tagged(reader, tag);
}

std::shared_ptr<const Picture> LoadTaggedPng(const std::string& path, const PngTag& tag) {
  QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!Tagged(reader, tag)) return nullptr;
  QImage image;
  if (!reader.read(&image)) return nullptr;
  return PictureAccess::make(std::move(image));
}

}  // namespace tw::platform
