// Schemes: the reader of "Scheme.txt" (pictures, colour format, optional groups, damaged
// files) and what the start-up window takes from a scheme.
#include <gtest/gtest.h>

#include <optional>

#include "common/FieldReader.h"
#include "platform/Picture.h"
#include "platform/Units.h"
#include "project/Scheme.h"
#include "project/StartupSupport.h"

namespace tw::test {
namespace {

using platform::Colour;

SchemeDescription Read(const std::string& text) {
  FieldReader in(text);
  return ReadSchemeFields(in);
}

// --- the reader ------------------------------------------------------------------------------

struct ReaderCase {
  const char* name;
  const char* file;
  std::optional<std::int16_t> pictureCount;
  std::vector<std::string> pictures;
  std::optional<std::int16_t> colourFormat;
  std::optional<Colour> window, title, texts, buttons;
  std::optional<bool> titleShown;
  std::optional<std::int16_t> logoStyle;
  std::optional<bool> logoAlternate;
};

class SchemeReaderTest : public ::testing::TestWithParam<ReaderCase> {};

TEST_P(SchemeReaderTest, ReadsAsFarAsTheFileGoes) {
  const ReaderCase& c = GetParam();
  const SchemeDescription s = Read(c.file);
  EXPECT_TRUE(s.found);
  EXPECT_EQ(s.pictureCount, c.pictureCount);
  EXPECT_EQ(s.pictures, c.pictures);
  EXPECT_EQ(s.colourFormat, c.colourFormat);
  EXPECT_EQ(s.windowColour, c.window);
  EXPECT_EQ(s.titleColour, c.title);
  EXPECT_EQ(s.textColour, c.texts);
  EXPECT_EQ(s.buttonTextColour, c.buttons);
  EXPECT_EQ(s.titleShown, c.titleShown);
  EXPECT_EQ(s.logoStyle, c.logoStyle);
  EXPECT_EQ(s.logoAlternate, c.logoAlternate);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SchemeReaderTest,
    ::testing::Values(
        ReaderCase{"NoPicturesEndsTheScheme", "1,2,3\r\n0\r\n1\r\n255,0,0\r\n", 0, {}},
        ReaderCase{"ThreeButtonsAndColoursFormat1",
                   "a,b,c\r\n3\r\n\"s.bmp\"\r\n\"l.bmp\"\r\n\"e.bmp\"\r\n1\r\n255\r\n65280\r\n"
                   "16711680\r\n",
                   3,
                   {"s.bmp", "l.bmp", "e.bmp"},
                   1,
                   255,
                   65280,
                   16711680},
        ReaderCase{"Format4ReadsTheButtonColour",
                   "a,b,c,2,\"[None]\",\"[DEFAULT]\",4,1,2,3,4",
                   2,
                   {"", ""},
                   4,
                   1,
                   2,
                   3,
                   4},
        ReaderCase{"Format0StopsBeforeTheOptionalGroups",
                   "a,b,c,1,\"x.bmp\",0,0,0,0,1,0,1,#TRUE#",
                   1,
                   {"x.bmp"},
                   0},
        ReaderCase{"BothOptionalGroups",
                   "a,b,c,1,\"[none]\",1,10,20,30,x,y,z,1,w,1,#TRUE#",
                   1,
                   {""},
                   1,
                   10,
                   20,
                   30,
                   std::nullopt,
                   false,
                   1,
                   true},
        ReaderCase{"TitleGroupOnly",
                   "a,b,c,1,\"[none]\",3,10,20,30,x,y,z,0\r\n\r\n",
                   1,
                   {""},
                   3,
                   10,
                   20,
                   30,
                   std::nullopt,
                   true},
        ReaderCase{"EndsRightAfterTheColours",
                   "a,b,c,1,\"[none]\",2,10,20,30\r\n",
                   1,
                   {""},
                   2,
                   10,
                   20,
                   30},
        ReaderCase{
            "MissingNamesCountAsDefault", "a,b,c,4,\"one\",\"two\"", 4, {"one", "two", "", ""}},
        ReaderCase{"NamesBeyondTheFourSlotsKeepTheColoursInLine",
                   "a,b,c,6,p,q,r,s,t,u,1,7,8,9",
                   6,
                   {"p", "q", "r", "s"},
                   1,
                   7,
                   8,
                   9},
        ReaderCase{"DamagedColourKeepsWhatCameBefore", "a,b,c,1,p,1,5,red,9", 1, {"p"}, 1, 5},
        ReaderCase{"SystemColoursKeepTheirBits",
                   "a,b,c,1,p,1,-2147483633,0,0",
                   1,
                   {"p"},
                   1,
                   platform::kButtonFace,
                   0,
                   0},
        ReaderCase{"DamagedCountReadsNothing", "a,b,c,many,p", std::nullopt, {}},
        ReaderCase{"TooShortForACount", "a,b", std::nullopt, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SchemeFileTest, MissingFileIsNotFoundAndTheFolderIsBelowSchemes) {
  GameFolder game;
  platform::HeadlessPlatform platform;
  Player player(platform, game.path());
  player.folders.SchemesFolder = game.path() + "Schemes/";
  EXPECT_EQ(SchemeFolder(player, "Ocean"), game.path() + "Schemes/Ocean/");
  EXPECT_FALSE(ReadScheme(player, "Ocean").found);
  EXPECT_FALSE(ReadScheme(player, "").found);
  game.write("Schemes/ocean/SCHEME.TXT", "a,b,c,0");
  const SchemeDescription s = ReadScheme(player, "Ocean");
  EXPECT_TRUE(s.found);
  EXPECT_EQ(s.pictureCount, 0);
}

// --- the window dressed by a scheme ----------------------------------------------------------

constexpr Colour kRed = platform::ColourFromRgb(255, 0, 0);
constexpr Colour kBlue = platform::ColourFromRgb(0, 0, 255);
constexpr Colour kTileColour = platform::ColourFromRgb(10, 120, 30);

std::uint32_t Argb(Colour c) {
  const platform::Rgb rgb = platform::ToRgb(c);
  return 0xFF000000u | (rgb.r << 16) | (rgb.g << 8) | rgb.b;
}

class SchemeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { game.writeGeneral(GeneralFields({.author = "Ada", .scheme = "Ocean"})); }
  void writePicture(const std::string& relative, int w, int h, Colour colour) {
    const std::string path = game.file(relative);
    game.write(relative, "");  // makes the folders
    platform::Picture::solid(w, h, colour)->saveBmp(path);
  }
  void writeScheme(const std::string& text) { game.write("Schemes/Ocean/Scheme.txt", text); }
  StartupWindow& load() {
    run = std::make_unique<StartupRun>(game, settings);
    EXPECT_TRUE(run->startup.Form_Load());
    return run->startup;
  }

  GameFolder game;
  platform::MemorySettings settings;
  std::unique_ptr<StartupRun> run;
};

TEST_F(SchemeWindowTest, WithoutSchemeFileTheButtonsAreTexts) {
  StartupWindow& w = load();
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(w.Img[i].visible());
    EXPECT_TRUE(w.lblButton[i].visible());
    EXPECT_EQ(w.lblButton[i].caption(), run->player.messages[i + 1]);
  }
  EXPECT_TRUE(w.txtAdventureName.visible());
}

TEST_F(SchemeWindowTest, PicturesReplaceTheirButtonsAndNoneKeepsTheText) {
  writePicture("Schemes/Ocean/start.bmp", 120, 30, kRed);
  writePicture("Schemes/Ocean/exit.004", 100, 28, kBlue);  // found under its coded name
  writeScheme("x,x,x,3,\"START.BMP\",\"[None]\",\"exit.bmp\",0");
  StartupWindow& w = load();
  EXPECT_TRUE(w.Img[0].visible());
  EXPECT_EQ(w.Img[0].width(), platform::TwipsFromPixels(120));
  EXPECT_FALSE(w.lblButton[0].visible());
  EXPECT_FALSE(w.Img[1].visible());
  EXPECT_TRUE(w.lblButton[1].visible());
  EXPECT_TRUE(w.Img[2].visible());
  EXPECT_FALSE(w.lblButton[2].visible());
  // No background entry: nothing is tiled, the built-in background stays.
  EXPECT_NE(w.picBackground.image()->pixel(1, 1), Argb(kTileColour));

  run->clickOn(w.Img[0]);
  EXPECT_EQ(run->started, 1);
}

TEST_F(SchemeWindowTest, BackgroundPictureIsTiledOverTheWholeWindow) {
  writePicture("Schemes/Ocean/tile.bmp", 16, 16, kTileColour);
  writeScheme("x,x,x,4,[default],[default],[default],tile.bmp,0");
  StartupWindow& w = load();
  EXPECT_FALSE(w.Img[3].visible());
  const auto image = w.picBackground.image();
  EXPECT_EQ(image->width(), platform::PixelsFromTwips(w.window.scaleWidth()));
  EXPECT_EQ(image->pixel(0, 0), Argb(kTileColour));
  EXPECT_EQ(image->pixel(image->width() - 1, image->height() - 1), Argb(kTileColour));
}

TEST_F(SchemeWindowTest, ColourFormat1LeavesTheButtonTextColour) {
  writeScheme("x,x,x,1,[none],1,255,65280,16711680");
  StartupWindow& w = load();
  EXPECT_EQ(w.window.backColour(), kRed);
  EXPECT_EQ(w.picBackground.backColour(), kRed);
  EXPECT_EQ(w.txtAdventureName.foreColour(), platform::ColourFromRgb(0, 255, 0));
  for (const platform::Label* l : {&w.lblResolution, &w.txtVersion, &w.lblAuthor, &w.lblEmail,
                                   &w.lblHomepage, &w.txtAuthor, &w.txtEmail, &w.txtHomepage}) {
    EXPECT_EQ(l->foreColour(), kBlue) << l->name();
  }
  EXPECT_NE(w.lblButton[0].foreColour(), kBlue);
  EXPECT_EQ(w.picBackground.image()->pixel(1, 1), Argb(kRed));
}

TEST_F(SchemeWindowTest, ColourFormat4SetsTheButtonTexts) {
  writeScheme("x,x,x,1,[none],4,255,0,0,16711680");
  StartupWindow& w = load();
  for (const auto& label : w.lblButton) EXPECT_EQ(label.foreColour(), kBlue);
}

TEST_F(SchemeWindowTest, TitleFlagAndLogoSettings) {
  writeScheme("x,x,x,1,[none],1,0,0,0,a,b,c,1,d,1,#TRUE#");
  StartupWindow& w = load();
  EXPECT_FALSE(w.txtAdventureName.visible());
  EXPECT_EQ(run->player.settings.SchemeLogoStyle, 1);
  EXPECT_TRUE(run->player.settings.SchemeLogoAlternate);
  EXPECT_EQ(w.imgLogo.picture(), w.imgLogos[3]);
  EXPECT_EQ(w.imgLogo.top(), StartupWindow::kLogoTopAlternate);
}

TEST_F(SchemeWindowTest, FileEndingAfterTheColoursKeepsTitleAndLogoDefaults) {
  writeScheme("x,x,x,1,[none],1,0,0,0\r\n");
  StartupWindow& w = load();
  EXPECT_TRUE(w.txtAdventureName.visible());
  EXPECT_EQ(run->player.settings.SchemeLogoStyle, 0);
  EXPECT_FALSE(run->player.settings.SchemeLogoAlternate);
  EXPECT_EQ(w.imgLogo.picture(), w.imgLogos[0]);
  EXPECT_EQ(w.imgLogo.top(), StartupWindow::kLogoTop);
}

TEST_F(SchemeWindowTest, MissingPictureEndsTheSchemeButTheButtonsStayUsable) {
  writePicture("Schemes/Ocean/start.bmp", 120, 30, kRed);
  writeScheme("x,x,x,3,start.bmp,gone.bmp,[none],1,255,0,0");
  StartupWindow& w = load();
  EXPECT_TRUE(w.Img[0].visible());
  EXPECT_FALSE(w.Img[1].visible());
  for (const auto& label : w.lblButton) EXPECT_TRUE(label.visible());
  EXPECT_NE(w.window.backColour(), kRed);      // the colours were never reached
  EXPECT_TRUE(run->platform.boxes().empty());  // nothing is reported
}

TEST_F(SchemeWindowTest, NoPicturesKeepsThePlainLook) {
  writeScheme("x,x,x,0,1,255,0,0");
  StartupWindow& w = load();
  for (const auto& label : w.lblButton) EXPECT_TRUE(label.visible());
  EXPECT_NE(w.window.backColour(), kRed);
}

}  // namespace
}  // namespace tw::test
