// What the start-up window looks like when painted: the built-in look and a coloured
// scheme. Set TW_STARTUP_PNG to a folder to keep the pictures for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PixelBuffer.h"
#include "platform/Units.h"
#include "project/StartupSupport.h"

namespace tw::test {
namespace {

class StartupLookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gui_ = std::make_unique<platform::GuiForPainting>(); }
  static void TearDownTestSuite() { gui_.reset(); }

  std::shared_ptr<const platform::Picture> paint(const std::string& name) {
    load();
    return snapshot(name);
  }

  void load() {
    game.writeGeneral(GeneralFields({.version = "Version 1.2",
                                     .author = "Ada Author",
                                     .email = "ada@example.org",
                                     .web = "https://example.org/lighthouse",
                                     .scheme = "Ocean",
                                     .gameResolution = 1}));
    run = std::make_unique<StartupRun>(game, settings);
    EXPECT_TRUE(run->startup.Form_Load());
  }

  std::shared_ptr<const platform::Picture> snapshot(const std::string& name) {
    auto picture = platform::PaintElement(run->startup.window);
    if (const char* folder = std::getenv("TW_STARTUP_PNG")) {
      platform::SavePng(*picture, std::string(folder) + "/" + name + ".png");
    }
    return picture;
  }

  // Whether a pixel of that colour lies in the rectangle (pixels).
  static bool HasColour(const platform::Picture& p, platform::Colour colour, int x0, int y0, int x1,
                        int y1) {
    const platform::Rgb rgb = platform::ToRgb(colour);
    const std::uint32_t argb = 0xFF000000u | (rgb.r << 16) | (rgb.g << 8) | rgb.b;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (p.pixel(x, y) == argb) return true;
      }
    }
    return false;
  }

  static inline std::unique_ptr<platform::GuiForPainting> gui_;
  GameFolder game;
  platform::MemorySettings settings;
  std::unique_ptr<StartupRun> run;
};

TEST_F(StartupLookTest, BuiltInLookShowsTitleButtonsAndRows) {
  const auto picture = paint("startup-builtin");
  const StartupWindow& w = run->startup;
  ASSERT_EQ(picture->width(), 320);
  ASSERT_EQ(picture->height(), platform::PixelsFromTwips(w.window.scaleHeight()));
  // The title is drawn in its own colour somewhere in its band.
  const int titleBottom =
      platform::PixelsFromTwips(w.txtAdventureName.top() + w.txtAdventureName.height());
  EXPECT_TRUE(HasColour(*picture, w.txtAdventureName.foreColour(), 0, 0, 320, titleBottom));
  // Each text button stands on a plate with a golden edge.
  for (const auto& label : w.lblButton) {
    const int top = platform::PixelsFromTwips(label.top());
    EXPECT_TRUE(HasColour(*picture, platform::ColourFromRgb(201, 168, 90), 0, top - 8, 320, top))
        << label.caption();
  }
  // The rows' texts are drawn in the text colour below Y 3000.
  EXPECT_TRUE(HasColour(*picture, w.txtAuthor.foreColour(), 0, 200, 320, picture->height()));
}

TEST_F(StartupLookTest, ColouredSchemeLooksItsOwnWay) {
  game.write("Schemes/Ocean/Scheme.txt",
             "x,x,x,3,[none],[none],[none],4,15130800,7346457,3355443,16777215");
  const auto picture = paint("startup-scheme");
  // Window colour behind everything, plates mixed from it and the button text colour.
  EXPECT_EQ(picture->pixel(2, 2), 0xFFB0E0E6u);
  EXPECT_TRUE(HasColour(*picture, run->startup.lblButton[0].foreColour(), 0, 60, 320, 160));
}

// Button looks: at rest, under the pointer (lighter), held (the lit look a pixel further right
// and down), held and dragged off (at rest again, and the release there does nothing), for a
// text button and for a picture button; and the focus frame, which Tab moves.
struct LookCase {
  const char* name;
  bool picture;  // Exit is a picture from the scheme, else a text on a plate
};

class StartupButtonLookTest : public StartupLookTest,
                              public ::testing::WithParamInterface<LookCase> {
 protected:
  // The button's rectangle in window pixels.
  void rectOf(const platform::Element& e, int& x, int& y, int& w, int& h) {
    e.positionInWindow(x, y);
    x = platform::PixelsFromTwips(x);
    y = platform::PixelsFromTwips(y);
    w = platform::PixelsFromTwips(e.width());
    h = platform::PixelsFromTwips(e.height());
  }
  // The number of pixels in the rectangle where a (moved by dx, dy) and b differ.
  static int Differing(const platform::Picture& a, const platform::Picture& b, int x0, int y0,
                       int w, int h, int dx = 0, int dy = 0) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) n += a.pixel(x, y) != b.pixel(x + dx, y + dy);
    }
    return n;
  }
};

TEST_P(StartupButtonLookTest, LighterUnderThePointerAndAPixelLowerWhenHeld) {
  if (GetParam().picture) {
    // Stripes, so a picture moved by a pixel is told from the same picture.
    platform::PixelBuffer stripes(90, 24);
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 90; ++x) stripes.set(x, y, (x + y) % 4 < 2 ? 0x803010u : 0x204060u);
    }
    game.write("Schemes/Ocean/exit.bmp", "");
    stripes.toPicture()->saveBmp(game.file("Schemes/Ocean/exit.bmp"));
    game.write("Schemes/Ocean/Scheme.txt", "x,x,x,3,[none],[none],exit.bmp,0");
  }
  load();
  StartupWindow& s = run->startup;
  platform::Window& w = s.window;
  const platform::Element& button =
      GetParam().picture ? static_cast<const platform::Element&>(s.Img[2]) : s.lblButton[2];
  ASSERT_TRUE(button.visible());
  int x, y, bw, bh;
  rectOf(button, x, y, bw, bh);
  // The part compared: inside the button (for a text button, inside its plate's edge) and
  // the button with its plate and focus frame.
  const int top = GetParam().picture ? y : y - 4;
  const int height = GetParam().picture ? bh : bh + 8;
  const int outer = GetParam().picture ? y : y - 6;
  const int outerHeight = GetParam().picture ? bh : bh + 12;
  const int cx = platform::TwipsFromPixels(x + bw / 2), cy = platform::TwipsFromPixels(y + bh / 2);

  // The focus frame starts on Start; Tab twice takes it to Exit, where it is drawn around the
  // button in the button text's colour.
  const auto startFocused = snapshot(std::string("start-") + GetParam().name);
  w.dispatchKeyDown(9, 0);
  w.dispatchKeyDown(9, 0);
  const auto rest = snapshot(std::string("rest-") + GetParam().name);
  EXPECT_TRUE(HasColour(*rest, s.lblButton[0].foreColour(), x, outer - 3, x + bw, outer - 2));
  EXPECT_FALSE(
      HasColour(*startFocused, s.lblButton[0].foreColour(), x, outer - 3, x + bw, outer - 2));
  const int startY = platform::PixelsFromTwips(s.lblButton[0].top());
  EXPECT_GT(Differing(*rest, *startFocused, 0, startY - 12, rest->width(), 8), 0);

  w.dispatchMouseMove(0, 0, cx, cy);
  const auto lit = snapshot(std::string("lit-") + GetParam().name);
  w.dispatchMouseDown(platform::kLeftButton, 0, cx, cy);
  const auto held = snapshot(std::string("held-") + GetParam().name);
  w.dispatchMouseMove(platform::kLeftButton, 0, 10, 10);
  const auto draggedOff = snapshot(std::string("off-") + GetParam().name);
  w.dispatchMouseUp(platform::kLeftButton, 0, 10, 10);

  EXPECT_GT(Differing(*rest, *lit, x + 2, top, bw - 4, height), bw * height / 2);
  // No channel of a lit pixel is darker than at rest.
  for (int px = x + 2; px < x + bw - 2; ++px) {
    const std::uint32_t before = rest->pixel(px, y + bh / 2), after = lit->pixel(px, y + bh / 2);
    for (int shift : {0, 8, 16}) {
      EXPECT_GE((after >> shift) & 0xFF, (before >> shift) & 0xFF) << px;
    }
  }
  EXPECT_GT(Differing(*held, *lit, x + 2, top, bw - 4, height), 0);
  EXPECT_EQ(Differing(*lit, *held, x + 2, top, bw - 4, height - 1, 1, 1), 0);
  EXPECT_EQ(Differing(*draggedOff, *rest, x - 4, outer - 4, bw + 8, outerHeight + 8), 0);
  EXPECT_EQ(run->closed, 0);  // released off the button: no click

  // The pointer leaves the window: the lit look goes with it.
  w.dispatchMouseMove(0, 0, cx, cy);
  w.dispatchMouseLeave();
  EXPECT_EQ(Differing(*snapshot("left"), *rest, 0, 0, rest->width(), rest->height()), 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, StartupButtonLookTest,
                         ::testing::Values(LookCase{"TextButton", false},
                                           LookCase{"PictureButton", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tw::test
