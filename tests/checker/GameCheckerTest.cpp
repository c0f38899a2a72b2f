// The checker on a small game that is sound, and on copies of it each holding one planted
// fault: the sound game gives no finding, and each fault gives exactly the finding that
// names its file, field and problem (so a check that misses a fault, and one that reports
// something sound, both fail here).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "checker/GameChecker.h"
#include "support/GameBuilder.h"
#include "support/GameFolder.h"
#include "support/GifWriter.h"
#include "support/SoundFiles.h"

namespace tw::checker {
namespace {

using test::ActionSpec;
using test::FrameSpec;
using test::GameFolder;
using test::HotspotSpec;
using test::Quoted;

std::string Gif() {
  return test::GifBytes(4, 4, {{0x336699, 10}});
}

std::string Listed(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) text += FindingLine(f) + "\n";
  return text;
}

// The pieces of the sound game that the cases change.
struct Sound {
  FrameSpec start{.backgroundType = 1,
                  .background = "Start.GIF",  // on disk "start.006": coded extension, other case
                  .music = "sea.wav",
                  .timerOn = true,
                  .timerDelay = "5",
                  .timerTarget = "hall",  // frame names are found without regard to case
                  .runScript = true,
                  // an empty request is no frame change, not a missing frame
                  .script =
                      "Gold = Gold + 1 : Name = |x| : Helper : sFrameToLoad = || : "
                      "If Door = 1 Then Action.GoToFrame |Hall|, 0, 0"};
  HotspotSpec hotspot{.hasPicture = true, .picture = "h.gif", .mustBeOne = {"Door"}};
  ActionSpec action{.variable = "Gold",
                    .setOne = true,
                    .goTo = "Hall",
                    .listOne = {"Door"},
                    .runScript = true,
                    .script = "AddItem |Lamp|, False",
                    .giveItem = "Key"};
  std::vector<std::string> frameFields() const { return test::FrameFields(start); }
};

void WriteGame(const GameFolder& game, const Sound& s) {
  std::vector<std::string> general = test::FullGeneralFields();
  general[4] = Quoted("Start");
  general[15] = Quoted("");  // no scheme
  general[31] = "#FALSE#";   // the player's own inventory pictures
  general[37] = Quoted("DEFAULT");
  game.writeGeneral(general);
  game.writeLines("Config/Variables",
                  {"1", Quoted("Gold"), Quoted("Door"), Quoted("***"), Quoted("Name")});
  game.writeLines("Config/Procedures",
                  {"' header", "' header", "'", "Sub Helper()", "  Gold = 2", "End Sub"});
  game.writeLines("Config/Resume", {"0", "0", "0", "0", "0", "0", Quoted("Hall"), Quoted("Start")});

  game.writeLines("Frames/Start.fme", s.frameFields());
  game.writeLines("Frames/Start.lks", {"2"});
  game.write("Frames/start.006", Gif());
  test::WriteFrame(game, "Hall", {});
  game.write("Areas/sea.wav", test::SineWav(0.1, 440, 0.5));

  test::WriteHotspot(game, "Start", 1, s.hotspot);
  game.write("Areas/h.gif", Gif());
  test::WriteAction(game, "Start", 1, s.action);
  test::WriteHotspot(game, "Start", 2, {});
  game.writeLines("Areas/Start/2c.dat", {"1", Quoted("Key")});
  test::WriteText(game, "Start", "1.lbl", {.caption = "Hello"});

  game.writeLines("Areas/Key.obj", {Quoted("key.gif")});
  game.writeLines("Areas/Lamp.obj", {Quoted("KEY.GIF")});
  game.write("Areas/key.gif", Gif());
  game.writeLines("Areas/Key_on_Lamp.drg", {"1", "1", "1", Quoted("Key")});
}

TEST(GameCheckerTest, TheSoundGameHasNoFinding) {
  GameFolder game;
  WriteGame(game, Sound{});
  const CheckResult result = CheckGame(game.path());
  EXPECT_TRUE(result.notAGame.empty());
  EXPECT_TRUE(result.findings.empty()) << Listed(result.findings);
}

struct Planted {
  const char* name;
  std::function<void(Sound&)> change;            // before the game is written
  std::function<void(const GameFolder&)> after;  // after
  const char* file;
  const char* field;    // part of the field text
  const char* problem;  // part of the problem text
};

void PrintTo(const Planted& p, std::ostream* os) {
  *os << p.name;
}

const std::vector<Planted>& Cases() {
  static const std::vector<Planted> cases = {
      {"HotspotNamesAMissingFrame", [](Sound& s) { s.action.goTo = "Cellar"; }, nullptr,
       "Areas/Start/1b.dat", "field 13", "frame \"Cellar\" does not exist"},
      {"TimerNamesAMissingFrame", [](Sound& s) { s.start.timerTarget = "Attic"; }, nullptr,
       "Frames/Start.fme", "field 8", "frame \"Attic\" does not exist"},
      {"ScriptNamesAMissingFrame",
       [](Sound& s) { s.start.script = "Action.GoToFrame |Vault|, 0, 0"; }, nullptr,
       "Frames/Start.fme", "field 28 (entry script), line 1", "frame \"Vault\" does not exist"},
      {"ScriptSetsAMissingFrame", [](Sound& s) { s.action.script = "sFrameToLoad = |Crypt|"; },
       nullptr, "Areas/Start/1b.dat", "field 45 (script), line 1", "frame \"Crypt\""},
      {"ResumeNamesAMissingFrame", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Config/Resume",
                      {"0", "0", "0", "0", "0", "0", Quoted("Hall"), Quoted("Gone")});
       },
       "Config/Resume", "field 8", "frame \"Gone\" does not exist"},
      {"MissingBackground", nullptr, [](const GameFolder& g) { g.remove("Frames/start.006"); },
       "Frames/Start.fme", "field 2", "picture \"Frames/Start.GIF\" does not exist"},
      {"UnreadablePicture", nullptr,
       [](const GameFolder& g) { g.write("Areas/h.gif", "not a picture"); }, "Areas/Start/1a.dat",
       "field 7", "cannot be read as a picture"},
      {"MissingMusic", nullptr, [](const GameFolder& g) { g.remove("Areas/sea.wav"); },
       "Frames/Start.fme", "field 5", "sound \"Areas/sea.wav\" does not exist"},
      {"UnreadableSound", nullptr,
       [](const GameFolder& g) { g.write("Areas/sea.wav", "RIFF...."); }, "Frames/Start.fme",
       "field 5", "cannot be decoded as a sound"},
      {"MissingVideo", nullptr,
       [](const GameFolder& g) {
         std::vector<std::string> fields = Sound{}.frameFields();
         fields[8] = Quoted("intro.avi");
         g.writeLines("Frames/Start.fme", fields);
       },
       "Frames/Start.fme", "field 9", "video \"Frames/intro.avi\" does not exist"},
      {"MissingPointer", [](Sound& s) { s.hotspot.pointer = "hand.cur"; }, nullptr,
       "Areas/Start/1a.dat", "field 9", "pointer \"Icons/hand.cur\" does not exist"},
      {"MissingItemIcon", nullptr,
       [](const GameFolder& g) { g.writeLines("Areas/Key.obj", {Quoted("gone.gif")}); },
       "Areas/Key.obj", "field 1", "picture \"Areas/gone.gif\" does not exist"},
      {"MissingItemFile", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Areas/Start/2c.dat", {"1", Quoted("Sword")});
       },
       "Areas/Start/2c.dat", "field 2", "item \"Sword\" does not exist"},
      {"ScriptGivesAMissingItem", [](Sound& s) { s.action.script = "Action.AddItem |Rope|, True"; },
       nullptr, "Areas/Start/1b.dat", "line 1", "item \"Rope\" does not exist"},
      {"ScriptTakesAMissingItem",
       [](Sound& s) {
         s.action.script = "If Gold > 1 Then\r\n  RemoveItem |Lamb|, False\r\nEnd If";
       },
       nullptr, "Areas/Start/1b.dat", "field 45 (script), line 2", "item \"Lamb\" does not exist"},
      {"CombinationOfAMissingItem", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Areas/Key_on_Ghost.drg", {"0", "0", "0", Quoted("")});
       },
       "Areas/Key_on_Ghost.drg", "", "item \"Ghost\" named by the file name does not exist"},
      {"ShortActionRecord", [](Sound& s) { s.action.fieldCount = 12; }, nullptr,
       "Areas/Start/1b.dat", "", "ends before field 13 (frame to go to)"},
      {"ShortGeometry", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Areas/Start/2a.dat", {"0", "0", "1500", "1500", "0"});
       },
       "Areas/Start/2a.dat", "", "ends before field 6"},
      {"ShortGeneral", nullptr,
       [](const GameFolder& g) {
         std::vector<std::string> general = test::FullGeneralFields();
         general.resize(7);
         general[4] = Quoted("Start");
         g.writeGeneral(general);
       },
       "Config/General", "", "ends before field 8 (game height)"},
      {"ShortFrameFile", [](Sound& s) { s.start.fieldCount = 12; }, nullptr, "Frames/Start.fme", "",
       "ends after field 12: the file is too short (it needs at least 13 fields)"},
      {"FieldOfTheWrongForm", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Areas/Start/2a.dat",
                      {"0", "left?", "1500", "1500", "0", "0", "\"\"", "0", "\"\"", "0", "0", "0"});
       },
       "Areas/Start/2a.dat", "field 2 (top)", "Type mismatch"},
      {"MissingHotspotFile", nullptr,
       [](const GameFolder& g) { g.writeLines("Frames/Start.lks", {"3"}); }, "Areas/Start/3a.dat",
       "", "does not exist: hotspot 3 of frame \"Start\""},
      {"ScriptDoesNotCompile", [](Sound& s) { s.start.script = "Gold = 1\r\nIf Then"; }, nullptr,
       "Frames/Start.fme", "field 28 (entry script), line 2", "does not compile"},
      {"ProceduresDoNotCompile", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Config/Procedures",
                      {"'", "'", "'", "Sub Helper()", "  Gold = (2", "End Sub"});
       },
       "Config/Procedures", "line 5", "does not compile"},
      {"ScriptNamesAnUndeclaredVariable", [](Sound& s) { s.start.script = "Glod = Glod + 1"; },
       nullptr, "Frames/Start.fme", "line 1", "\"Glod\" is not declared"},
      {"ListNamesAnUndeclaredVariable", [](Sound& s) { s.action.listOne = {"Dor"}; }, nullptr,
       "Areas/Start/1b.dat", "field 40", "variable \"Dor\" is not declared"},
      {"ConditionDiffersInCase", [](Sound& s) { s.hotspot.mustBeOne = {"door"}; }, nullptr,
       "Areas/Start/1a.dat", "field 12", "declared as \"Door\""},
      {"ListNamesAVariantVariable", [](Sound& s) { s.action.variable = "Name"; }, nullptr,
       "Areas/Start/1b.dat", "field 2", "variant variable"},
      {"WaterWithoutMask", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Frames/Start.rwe",
                      {"0", "0", "0", "0", "0", "0", "0", "0", "10", "10", "1", "1"});
       },
       "Frames/Start.rwe", "", "the mask (.rwm) is missing"},
      {"ChannelNamesAMissingSound", nullptr,
       [](const GameFolder& g) {
         std::vector<std::string> fields(22, "0");
         for (int channel = 1; channel <= 5; ++channel) {
           const bool plays = channel == 2;
           fields.insert(fields.end(), {"0", "#FALSE#", plays ? "#TRUE#" : "#FALSE#",
                                        Quoted(plays ? "gone.wav" : ""), "0"});
         }
         g.writeLines("Frames/Start.chn", fields);
       },
       "Frames/Start.chn", "field 31 (sound), channel 2",
       "sound \"Areas/gone.wav\" does not exist"},
      {"ShortText", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Areas/Start/2.lbl", {Quoted("Hi"), "0", "0"});
       },
       "Areas/Start/2.lbl", "", "ends before field 4 (bold)"},
      {"DropOfAMissingItem", nullptr,
       [](const GameFolder& g) { g.writeLines("Areas/Start/1_Ghost.drg", test::ActionFields({})); },
       "Areas/Start/1_Ghost.drg", "", "item \"Ghost\" named by the file name does not exist"},
      {"SchemePictureMissing", nullptr,
       [](const GameFolder& g) {
         std::vector<std::string> general = test::FullGeneralFields();
         general[4] = Quoted("Start");
         general[15] = Quoted("Ocean");
         general[31] = "#FALSE#";
         general[37] = Quoted("DEFAULT");
         g.writeGeneral(general);
         g.writeLines("Schemes/Ocean/Scheme.txt",
                      {"0", "0", "0", "4", Quoted("start.gif"), Quoted("[None]"),
                       Quoted("exit.gif"), Quoted("[default]"), "0"});
         g.write("Schemes/Ocean/start.006", Gif());
       },
       "Schemes/Ocean/Scheme.txt", "field 7 (Exit button)",
       "picture \"Schemes/Ocean/exit.gif\" does not exist"},
      {"ShortTexts", nullptr,
       [](const GameFolder& g) {
         g.writeLines("Config/Texts", {"2", "0", "0", "0", "0", "0", "3", Quoted("a")});
       },
       "Config/Texts", "", "ends before field 9 (text)"},
      {"StartFrameMissing", nullptr,
       [](const GameFolder& g) {
         std::vector<std::string> general = test::FullGeneralFields();
         general[4] = Quoted("Opening");
         general[15] = Quoted("");
         general[31] = "#FALSE#";
         general[37] = Quoted("DEFAULT");
         g.writeGeneral(general);
       },
       "Config/General", "field 5 (start frame)", "frame \"Opening\" does not exist"},
  };
  return cases;
}

class PlantedFaultTest : public ::testing::TestWithParam<Planted> {};

TEST_P(PlantedFaultTest, IsTheOneFinding) {
  const Planted& p = GetParam();
  Sound sound;
  if (p.change) p.change(sound);
  GameFolder game;
  WriteGame(game, sound);
  if (p.after) p.after(game);
  const CheckResult result = CheckGame(game.path());
  ASSERT_EQ(result.findings.size(), 1u) << Listed(result.findings);
  const Finding& f = result.findings[0];
  EXPECT_EQ(f.file, p.file) << FindingLine(f);
  EXPECT_NE(f.field.find(p.field), std::string::npos) << FindingLine(f);
  EXPECT_NE(f.problem.find(p.problem), std::string::npos) << FindingLine(f);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, PlantedFaultTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GameCheckerTest, FindingsAreListedByFileInAStableOrder) {
  GameFolder game;
  Sound sound;
  sound.action.goTo = "Cellar";
  sound.start.timerTarget = "Attic";
  WriteGame(game, sound);
  game.writeLines("Areas/Key.obj", {Quoted("gone.gif")});
  const CheckResult first = CheckGame(game.path());
  const CheckResult second = CheckGame(game.path());
  ASSERT_EQ(first.findings.size(), 3u) << Listed(first.findings);
  EXPECT_EQ(first.findings[0].file, "Areas/Key.obj");
  EXPECT_EQ(first.findings[1].file, "Areas/Start/1b.dat");
  EXPECT_EQ(first.findings[2].file, "Frames/Start.fme");
  EXPECT_EQ(Listed(first.findings), Listed(second.findings));
}

TEST(GameCheckerTest, AFrameClaimingThousandsOfHotspotsIsSummedUp) {
  GameFolder game;
  WriteGame(game, Sound{});
  game.writeLines("Frames/Start.lks", {"30000"});
  const CheckResult result = CheckGame(game.path());
  ASSERT_EQ(result.findings.size(), 11u) << Listed(result.findings);
  EXPECT_EQ(result.findings[0].file, "Areas/Start/3a.dat");
  EXPECT_EQ(result.findings[9].file, "Areas/Start/12a.dat");
  EXPECT_EQ(FindingLine(result.findings[10]),
            "Frames/Start.lks: field 1 (number of hotspots): claims 30000 hotspots, but 29998 of "
            "them have no geometry file (29988 not listed)");
}

TEST(GameCheckerTest, AFolderWithoutGeneralIsNotAGame) {
  GameFolder game;  // the sub-folders, but no "General"
  const CheckResult result = CheckGame(game.path());
  EXPECT_NE(result.notAGame.find("is not a game folder: no Config/General"), std::string::npos)
      << result.notAGame;
  const CheckResult missing = CheckGame(game.path() + "nothing-here");
  EXPECT_NE(missing.notAGame.find("is not a game folder"), std::string::npos);
  // "General" is found without regard to case, as the player finds it.
  std::filesystem::remove_all(game.file("Config"));
  game.write("config/GENERAL", "\"id\"\r\n");
  EXPECT_TRUE(CheckGame(game.path()).notAGame.empty());
}

TEST(GameCheckerTest, FilesListedOnTheGamesCdsAreNotMissing) {
  GameFolder game;
  WriteGame(game, Sound{});
  game.remove("Areas/sea.wav");
  game.write("RunFromCD.dat", "1\r\n");
  game.writeLines("Config/CDContents", {"0", "0", "0", "2", "0", "0", Quoted("SEA.WAV"), "2", "2",
                                        Quoted("lost.wav"), "3", "2"});
  const CheckResult result = CheckGame(game.path());
  // sea.wav is on CD 2; lost.wav names a CD the game does not have.
  ASSERT_EQ(result.findings.size(), 1u) << Listed(result.findings);
  EXPECT_EQ(result.findings[0].file, "Config/CDContents");
  EXPECT_NE(result.findings[0].problem.find("on CD 3, but the game has 2 CDs"), std::string::npos);
}

}  // namespace
}  // namespace tw::checker
