// The start-up window: its rows and height, the display-mode offer and its text, the Load
// button's hiding, the "ChangeResolution" setting across runs, the links and the logo,
// the three buttons, Esc, dragging and a game that skips the window.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/Picture.h"

#include "project/ErrorBoxes.h"
#include "project/StartupLogo.h"
#include "project/StartupSupport.h"

namespace tw::test {
namespace {

using platform::CheckBox;
using platform::Label;
using platform::MsgAnswer;
using platform::MsgIcon;

class StartupWindowTest : public ::testing::Test {
 protected:
  StartupRun& load(const StartupGeneral& general, int screenWidth = 1024, int screenHeight = 768) {
    game.writeGeneral(GeneralFields(general));
    run = std::make_unique<StartupRun>(game, settings, screenWidth, screenHeight);
    EXPECT_TRUE(run->startup.Form_Load());
    return *run;
  }

  GameFolder game;
  platform::MemorySettings settings;
  std::unique_ptr<StartupRun> run;
};

// --- rows and height -------------------------------------------------------------------

struct RowsCase {
  const char* name;
  StartupGeneral general;
  int screenWidth, screenHeight;
  // Expected tops (-1 = hidden) of version, author, e-mail, web site, offer.
  int version, author, email, web, offer;
};

class StartupRowsTest : public StartupWindowTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(StartupRowsTest, RowsFollowEachOtherAndTheWindowFitsThem) {
  const RowsCase& c = GetParam();
  StartupRun& r = load(c.general, c.screenWidth, c.screenHeight);
  StartupWindow& w = r.startup;
  auto expectRow = [](const Label* caption, const Label& value, int top) {
    SCOPED_TRACE(value.name());
    EXPECT_EQ(value.visible(), top >= 0);
    if (caption) {
      EXPECT_EQ(caption->visible(), top >= 0);
    }
    if (top < 0) return;
    EXPECT_EQ(value.top(), top);
    if (caption) {
      EXPECT_EQ(caption->top(), top);
    }
  };
  expectRow(nullptr, w.txtVersion, c.version);
  expectRow(&w.lblAuthor, w.txtAuthor, c.author);
  expectRow(&w.lblEmail, w.txtEmail, c.email);
  expectRow(&w.lblHomepage, w.txtHomepage, c.web);
  expectRow(nullptr, w.lblResolution, c.offer);
  EXPECT_EQ(w.chkResolution.visible(), c.offer >= 0);
  if (c.offer >= 0) {
    EXPECT_EQ(w.chkResolution.top(), c.offer + 45);
  }

  int lastRow = 3000 - 255;
  for (int top : {c.version, c.author, c.email, c.web, c.offer}) lastRow = std::max(lastRow, top);
  const int border = w.window.height() - w.window.scaleHeight();
  EXPECT_EQ(w.window.height(), border + lastRow + 255 + 150);
  EXPECT_EQ(w.window.width(), 4800);
  // Centred on the screen with its final size.
  EXPECT_EQ(w.window.top(), c.screenHeight * 15 / 2 - w.window.height() / 2);
  EXPECT_EQ(w.window.left(), c.screenWidth * 15 / 2 - 2400);
  // The background covers the whole window.
  EXPECT_EQ(w.picBackground.height(), w.window.scaleHeight());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, StartupRowsTest,
    ::testing::Values(
        RowsCase{"AuthorOnly", {.author = "Ada"}, 640, 480, -1, 3000, -1, -1, -1},
        RowsCase{"EverythingAndTheOffer",
                 {.version = "1.2", .author = "Ada", .email = "a@b.org", .web = "http://x/"},
                 1024,
                 768,
                 3000,
                 3255,
                 3510,
                 3765,
                 4020},
        RowsCase{"EmptyValuesTakeNoRow", {.email = "a@b.org"}, 1024, 768, -1, -1, 3000, -1, 3255},
        RowsCase{"NothingToShow", {}, 640, 480, -1, -1, -1, -1, -1},
        RowsCase{"OfferOnlyInMode1",
                 {.author = "Ada", .resolutionChangeMode = 2},
                 1024,
                 768,
                 -1,
                 3000,
                 -1,
                 -1,
                 -1},
        RowsCase{"NoOfferAtTheGamesSize",
                 {.version = "2", .gameResolution = 1},
                 800,
                 600,
                 3000,
                 -1,
                 -1,
                 -1,
                 -1},
        RowsCase{"OfferForAnotherSize",
                 {.version = "2", .gameResolution = 2},
                 800,
                 600,
                 3000,
                 -1,
                 -1,
                 -1,
                 3255}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupWindowTest, TextsComeFromTheSettingsAndTheMessageTable) {
  StartupRun& r = load({.version = "1.2", .author = "Ada", .email = "a@b.org", .web = "http://x/"});
  StartupWindow& w = r.startup;
  EXPECT_EQ(w.txtAdventureName.caption(), "The Lighthouse");
  EXPECT_EQ(w.txtVersion.caption(), "1.2");
  EXPECT_EQ(w.lblAuthor.caption(), "Created By:");
  EXPECT_EQ(w.txtAuthor.caption(), "Ada");
  EXPECT_EQ(w.lblEmail.caption(), "E-mail:");
  EXPECT_EQ(w.lblHomepage.caption(), "Web site:");
  EXPECT_EQ(w.lblButton[0].caption(), "Start");
  EXPECT_EQ(w.lblButton[1].caption(), "  Load...");
  EXPECT_EQ(w.lblButton[2].caption(), "Exit");
  // Values stand right of their captions, never over them.
  EXPECT_GT(w.txtAuthor.left(), w.lblAuthor.left() + w.lblAuthor.width());
  EXPECT_TRUE(r.shown());
  EXPECT_TRUE(w.window.topMost());
  EXPECT_FALSE(w.window.windowed());
  EXPECT_TRUE(r.platform.boxes().empty());
}

// --- the offer's text --------------------------------------------------------------------

struct OfferTextCase {
  const char* entry7;
  std::int16_t resolution;
  const char* expected;
};

class ResolutionOfferTextTest : public ::testing::TestWithParam<OfferTextCase> {};

TEST_P(ResolutionOfferTextTest, EndsInTheGamesSize) {
  EXPECT_EQ(ResolutionOfferText(GetParam().entry7, GetParam().resolution), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entry7, ResolutionOfferTextTest,
    ::testing::Values(OfferTextCase{"Change display resolution to", 1,
                                    "Change display resolution to 800x600."},
                      OfferTextCase{"Switch to 640 x 480.", 2, "Switch to 1024x768."},
                      OfferTextCase{"Switch to 640X480", 0, "Switch to 640x480."},
                      OfferTextCase{"Switch to 640*480.", 1, "Switch to 800x600."},
                      OfferTextCase{"Use 640 X 480.", 0, "Use 640x480."},
                      // Only one full stop goes, and blanks are trimmed after the size tests.
                      OfferTextCase{"Mode 640 * 480  ", 1, "Mode 640 * 480 800x600."},
                      OfferTextCase{"Mode 640x480..", 1, "Mode 640x480. 800x600."},
                      // The two forms are taken off one after the other.
                      OfferTextCase{"Go 640 x 480640x480.", 2, "Go 1024x768."},
                      OfferTextCase{"Resolution 640x480", 7, "Resolution"},
                      OfferTextCase{"", 0, " 640x480."}));

TEST_F(StartupWindowTest, OfferTextOfTheWindowNamesTheGamesResolution) {
  game.writeLines("Config/Texts", {"2", "0", "0", "0", "0", "0", "7", "\"a\"", "\"b\"", "\"c\"",
                                   "\"d\"", "\"e\"", "\"f\"", "\"Switch to 640 x 480.\""});
  StartupRun& r = load({.gameResolution = 2});
  EXPECT_EQ(r.startup.lblResolution.caption(), "Switch to 1024x768.");
}

// --- the Load button ---------------------------------------------------------------------

TEST_F(StartupWindowTest, LoadButtonShownByDefault) {
  StartupRun& r = load({});
  EXPECT_TRUE(r.startup.lblButton[1].visible());
  EXPECT_EQ(r.startup.lblButton[1].top(), 1560);
  EXPECT_EQ(r.startup.lblButton[2].top(), 2040);
}

TEST_F(StartupWindowTest, DisableLoadGameHidesLoadAndRaisesExit) {
  StartupRun& r = load({.disableLoadGame = true});
  EXPECT_TRUE(r.startup.lblButton[0].visible());
  EXPECT_FALSE(r.startup.lblButton[1].visible());
  EXPECT_FALSE(r.startup.Img[1].visible());
  EXPECT_TRUE(r.startup.lblButton[2].visible());
  EXPECT_EQ(r.startup.lblButton[2].top(), 1560);
}

TEST_F(StartupWindowTest, EmptyLoadCaptionHidesLoadAndRaisesExit) {
  game.writeLines("Config/Texts", {"2", "0", "0", "0", "0", "0", "2", "\"Begin\"", "\"\""});
  StartupRun& r = load({});
  EXPECT_EQ(r.startup.lblButton[0].caption(), "Begin");
  EXPECT_FALSE(r.startup.lblButton[1].visible());
  EXPECT_EQ(r.startup.lblButton[2].top(), 1560);
}

// --- the "ChangeResolution" setting ---------------------------------------------------------

TEST_F(StartupWindowTest, ClearedBoxStaysClearOnTheNextRun) {
  StartupRun& first = load({});
  EXPECT_EQ(first.startup.chkResolution.value(), CheckBox::Checked);  // default "1"
  first.clickOn(first.startup.lblResolution);
  EXPECT_EQ(first.startup.chkResolution.value(), CheckBox::Unchecked);
  EXPECT_EQ(settings.get("GAME-ID-1", "ChangeResolution", "?"), "0");

  StartupRun second(game, settings);
  ASSERT_TRUE(second.startup.Form_Load());
  EXPECT_EQ(second.startup.chkResolution.value(), CheckBox::Unchecked);
  second.clickOn(second.startup.lblResolution);
  EXPECT_EQ(settings.get("GAME-ID-1", "ChangeResolution", "?"), "1");
}

TEST_F(StartupWindowTest, ClickOnTheBoxItselfIsKeptToo) {
  StartupRun& r = load({});
  r.clickOn(r.startup.chkResolution);
  EXPECT_EQ(r.startup.chkResolution.value(), CheckBox::Unchecked);
  EXPECT_EQ(settings.get("GAME-ID-1", "ChangeResolution", "?"), "0");
}

TEST_F(StartupWindowTest, WithoutProjectIdNothingIsStoredOrRead) {
  settings.save("", "ChangeResolution", "0");
  StartupRun& r = load({.projectId = ""});
  EXPECT_EQ(r.startup.chkResolution.value(), CheckBox::Checked);
  r.startup.lblResolution_Click();
  EXPECT_EQ(r.startup.chkResolution.value(), CheckBox::Unchecked);
  EXPECT_EQ(settings.size(), 1u);
}

// --- links and logo ---------------------------------------------------------------------------

TEST_F(StartupWindowTest, EmailQuestionYesOpensAMailtoAddress) {
  StartupRun& r = load({.email = "ada@example.org"});
  r.platform.queueAnswer(MsgAnswer::Yes);
  r.clickOn(r.startup.txtEmail);
  ASSERT_EQ(r.platform.boxes().size(), 1u);
  const auto& box = r.platform.boxes()[0];
  EXPECT_EQ(box.title, "The Lighthouse");
  EXPECT_EQ(box.text, r.player.messages[13] + " ada@example.org ?");
  EXPECT_EQ(box.icon, MsgIcon::Question);
  EXPECT_EQ(r.platform.openedTargets(), std::vector<std::string>{"mailto:ada@example.org"});
  EXPECT_FALSE(r.startup.window.topMost());
}

TEST_F(StartupWindowTest, WebQuestionNoOpensNothingAndStaysOnTop) {
  StartupRun& r = load({.web = "http://example.org/"});
  r.platform.queueAnswer(MsgAnswer::No);
  r.clickOn(r.startup.txtHomepage);
  ASSERT_EQ(r.platform.boxes().size(), 1u);
  EXPECT_EQ(r.platform.boxes()[0].text,
            "Do you want to visit http://example.org/ ? " + r.player.messages[15]);
  EXPECT_TRUE(r.platform.openedTargets().empty());
  EXPECT_TRUE(r.startup.window.topMost());

  r.platform.queueAnswer(MsgAnswer::Yes);
  r.platform.setShellOpenResult(false);  // a failing shell changes nothing
  r.startup.txtHomepage_Click();
  EXPECT_EQ(r.platform.openedTargets(), std::vector<std::string>{"http://example.org/"});
  EXPECT_EQ(r.platform.boxes().size(), 2u);
}

TEST_F(StartupWindowTest, LogoAsksUnderThePlayersNameAndOpensItsHomePage) {
  StartupRun& r = load({});
  ASSERT_TRUE(r.startup.imgLogo.visible());
  r.platform.queueAnswer(MsgAnswer::Yes);
  r.clickOn(r.startup.imgLogo);
  ASSERT_EQ(r.platform.boxes().size(), 1u);
  EXPECT_EQ(r.platform.boxes()[0].title, "Talewick");
  EXPECT_EQ(r.platform.boxes()[0].icon, MsgIcon::Information);
  EXPECT_NE(r.platform.boxes()[0].text.find(StartupWindow::kHomePage), std::string::npos);
  EXPECT_EQ(r.platform.openedTargets(), std::vector<std::string>{StartupWindow::kHomePage});
}

TEST_F(StartupWindowTest, LogoIsInsideTheWindowInFrontAndHiddenOnRequest) {
  StartupRun& r = load({});
  const platform::Image& logo = r.startup.imgLogo;
  EXPECT_EQ(logo.picture(), r.startup.imgLogos[0]);
  EXPECT_EQ(logo.top(), StartupWindow::kLogoTop);
  EXPECT_GE(logo.left(), 0);
  EXPECT_LE(logo.left() + logo.width(), r.startup.window.scaleWidth());
  EXPECT_LE(logo.top() + logo.height(), r.startup.window.scaleHeight());
  EXPECT_EQ(r.startup.picBackground.children().back(), &logo);  // in front of pictures and texts

  StartupRun hidden(game, settings);
  game.writeGeneral(GeneralFields({.hideToolLogo = true}));
  ASSERT_TRUE(hidden.startup.Form_Load());
  EXPECT_FALSE(hidden.startup.imgLogo.visible());
}

TEST(StartupLogoTest, FourDistinctVariantsChosenByStyleAndAlternate) {
  const auto logos = DrawLogoVariants();
  for (const auto& logo : logos) {
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->width(), kLogoWidth);
    EXPECT_EQ(logo->height(), kLogoHeight);
  }
  // The emblems differ between the styles, the inks between normal and alternate.
  auto differs = [](const platform::Picture& a, const platform::Picture& b) {
    for (int y = 0; y < kLogoHeight; ++y) {
      for (int x = 0; x < 30; ++x) {
        if (a.pixel(x, y) != b.pixel(x, y)) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(differs(*logos[0], *logos[1]));
  EXPECT_TRUE(differs(*logos[0], *logos[2]));
  EXPECT_TRUE(differs(*logos[1], *logos[3]));
  EXPECT_EQ(LogoVariant(0, false), 0);
  EXPECT_EQ(LogoVariant(1, false), 1);
  EXPECT_EQ(LogoVariant(0, true), 2);
  EXPECT_EQ(LogoVariant(1, true), 3);
  EXPECT_EQ(LogoVariant(5, true), 2);
}

// --- buttons, keys, dragging ------------------------------------------------------------------

TEST_F(StartupWindowTest, StartWithTheBoxTickedSwitchesWaitsAndRecentresFirst) {
  StartupRun& r = load({.resolutionChangeMode = 1, .gameResolution = 0}, 800, 600);
  ASSERT_TRUE(r.startup.chkResolution.visible());
  const std::int64_t before = r.platform.clockMs();
  r.clickOn(r.startup.lblButton[0]);
  EXPECT_EQ(r.platform.displayChanges(), 1);
  EXPECT_EQ(r.platform.screenSize().width, 640);
  EXPECT_EQ(r.platform.screenSize().height, 480);
  EXPECT_EQ(r.recentred, 1);
  EXPECT_GE(r.recentredAtMs - before, 1000);
  EXPECT_EQ(r.started, 1);
  EXPECT_GE(r.startedAtMs, r.recentredAtMs);
  EXPECT_FALSE(r.startup.window.visible());
}

TEST_F(StartupWindowTest, StartWithTheBoxClearLeavesTheDisplay) {
  StartupRun& r = load({}, 800, 600);
  r.startup.lblResolution_Click();
  r.startup.ClickButton(0);
  EXPECT_EQ(r.platform.displayChanges(), 0);
  EXPECT_EQ(r.recentred, 0);
  EXPECT_EQ(r.started, 1);
  EXPECT_FALSE(r.startup.window.visible());

  r.startup.Show();  // the main window closed
  EXPECT_TRUE(r.shown());
  EXPECT_TRUE(r.startup.window.topMost());
}

TEST_F(StartupWindowTest, StartWithoutAnOfferLeavesTheDisplay) {
  StartupRun& r = load({.resolutionChangeMode = 0}, 800, 600);
  EXPECT_EQ(r.startup.chkResolution.value(), CheckBox::Checked);
  r.startup.ClickButton(0);
  EXPECT_EQ(r.platform.displayChanges(), 0);
  EXPECT_EQ(r.started, 1);
}

TEST_F(StartupWindowTest, FailedStartShowsTheBoxAndTheWindowAgain) {
  StartupRun& r = load({});
  r.startup.startGame = [] { throw std::runtime_error("no window"); };
  r.startup.ClickButton(0);
  ASSERT_EQ(r.platform.boxes().size(), 1u);
  EXPECT_EQ(r.platform.boxes()[0].text,
            StandardErrorText(r.player,
                              " Error loading the main program window. Try restarting the "
                              "program."));
  EXPECT_TRUE(r.shown());
  EXPECT_EQ(r.closed, 0);
}

TEST_F(StartupWindowTest, LoadButtonOpensTheLoadWindowNotOnTop) {
  StartupRun& r = load({});
  r.clickOn(r.startup.lblButton[1]);
  EXPECT_EQ(r.loadWindows, 1);
  EXPECT_FALSE(r.topMostDuringLoad);
  EXPECT_TRUE(r.startup.window.topMost());
  EXPECT_EQ(r.started, 0);
}

TEST_F(StartupWindowTest, ExitAndEscapeCloseTheProgramOnce) {
  StartupRun& r = load({});
  r.clickOn(r.startup.lblButton[2]);
  EXPECT_EQ(r.closed, 1);
  EXPECT_FALSE(r.startup.window.visible());

  StartupRun esc(game, settings);
  ASSERT_TRUE(esc.startup.Form_Load());
  esc.startup.window.dispatchKeyDown(13, 0);
  EXPECT_EQ(esc.closed, 0);
  esc.startup.window.dispatchKeyDown(27, 0);
  esc.startup.window.requestClose();
  EXPECT_EQ(esc.closed, 1);
}

// Keys: Tab, Shift+Tab and the arrows move the focus round the shown buttons (from Start),
// Enter and Space press the focused one, Esc is Exit.
struct KeysCase {
  const char* name;
  bool disableLoadGame;
  std::vector<std::pair<int, int>> keys;  // (key code, shift)
  int started, loadWindows, closed;
};

class StartupKeysTest : public StartupWindowTest, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(StartupKeysTest, FocusMovesAndTheFocusedButtonIsPressed) {
  const KeysCase& c = GetParam();
  StartupRun& r = load({.disableLoadGame = c.disableLoadGame});
  for (const auto& [key, shift] : c.keys) r.startup.window.dispatchKeyDown(key, shift);
  EXPECT_EQ(r.started, c.started);
  EXPECT_EQ(r.loadWindows, c.loadWindows);
  EXPECT_EQ(r.closed, c.closed);
}

constexpr int kTab = 9, kEnter = 13, kEsc = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39,
              kDown = 40;

INSTANTIATE_TEST_SUITE_P(
    Keys, StartupKeysTest,
    ::testing::Values(
        KeysCase{"EnterPressesStart", false, {{kEnter, 0}}, 1, 0, 0},
        KeysCase{"TabThenEnterOpensLoad", false, {{kTab, 0}, {kEnter, 0}}, 0, 1, 0},
        KeysCase{"TwoTabsThenSpaceExits", false, {{kTab, 0}, {kTab, 0}, {kSpace, 0}}, 0, 0, 1},
        KeysCase{"ShiftTabGoesRoundToExit", false, {{kTab, 1}, {kEnter, 0}}, 0, 0, 1},
        KeysCase{"ThreeTabsComeBackToStart",
                 false,
                 {{kTab, 0}, {kTab, 0}, {kTab, 0}, {kEnter, 0}},
                 1,
                 0,
                 0},
        KeysCase{
            "ArrowsMoveToo",
            false,
            {{kDown, 0}, {kDown, 0}, {kUp, 0}, {kRight, 0}, {kLeft, 0}, {kLeft, 0}, {kSpace, 0}},
            1,
            0,
            0},
        KeysCase{"HiddenLoadIsSkipped", true, {{kTab, 0}, {kEnter, 0}}, 0, 0, 1},
        KeysCase{"EscapeIsExit", false, {{kEsc, 0}}, 0, 0, 1},
        KeysCase{"AltEnterPressesNothing", false, {{kEnter, 4}}, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A click gives its button the focus, as on any button: Enter afterwards presses it again.
TEST_F(StartupWindowTest, AClickedButtonKeepsTheFocus) {
  StartupRun& r = load({});
  r.clickOn(r.startup.lblButton[1]);
  r.startup.window.dispatchKeyDown(kEnter, 0);
  EXPECT_EQ(r.loadWindows, 2);
  EXPECT_EQ(r.started, 0);
}

TEST_F(StartupWindowTest, DraggingTheBackgroundOrTheTitleMovesTheWindow) {
  StartupRun& r = load({.author = "Ada"});
  platform::Window& w = r.startup.window;
  const int left = w.left();
  const int top = w.top();
  // Background, between the buttons and the rows.
  w.dispatchMouseDown(platform::kLeftButton, 0, 300, 2700);
  w.dispatchMouseMove(platform::kLeftButton, 0, 600, 2850);
  EXPECT_EQ(w.left(), left + 300);
  EXPECT_EQ(w.top(), top + 150);
  w.dispatchMouseUp(platform::kLeftButton, 0, 600, 2850);
  w.dispatchMouseMove(0, 0, 900, 2900);  // no button held: no drag
  EXPECT_EQ(w.left(), left + 300);

  int x = 0;
  int y = 0;
  r.startup.txtAdventureName.positionInWindow(x, y);
  w.dispatchMouseDown(platform::kLeftButton, 0, x + 30, y + 30);
  w.dispatchMouseMove(platform::kLeftButton, 0, x + 15, y + 90);
  EXPECT_EQ(w.left(), left + 285);
  EXPECT_EQ(w.top(), top + 210);

  // The right button drags nothing.
  w.dispatchMouseDown(platform::kRightButton, 0, 300, 2700);
  w.dispatchMouseMove(platform::kRightButton | platform::kLeftButton, 0, 900, 2900);
  EXPECT_EQ(w.left(), left + 285);
}

// --- load that ends the program, games that skip the window ---------------------------------

TEST_F(StartupWindowTest, RefusedMissingGeneralEndsBeforeTheWindowShows) {
  StartupRun r(game, settings);
  r.platform.queueAnswer(MsgAnswer::Cancel);
  EXPECT_FALSE(r.startup.Form_Load());
  EXPECT_FALSE(r.shown());
  EXPECT_EQ(r.started, 0);
}

TEST_F(StartupWindowTest, SkipStartupWindowStartsAtOnceWithoutTheOffer) {
  game.writeGeneral(GeneralFields({.gameResolution = 0, .skipStartupWindow = true}));
  StartupRun r(game, settings, 800, 600);
  ASSERT_TRUE(r.startup.Form_Load());
  EXPECT_EQ(r.started, 1);
  EXPECT_EQ(r.platform.displayChanges(), 0);
  EXPECT_FALSE(r.shown());
  EXPECT_TRUE(r.platform.shownWindows().empty());
}

TEST_F(StartupWindowTest, SkippedWindowEndsTheProgramWhenTheGameCannotStart) {
  game.writeGeneral(GeneralFields({.skipStartupWindow = true}));
  StartupRun r(game, settings);
  r.startup.startGame = [] { throw std::runtime_error("no window"); };
  ASSERT_TRUE(r.startup.Form_Load());
  EXPECT_EQ(r.platform.boxes().size(), 1u);
  EXPECT_EQ(r.closed, 1);
  EXPECT_FALSE(r.shown());
}

}  // namespace
}  // namespace tw::test
