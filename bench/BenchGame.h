// BenchGame: small game folders written by the benchmarks themselves, and a headless player
// started on them, so a benchmark times the same code the program runs.
//
// The folder lives in the temporary directory and goes with the object. Its folders are
// dated an hour back once written (`age()`): the resolver lists a folder again while it has
// changed within the last seconds, which a freshly written game always has and a real one
// never has.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <QColor>
#include <QImage>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/GameSession.h"
#include "game/Game.h"
#include "platform/Canvas.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tw::bench {

namespace fs = std::filesystem;

inline std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

class BenchGame {
 public:
  BenchGame() {
    static std::atomic<int> serial{0};
    root_ = fs::temp_directory_path() /
            ("talewick-bench-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(root_);
  }
  ~BenchGame() { fs::remove_all(root_); }
  BenchGame(const BenchGame&) = delete;
  BenchGame& operator=(const BenchGame&) = delete;

  std::string folder() const { return root_.string(); }
  fs::path path(const std::string& relative) const { return root_ / relative; }

  void write(const std::string& relative, const std::vector<std::string>& lines) const {
    const fs::path file = root_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (const std::string& line : lines) out << line << "\r\n";
  }

  // "General" of a 1024 x 768 (or other size) game that starts on `start`.
  void general(const std::string& start, int width = 1024, int height = 768) const {
    write("Config/General", {Quoted("BENCH"), Quoted(""), Quoted("Bench"), "0", Quoted(start),
                             Quoted("1"), std::to_string(width), std::to_string(height),
                             Quoted(""), Quoted(""), Quoted("")});
  }

  // A frame whose background is a picture (type 1) or a colour (type 0).
  void frame(const std::string& name, int type, const std::string& value, int hotspots) const {
    write("Frames/" + name + ".fme", {std::to_string(type), Quoted(value), "#FALSE#", "#FALSE#",
                                      Quoted(""), "#FALSE#", Quoted("0"), Quoted(""), Quoted(""),
                                      "0"});
    if (hotspots > 0) write("Frames/" + name + ".lks", {std::to_string(hotspots)});
  }

  // Hotspot n of a frame: a 40 x 30 pixel rectangle on a grid, shown unless the variable
  // `hideIf` (when named) is 1; no speed field, as most editors' files have none.
  void hotspot(const std::string& frame, int n, const std::string& picture = "",
               const std::string& hideIf = "") const {
    const int x = (n * 45) % 1000, y = ((n * 45) / 1000 * 35) % 740;
    write("Areas/" + frame + "/" + std::to_string(n) + "a.dat",
          {std::to_string(x * 15), std::to_string(y * 15), "600", "450", "0",
           picture.empty() ? "#FALSE#" : "#TRUE#", Quoted(picture), "0", Quoted(""),
           hideIf.empty() ? "0" : "1", "0", hideIf.empty() ? "0" : "1",
           hideIf.empty() ? "" : Quoted(hideIf)});
  }

  void text(const std::string& frame, int n) const {
    write("Areas/" + frame + "/t" + std::to_string(n) + ".lbl",
          {Quoted("A line of text number " + std::to_string(n)), std::to_string(300 + n * 900),
           "600", "#FALSE#", "#FALSE#", Quoted("Arial"), "12", "#FALSE#", "#FALSE#", "65535"});
  }

  // A photograph-like picture (every pixel different, so the encoder cannot shortcut it),
  // tinted by `seed` so that pictures differ; saved by its extension (jpg, bmp).
  void picture(const std::string& relative, int width, int height, int seed) const {
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < width; ++x) {
        line[x] = qRgb((x + seed * 37) & 255, (y * 3 + seed * 11) & 255, ((x ^ y) + seed) & 255);
      }
    }
    const fs::path file = root_ / relative;
    fs::create_directories(file.parent_path());
    img.save(QString::fromStdString(file.string()), nullptr, 85);
  }

  // Dates every folder an hour back (see the header comment).
  void age() const {
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
      if (entry.is_directory()) fs::last_write_time(entry.path(), past);
    }
    fs::last_write_time(root_, past);
  }

 private:
  fs::path root_;
};

// A headless player that has pressed Start on a game.
class BenchPlayer {
 public:
  explicit BenchPlayer(const BenchGame& game) : session_(platform_, game.folder()) {
    if (session_.initialize()) session_.start();
  }
  Game* game() { return session_.game(); }
  platform::HeadlessPlatform& platform() { return platform_; }
  std::size_t boxes() const { return platform_.boxes().size(); }

 private:
  platform::HeadlessPlatform platform_;
  GameSession session_;
};

// The game area's drawn pixel at (x, y), 0xAARRGGBB.
inline std::uint32_t AreaPixel(Game& game, int x, int y) {
  return game.PictureBox.canvas().pixel(x, y);
}

// Peak resident memory of this process so far, in MiB.
inline double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace tw::bench
