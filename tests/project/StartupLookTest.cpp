// What the start-up window looks like when painted: the built-in look and a coloured
// scheme. Set TW_STARTUP_PNG to a folder to keep the pictures for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/Units.h"
#include "project/StartupSupport.h"

namespace tw::test {
namespace {

class StartupLookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { gui_ = std::make_unique<platform::GuiForPainting>(); }
  static void TearDownTestSuite() { gui_.reset(); }

  std::shared_ptr<const platform::Picture> paint(const std::string& name) {
    game.writeGeneral(GeneralFields({.version = "Version 1.2",
                                     .author = "Ada Author",
                                     .email = "ada@example.org",
                                     .web = "https://example.org/lighthouse",
                                     .scheme = "Ocean",
                                     .gameResolution = 1}));
    run = std::make_unique<StartupRun>(game, settings);
    EXPECT_TRUE(run->startup.Form_Load());
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

}  // namespace
}  // namespace tw::test
