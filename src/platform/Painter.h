// Painter: draws an element and everything inside it into a new picture — the one renderer
// of the element tree, used by the headless back end (tests, replay screenshots) and by the
// capture of the old frame for transitions. The Qt window back end paints the same tree with
// the same code through PaintInto (platform/qt/Painting.h).
//
// The picture has the element's own size in pixels (a window: its client area), at least
// 1 x 1; the element itself is drawn even when it is hidden (the caller asked for it), its
// hidden children are not. Text is drawn only while a QGuiApplication exists (see
// GuiForPainting.h); without one, captions are left out and everything else is drawn.
#pragma once

#include <memory>
#include <string>

namespace tw::platform {

class Element;
class Picture;

// Raises VbError 7 "Out of memory" when a picture of that size cannot be made.
std::shared_ptr<const Picture> PaintElement(const Element& root);

// Writes the picture as a PNG file (alpha kept); VbError 75 "Path/File access error" when the
// file cannot be written.
void SavePng(const Picture& picture, const std::string& path);

}  // namespace tw::platform
