// The script host inside a game: procedures, variables as objects, the error box, the callers
// (entry, hotspot and combination scripts with their run flags and frame requests), the
// controls-references mode, time-out, recursion, nested runs.
#include <chrono>
#include <thread>

#include "../frames/GameFixture.h"
#include "platform/Picture.h"
#include "scripting/ScriptHost.h"

namespace tw::test {
namespace {

class ScriptHostTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"Gold", "Door", "***", "Word"});
    WriteFrame(t.game, "Room", {}, 1);
    WriteFrame(t.game, "Hall", {});
    WriteHotspot(t.game, "Room", 1, {.left = 0, .top = 0, .width = 50, .height = 50});
  }
  void procedures(const std::vector<std::string>& body) {
    std::vector<std::string> lines = {"header 1", "header 2", "header 3"};
    lines.insert(lines.end(), body.begin(), body.end());
    t.game.writeLines("Config/Procedures", lines);
  }
  void run(const std::string& text) { game->ExecuteVBScript(text, true); }
  std::string lastBox() const { return t.boxes().empty() ? "" : t.boxes().back().text; }
  std::string scriptError(const std::string& description) const {
    const MessageTable& m = t.player.messages;
    return m[30] + " " + m[31] + "\r\n\r\n" + scripting::kScriptErrorWords + "\r\n\r\n" +
           description;
  }
  vbs::Variant variant(const std::string& name) {
    for (const auto& v : game->variables.VariablesVariant) {
      if (v->Name == name) return v->Value;
    }
    return vbs::Variant::Null();
  }
};

TEST_F(ScriptHostTest, ProceduresSkipTheirHeaderAndAreCalledByOneLineScripts) {
  procedures({"Sub AddGold(n)", "  Gold = Gold + n", "End Sub"});
  startGame();
  EXPECT_EQ(game->scripts->ProceduresText(), "Sub AddGold(n)\r\n  Gold = Gold + n\r\nEnd Sub");
  run("AddGold 5");
  run("Call AddGold(2)");
  EXPECT_EQ(value("Gold"), 7);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(ScriptHostTest, MissingOrHeaderOnlyProceduresLeaveScriptsRunning) {
  startGame();
  EXPECT_EQ(game->scripts->ProceduresText(), "");
  run("Gold = 3");
  EXPECT_EQ(value("Gold"), 3);
  procedures({});
  game->ResetAll();
  game->StartNewGame();
  EXPECT_EQ(game->scripts->ProceduresText(), "");
  run("Gold = 4");
  EXPECT_EQ(value("Gold"), 4);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(ScriptHostTest, SyntaxErrorInProceduresFailsEveryScriptUntilTheNextReset) {
  procedures({"Sub Broken(", "End Sub"});
  startGame();
  run("Gold = 1");
  run("Gold = 2");
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_EQ(value("Gold"), 0);
  EXPECT_EQ(t.boxes()[0].title, t.player.messages[29]);
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(t.boxes()[0].text, t.boxes()[1].text);
  EXPECT_NE(t.boxes()[0].text.find(scripting::kScriptErrorWords), std::string::npos);
  // Mended, it counts only from the next reset.
  procedures({"Sub Fine()", "Gold = 9", "End Sub"});
  run("Fine");
  EXPECT_EQ(value("Gold"), 0);
  game->ResetAll();
  game->StartNewGame();
  run("Fine");
  EXPECT_EQ(value("Gold"), 9);
  EXPECT_EQ(t.boxes().size(), 3u);
}

// The procedures and each script are one program; a misspelt procedure stops the script with
// the host's box wherever it stands; what Execute declares is the script's own variable.
TEST_F(ScriptHostTest, ProceduresAndScriptAreOneProgram) {
  struct Case {
    std::vector<std::string> procedures;
    std::string script;
    std::string error;  // the engine's words in the host's box; empty: no box
    int gold;
  };
  const std::vector<Case> cases = {
      {{}, "Gold = 1 : G3 : Gold = 2", "Type mismatch", 1},
      {{"Sub Outer()", "Gold = 1", "x = G3()", "Gold = 2", "End Sub"}, "Outer", "Type mismatch", 1},
      {{}, "On Error Resume Next : Call G3() : Gold = Err.Number", "", 13},
      {{}, "Execute \"Dim z : z = 5\" : Gold = z", "", 5},
      {{"Option Explicit", "Sub Give(n) : Gold = n : End Sub"}, "Dim k : k = 2 : Give k", "", 2},
      {{"Option Explicit"}, "Gold = 1 : undeclared = 2 : Gold = 3", "Variable is undefined", 1},
      {{"Gold = 9", "Sub StartupProcedure : End Sub"}, "Gold = 1", "Name redefined", 0},
      {{},
       "Set re = CreateObject(\"vbscript.RegExp\") : re.Pattern = \"\\d+\" : Gold = "
       "re.Execute(\"ab42\")(0)",
       "",
       42},
      {{},
       "Gold = 1 : Set o = CreateObject(\"No.Such.Thing\") : Gold = 2",
       "ActiveX component can't create object",
       1},
  };
  for (const Case& c : cases) {
    procedures(c.procedures);
    if (game) {
      game->ResetAll();
      game->StartNewGame();
    } else {
      startGame();
    }
    const std::size_t before = t.boxes().size();
    run(c.script);
    EXPECT_EQ(value("Gold"), c.gold) << c.script;
    if (c.error.empty()) {
      EXPECT_EQ(t.boxes().size(), before) << c.script << ": " << lastBox();
    } else {
      EXPECT_EQ(t.boxes().size(), before + 1) << c.script;
      EXPECT_EQ(lastBox(), scriptError(c.error)) << c.script;
    }
  }
}

TEST_F(ScriptHostTest, VariablesAreObjectsWithValueAsDefault) {
  startGame();
  run("Gold = Gold + 1 : Gold.Value = Gold.Value + 1 : Door = Gold * 10");
  EXPECT_EQ(value("Gold"), 2);
  EXPECT_EQ(value("Door"), 20);
  // Out of range: error 6 and the old value stays.
  run("Gold = 40000");
  EXPECT_EQ(value("Gold"), 2);
  EXPECT_EQ(lastBox(), scriptError("Overflow"));
  run("Gold = \"many\"");
  EXPECT_EQ(lastBox(), scriptError("Type mismatch"));
  // A variant variable keeps the kind it is given.
  run("Word = \"0123\"");
  EXPECT_TRUE(variant("Word").isString());
  EXPECT_EQ(variant("Word").toString(), "0123");
  run("Word = Word & \"4\" : If TypeName(Word.Value) <> \"String\" Then Gold = -1");
  EXPECT_EQ(variant("Word").toString(), "01234");
  EXPECT_EQ(value("Gold"), 2);
  run("Word = 2.5");
  EXPECT_EQ(variant("Word").type(), vbs::VarType::Double);
}

TEST_F(ScriptHostTest, RunsStartCleanAndTheErrorBoxCarriesTheEngineDescription) {
  startGame();
  run("Dim kept : kept = 5 : Gold = kept");
  run("If IsEmpty(kept) Then Door = 1");
  EXPECT_EQ(value("Door"), 1);
  run("x = 1 / 0");
  EXPECT_EQ(lastBox(), scriptError("Division by zero"));
  run("NoSuchThing 1");
  EXPECT_EQ(t.boxes().size(), 2u);
}

TEST_F(ScriptHostTest, EndlessLoopTimesOutWithTheBoxAndTheGameGoesOn) {
  startGame();
  game->scripts->setTimeout(std::chrono::milliseconds(200));
  run("Gold = 1 : Do : Loop");
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(lastBox().find("timed out"), std::string::npos);
  EXPECT_EQ(value("Gold"), 1);
  run("Gold = 2");
  EXPECT_EQ(value("Gold"), 2);
}

TEST_F(ScriptHostTest, TimeInABoxDoesNotCountTowardTheTimeOut) {
  startGame();
  game->scripts->setTimeout(std::chrono::milliseconds(300));
  // The player reads each box for 200 ms; the script itself is quick.
  t.platform.setInputHook([](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind == platform::HeadlessPlatform::WaitKind::MessageBox ||
        wait.kind == platform::HeadlessPlatform::WaitKind::InputBox) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
  });
  run("MsgBox \"one\" : x = InputBox(\"two\") : MsgBox \"three\" : "
      "For i = 1 To 20000 : Gold = 1 : Next : Door = 1");
  EXPECT_EQ(value("Door"), 1);
  ASSERT_EQ(t.boxes().size(), 2u);  // the two MsgBoxes, no time-out box
  EXPECT_EQ(t.boxes()[1].text, "three");
}

TEST_F(ScriptHostTest, EndlessRecursionIsError28) {
  procedures({"Sub Deeper(n)", "  Deeper n + 1", "End Sub"});
  startGame();
  run("Deeper 1");
  EXPECT_EQ(lastBox(), scriptError("Out of stack space"));
  run("Gold = 5");
  EXPECT_EQ(value("Gold"), 5);
}

TEST_F(ScriptHostTest, ScriptBoxesAreThePlatformsBoxes) {
  startGame();
  t.platform.queueAnswer(platform::MsgAnswer::No);
  t.platform.queueInput(std::string("42"));
  run("If MsgBox(\"Sure?\", 4 + 32, \"Ask\") = vbNo Then Gold = InputBox(\"How many?\")");
  EXPECT_EQ(value("Gold"), 42);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Ask");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Question);
  EXPECT_EQ(t.boxes()[0].buttons, platform::MsgButtons::YesNo);
  ASSERT_EQ(t.platform.inputBoxes().size(), 1u);
  EXPECT_EQ(t.platform.inputBoxes()[0].prompt, "How many?");
}

TEST_F(ScriptHostTest, AScriptTimerFiringDuringABoxRunsToItsEndInside) {
  procedures({"Sub TimerObject1()", "  Gold = Gold + 1", "End Sub"});
  startGame();
  run("Action.CreateObject WindowObject.TimerObject(1)");  // not allowed: no WindowObject
  EXPECT_FALSE(game->scripts->TimerObject.exists(1));
  game->ControlsReferencesMode = 2;
  run("Action.CreateObject WindowObject.TimerObject(1) : WindowObject.TimerObject(1).Interval = 100");
  ASSERT_TRUE(game->scripts->TimerObject.exists(1));
  const std::size_t boxesBefore = t.boxes().size();
  t.platform.setInputHook([this](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind == platform::HeadlessPlatform::WaitKind::MessageBox && wait.box->text == "wait") {
      t.platform.advance(250);  // two ticks while the box is open
    }
    return false;
  });
  run("Gold = 1 : MsgBox \"wait\" : Door = Gold : Gold = Gold * 10");
  EXPECT_EQ(value("Door"), 3);
  EXPECT_EQ(value("Gold"), 30);
  EXPECT_EQ(t.boxes().size(), boxesBefore + 1);
}

// --- the callers -------------------------------------------------------------------------

TEST_F(ScriptHostTest, EntryScriptRunsOnlyWhenItsFlagIsSetAndItsFrameRequestIsDropped) {
  WriteFrame(t.game, "Room", {.runScript = true, .script = "Gold = Gold + 1 : GoToFrame |Hall|, 0, 1"}, 1);
  WriteFrame(t.game, "Off", {.runScript = false, .script = "Gold = 100"});
  startGame();
  EXPECT_EQ(value("Gold"), 1);
  EXPECT_EQ(frame(), "Room");
  EXPECT_EQ(game->Action.sFrameToLoad, "Hall");  // asked for, never honoured...
  game->OpenFrame("Off", false, 0, 0);
  EXPECT_EQ(frame(), "Off");
  EXPECT_EQ(value("Gold"), 1);              // ...and the flag off runs nothing
  EXPECT_EQ(game->Action.sFrameToLoad, "");  // the next reset cleared the request
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_EQ(value("Gold"), 2);
  EXPECT_EQ(game->LastClickX, 0);
}

TEST_F(ScriptHostTest, HotspotScriptRunsOnlyWhenItsFlagIsSetAndItsRequestWinsOverTheRecord) {
  startGame();
  WriteAction(t.game, "Room", 1, {.goTo = "Room", .runScript = false, .script = "Gold = 7 : GoToFrame |Hall|, 0, 0"});
  click(10, 10);
  EXPECT_EQ(value("Gold"), 0);
  EXPECT_EQ(frame(), "Room");
  WriteAction(t.game, "Room", 1, {.goTo = "Room", .runScript = true,
                                  .script = "Gold = GetHotspotNumber * 7 + GetClickPositionX : GoToFrame |Hall|, 0, 0"});
  click(10, 10);
  EXPECT_EQ(value("Gold"), 17);
  EXPECT_EQ(frame(), "Hall");
}

TEST_F(ScriptHostTest, ScriptErrorStillHonoursTheRequestMadeBeforeIt) {
  startGame();
  WriteAction(t.game, "Room", 1, {.runScript = true, .script = "GoToFrame |Hall|, 0, 0 : x = 1 / 0"});
  click(10, 10);
  EXPECT_EQ(frame(), "Hall");
  EXPECT_EQ(lastBox(), scriptError("Division by zero"));
}

TEST_F(ScriptHostTest, CombinationScriptRunsAndItsRequestIsHonoured) {
  t.game.writeLines("Areas/Key.obj", {Quoted("icon.bmp")});
  t.game.writeLines("Areas/Lamp.obj", {Quoted("icon.bmp")});
  t.game.writeLines("Areas/Oil.obj", {Quoted("icon.bmp")});
  platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
  t.game.writeLines("Areas/Key_on_Lamp.drg",
                    {"0", "0", "0", Quoted(""), "0", "0", "0", "#TRUE#",
                     Quoted("Gold = GetHotspotNumber + 5 : AddItem |Oil|, True : GoToFrame |Hall|, 0, 1")});
  startGame();
  game->Action.iHotspotNumber = 3;
  game->AddPickedObject("Key", true);
  game->AddPickedObject("Lamp", true);
  game->DraggedItemIndex = 1;
  game->PickedObject_DragDrop(2, game->PickedObject[1]);
  EXPECT_EQ(value("Gold"), 5);
  EXPECT_EQ(game->PickedObjectName(3), "Oil");
  EXPECT_EQ(frame(), "Hall");
}

TEST_F(ScriptHostTest, WindowObjectOnlyInModeTwoAndTheActionMethodsChangeItFromTheNextRun) {
  startGame();
  EXPECT_EQ(game->ControlsReferencesMode, 1);
  run("If IsObject(WindowObject) Then Gold = 1");
  EXPECT_EQ(value("Gold"), 0);
  run("AllowControlsReferencesNextTime : If IsObject(WindowObject) Then Gold = 1");
  EXPECT_EQ(value("Gold"), 0);
  run("If IsObject(WindowObject) Then Gold = 2");
  EXPECT_EQ(value("Gold"), 2);
  run("DoNotAllowControlsReferencesNextTime");
  run("If IsObject(WindowObject) Then Gold = 3");
  EXPECT_EQ(value("Gold"), 2);
}

TEST_F(ScriptHostTest, AVariableNamedAllowControlsReferencesDecidesTheModeInAnyCase) {
  t.game.writeVariables({"Gold", "***", "ALLOWControlsReferences"});
  startGame();
  EXPECT_EQ(game->ControlsReferencesMode, 2);
  run("Gold = WindowObject.TimerObject.Count");
  EXPECT_EQ(value("Gold"), 1);
}

}  // namespace
}  // namespace tw::test
