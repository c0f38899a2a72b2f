// How fast a replay plays: a 500-click walk through a 20-frame game, headless, from the
// replay file to the state dump.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/Replay.h"

namespace {

namespace fs = std::filesystem;

void WriteLines(const fs::path& file, const std::vector<std::string>& lines) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

std::vector<std::string> Frame(int colour, const std::string& timerTarget = "") {
  std::vector<std::string> f = {"0", "\"" + std::to_string(colour) + "\"", "#FALSE#", "#FALSE#",
                                "\"\"", timerTarget.empty() ? "#FALSE#" : "#TRUE#", "\"60\"",
                                "\"" + timerTarget + "\"", "\"\"", "0"};
  return f;
}

std::vector<std::string> Action(const std::string& goTo, bool back, const std::string& variable) {
  std::vector<std::string> a = {variable.empty() ? "0" : "1", "\"" + variable + "\"", "0", "0",
                                "1", "0", "\"\"", "0", "\"\"", "0", "0",
                                goTo.empty() ? "0" : "1", "\"" + goTo + "\"",
                                "0", "0", "0", "\"\"", "#FALSE#", "#FALSE#", "0", "0", "0", "0",
                                "0", "0", "\"\"", "0", "\"\"", "0", "0", "0", back ? "1" : "0"};
  return a;
}

// Twenty frames in a ring; in each, hotspot 1 goes on, hotspot 2 goes back, hotspot 3 flips a
// variable that shows or hides hotspot 4.
class WalkGame {
 public:
  WalkGame() {
    root_ = fs::temp_directory_path() / ("talewick-walk-" + std::to_string(::getpid()));
    std::vector<std::string> general = {"\"WALK\"", "\"\"", "\"Walk\"", "0", "\"F0\"", "\"1\"",
                                        "640", "480", "\"\"", "\"\"", "\"\""};
    WriteLines(root_ / "Config/General", general);
    WriteLines(root_ / "Config/Variables", {"1", "\"Flag\""});
    for (int i = 0; i < 20; ++i) {
      const std::string name = "F" + std::to_string(i);
      WriteLines(root_ / "Frames" / (name + ".fme"), Frame(i * 1000));
      WriteLines(root_ / "Frames" / (name + ".lks"), {"4"});
      const fs::path areas = root_ / "Areas" / name;
      for (int h = 1; h <= 4; ++h) {
        WriteLines(areas / (std::to_string(h) + "a.dat"),
                   {std::to_string(h * 1500), "1500", "1200", "1200", "0", "#FALSE#", "\"\"", "0",
                    "\"\"", h == 4 ? "1" : "0", h == 4 ? "1" : "0", "\"Flag\"", "0"});
      }
      WriteLines(areas / "1b.dat", Action("F" + std::to_string((i + 1) % 20), false, ""));
      WriteLines(areas / "2b.dat", Action("", true, ""));
      WriteLines(areas / "3b.dat", Action("", false, "Flag"));
      WriteLines(areas / "4b.dat", Action("", false, ""));
    }
    std::ostringstream replay;
    for (int click = 0; click < 500; ++click) {
      const int hotspot = click % 5 == 4 ? 2 : click % 5 == 2 ? 3 : 1;
      replay << "click " << hotspot * 100 + 40 << " 140\n";
    }
    std::ofstream(root_ / "walk.txt") << replay.str();
    // An old folder: look-ups trust their cached listings.
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.is_directory()) fs::last_write_time(entry.path(), past);
    }
    fs::last_write_time(root_, past);
  }
  ~WalkGame() { fs::remove_all(root_); }
  std::string folder() const { return root_.string(); }
  std::string replay() const { return (root_ / "walk.txt").string(); }

 private:
  fs::path root_;
};

void BM_ReplayWalk500Clicks20Frames(benchmark::State& state) {
  WalkGame game;
  tw::ReplayOptions options;
  options.replayFile = game.replay();
  options.gameFolder = game.folder();
  options.dumpState = true;
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = tw::RunReplay(options, out, err);
    if (status != 0 || out.str().find("\"frame\"") == std::string::npos) {
      state.SkipWithError(("replay failed: " + err.str()).c_str());
      break;
    }
  }
}
BENCHMARK(BM_ReplayWalk500Clicks20Frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
