// Painter: pixels of painted element trees — layers of a picture box, stretch, z-order,
// visibility, clipping, see-through parts, label text (colour, bold, alignment, wrapping),
// the classic controls, painting into a clipped painter, PNG files, and painting without a
// GUI application.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/GuiForPainting.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/Units.h"
#include "platform/Window.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Painting.h"
#include "vbscript/VbError.h"

namespace tw::platform {
namespace {

// Opaque 0xAARRGGBB values as Picture::pixel gives them.
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kWhiteArgb = 0xFFFFFFFFu;
constexpr std::uint32_t kYellow = 0xFFFFFF00u;
constexpr std::uint32_t kFaceArgb = 0xFFD4D0C8u;  // classic button face

constexpr Colour kVbRed = ColourFromRgb(255, 0, 0);
constexpr Colour kVbGreen = ColourFromRgb(0, 255, 0);
constexpr Colour kVbBlue = ColourFromRgb(0, 0, 255);
constexpr Colour kVbYellow = ColourFromRgb(255, 255, 0);

constexpr int Tw(int pixels) {
  return TwipsFromPixels(pixels);
}

// Pixels of a rectangle that satisfy a test.
int Count(const Picture& p, int x0, int y0, int w, int h,
          const std::function<bool(std::uint32_t)>& test) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) n += test(p.pixel(x, y)) ? 1 : 0;
  return n;
}

// "Ink": a pixel that is no longer the given background.
std::function<bool(std::uint32_t)> Not(std::uint32_t background) {
  return [background](std::uint32_t px) { return px != background; };
}

// Reddish: text in pure red anti-aliased over white keeps a strong red and weaker green.
bool Reddish(std::uint32_t px) {
  const int r = (px >> 16) & 0xFF, g = (px >> 8) & 0xFF;
  return r > 200 && g < 160;
}

// Columns [first, last] that hold ink, or {-1, -1} without ink.
std::pair<int, int> InkColumns(const Picture& p, std::uint32_t background) {
  int first = -1, last = -1;
  for (int x = 0; x < p.width(); ++x) {
    if (Count(p, x, 0, 1, p.height(), Not(background)) == 0) continue;
    if (first < 0) first = x;
    last = x;
  }
  return {first, last};
}

bool Dark(std::uint32_t px) {
  return ((px >> 16) & 0xFF) + ((px >> 8) & 0xFF) + (px & 0xFF) < 200;
}

bool Light(std::uint32_t px) {
  return ((px >> 16) & 0xFF) > 200 && ((px >> 8) & 0xFF) > 200 && (px & 0xFF) > 200;
}

int InkRows(const Picture& p, std::uint32_t background) {
  int rows = 0;
  for (int y = 0; y < p.height(); ++y) rows += Count(p, 0, y, p.width(), 1, Not(background)) > 0;
  return rows;
}

// A picture: left half see-through, right half opaque blue.
std::shared_ptr<const Picture> HalfTransparent(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, x < w / 2 ? 0x00000000u : kBlue);
  return PictureAccess::make(std::move(img));
}

// Text needs a GUI application; one lives for the whole suite.
class Painting : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gui_ = std::make_unique<GuiForPainting>(); }
  static void TearDownTestSuite() { gui_.reset(); }

  // A root picture box of w x h pixels in one colour.
  static void Root(PictureBox& box, int w, int h, Colour back) {
    box.move(0, 0, Tw(w), Tw(h));
    box.setBackColour(back);
  }
  static Label& Caption(Label& label, const std::string& text, int w, int h, bool bold = true) {
    label.move(0, 0, Tw(w), Tw(h));
    Font font;
    font.name = "Arial";
    font.size = 14;
    font.bold = bold;
    label.setFont(font);
    label.setCaption(text);
    label.setForeColour(kVbRed);
    label.setBackColour(kWhite);
    return label;
  }

 private:
  static inline std::unique_ptr<GuiForPainting> gui_;
};

// --- picture boxes, pictures, order, visibility, clipping ----------------------------

TEST_F(Painting, PictureBoxFillsItsSizeWithItsBackColour) {
  struct Case {
    Colour back;
    std::uint32_t expected;
  };
  for (const Case& c : {Case{kVbGreen, kGreen}, Case{kButtonFace, kFaceArgb},
                        Case{kWindowBackground, kWhiteArgb}}) {
    PictureBox box;
    Root(box, 24, 10, c.back);
    auto pic = PaintElement(box);
    ASSERT_EQ(pic->width(), 24);
    ASSERT_EQ(pic->height(), 10);
    EXPECT_EQ(Count(*pic, 0, 0, 24, 10, Not(c.expected)), 0) << std::hex << c.back;
  }
}

TEST_F(Painting, PictureBoxLayersBackColourPictureCanvasThenChildren) {
  PictureBox box;
  Root(box, 40, 20, kVbGreen);
  box.setPicture(Picture::solid(20, 20, kVbBlue));  // left half, natural size
  box.fillRect(10, 0, 5, 20, kVbRed);               // a drawing over the picture
  Image child;
  box.add(child);
  child.setPicture(Picture::solid(4, 4, kVbYellow));
  child.move(Tw(12), Tw(8));  // over the drawing
  auto pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(2, 2), kBlue);
  EXPECT_EQ(pic->pixel(30, 10), kGreen);
  EXPECT_EQ(pic->pixel(11, 2), kRed);
  EXPECT_EQ(pic->pixel(13, 9), kYellow);
  EXPECT_EQ(pic->pixel(16, 9), kBlue);
}

TEST_F(Painting, ImageIsStretchedToItsSizeOrDrawnAtNaturalSize) {
  for (bool stretch : {true, false}) {
    PictureBox box;
    Root(box, 60, 40, kVbGreen);
    Image image;
    box.add(image);
    image.setStretch(true);
    image.setPicture(Picture::solid(10, 10, kVbRed));
    image.move(Tw(5), Tw(5), Tw(50), Tw(30));
    if (!stretch) {
      // Switching stretch off takes the picture's size; an explicit size may follow.
      image.setStretch(false);
      image.move(Tw(5), Tw(5), Tw(50), Tw(30));
    }
    auto pic = PaintElement(box);
    EXPECT_EQ(pic->pixel(7, 7), kRed) << stretch;
    EXPECT_EQ(pic->pixel(50, 30), stretch ? kRed : kGreen) << stretch;
    EXPECT_EQ(pic->pixel(56, 36), kGreen) << stretch;  // outside the element
  }
}

TEST_F(Painting, LaterChildrenCoverEarlierOnes) {
  PictureBox box;
  Root(box, 30, 30, kVbGreen);
  Image first, second;
  box.add(first);
  box.add(second);
  first.setPicture(Picture::solid(20, 20, kVbRed));
  second.setPicture(Picture::solid(20, 20, kVbBlue));
  second.move(Tw(10), Tw(10));
  auto pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(5, 5), kRed);
  EXPECT_EQ(pic->pixel(15, 15), kBlue);  // the overlap
  EXPECT_EQ(pic->pixel(25, 25), kBlue);

  first.bringToFront();
  pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(15, 15), kRed);
}

TEST_F(Painting, HiddenElementsAndEverythingInsideThemAreLeftOut) {
  PictureBox box, inner;
  Root(box, 30, 30, kVbGreen);
  box.add(inner);
  inner.move(0, 0, Tw(10), Tw(10));
  inner.setBackColour(kVbRed);
  Image insideInner, hidden;
  inner.add(insideInner);
  insideInner.setPicture(Picture::solid(5, 5, kVbBlue));
  box.add(hidden);
  hidden.setPicture(Picture::solid(10, 10, kVbYellow));
  hidden.move(Tw(20), Tw(20));
  hidden.setVisible(false);

  auto pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(2, 2), kBlue);
  EXPECT_EQ(pic->pixel(7, 7), kRed);
  EXPECT_EQ(pic->pixel(25, 25), kGreen);

  inner.setVisible(false);
  pic = PaintElement(box);
  EXPECT_EQ(Count(*pic, 0, 0, 30, 30, Not(kGreen)), 0);
}

TEST_F(Painting, ChildrenAreClippedToTheirContainerAtEveryDepth) {
  PictureBox root, panel;
  Root(root, 40, 40, kVbGreen);
  root.add(panel);
  panel.move(Tw(10), Tw(10), Tw(20), Tw(20));
  panel.setBackColour(kVbRed);
  Image sticksOut, aboveLeft;
  panel.add(sticksOut);
  sticksOut.setPicture(Picture::solid(30, 5, kVbBlue));
  sticksOut.move(Tw(5), Tw(5));  // would reach x = 45 in the root
  panel.add(aboveLeft);
  aboveLeft.setPicture(Picture::solid(10, 10, kVbYellow));
  aboveLeft.move(Tw(-5), Tw(-5));

  auto pic = PaintElement(root);
  EXPECT_EQ(pic->pixel(20, 17), kBlue);
  EXPECT_EQ(pic->pixel(29, 17), kBlue);
  EXPECT_EQ(pic->pixel(30, 17), kGreen);
  EXPECT_EQ(pic->pixel(35, 17), kGreen);
  EXPECT_EQ(pic->pixel(12, 12), kYellow);
  EXPECT_EQ(pic->pixel(7, 7), kGreen);
  EXPECT_EQ(pic->pixel(9, 12), kGreen);
}

TEST_F(Painting, SeeThroughPicturesAndEmptyImagesShowWhatLiesBeneath) {
  PictureBox box;
  Root(box, 20, 10, kVbGreen);
  Image halfClear, empty;
  box.add(halfClear);
  halfClear.setPicture(HalfTransparent(20, 10));
  box.add(empty);  // no picture: catches clicks, shows nothing
  empty.move(0, 0, Tw(20), Tw(10));
  auto pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(3, 5), kGreen);
  EXPECT_EQ(pic->pixel(15, 5), kBlue);
}

TEST_F(Painting, WindowPaintsItsClientAreaInItsBackColour) {
  Window window("Game");
  window.move(0, 0, Tw(100), Tw(80));
  window.setFrameExtent(Tw(10), Tw(30));
  window.setBackColour(kVbYellow);
  PictureBox area;
  window.add(area);
  area.move(Tw(5), Tw(5), Tw(10), Tw(10));
  area.setBackColour(kVbBlue);
  auto pic = PaintElement(window);
  EXPECT_EQ(pic->width(), 90);
  EXPECT_EQ(pic->height(), 50);
  EXPECT_EQ(pic->pixel(0, 0), kYellow);
  EXPECT_EQ(pic->pixel(5, 5), kBlue);
  EXPECT_EQ(pic->pixel(15, 15), kYellow);
}

TEST_F(Painting, ElementWithoutSizeGivesOneSeeThroughPixel) {
  Image empty;
  auto pic = PaintElement(empty);
  EXPECT_EQ(pic->width(), 1);
  EXPECT_EQ(pic->height(), 1);
  EXPECT_EQ(pic->pixel(0, 0) >> 24, 0u);
}

// --- labels ---------------------------------------------------------------------------

TEST_F(Painting, CaptionAppearsInTheForeColourInsideTheLabelOnly) {
  PictureBox box;
  Root(box, 200, 60, kWindowBackground);
  Label label;
  box.add(label);
  Caption(label, "Hello", 120, 30);
  label.move(Tw(20), Tw(10));
  auto pic = PaintElement(box);
  EXPECT_GT(Count(*pic, 20, 10, 120, 30, Reddish), 20);
  // Nothing outside the label's box: not its background, not its text.
  EXPECT_EQ(Count(*pic, 0, 0, 200, 10, Not(kWhiteArgb)), 0);
  EXPECT_EQ(Count(*pic, 140, 0, 60, 60, Not(kWhiteArgb)), 0);
  EXPECT_EQ(Count(*pic, 0, 40, 200, 20, Not(kWhiteArgb)), 0);
}

TEST_F(Painting, BoldCaptionTakesMoreInkThanRegular) {
  int ink[2] = {0, 0};
  for (bool bold : {false, true}) {
    Label label;
    Caption(label, "Bold text", 150, 30, bold);
    auto pic = PaintElement(label);
    ink[bold] = Count(*pic, 0, 0, 150, 30, Reddish);
  }
  EXPECT_GT(ink[0], 10);
  EXPECT_GT(ink[1], ink[0] * 5 / 4);
}

TEST_F(Painting, ArialIsDrawnWithLiberationSansAtNinetySixDpi) {
  Font arial;
  arial.name = "Arial";
  ASSERT_EQ(QFontInfo(ToQFont(arial)).family(), QStringLiteral("Liberation Sans"));
  // The height of a capital H is about 0.716 em, and an em is points x 96 / 72 pixels.
  for (double points : {12.0, 24.0}) {
    Label label;
    Caption(label, "H", 60, 60);
    Font font = label.font();
    font.size = points;
    label.setFont(font);
    const double cap = 0.716 * points * 96 / 72;
    EXPECT_NEAR(InkRows(*PaintElement(label), kWhiteArgb), cap, 1.5) << points;
  }
}

TEST_F(Painting, UnderlineStrikethroughAndItalicChangeTheInk) {
  Label plainLabel;
  Caption(plainLabel, "H   H", 100, 40, false);
  auto plain = PaintElement(plainLabel);
  const int plainRows = InkRows(*plain, kWhiteArgb);
  auto [first, last] = InkColumns(*plain, kWhiteArgb);
  ASSERT_GT(last - first, 20);
  // The middle of the gap between the letters, where only a line can put ink.
  const int gap = (first + last) / 2;
  enum class Rows { Same, More };
  struct Case {
    const char* name;
    std::function<void(Font&)> set;
    bool lineThroughGap;
    Rows rows;
  };
  for (const Case& c : {
           Case{"underline", [](Font& f) { f.underline = true; }, true, Rows::More},
           Case{"strikethrough", [](Font& f) { f.strikethrough = true; }, true, Rows::Same},
           Case{"italic", [](Font& f) { f.italic = true; }, false, Rows::Same},
       }) {
    Label label;
    Caption(label, "H   H", 100, 40, false);
    Font font = label.font();
    c.set(font);
    label.setFont(font);
    auto pic = PaintElement(label);
    EXPECT_EQ(Count(*pic, gap, 0, 1, 40, Reddish) > 0, c.lineThroughGap) << c.name;
    const int rows = InkRows(*pic, kWhiteArgb);
    if (c.rows == Rows::More) {
      EXPECT_GT(rows, plainRows) << c.name;
    } else {
      EXPECT_EQ(rows, plainRows) << c.name;
    }
    int differing = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 100; ++x) differing += pic->pixel(x, y) != plain->pixel(x, y);
    EXPECT_GT(differing, 20) << c.name;
  }
}

TEST_F(Painting, TransparentLabelKeepsThePictureAroundItsText) {
  for (bool transparent : {true, false}) {
    PictureBox box;
    Root(box, 100, 40, kVbGreen);
    box.setPicture(Picture::solid(100, 40, kVbBlue));
    Label label;
    box.add(label);
    Caption(label, "i", 80, 30);
    label.setBackColour(kVbYellow);
    label.setTransparent(transparent);
    auto pic = PaintElement(box);
    const std::uint32_t around = transparent ? kBlue : kYellow;
    EXPECT_EQ(pic->pixel(70, 25), around) << transparent;
    EXPECT_EQ(pic->pixel(79, 0), around) << transparent;
    EXPECT_EQ(pic->pixel(90, 35), kBlue) << transparent;  // outside the label
    EXPECT_GT(Count(*pic, 0, 0, 80, 30, Reddish), 0) << transparent;
  }
}

TEST_F(Painting, AlignmentPlacesTheCaption) {
  struct Case {
    Alignment alignment;
    int minFirst, maxLast;  // ink must lie within [minFirst, maxLast]
  };
  for (const Case& c : {Case{Alignment::Left, 0, 60}, Case{Alignment::Right, 140, 199},
                        Case{Alignment::Center, 70, 130}}) {
    Label label;
    Caption(label, "Hi", 200, 30);
    label.setAlignment(c.alignment);
    auto pic = PaintElement(label);
    auto [first, last] = InkColumns(*pic, kWhiteArgb);
    ASSERT_GE(first, 0) << static_cast<int>(c.alignment);
    EXPECT_GE(first, c.minFirst) << static_cast<int>(c.alignment);
    EXPECT_LE(last, c.maxLast) << static_cast<int>(c.alignment);
  }
  // Right-aligned text ends near the right edge.
  Label right;
  Caption(right, "Hi", 200, 30);
  right.setAlignment(Alignment::Right);
  EXPECT_GE(InkColumns(*PaintElement(right), kWhiteArgb).second, 190);
}

TEST_F(Painting, WordWrapBreaksLongCaptionsWithinTheWidth) {
  int rows[2] = {0, 0};
  for (bool wrap : {false, true}) {
    Label label;
    Caption(label, "one two three four five six", 80, 120);
    label.setWordWrap(wrap);
    rows[wrap] = InkRows(*PaintElement(label), kWhiteArgb);
  }
  EXPECT_GT(rows[0], 5);
  EXPECT_GT(rows[1], rows[0] * 2);  // several lines instead of one
}

TEST_F(Painting, CrLfStartsANewLine) {
  Label one, two;
  Caption(one, "Line", 100, 80);
  Caption(two, "Line\r\nLine", 100, 80);
  EXPECT_GT(InkRows(*PaintElement(two), kWhiteArgb),
            InkRows(*PaintElement(one), kWhiteArgb) * 3 / 2);
}

// --- controls -------------------------------------------------------------------------

TEST_F(Painting, ButtonHasAFaceAnEdgeAndItsCaption) {
  Button button;
  button.move(0, 0, Tw(80), Tw(24));
  button.setCaption("OK");
  auto pic = PaintElement(button);
  EXPECT_EQ(pic->pixel(0, 0), kWhiteArgb);     // lit edge
  EXPECT_EQ(pic->pixel(79, 23), 0xFF404040u);  // dark edge
  EXPECT_EQ(pic->pixel(5, 5), kFaceArgb);
  EXPECT_GT(Count(*pic, 20, 4, 40, 16, Dark), 5);  // the caption, in button text colour
}

TEST_F(Painting, CheckBoxShowsATickOnlyWhenChecked) {
  auto Black = [](std::uint32_t px) { return px == 0xFF000000u; };
  for (CheckBox::Value value : {CheckBox::Unchecked, CheckBox::Checked}) {
    CheckBox box;
    box.move(0, 0, Tw(100), Tw(17));
    box.setValue(value);
    auto pic = PaintElement(box);
    // The well of the 13 x 13 box, two pixels in from its edges.
    const int wellTop = (17 - 13) / 2 + 2;
    EXPECT_EQ(pic->pixel(2, wellTop), kWhiteArgb) << value;
    EXPECT_EQ(Count(*pic, 2, wellTop, 9, 9, Black) > 0, value == CheckBox::Checked) << value;
  }
}

TEST_F(Painting, ListBoxHighlightsTheSelectedRow) {
  ListBox list;
  list.move(0, 0, Tw(100), Tw(100));
  list.addItem("Alpha");
  list.addItem("Beta");
  list.addItem("Gamma");
  list.setListIndex(1);
  auto pic = PaintElement(list);
  const std::uint32_t highlight = 0xFF0A246Au;
  const int row = MeasureText(list.font(), "Ag").height;
  EXPECT_EQ(pic->pixel(3, 2 + row / 2), kWhiteArgb);
  EXPECT_EQ(pic->pixel(90, 2 + row + row / 2), highlight);
  EXPECT_EQ(pic->pixel(90, 2 + 2 * row + row / 2), kWhiteArgb);
  // The selected entry's text is drawn in the highlight text colour.
  EXPECT_GT(Count(*pic, 2, 2 + row, 60, row, Light), 5);
}

TEST_F(Painting, TextBoxIsASunkenWhiteFieldWithItsText) {
  TextBox box;
  box.move(0, 0, Tw(100), Tw(21));
  box.setText("Name");
  auto pic = PaintElement(box);
  EXPECT_EQ(pic->pixel(0, 0), 0xFF808080u);  // shadowed edge
  EXPECT_EQ(pic->pixel(90, 10), kWhiteArgb);
  EXPECT_GT(Count(*pic, 2, 2, 50, 17, Not(kWhiteArgb)), 10);
}

// --- the Qt entry point ---------------------------------------------------------------

TEST_F(Painting, PaintIntoRespectsThePaintersOriginAndClipAndRestoresIt) {
  PictureBox box;
  Root(box, 20, 20, kVbRed);
  QImage target(60, 60, QImage::Format_ARGB32_Premultiplied);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    painter.translate(10, 10);
    painter.setClipRect(QRect(0, 0, 10, 20));  // the window repaints only a part
    PaintInto(painter, box);
    EXPECT_EQ(painter.transform().dx(), 10);
    EXPECT_EQ(painter.clipBoundingRect().toAlignedRect(), QRect(0, 0, 10, 20));
  }
  EXPECT_EQ(target.pixel(12, 12), kRed);
  EXPECT_EQ(target.pixel(22, 12), kWhiteArgb);  // inside the box, outside the clip
  EXPECT_EQ(target.pixel(5, 5), kWhiteArgb);
}

// --- PNG files ------------------------------------------------------------------------

TEST_F(Painting, PngRoundTripKeepsPixelsAndUnwritablePathsRaise75) {
  PictureBox box;
  Root(box, 16, 8, kVbGreen);
  Image half;
  box.add(half);
  half.setPicture(Picture::solid(8, 8, kVbRed));
  auto pic = PaintElement(box);
  QTemporaryDir dir;
  const std::string path = dir.filePath("shot.png").toStdString();
  SavePng(*pic, path);
  auto back = Picture::load(path);
  ASSERT_EQ(back->width(), 16);
  EXPECT_EQ(back->pixel(2, 2), kRed);
  EXPECT_EQ(back->pixel(12, 2), kGreen);

  int number = 0;
  try {
    SavePng(*pic, dir.filePath("missing/folder/shot.png").toStdString());
  } catch (const vbs::VbError& e) {
    number = e.number();
  }
  EXPECT_EQ(number, 75);
}

TEST_F(Painting, ASecondGuiHelperLeavesTheApplicationToTheFirst) {
  ASSERT_TRUE(GuiForPainting::textAvailable());
  GuiForPainting second;
  EXPECT_FALSE(second.ownsApplication());
}

// --- without a GUI application ----------------------------------------------------------

// Runs after the suite above has ended its application (suites run one after the other).
TEST(PaintingWithoutGui, CaptionsAreLeftOutAndEverythingElseIsDrawn) {
  ASSERT_FALSE(GuiForPainting::textAvailable());
  Label label;
  label.move(0, 0, Tw(100), Tw(30));
  label.setBackColour(kVbYellow);
  label.setForeColour(kVbRed);
  label.setCaption("Hidden text");
  auto pic = PaintElement(label);
  EXPECT_EQ(Count(*pic, 0, 0, 100, 30, Not(kYellow)), 0);
}

}  // namespace
}  // namespace tw::platform
