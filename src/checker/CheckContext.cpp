#include "checker/CheckContext.h"

#include <exception>
#include <fstream>

#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "media/AudioStream.h"
#include "media/VideoStream.h"
#include "platform/Picture.h"
#include "platform/headless/HeadlessPlatform.h"
#include "project/DataFileLocator.h"
#include "project/InitializeProject.h"
#include "project/Player.h"
#include "project/ProjectFolders.h"

namespace tw::checker {

namespace {

const char* KindWord(FileKind kind) {
  switch (kind) {
    case FileKind::Picture:
      return "picture";
    case FileKind::Pointer:
      return "pointer";
    case FileKind::Sound:
      return "sound";
    case FileKind::Video:
      return "video";
  }
  return "file";
}

std::string Quote(const std::string& text) {
  return "\"" + text + "\"";
}

// Whether the file has at least one byte that can be read.
bool HasBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char c = 0;
  return in && in.get(c);
}

}  // namespace

std::string GameFolderTrouble(const std::string& folder) {
  FileResolver files;
  const std::string shown = Quote(folder);
  if (!files.isDirectory(folder)) {
    if (files.exists(folder)) return shown + " is not a game folder: it is a file";
    return shown + " is not a game folder: it does not exist";
  }
  const std::string general = WithTrailingSlash(folder) + "Config/General";
  if (!files.exists(general) || files.isDirectory(general)) {
    return shown + " is not a game folder: no Config/General";
  }
  return "";
}

CheckContext::CheckContext(const std::string& gameFolder)
    : platform_(std::make_unique<platform::HeadlessPlatform>()),
      player_(std::make_unique<Player>(*platform_, gameFolder)) {
  // The same start-up as the player's: folders, message table, "General".
  PresetProjectFolder(*player_, gameFolder);
  InitializeProject(*player_);
  // A stopped game's locator looks files up without its missing-file box.
  player_->GameStopped = true;
  root_ = WithTrailingSlash(
      files().resolve(player_->folders.ProjectFolder).value_or(player_->folders.ProjectFolder));
}

CheckContext::~CheckContext() = default;

FileResolver& CheckContext::files() {
  return player_->files;
}

const ProjectFolders& CheckContext::folders() const {
  return player_->folders;
}

std::string CheckContext::shown(const std::string& path) {
  const std::string real = files().resolve(path).value_or(ToNativeSeparators(path));
  for (const std::string& base : {root_, player_->folders.ProjectFolder}) {
    if (real.compare(0, base.size(), base) == 0) return NameToUtf8(real.substr(base.size()));
  }
  return NameToUtf8(real);
}

void CheckContext::report(const std::string& path, std::string field, std::string problem) {
  findings_.push_back({shown(path), std::move(field), std::move(problem)});
}

bool CheckContext::listedOnCd(const std::string& name) const {
  const std::string file = FileNameOfPath(name);
  for (const CdIndexEntry& entry : cdIndex_.entries) {
    if (EqualsNoCase(entry.name, file)) return true;
  }
  return false;
}

void CheckContext::checkDataFile(const std::string& path, const std::string& field,
                                 const std::string& folder, const std::string& name,
                                 FileKind kind) {
  if (name.empty()) {
    report(path, field, std::string("names no ") + KindWord(kind) + " file");
    return;
  }
  const std::string wanted = folder + name;
  const std::string located = LocateDataFile(*player_, wanted);
  const std::string shownName = shown(wanted);
  if (FindFileName(*player_, located).empty()) {
    if (listedOnCd(name)) return;  // on one of the game's CDs, which the checker cannot see
    report(path, field, std::string(KindWord(kind)) + " " + Quote(shownName) + " does not exist");
    return;
  }
  checkReadable(path, shownName, field, ResolvedPath(*player_, located), kind);
}

void CheckContext::checkReadable(const std::string& path, const std::string& shownName,
                                 const std::string& field, const std::string& located,
                                 FileKind kind) {
  // Many hotspots name the same few sounds and pictures: each file is opened once.
  const auto key = std::make_pair(located, kind);
  auto it = decoded_.find(key);
  if (it == decoded_.end()) it = decoded_.emplace(key, decodingProblem(located, kind)).first;
  if (!it->second.empty()) {
    report(path, field, std::string(KindWord(kind)) + " " + Quote(shownName) + " " + it->second);
  }
}

std::string CheckContext::decodingProblem(const std::string& located, FileKind kind) {
  if (files().isDirectory(located)) return "is a folder, not a file";
  if (!HasBytes(located)) return "is empty or cannot be read";
  switch (kind) {
    case FileKind::Picture:
    case FileKind::Pointer:
      try {
        platform::Picture::load(located);
      } catch (const std::exception& e) {
        return std::string("cannot be read as a picture (") + e.what() + ")";
      }
      break;
    case FileKind::Sound:
      // A MIDI file is played by the synthesizer, which needs only its header.
      if (!media::LooksLikeMidi(located) && !media::OpenFfmpegAudio(located)) {
        return "cannot be decoded as a sound";
      }
      break;
    case FileKind::Video:
      if (!media::VideoStream::open(located)) return "cannot be decoded as a video";
      break;
  }
  return "";
}

bool CheckContext::frameExists(const std::string& name) {
  return !name.empty() && files().exists(player_->folders.FramesFolder + name + ".fme");
}

bool CheckContext::itemExists(const std::string& name) {
  return !name.empty() && files().exists(player_->folders.AreasFolder + name + ".obj");
}

void CheckContext::checkFrameName(const std::string& path, const std::string& field,
                                  const std::string& name) {
  if (name.empty()) {
    report(path, field, "names no frame");
  } else if (!frameExists(name)) {
    report(path, field, "frame " + Quote(name) + " does not exist (no Frames/" + name + ".fme)");
  }
}

void CheckContext::checkItemName(const std::string& path, const std::string& field,
                                 const std::string& name) {
  if (name.empty()) {
    report(path, field, "names no item");
  } else if (!itemExists(name)) {
    report(path, field, "item " + Quote(name) + " does not exist (no Areas/" + name + ".obj)");
  }
}

void CheckContext::declareVariable(const std::string& name, bool variant) {
  variables_.emplace(name, variant);
  folded_.emplace(FoldCase(name), name);
}

void CheckContext::checkListVariable(const std::string& path, const std::string& field,
                                     const std::string& name) {
  if (name.empty()) return;  // an empty entry changes nothing, and tests nothing
  if (const auto it = variables_.find(name); it != variables_.end()) {
    if (it->second) {
      report(
          path, field,
          "variable " + Quote(name) + " is a variant variable; lists reach integer variables only");
    }
    return;
  }
  if (const auto it = folded_.find(FoldCase(name)); it != folded_.end()) {
    report(path, field,
           "variable " + Quote(name) + " is declared as " + Quote(it->second) +
               " in Config/Variables; lists must match its case");
    return;
  }
  report(path, field, "variable " + Quote(name) + " is not declared in Config/Variables");
}

bool CheckContext::isVariableForScripts(const std::string& name) const {
  return folded_.count(FoldCase(name)) > 0;
}

}  // namespace tw::checker
