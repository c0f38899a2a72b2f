// Recording a play-through: every kind of line written so that the replay reader reads it
// back the same, and a part of the demo played through the recorder (as the real window
// calls it) that replays to the same state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/GameSession.h"
#include "app/Recorder.h"
#include "app/ReplayWriter.h"
#include "platform/Controls.h"
#include "platform/GuiForPainting.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameFolder.h"
#include "support/ReplayRun.h"

namespace tw {
namespace {

using Kind = ReplayLine::Kind;
using Json = nlohmann::json;

ReplayLine Line(Kind kind, int a = 0, int b = 0, int c = 0, std::string text = {}) {
  ReplayLine line;
  line.kind = kind;
  line.a = a;
  line.b = b;
  line.c = c;
  line.text = std::move(text);
  return line;
}

TEST(ReplayWriterTest, EveryLineReadsBackAsWritten) {
  ReplayLine key = Line(Kind::Key);
  key.keyCode = 112;
  ReplayLine named = Line(Kind::Key, 0, 0, 0, "Escape");
  named.keyCode = 27;
  ReplayLine answer = Line(Kind::Answer);
  answer.answer = platform::MsgAnswer::No;
  ReplayLine cancelled = Line(Kind::Input);
  cancelled.cancelInput = true;
  ReplayLine noDrive = Line(Kind::Drive);
  noDrive.cancelInput = true;
  const struct {
    ReplayLine line;
    std::optional<std::string> text;
  } rows[] = {
      {Line(Kind::Start), "start"},
      {Line(Kind::Click, 320, 250), "click 320 250"},
      {Line(Kind::RightClick, -4, 500), "rclick -4 500"},  // left of the game area
      {Line(Kind::Move, 10, 10), "move 10 10"},
      {Line(Kind::Drag, 3, 320, 251), "drag 3 320 251"},
      {Line(Kind::DragItem, 3, 4), "dragitem 3 4"},
      {key, "key F1"},
      {named, "key Escape"},
      {Line(Kind::Menu, 0, 0, 0, "mnuFrameName:Lamp Room"), "menu mnuFrameName:Lamp Room"},
      {Line(Kind::Wait, 1230), "wait 1230"},
      {answer, "answer no"},
      {Line(Kind::Input, 0, 0, 0, "Tom  Smith"), "input Tom  Smith"},
      {cancelled, "input"},
      {Line(Kind::Save, 0, 0, 0, "On the beach"), "save On the beach"},
      {Line(Kind::Load, 0, 0, 0, "On the beach"), "load On the beach"},
      {Line(Kind::Load), "load"},  // the automatic save
      {Line(Kind::Drive, 0, 0, 0, "/media/cd2/"), "drive /media/cd2/"},
      {noDrive, "drive cancel"},
      // What would read back as something else is not written.
      {Line(Kind::Save, 0, 0, 0, " spaced "), std::nullopt},
      {Line(Kind::Save), std::nullopt},
      {Line(Kind::Input), std::nullopt},  // an empty text typed reads as a cancel
      {Line(Kind::Menu, 0, 0, 0, "two\nlines"), std::nullopt},
      {Line(Kind::Drive, 0, 0, 0, "cancel"), std::nullopt},
      {Line(Kind::Wait, -10), std::nullopt},
  };
  for (const auto& row : rows) {
    const std::optional<std::string> text = FormatReplayLine(row.line);
    ASSERT_EQ(text, row.text) << static_cast<int>(row.line.kind) << " " << row.line.text;
    if (!text) continue;
    const std::vector<ReplayLine> back = ParseReplay(*text);
    ASSERT_EQ(back.size(), 1u) << *text;
    const ReplayLine& r = back[0];
    EXPECT_EQ(r.kind, row.line.kind) << *text;
    EXPECT_EQ(std::tie(r.a, r.b, r.c), std::tie(row.line.a, row.line.b, row.line.c)) << *text;
    EXPECT_EQ(r.keyCode, row.line.keyCode) << *text;
    EXPECT_EQ(r.answer, row.line.answer) << *text;
    EXPECT_EQ(r.cancelInput, row.line.cancelInput) << *text;
    if (row.line.kind != Kind::Key && !row.line.cancelInput) {
      EXPECT_EQ(r.text, row.line.text) << *text;
    }
  }
}

TEST(ReplayWriterTest, KeysWaitsAndComments) {
  EXPECT_EQ(KeyNameFromCode('Q'), "Q");
  EXPECT_EQ(KeyNameFromCode('7'), "7");
  EXPECT_EQ(KeyNameFromCode(13), "Enter");
  EXPECT_EQ(KeyNameFromCode(123), "F12");
  EXPECT_EQ(KeyNameFromCode(124), std::nullopt);  // F13: the reader knows no such key
  EXPECT_EQ(KeyNameFromCode(16), std::nullopt);   // Shift alone
  EXPECT_EQ(RoundedWait(4), 0);
  EXPECT_EQ(RoundedWait(5), 10);
  EXPECT_EQ(RoundedWait(1234), 1230);
  EXPECT_EQ(RoundedWait(-30), 0);
  EXPECT_EQ(ReplayComment("box \"A\r\nB\""), "# box \"A  B\"");
  EXPECT_TRUE(ParseReplay(ReplayComment("click 1 2\nclick 3 4")).empty());
}

// The demo in a folder of its own (a save lands there), played through a recorder the way
// the real window feeds it: the recorder hears each input, then the window dispatches it.
struct RecordedDemo : ::testing::Test {
  test::GameFolder folder;
  std::string path = CopyDemo(folder);
  platform::GuiForPainting gui;
  platform::HeadlessPlatform platform;
  GameSession session{platform, path};
  std::ostringstream file;
  std::unique_ptr<Recorder> recorder;
  std::int64_t startedAt = 0;

  static std::string CopyDemo(const test::GameFolder& into) {
    std::filesystem::copy(std::string(TALEWICK_SOURCE_DIR) + "/games/demo", into.path() + "demo",
                          std::filesystem::copy_options::recursive);
    return into.path() + "demo/";
  }
  void SetUp() override {
    ASSERT_TRUE(session.initialize());
    startedAt = platform.clockMs();
    recorder = std::make_unique<Recorder>(platform, session, file, "9.9");
  }
  Game& game() { return *session.game(); }
  platform::Point at(int x, int y) {
    return {game().PictureBox.left() + x * 15, game().PictureBox.top() + y * 15};
  }
  platform::Point itemAt(int n) {
    int x = 0, y = 0;
    game().PickedObject[n].positionInWindow(x, y);
    return {x + 60, y + 60};
  }
  void press(platform::Point t) {
    recorder->mousePressed(game().window, platform::kLeftButton, t.x, t.y, false);
    game().window.dispatchMouseDown(platform::kLeftButton, 0, t.x, t.y);
    recorder->inputDone();
  }
  void release(platform::Point t) {
    recorder->mouseReleased(game().window, platform::kLeftButton, t.x, t.y);
    game().window.dispatchMouseUp(platform::kLeftButton, 0, t.x, t.y);
    recorder->inputDone();
  }
  void click(int x, int y, int ms) {
    press(at(x, y));
    release(at(x, y));
    platform.advance(ms);
  }
  void move(int x, int y, int ms) {
    const platform::Point t = at(x, y);
    recorder->mouseMoved(game().window, t.x, t.y);
    game().window.dispatchMouseMove(0, 0, t.x, t.y);
    recorder->inputDone();
    platform.advance(ms);
  }
  void key(int code, int ms) {
    recorder->keyPressed(game().window, code, 0);
    game().window.dispatchKeyDown(code, 0);
    recorder->inputDone();
    platform.advance(ms);
  }
  // The lines that act, without waits and comments.
  std::vector<std::string> acting() {
    std::vector<std::string> lines;
    std::istringstream in(file.str());
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] != '#' && line.rfind("wait ", 0) != 0) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(RecordedDemo, APlayThroughReplaysToTheSameState) {
  // The save window takes a typed name and SAVE, as a person would give them.
  platform.setInputHook([](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind != platform::HeadlessPlatform::WaitKind::ModalWindow || !wait.window ||
        wait.window->name() != "frmSaveGame") {
      return false;
    }
    for (platform::Element* e : wait.window->children()) {
      if (e->name() == "Text1") static_cast<platform::TextBox*>(e)->setText("Boat house");
    }
    for (platform::Element* e : wait.window->children()) {
      if (e->name() == "Command2") e->click();
    }
    return true;
  });
  platform.advance(700);
  recorder->mousePressed(session.startupWindow().window, platform::kLeftButton, 0, 0, false);
  session.start();
  recorder->inputDone();
  platform.advance(1000);
  move(320, 250, 300);  // onto the title picture: the pointer changes, but the click says it
  click(320, 250, 1100);
  click(252, 412, 2000);  // the shell
  move(300, 300, 20);     // over the sea and on over the sea: nothing to write
  move(302, 301, 4000);
  click(110, 290, 500);  // the sign's box, answered with its default
  move(10, 10, 1500);    // the satchel: the bar slides down
  press(itemAt(1));      // the shell onto the sign
  platform.advance(300);
  release(at(110, 290));
  move(320, 300, 1500);
  click(548, 330, 900);   // the path
  click(130, 270, 900);   // the boat house
  click(172, 224, 3000);  // the matches
  click(236, 150, 3000);  // the wick
  move(10, 10, 1500);
  press(itemAt(3));  // the wick onto the matches
  release(itemAt(2));
  platform.advance(2000);
  key('S', 500);
  recorder->menuChosen(game().window, game().mnuDisableTransitions);
  game().mnuDisableTransitions.click();
  recorder->inputDone();
  platform.advance(1234);
  recorder->finish();

  EXPECT_EQ(acting(),
            (std::vector<std::string>{
                "start", "click 320 250", "click 252 412", "move 300 300", "click 110 290",
                "answer ok", "move 10 10", "drag 1 110 290", "move 320 300", "click 548 330",
                "click 130 270", "click 172 224", "click 236 150", "move 10 10", "dragitem 3 2",
                "save Boat house", "menu mnuDisableTransitions"}))
      << file.str();
  const std::string text = file.str();
  EXPECT_EQ(text.rfind("# \"The Lighthouse Keeper's Lamp\", recorded by talewick-player 9.9\n", 0),
            0u)
      << text;
  for (const char* said :
       {"\nclick 320 250\n# frame Beach\n", "\nclick 252 412\n# inventory + Shell\n",
        "\nclick 110 290\n# box \"LIGHTHOUSE", "\nanswer ok\n", "# inventory + Wick\n",
        "\nwait 1230\n"}) {
    EXPECT_NE(text.find(said), std::string::npos) << said << " in\n" << text;
  }
  // The waits add up to the time played (transitions took theirs inside the clicks), to the
  // nearest 10 ms.
  std::int64_t waited = 0;
  for (const ReplayLine& line : ParseReplay(text)) {
    if (line.kind == Kind::Wait) waited += line.a;
  }
  EXPECT_NEAR(waited, platform.clockMs() - startedAt, 5);

  const Json recorded = Json::parse(recorder->dumpState());
  test::GameFolder fresh;
  const std::string freshPath = CopyDemo(fresh);
  ReplayOptions options;
  options.gameFolder = freshPath;
  options.replayFile = freshPath + "recorded.txt";
  { std::ofstream(options.replayFile) << text; }
  options.dumpState = true;
  std::ostringstream out, err;
  ASSERT_EQ(RunReplay(options, out, err), 0) << err.str();
  const Json replayed = Json::parse(out.str());
  for (const char* field : {"frame", "history", "variables", "variants", "inventory", "disappeared",
                            "boxes", "saved_games", "message_bar"}) {
    EXPECT_EQ(recorded[field], replayed[field]) << field;
  }
  EXPECT_EQ(recorded["inventory"], Json({"Shell", "Matches", "Wick"}));
}

// The replay gives an input box and the CD window the line right after the one that opened
// them, so no wait may come between; the time passes in the next wait instead.
TEST_F(RecordedDemo, InputBoxesAndTheCdWindowTakeTheVeryNextLine) {
  platform.advance(1500);
  const platform::InputBoxRequest request{"Your name?", "Keeper", ""};
  recorder->inputBoxShown(request);
  platform.advance(2000);
  recorder->inputBoxAnswered(request, std::string("Tom"));
  platform.advance(700);
  recorder->cdWindowAnswered(std::string("/media/cd2/"));
  platform.advance(300);
  recorder->cdWindowAnswered(std::nullopt);
  platform.advance(1000);
  recorder->finish();
  const std::string text = file.str();
  EXPECT_NE(text.find("\n# input box \"Your name?\"\ninput Tom\ndrive /media/cd2/\n"
                      "drive cancel\nwait 5500\n"),
            std::string::npos)
      << text;
  const Json state = Json::parse(recorder->dumpState());
  EXPECT_EQ(state["boxes"], Json::parse(R"([{"title": "Keeper", "text": "Your name?",
                                             "icon": "input", "answer": "Tom"}])"));
}

}  // namespace
}  // namespace tw
