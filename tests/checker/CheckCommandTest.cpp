// `talewick-player --check` run as a program: on the demo game, on a game with faults, with
// --json, and on folders that are not games.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>

#include "support/GameBuilder.h"
#include "support/GameFolder.h"

#if defined(TALEWICK_PLAYER) && defined(TALEWICK_SOURCE_DIR)

namespace tw::checker {
namespace {

struct ProgramRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

ProgramRun RunCheck(const std::string& args) {
  // CTest runs each case as its own process, several at once: the files carry the process id.
  const std::string id = std::to_string(::getpid());
  const std::string out = ::testing::TempDir() + "tw-check-out-" + id + ".txt";
  const std::string err = ::testing::TempDir() + "tw-check-err-" + id + ".txt";
  // A window that opened by mistake would wait for a person: the time limit ends it.
  const std::string command = "QT_QPA_PLATFORM=offscreen timeout 60 " +
                              std::string(TALEWICK_PLAYER) + " " + args + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
}

std::string Demo() {
  return "'" + std::string(TALEWICK_SOURCE_DIR) + "/games/demo'";
}

TEST(CheckCommandTest, TheDemoGamePasses) {
  // One line says so, with the folder as it was named (a trailing "/" dropped).
  const ProgramRun run = RunCheck("--check " + Demo());
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out, std::string(TALEWICK_SOURCE_DIR) + "/games/demo: no problems found\n");
  EXPECT_EQ(RunCheck("--check '" + std::string(TALEWICK_SOURCE_DIR) + "/games/demo/'").out,
            run.out);
  const ProgramRun json = RunCheck("--check --json " + Demo());
  EXPECT_EQ(json.status, 0) << json.err;
  const auto parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["ok"], true);
  EXPECT_TRUE(parsed["findings"].empty());
}

TEST(CheckCommandTest, AGameWithFaultsListsThemAndFails) {
  test::GameFolder game;
  std::vector<std::string> general = test::FullGeneralFields();
  general[4] = test::Quoted("Start");
  general[15] = test::Quoted("");  // no scheme
  general[31] = "#FALSE#";         // no pictures of its own for the inventory
  game.writeGeneral(general);
  game.write("Icons/hand.cur", "not a pointer");
  game.writeVariables({"Gold"});
  test::WriteFrame(game, "Start", {.timerOn = true, .timerTarget = "Nowhere"}, 1);
  test::WriteHotspot(game, "Start", 1, {.mustBeOne = {"Silver"}});
  const std::string folder = "'" + game.path() + "'";

  const ProgramRun run = RunCheck("--check " + folder);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out,
            "Areas/Start/1a.dat: field 12 (variables that must be 1): variable \"Silver\" is not "
            "declared in Config/Variables\n"
            "Config/General: field 38 (pointer): pointer \"Icons/hand.cur\" cannot be read as a "
            "picture (Invalid picture)\n"
            "Frames/Start.fme: field 8 (timer's frame): frame \"Nowhere\" does not exist (no "
            "Frames/Nowhere.fme)\n");

  const ProgramRun json = RunCheck("--json --check " + folder);
  EXPECT_EQ(json.status, 1);
  const auto parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["ok"], false);
  ASSERT_EQ(parsed["findings"].size(), 3u);
  EXPECT_EQ(parsed["findings"][2]["file"], "Frames/Start.fme");
  EXPECT_EQ(parsed["findings"][2]["field"], "field 8 (timer's frame)");
}

TEST(CheckCommandTest, AFolderThatIsNotAGameGivesStatus2) {
  test::GameFolder empty;  // sub-folders, no "General"
  ProgramRun run = RunCheck("--check '" + empty.path() + "'");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("is not a game folder: no Config/General"), std::string::npos) << run.err;
  run = RunCheck("--check --json '" + empty.path() + "nothing'");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(nlohmann::json::parse(run.out)["ok"], false);
  EXPECT_EQ(RunCheck("--check").status, 2);
  run = RunCheck("--check --dump-state " + Demo());
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--check takes only --json and a game folder"), std::string::npos);
  EXPECT_EQ(RunCheck("--json " + Demo()).status, 2);
}

}  // namespace
}  // namespace tw::checker

#endif
