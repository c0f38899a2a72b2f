// How fast a replay plays, headless, from the replay file to the state dump:
// - a 500-click walk through a 20-frame game of plain colours;
// - a walk through 1,000 distinct frames, each with its own 640 x 480 JPEG, whose peak
//   resident memory shows that what the player keeps per frame visited is bounded.
// Each checks that its clicks really moved the game: the replay must end on the frame the
// walk leads to, which is not the frame it starts on.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "BenchGame.h"
#include "app/Replay.h"
#include "platform/GuiForPainting.h"

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
        // Hotspot 4 is shown only while Flag is 1 (list A names it, list B is empty).
        std::vector<std::string> geometry = {std::to_string(h * 1500), "1500", "1200", "1200",
                                             "0", "#FALSE#", "\"\"", "0", "\"\""};
        if (h == 4) {
          geometry.insert(geometry.end(), {"1", "1", "\"Flag\"", "0"});
        } else {
          geometry.insert(geometry.end(), {"0", "0", "0"});
        }
        WriteLines(areas / (std::to_string(h) + "a.dat"), geometry);
      }
      WriteLines(areas / "1b.dat", Action("F" + std::to_string((i + 1) % 20), false, ""));
      WriteLines(areas / "2b.dat", Action("", true, ""));
      WriteLines(areas / "3b.dat", Action("", false, "Flag"));
      WriteLines(areas / "4b.dat", Action("", false, ""));
    }
    // Each group of five clicks goes on, flips the flag, goes on, flips it back and goes
    // back: one frame further. 100 groups lead round the ring five times, back to F0; one
    // more click on hotspot 1 ends on F1.
    std::ostringstream replay;
    replay << "start\n";
    for (int click = 0; click < 500; ++click) {
      const int hotspot = click % 5 == 4 ? 2 : click % 5 % 2 == 1 ? 3 : 1;
      replay << "click " << hotspot * 100 + 40 << " 140\n";
    }
    replay << "click 140 140\n";
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
    if (status != 0 || out.str().find("\"frame\": \"F1\"") == std::string::npos) {
      state.SkipWithError(("the walk did not end on F1: " + err.str() + out.str().substr(0, 200)).c_str());
      break;
    }
  }
}
BENCHMARK(BM_ReplayWalk500Clicks20Frames)->Unit(benchmark::kMillisecond);

// 1,000 frames in a line, each with its own 640 x 480 JPEG (copies of a few pictures under
// their own names) and one hotspot that leads on; the replay clicks through all of them.
// Peak RSS is the process's, so this benchmark is meant to run alone
// (--benchmark_filter=DistinctFrames); the figure is reported as a counter.
void BM_ReplayDistinctFrames(benchmark::State& state) {
  const int frames = static_cast<int>(state.range(0));
  tw::bench::BenchGame game;
  game.general("D0", 640, 480);
  for (int p = 0; p < 8; ++p) game.picture("Pictures/p" + std::to_string(p) + ".jpg", 640, 480, p);
  std::ostringstream replay;
  replay << "start\n";
  fs::create_directories(game.path("Frames"));
  for (int f = 0; f < frames; ++f) {
    const std::string name = "D" + std::to_string(f);
    fs::copy_file(game.path("Pictures/p" + std::to_string(f % 8) + ".jpg"),
                  game.path("Frames/" + name + ".jpg"));
    game.frame(name, 1, name + ".jpg", 1);
    game.hotspot(name, 1);
    game.write("Areas/" + name + "/1b.dat", Action("D" + std::to_string(f + 1), false, ""));
    if (f + 1 < frames) replay << "click 50 10\n";  // hotspot 1 lies at (45, 0), 40 x 30
  }
  game.write("walk.txt", {replay.str()});
  game.age();
  tw::ReplayOptions options;
  options.replayFile = game.path("walk.txt").string();
  options.gameFolder = game.folder();
  options.dumpState = true;
  const std::string last = "\"frame\": \"D" + std::to_string(frames - 1) + "\"";
  for (auto _ : state) {
    std::ostringstream out, err;
    const int status = tw::RunReplay(options, out, err);
    if (status != 0 || out.str().find(last) == std::string::npos) {
      state.SkipWithError(("the walk did not reach the last frame: " + err.str()).c_str());
      break;
    }
  }
  state.counters["peak_rss_MiB"] = tw::bench::PeakRssMiB();
}
BENCHMARK(BM_ReplayDistinctFrames)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  tw::platform::GuiForPainting gui;  // the pictures are written with Qt's encoders
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
