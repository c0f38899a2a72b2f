// Painter: the walk over the element tree and the drawing of picture boxes, picture elements,
// labels and windows. The classic controls are drawn in PaintControls.cpp.
//
// Every element is drawn in its own coordinates: the walk translates the painter to the
// element's top-left corner and clips it to the element's rectangle inside its container, so
// nothing an element draws can leave it. Elements wholly outside what is still visible are
// not visited at all (a game area with many hotspots off screen costs nothing for them).
#include "platform/Painter.h"

#include <algorithm>

#include <QImage>
#include <QString>

#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Picture.h"
#include "platform/TaggedPng.h"
#include "platform/PictureBox.h"
#include "platform/Units.h"
#include "platform/Window.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Painting.h"
#include "vbscript/VbError.h"

namespace tw::platform {

namespace {

constexpr Colour kGreyText = 0x80000011u;
constexpr Colour k3dHighlight = 0x80000014u;
constexpr int kOutlineWidth = 2;  // pixels, each of the outline's two lines

// Only what a screen can show goes to layout (DrawnText, which also makes every line end LF).
QString CaptionLines(const std::string& text) {
  return QString::fromStdString(DrawnText(text));
}

// Rectangle of an element in its container's client area, in pixels.
QRect PixelRect(const Element& e) {
  return QRect(PixelsFromTwips(e.left()), PixelsFromTwips(e.top()), PixelsFromTwips(e.width()),
               PixelsFromTwips(e.height()));
}

class TreePainter {
 public:
  explicit TreePainter(QPainter& painter) : p_(painter), fonts_(FontsAvailable()) {}

  // Draws e in (0, 0, size); `visible` is the part of that rectangle not clipped away.
  void paint(const Element& e, QSize size, const QRect& visible) {
    switch (e.kind()) {
      case ElementKind::Window: {
        const auto& window = static_cast<const Window&>(e);
        p_.fillRect(QRect(QPoint(0, 0), size), ToQColor(window.backColour()));
        paintChildren(window, visible);
        break;
      }
      case ElementKind::PictureBox:
        paintPictureBox(static_cast<const PictureBox&>(e), size, visible);
        break;
      case ElementKind::Image:
        paintImage(static_cast<const Image&>(e), size);
        break;
      case ElementKind::Label:
        paintLabel(static_cast<const Label&>(e), size);
        break;
      case ElementKind::Button:
        PaintButton(p_, static_cast<const Button&>(e), size);
        break;
      case ElementKind::CheckBox:
        PaintCheckBox(p_, static_cast<const CheckBox&>(e), size);
        break;
      case ElementKind::TextBox:
        PaintTextBox(p_, static_cast<const TextBox&>(e), size);
        break;
      case ElementKind::ListBox:
        PaintListBox(p_, static_cast<const ListBox&>(e), size);
        break;
      case ElementKind::Timer:
      case ElementKind::MenuItem:
        break;  // not elements of the client area
    }
  }

 private:
  // Back to front, so later children cover earlier ones.
  void paintChildren(const Container& container, const QRect& visible) {
    for (const Element* child : container.children()) {
      if (!child->visible()) continue;
      const QRect r = PixelRect(*child);
      const QRect shown = r.intersected(visible);
      if (shown.isEmpty()) continue;
      const QRect local = shown.translated(-r.topLeft());
      p_.save();
      p_.translate(r.topLeft());
      p_.setClipRect(local, Qt::IntersectClip);
      paint(*child, r.size(), local);
      p_.restore();
    }
    for (const Element* child : container.children()) {
      if (child->visible() && child->outlined()) paintOutline(PixelRect(*child));
    }
  }

  // Two lines inside the border, each kOutlineWidth pixels: dark outside, light inside, so one
  // of them stands out on any picture. Above every sibling, so nothing covers it.
  void paintOutline(const QRect& r) {
    const auto ring = [this](const QRect& box, const QColor& colour) {
      if (box.isEmpty()) return;
      const int w = std::min(kOutlineWidth, (box.width() + 1) / 2);
      const int h = std::min(kOutlineWidth, (box.height() + 1) / 2);
      p_.fillRect(box.left(), box.top(), box.width(), h, colour);
      p_.fillRect(box.left(), box.bottom() - h + 1, box.width(), h, colour);
      p_.fillRect(box.left(), box.top(), w, box.height(), colour);
      p_.fillRect(box.right() - w + 1, box.top(), w, box.height(), colour);
    };
    ring(r, QColor(0, 0, 0));
    ring(r.adjusted(kOutlineWidth, kOutlineWidth, -kOutlineWidth, -kOutlineWidth),
         QColor(255, 255, 255));
  }

  // Back colour, picture at natural size, the drawings, then the children.
  void paintPictureBox(const PictureBox& box, QSize size, const QRect& visible) {
    p_.fillRect(QRect(QPoint(0, 0), size), ToQColor(box.backColour()));
    if (box.picture()) p_.drawImage(0, 0, PictureAccess::image(*box.picture()));
    const QImage& drawn = PictureAccess::image(box.canvas());
    if (!drawn.isNull()) p_.drawImage(0, 0, drawn);
    paintChildren(box, visible);
  }

  // See-through where the picture is, and wholly without one.
  void paintImage(const Image& image, QSize size) {
    if (!image.picture()) return;
    const QImage& picture = PictureAccess::image(*image.picture());
    if (image.stretch()) {
      p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
      p_.drawImage(QRect(QPoint(0, 0), size), picture);
    } else {
      p_.drawImage(0, 0, picture);
    }
  }

  void paintLabel(const Label& label, QSize size) {
    const QRect box(QPoint(0, 0), size);
    if (!label.transparent()) p_.fillRect(box, ToQColor(label.backColour()));
    if (!fonts_ || label.caption().empty()) return;
    int flags = Qt::AlignTop;
    switch (label.alignment()) {
      case Alignment::Left:
        flags |= Qt::AlignLeft;
        break;
      case Alignment::Right:
        flags |= Qt::AlignRight;
        break;
      case Alignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    // The same wrapping rule as MeasureText, so an auto-sized label fits its caption.
    if (label.wordWrap()) flags |= Qt::TextWordWrap;
    const QString text = CaptionLines(label.caption());
    p_.setFont(ToQFont(label.font()));
    if (!label.enabled()) {
      // Disabled captions are engraved: a light copy below right, grey on top.
      p_.setPen(ToQColor(k3dHighlight));
      p_.drawText(box.translated(1, 1), flags, text);
      p_.setPen(ToQColor(kGreyText));
    } else {
      p_.setPen(ToQColor(label.foreColour()));
    }
    p_.drawText(box, flags, text);
  }

  QPainter& p_;
  const bool fonts_;
};

}  // namespace

QColor ToQColor(Colour colour) {
  const Rgb rgb = ToRgb(colour);
  return QColor(rgb.r, rgb.g, rgb.b);
}

QSize PaintSize(const Element& root) {
  if (root.kind() == ElementKind::Window) {
    const auto& window = static_cast<const Window&>(root);
    return QSize(PixelsFromTwips(window.scaleWidth()), PixelsFromTwips(window.scaleHeight()));
  }
  return QSize(PixelsFromTwips(root.width()), PixelsFromTwips(root.height()));
}

void PaintInto(QPainter& painter, const Element& root) {
  const QSize size = PaintSize(root);
  if (size.isEmpty()) return;
  const QRect all(QPoint(0, 0), size);
  painter.save();
  painter.setClipRect(all, Qt::IntersectClip);
  // A window back end may paint only the damaged part; what lies outside it is not visited.
  const QRect visible = painter.clipBoundingRect().toAlignedRect().intersected(all);
  if (!visible.isEmpty()) TreePainter(painter).paint(root, size, visible);
  painter.restore();
}

std::shared_ptr<const Picture> PaintElement(const Element& root) {
  const QSize size = PaintSize(root).expandedTo(QSize(1, 1));
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw vbs::VbError(vbs::err::kOutOfMemory);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    PaintInto(painter, root);
  }
  return PictureAccess::make(std::move(image));
}

void SavePng(const Picture& picture, const std::string& path) {
  SaveTaggedPng(picture, path, PngTag{});
}

}  // namespace tw::platform
