// Loading: the whole state back from a fresh reset, the resume frame, the pauses with the
// game area hidden, the display mode, and damaged files that leave the game as it was.
#include <fstream>

#include "savegame/SavedGameFixture.h"

namespace tw::test {
namespace {

using vbs::Variant;
using vbs::VarType;

class LoadSequenceTest : public SavedGameFixture {
 protected:
  // A game played a little: the key taken (its hotspot vanishes), the rope given twice,
  // a walk to the hall, variables of every sign, variants of several kinds.
  void play() {
    click(110, 110);  // the key
    game->AddPickedObject("Rope", true);
    game->AddPickedObject("Rope", true);
    game->variables.ChangeVariableValue("Lamp", 1);
    for (auto& v : game->variables.Variables) {
      if (v->Name == "Door") v->setValue(std::int16_t{-1});
    }
    game->variables.ChangeVariableVariantValue("Note", Variant::fromString("5"));
    game->variables.ChangeVariableVariantValue("Count", Variant::fromDouble(2.5));
    click(310, 110);  // to the hall
    ASSERT_EQ(frame(), "Hall");
  }
  void expectPlayedState() {
    EXPECT_EQ(frame(), "Hall");
    EXPECT_EQ(value("Lamp"), 1);
    EXPECT_EQ(value("Door"), -1);
    EXPECT_EQ(items(), (std::vector<std::string>{"Key", "Rope", "Rope"}));
    ASSERT_EQ(game->variables.Disappear.Count(), 1);
    EXPECT_EQ((*game->variables.Disappear.begin())->Name, "Room");
    EXPECT_EQ((*game->variables.Disappear.begin())->Value(), 1);
    EXPECT_EQ(game->FramesHistory, (std::vector<std::string>{"Room", "Hall"}));
    const auto& note = (*game->variables.VariablesVariant.begin())->Value;
    EXPECT_EQ(note.type(), VarType::String);
    EXPECT_EQ(note.toString(), "5");
    EXPECT_EQ((*++game->variables.VariablesVariant.begin())->Value.type(), VarType::Double);
    EXPECT_TRUE(game->PictureBox.visible());
  }
};

TEST_F(LoadSequenceTest, ALoadBringsBackExactlyTheSavedState) {
  startGame();
  play();
  saveAs("Played");
  // Change everything, then load.
  game->ResetAll();
  game->StartNewGame();
  game->variables.ChangeVariableValue("Lamp", 0);
  game->AddPickedObject("Key", true);
  ASSERT_EQ(frame(), "Room");
  loadNamed("Played");
  expectPlayedState();
  EXPECT_FALSE(game->savedGames().LoadCancelled);
  EXPECT_EQ(game->savedGames().loadWindow(), nullptr);
  // The vanished hotspot stays away when its frame opens again.
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_FALSE(game->Area[1].visible());
  EXPECT_TRUE(game->Area[2].visible());
}

// Older players read Windows-1252 only: a game whose texts all fit is written in it; one
// text that does not fit makes the whole file UTF-8. Either loads back unchanged.
TEST_F(LoadSequenceTest, TextIsWrittenInWindows1252WhenEveryCharacterFits) {
  startGame();
  game->variables.ChangeVariableVariantValue("Note", Variant::fromString("Café"));
  saveAs("Western");
  game->variables.ChangeVariableVariantValue("Note", Variant::fromString("Café Ωμέγα"));
  saveAs("Greek");
  std::ifstream western(sav("Western"), std::ios::binary), greek(sav("Greek"), std::ios::binary);
  const std::string w((std::istreambuf_iterator<char>(western)), {});
  const std::string g((std::istreambuf_iterator<char>(greek)), {});
  EXPECT_NE(w.find("\"Caf\xE9\""), std::string::npos);
  EXPECT_NE(g.find("\"Caf\xC3\xA9 \xCE\xA9"), std::string::npos);
  loadNamed("Western");
  EXPECT_EQ((*game->variables.VariablesVariant.begin())->Value.toString(), "Café");
  loadNamed("Greek");
  EXPECT_EQ((*game->variables.VariablesVariant.begin())->Value.toString(), "Café Ωμέγα");
}

// A text a script stored keeps every character through a save and a load: a Ctrl-Z in it
// neither cuts it nor ends the file before the values after it. The game's texts both fit
// Windows-1252 (Chr) and do not (ChrW), so both encodings of the file are read back.
TEST_F(LoadSequenceTest, TextsKeepEveryCharacterCtrlZIncluded) {
  startGame();
  for (const char* wide : {"", " & ChrW(937)"}) {
    game->ExecuteVBScript(std::string("For i = 0 To 255\r\n"
                                      "  If i <> 34 Then Note.Value = Note.Value & Chr(i)\r\n"
                                      "Next\r\n"
                                      "Note.Value = Note.Value & Chr(26) & vbCrLf") +
                              wide + "\r\nCount.Value = 7",
                          true);
    ASSERT_EQ(boxCount(), 0u) << lastBox().text;
    const Variant note = (*game->variables.VariablesVariant.begin())->Value;
    ASSERT_EQ(note.type(), VarType::String);
    saveAs("Texts");
    game->variables.ChangeVariableVariantValue("Note", Variant::fromString("changed"));
    game->variables.ChangeVariableVariantValue("Count", Variant::fromInteger(0));
    loadNamed("Texts");
    EXPECT_EQ((*game->variables.VariablesVariant.begin())->Value.toString(), note.toString());
    const Variant count = (*++game->variables.VariablesVariant.begin())->Value;
    EXPECT_EQ(count.type(), VarType::Integer);
    EXPECT_EQ(count.toString(), "7");
    game->variables.ChangeVariableVariantValue("Note", Variant::fromString(""));
  }
}

TEST_F(LoadSequenceTest, TheLoadPausesWithTheGameAreaHiddenAndTheBusyPointer) {
  startGame();
  saveAs("Slot");
  bool sawHidden = false;
  bool sawBusy = false;
  std::int64_t start = t.platform.clockMs();
  inLoadWindow([&](LoadGameWindow& w) {
    w.List1.clickItem(0);
    t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& wait) {
      if (wait.kind == platform::HeadlessPlatform::WaitKind::ProcessEvents) {
        sawHidden = sawHidden || !game->PictureBox.visible();
        sawBusy = sawBusy || t.platform.screenPointer().shape ==
                                 platform::PointerShape::ArrowHourglass;
      }
      return false;
    });
    start = t.platform.clockMs();
    w.Command2_Click();
  });
  EXPECT_TRUE(sawHidden);
  EXPECT_TRUE(sawBusy);
  EXPECT_GE(t.platform.clockMs() - start, 6 * kLoadPauseMs);
  EXPECT_TRUE(game->PictureBox.visible());
  EXPECT_EQ(t.platform.screenPointer().shape, platform::PointerShape::Default);
}

TEST_F(LoadSequenceTest, TheResumeFileRedirectsTheFrame) {
  t.game.writeLines("Config/Resume", {"0", "0", "0", "0", "0", "0", "\"hall\"", "\"Attic\""});
  startGame();
  play();
  saveAs("Slot");
  loadNamed("Slot");
  EXPECT_EQ(frame(), "Attic");
}

TEST_F(LoadSequenceTest, NamesNoLongerDeclaredAreSkippedAndUndeclaredOnesStayZero) {
  startGame();
  t.game.write("Old.sav",
               "\"Hall\"\r\n2\r\n\"Gone\"\r\n7\r\n\"Door\"\r\n-1\r\n0\r\n0\r\n");
  loadNamed("Old");
  EXPECT_EQ(frame(), "Hall");
  EXPECT_EQ(value("Door"), -1);
  EXPECT_EQ(value("Lamp"), 0);
  EXPECT_EQ(value("Gone"), kUnknownVariableValue);
  // An older file without history: the history is the reset one plus the frame opened.
  EXPECT_EQ(game->FramesHistory, std::vector<std::string>{"Hall"});
  // Without variant records the variants keep the 0 of a fresh game.
  EXPECT_EQ((*game->variables.VariablesVariant.begin())->Value.toString(), "0");
}

// Each damaged file gives the load error box and changes nothing at all: the game goes on
// where it was, visible and playable, and the file is still there.
TEST_F(LoadSequenceTest, DamagedFilesLeaveTheRunningGameAsItWas) {
  startGame();
  click(110, 110);
  const std::vector<std::pair<std::string, std::string>> damaged = {
      {"Truncated", "\"Hall\"\r\n1\r\n\"Lamp\"\r\n"},
      {"Garbage", "\"Hall\"\r\n0\r\n0\r\nlots\r\n"},
      {"Huge", "\"Hall\"\r\n0\r\n2000000000\r\n\"Hall\"\r\n1\r\n"},
      {"HugeShort", "\"Hall\"\r\n2000000000\r\n"},
      {"Empty", ""},
  };
  for (const auto& file : damaged) {
    // Named, not a structured binding: clang 14 lets no lambda capture a binding.
    const std::string& name = file.first;
    const std::string& text = file.second;
    SCOPED_TRACE(name);
    t.game.write(name + ".sav", text);
    const std::size_t before = boxCount();
    inLoadWindow([&](LoadGameWindow& w) {
      const auto& list = w.List1.items();
      w.List1.clickItem(static_cast<int>(std::find(list.begin(), list.end(), name) - list.begin()));
      w.Command2_Click();
      EXPECT_TRUE(w.window.visible());  // the window stays for another choice
    });
    ASSERT_EQ(boxCount(), before + 1);
    EXPECT_EQ(lastBox().title, m()[29]);
    EXPECT_EQ(lastBox().text, m()[30] + "\r\n\r\n" + m()[31] + " Unable to load '" +
                                  t.player.folders.ProjectFolder + name + ".sav'.");
    EXPECT_EQ(frame(), "Room");
    EXPECT_EQ(items(), std::vector<std::string>{"Key"});
    EXPECT_TRUE(game->PictureBox.visible());
    EXPECT_TRUE(game->Timer1.enabled());  // closed as cancelled: the timer runs again
    EXPECT_TRUE(t.game.exists(name + ".sav"));
  }
  click(310, 110);  // still playable
  EXPECT_EQ(frame(), "Hall");
}

TEST_F(LoadSequenceTest, AGameFromAnotherVersionLoadsWhatItKnows) {
  startGame();
  t.game.write("Future.sav",
               "\"Attic\"\r\n1\r\n\"Lamp\"\r\n1\r\n0\r\n1\r\n\"Rope\"\r\n1\r\n\"Attic\"\r\n"
               "\"\"\r\n\"\"\r\n\"\"\r\n\"X\"\r\n\"T\"\r\n\"01/01/2040\"\r\n\"Version 9.9\"\r\n"
               "1\r\n\"Note\"\r\n#TRUE#\r\n\"a later record\"\r\n12\r\n");
  loadNamed("Future");
  EXPECT_EQ(frame(), "Attic");
  EXPECT_EQ(value("Lamp"), 1);
  EXPECT_EQ(items(), std::vector<std::string>{"Rope"});
  EXPECT_EQ((*game->variables.VariablesVariant.begin())->Value.type(), VarType::Boolean);
}

TEST_F(LoadSequenceTest, AScriptsLoadResolutionAppliesToGamesWithoutTheStartupWindow) {
  std::vector<std::string> f = FullGeneralFields();
  f[4] = Quoted("Room");
  f[37] = Quoted("DEFAULT");
  f[40] = "#TRUE#";
  f[19] = "#FALSE#";
  f[42] = "#TRUE#";  // no start-up window
  t.game.writeGeneral(f);
  startGame();
  saveAs("Slot");
  game->ResolutionOnLoadGame = 2;  // 800 x 600, as a script asked
  loadNamed("Slot");
  EXPECT_EQ(t.platform.screenSize().width, 800);
  EXPECT_EQ(t.platform.screenSize().height, 600);
  EXPECT_EQ(game->ResolutionOnLoadGame, 0);  // the reset cleared it
}

}  // namespace
}  // namespace tw::test
