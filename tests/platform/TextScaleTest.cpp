// The text size a game starts with: the one remembered for it, else the desktop's font scale.
#include <gtest/gtest.h>

#include <string>

#include "platform/TextScale.h"

namespace tw::platform {
namespace {

TEST(TextScaleTest, TheRememberedSizeElseTheDesktopsFontScale) {
  struct Case {
    const char* remembered;
    double pixelRatio;
    double dpi;
    int expected;
  };
  const Case cases[] = {
      {"", 1.0, 96, 100},     // an ordinary desktop
      {"", 1.0, 120, 100},    // 125 %: no step that small, never larger than asked
      {"", 1.0, 143.9, 150},  // dpi rounded below 144
      {"", 1.0, 144, 150},    {"", 1.0, 191, 150},
      {"", 1.0, 192, 200},    {"", 1.0, 288, 200},  // 300 %: the largest step
      {"", 1.0, 72, 100},                           // below 96: never smaller than 100
      {"", 2.0, 96, 100},                           // Qt draws everything twice as large already
      {"", 1.5, 144, 150},                          // only the dpi part counts
      {"200", 1.0, 96, 200},                        // the player's choice wins
      {"100", 1.0, 192, 100}, {"150", 2.0, 96, 150},
      {"175", 1.0, 192, 200},  // not a size of the menu: the default
      {"abc", 1.0, 96, 100},  {" 150", 1.0, 96, 100},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChosenTextScale(c.remembered, DefaultTextScale(c.pixelRatio, c.dpi)), c.expected)
        << "remembered '" << c.remembered << "', ratio " << c.pixelRatio << ", dpi " << c.dpi;
  }
}

}  // namespace
}  // namespace tw::platform
