// Metafile: Windows metafile pictures (wmf, placeable or not, and emf) drawn into a picture
// of their own size. The picture starts see-through; what the records draw covers it, so a
// metafile shown on a picture box keeps the box's back colour around its drawing, as on
// Windows. Reading (MetafileReader) checks the whole file before drawing; playing
// (WmfPlayer, EmfPlayer) draws through MetafileDc. Text is drawn only while fonts can be
// read (a QGuiApplication exists), like every caption of the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace tw::platform {

class Picture;

// Whether the bytes start like a metafile of either kind.
bool IsMetafile(const std::uint8_t* data, std::size_t size);

// Draws the metafile; a damaged one (truncated, records that do not fit, sizes out of range,
// object indices outside its table) raises VbError 481 "Invalid picture".
std::shared_ptr<const Picture> RenderMetafile(const std::uint8_t* data, std::size_t size);

}  // namespace tw::platform
