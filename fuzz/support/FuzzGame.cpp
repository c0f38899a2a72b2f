#include "support/FuzzGame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

#include <sys/stat.h>
#include <time.h>

#include "app/GameSession.h"
#include "app/ReplayRunner.h"
#include "app/ReplayScript.h"
#include "app/StateDump.h"
#include "common/TextEncoding.h"
#include "platform/GuiForPainting.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tw::fuzz {

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A relative path that stays inside the folder: no root, no "..", no empty component, not
// too deep.
bool SafeRelative(std::string_view relative) {
  if (relative.empty() || relative.size() > 200 || relative.front() == '/') return false;
  int depth = 0;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('/', start);
    if (end == std::string_view::npos) end = relative.size();
    const std::string_view part = relative.substr(start, end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != part.npos) {
      return false;
    }
    if (++depth > 4) return false;
    start = end + 1;
  }
  return true;
}

// Size, modification time and inode of a file; nullopt when it cannot be read.
std::optional<FileStamp> StampOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(st.st_size), st.st_mtim.tv_sec, st.st_mtim.tv_nsec,
                   static_cast<std::uint64_t>(st.st_ino)};
}

// Modified within the last second (the clock of file times is coarse and may lag).
bool Recent(const FileStamp& stamp) {
  struct timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  return now.tv_sec - stamp.seconds <= 1;
}

// The project's name, the first field of Config/General, under which its settings are kept.
std::string FirstQuotedField(const std::string& text) {
  const std::size_t open = text.find('"');
  const std::size_t close = open == std::string::npos ? open : text.find('"', open + 1);
  return close == std::string::npos ? "" : text.substr(open + 1, close - open - 1);
}

}  // namespace

FuzzGame::FuzzGame() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/talewick-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
  root_ = pattern + "/";
  folder_ = root_ + "game/";
  // MIDI music plays with a sound font that does not load, so it stays silent: reading a
  // General MIDI font (often over 100 MB) at every MIDI start would make each input ten
  // times slower, and the font's samples are the synthesiser's business, not ours.
  noSoundFont_ = root_ + "no-sound-font.sf2";
  WriteAll(noSoundFont_, "not a sound font");
  const fs::path demo = fs::path(TALEWICK_SOURCE_DIR) / "games" / "demo";
  fs::copy(demo, folder_, fs::copy_options::recursive);
  fs::copy_file(fs::path(TALEWICK_SOURCE_DIR) / "fuzz" / "support" / "fuzzbase.sav",
                fs::path(folder_) / "fuzzbase.sav");
  for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), folder_).generic_string();
    base_[relative] = BaseFile{ReadAll(entry.path()), {}};
  }
  remember();
  projectId_ = FirstQuotedField(base_.at("Config/General").bytes);
}

FuzzGame::~FuzzGame() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void FuzzGame::remember() {
  for (auto& [relative, file] : base_) file.stamp = StampOf(fs::path(folder_) / relative);
}

std::vector<std::string> FuzzGame::matching(std::string_view pattern) const {
  std::vector<std::string> out;
  for (const auto& [relative, file] : base_) {
    if (WildcardMatchNoCase(relative, pattern)) out.push_back(relative);
  }
  return out;
}

bool FuzzGame::put(std::string_view relative, std::string_view bytes) {
  if (!SafeRelative(relative)) return false;
  const fs::path path = fs::path(folder_) / std::string(relative);
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  // A folder already standing where the file should go: the input names both.
  if (ec || fs::is_directory(path, ec)) return false;
  WriteAll(path, bytes);
  return true;
}

void FuzzGame::restore() {
  std::set<std::string> seen;
  std::vector<fs::path> strays;
  for (auto it = fs::recursive_directory_iterator(folder_); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string relative = fs::relative(it->path(), folder_).generic_string();
    if (it->is_directory()) {
      // A folder of the base keeps its place; a new one goes with everything in it.
      const bool baseFolder = std::any_of(base_.begin(), base_.end(), [&](const auto& file) {
        return file.first.size() > relative.size() && file.first.compare(0, relative.size(), relative) == 0 &&
               file.first[relative.size()] == '/';
      });
      if (!baseFolder) {
        strays.push_back(it->path());
        it.disable_recursion_pending();
      }
      continue;
    }
    const auto base = base_.find(relative);
    if (base == base_.end()) {
      strays.push_back(it->path());
      continue;
    }
    seen.insert(relative);
    // A write changes the modification time, but only to the kernel's coarse clock (a few
    // ms): a file whose stamp is unchanged yet recent may have been written since it was put
    // back, so it is read and compared.
    const std::optional<FileStamp> now = StampOf(it->path());
    if (!base->second.stamp || now != base->second.stamp ||
        (Recent(*now) && ReadAll(it->path()) != base->second.bytes)) {
      WriteAll(it->path(), base->second.bytes);
      base->second.stamp = StampOf(it->path());
    }
  }
  for (const auto& stray : strays) fs::remove_all(stray);
  for (const auto& [relative, file] : base_) {
    if (seen.count(relative)) continue;
    const fs::path path = fs::path(folder_) / relative;
    fs::create_directories(path.parent_path());
    WriteAll(path, file.bytes);
    base_[relative].stamp = StampOf(path);
  }
}

void FuzzGame::play(const std::string& replayText) {
  // Qt's application object outlives every game: making one per input would be slow, and
  // Qt allows only one at a time anyway.
  static platform::GuiForPainting gui;
  const std::vector<ReplayLine> lines = ParseReplay(replayText);
  {
    platform::HeadlessPlatform platform;
    platform.settings().save(projectId_, "SoundFont", noSoundFont_);
    GameSession session(platform, folder_);
    std::ostringstream notes;
    if (session.initialize()) {
      // A game whose General names another project (the whole-game target writes its own)
      // would look the setting up under that name and find the system's General MIDI font:
      // ten times slower at each MIDI start, and FluidSynth keeps some memory at each.
      platform.settings().save(session.player().settings.ProjectId, "SoundFont", noSoundFont_);
      ReplayRunner runner(platform, session, lines, notes);
      std::string dump;
      runner.onEnd = [&] { dump = DumpState(session, platform); };
      try {
        runner.run();
      } catch (const ReplayError& e) {
        // The game did not offer what a line asks for (no box to answer, no window open).
        notes << e.what() << "\n";
      }
      // To see what an input did: the replay's notes and the state at its end.
      if (std::getenv("TALEWICK_FUZZ_SHOW")) std::fprintf(stderr, "%s%s\n", notes.str().c_str(), dump.c_str());
    }
  }
}

const std::vector<std::string>& FixedReplays() {
  // No line answers a box (a box nobody answers takes its default button), so a damaged
  // file that opens a box more or less does not stop the replay before its end.
  static const std::vector<std::string> replays = {
      "start\n"
      "click 320 250\n"
      "wait 1100\n"
      "click 252 412\n"
      "wait 300\n"
      "click 110 290\n"
      "move 400 300\n"
      "wait 300\n"
      "click 548 330\n"
      "wait 200\n",
      "start\n"
      "load fuzzbase\n"
      "wait 200\n"
      "click 100 220\n"
      "wait 400\n"
      "click 320 250\n"
      "wait 400\n"
      "click 526 414\n"
      "wait 400\n"
      "dragitem 3 4\n"
      "wait 200\n"
      "drag 3 320 250\n"
      "wait 200\n"
      "drag 2 320 250\n"
      "wait 400\n"
      "drag 1 494 320\n"
      "rclick 320 250\n"
      "key Escape\n"
      "wait 200\n"
      "save fuzzout\n"
      "load fuzzout\n"
      "wait 100\n",
  };
  return replays;
}

void FuzzGame::playAll() {
  for (const auto& replay : FixedReplays()) play(replay);
  restore();
}

}  // namespace tw::fuzz
