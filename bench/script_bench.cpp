// What a script costs in a game: a hotspot's action running a one-line script that calls a
// procedure of the game's "Procedures", end to end (reading the action file, the run, the
// visibility pass after it), and the script run alone. Each first checks that the procedure
// really ran (the variable it counts moved).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "game/Game.h"
#include "platform/GuiForPainting.h"
#include "platform/headless/HeadlessPlatform.h"
#include "project/InitializeProject.h"
#include "project/Player.h"

namespace {

namespace fs = std::filesystem;

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

// One frame with one hotspot whose action runs "Count 1"; twenty variables, a few
// procedures, as a small game has.
class ScriptGame {
 public:
  ScriptGame() {
    root_ = fs::temp_directory_path() / ("talewick-script-" + std::to_string(::getpid()));
    WriteLines(root_ / "Config/General", {"\"SCRIPT\"", "\"\"", "\"Script\"", "0", "\"Room\"",
                                          "\"1\"", "640", "480", "\"\"", "\"\"", "\"\""});
    std::vector<std::string> variables = {"1"};
    for (int i = 0; i < 20; ++i) variables.push_back("\"V" + std::to_string(i) + "\"");
    variables.push_back("\"Clicks\"");
    WriteLines(root_ / "Config/Variables", variables);
    WriteLines(root_ / "Config/Procedures",
               {"", "", "", "Sub Count(n)", "  Clicks = Clicks + n", "  If Clicks > 30000 Then Clicks = 0",
                "End Sub", "Function Twice(x)", "  Twice = x * 2", "End Function",
                "Sub Reset()", "  Dim i", "  For i = 0 To 19 : V0 = 0 : Next", "End Sub"});
    WriteLines(root_ / "Frames/Room.fme", {"0", "\"0\"", "#FALSE#", "#FALSE#", "\"\"", "#FALSE#",
                                           "\"0\"", "\"\"", "\"\"", "0"});
    WriteLines(root_ / "Frames/Room.lks", {"1"});
    WriteLines(root_ / "Areas/Room/1a.dat", {"1500", "1500", "1200", "1200", "0", "#FALSE#", "\"\"",
                                             "0", "\"\"", "0", "0", "0"});
    std::vector<std::string> action = {"0", "\"\"", "0", "0", "0", "0", "\"\"", "0", "\"\"", "0",
                                       "0", "0", "\"\""};
    for (int i = 14; i <= 40; ++i) action.push_back(i == 17 || i == 26 || i == 28 ? "\"\"" : "0");
    // 40 is followed by the three empty lists, then 41-46.
    action.insert(action.end(), {"0", "0", "0", "#TRUE#", "0", "0", "#TRUE#", "\"Count 1\"", "1"});
    WriteLines(root_ / "Areas/Room/1b.dat", action);
  }
  ~ScriptGame() { fs::remove_all(root_); }
  std::string folder() const { return root_.string() + "/"; }

 private:
  fs::path root_;
};

struct Session {
  explicit Session(const ScriptGame& files) : player(platform, files.folder()) {
    // (gui is made first: elements measure their captions with the platform's fonts)
    if (!tw::InitializeProject(player)) return;
    game = std::make_unique<tw::Game>(player);
    game->ResetAll();
    game->StartNewGame();
  }
  std::int16_t clicks() { return game->variables.GetVariableValue("Clicks"); }
  tw::platform::GuiForPainting gui;
  tw::platform::HeadlessPlatform platform;
  tw::Player player;
  std::unique_ptr<tw::Game> game;
};

bool Works(benchmark::State& state, Session& s, const std::function<void()>& once) {
  if (!s.game) {
    state.SkipWithError("the game did not start");
    return false;
  }
  const std::int16_t before = s.clicks();
  once();
  if (s.clicks() != before + 1 || !s.platform.boxes().empty()) {
    const std::string why = "the script did not run the procedure" +
                            (s.platform.boxes().empty() ? std::string()
                                                        : ": " + s.platform.boxes().back().text);
    state.SkipWithError(why.c_str());
    return false;
  }
  return true;
}

void BM_HotspotActionRunningAOneLineScript(benchmark::State& state) {
  ScriptGame files;
  Session s(files);
  const auto once = [&] { s.game->MakeAction(1, 0); s.game->ShowOrNotShowAreas(); };
  if (!Works(state, s, once)) return;
  for (auto _ : state) once();
}
BENCHMARK(BM_HotspotActionRunningAOneLineScript)->Unit(benchmark::kMicrosecond);

void BM_ExecuteVBScriptCallingAProcedure(benchmark::State& state) {
  ScriptGame files;
  Session s(files);
  const auto once = [&] { s.game->ExecuteVBScript("Count 1", false); };
  if (!Works(state, s, once)) return;
  for (auto _ : state) once();
}
BENCHMARK(BM_ExecuteVBScriptCallingAProcedure)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
