// MediaDevice: parsing the command strings and driving the devices they name.
#include "media/MediaDevice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "media/Mixer.h"
#include "platform/Container.h"
#include "platform/Picture.h"
#include "platform/Platform.h"

namespace tw::media {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Words separated by blanks; a word in double quotes may hold blanks (the quotes go).
std::vector<std::string> Words(const std::string& command) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && std::isspace(static_cast<unsigned char>(command[i]))) ++i;
    if (i >= command.size()) break;
    std::string word;
    if (command[i] == '"') {
      const std::size_t end = command.find('"', i + 1);
      word = command.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
      i = end == std::string::npos ? command.size() : end + 1;
    } else {
      while (i < command.size() && !std::isspace(static_cast<unsigned char>(command[i]))) {
        word += command[i++];
      }
    }
    words.push_back(std::move(word));
  }
  return words;
}

bool ParseInt(const std::string& text, std::int64_t& value) {
  if (text.empty()) return false;
  std::size_t used = 0;
  try {
    value = std::stoll(text, &used);
  } catch (const std::exception&) {
    return false;
  }
  return used == text.size();
}

constexpr std::size_t kHistory = 100;

}  // namespace

struct MediaDevice::Device {
  std::string alias;
  std::string type;  // lower-cased
  std::string path;
  std::unique_ptr<VideoPlayer> video;
  std::unique_ptr<platform::Image> window;
  bool hasSound = false;
  bool playing = false;
  bool paused = false;
  std::int64_t startMs = 0;     // clock at the start of play, shifted by pauses
  std::int64_t pausedAtMs = 0;
  double shownSeconds = 0;      // where the pictures are

  ~Device() {
    if (window && window->parent()) window->parent()->remove(*window);
  }
};

MediaDevice::MediaDevice(platform::Platform& platform, Mixer& mixer)
    : platform_(platform), mixer_(mixer) {}

MediaDevice::~MediaDevice() {
  mixer_.videoSound().stop();
}

std::int64_t MediaDevice::handleOf(platform::Element& host) {
  for (const auto& [handle, ref] : hosts_) {
    if (platform::Lock(ref) == &host) return handle;
  }
  const std::int64_t handle = nextHandle_++;
  hosts_[handle] = host.weakRef();
  return handle;
}

MediaDevice::Device* MediaDevice::find(const std::string& alias) {
  const auto it = devices_.find(Lower(alias));
  return it == devices_.end() ? nullptr : it->second.get();
}

const platform::Image* MediaDevice::videoWindow(const std::string& alias) const {
  const auto it = devices_.find(Lower(alias));
  return it == devices_.end() ? nullptr : it->second->window.get();
}

std::string MediaDevice::open(const std::vector<std::string>& words, bool& ok) {
  if (words.size() < 2) return "";
  auto d = std::make_unique<Device>();
  d->path = words[1];
  std::int64_t parent = 0;
  for (std::size_t i = 2; i < words.size(); ++i) {
    const std::string w = Lower(words[i]);
    const bool hasValue = i + 1 < words.size();
    if (w == "alias" && hasValue) {
      d->alias = words[++i];
    } else if (w == "type" && hasValue) {
      d->type = Lower(words[++i]);
    } else if (w == "parent" && hasValue) {
      if (!ParseInt(words[++i], parent)) return "";
    } else if (w == "style" && hasValue) {
      ++i;  // child windows are the only kind
    } else if (w != "wait" && w != "shareable") {
      return "";
    }
  }
  if (d->alias.empty()) d->alias = d->path;
  if (find(d->alias)) return "";  // the alias is taken
  std::error_code ec;
  if (!std::filesystem::is_regular_file(d->path, ec)) return "";
  if (d->type == "avivideo") {
    d->video = VideoPlayer::open(d->path);
    if (!d->video) return "";
    d->window = std::make_unique<platform::Image>("VideoWindow");
    d->window->setStretch(true);
    d->window->setVisible(false);
    d->window->move(0, 0, d->video->width() * 15, d->video->height() * 15);
    d->window->onMouseDown = [this](platform::Element&, const platform::MouseEvent&) {
      if (onVideoClick) onVideoClick();
    };
    const auto host = hosts_.find(parent);
    if (host != hosts_.end()) {
      if (auto* container = dynamic_cast<platform::Container*>(platform::Lock(host->second))) {
        container->add(*d->window);
      }
    }
    // A sound track in a codec nobody decodes leaves the video silent.
    d->hasSound = mixer_.videoSound().setFile(d->path);
  } else if (d->type == "sequencer" || d->type == "waveaudio" || d->type.empty()) {
    d->hasSound = mixer_.videoSound().setFile(d->path);
    if (!d->hasSound) return "";
  } else {
    return "";
  }
  mixer_.videoSound().setVolume(0);
  mixer_.videoSound().setRepeatCount(1);
  ok = true;
  const std::string key = Lower(d->alias);
  devices_[key] = std::move(d);
  return "";
}

void MediaDevice::start(Device& d) {
  d.playing = true;
  d.paused = false;
  d.startMs = platform_.clockMs();
  d.shownSeconds = 0;
  if (d.window) d.window->setVisible(true);
  if (d.hasSound) mixer_.videoSound().play();
  updateDevice(d);
}

void MediaDevice::stopDevice(Device& d) {
  d.playing = false;
  d.paused = false;
  if (d.hasSound) mixer_.videoSound().stop();
}

void MediaDevice::updateDevice(Device& d) {
  if (!d.playing || d.paused) return;
  const double seconds = static_cast<double>(platform_.clockMs() - d.startMs) / 1000.0;
  if (d.video) {
    if (auto frame = d.video->frameAt(seconds)) {
      if (d.window) {
        d.window->setPicture(
            platform::Picture::fromPixels(frame->width, frame->height, frame->pixels.data()));
      }
      d.shownSeconds = frame->seconds;
    }
    if (d.video->endedAt(seconds) && !(d.hasSound && mixer_.videoSound().playing())) {
      stopDevice(d);
    }
  } else if (!mixer_.videoSound().playing()) {
    stopDevice(d);
  }
}

void MediaDevice::update() {
  for (auto& [alias, d] : devices_) updateDevice(*d);
}

std::string MediaDevice::send(const std::string& command, bool* okOut) {
  history_.push_back(command);
  if (history_.size() > kHistory) history_.pop_front();
  bool ok = false;
  std::string reply;
  const std::vector<std::string> words = Words(command);
  const std::string verb = words.empty() ? "" : Lower(words[0]);
  if (verb == "open") {
    reply = open(words, ok);
  } else if (words.size() >= 2) {
    if (Device* d = find(words[1])) {
      ok = true;
      if (verb == "play") {
        if (d->paused) {
          d->paused = false;
          d->startMs += platform_.clockMs() - d->pausedAtMs;
        } else {
          start(*d);
        }
        const bool wait = std::any_of(words.begin() + 2, words.end(),
                                      [](const std::string& w) { return Lower(w) == "wait"; });
        while (wait && d->playing && !platform_.quitRequested()) {
          platform_.sleepMs(10);
          updateDevice(*d);
        }
      } else if (verb == "stop") {
        stopDevice(*d);
      } else if (verb == "pause") {
        if (d->playing && !d->paused) {
          d->paused = true;
          d->pausedAtMs = platform_.clockMs();
        }
      } else if (verb == "resume") {
        if (d->paused) {
          d->paused = false;
          d->startMs += platform_.clockMs() - d->pausedAtMs;
        }
      } else if (verb == "seek") {
        // Only the start can be sought: the device goes back to the beginning, stopped.
        stopDevice(*d);
      } else if (verb == "close") {
        stopDevice(*d);
        devices_.erase(Lower(words[1]));
      } else if (verb == "put" && words.size() == 8 && Lower(words[2]) == "window" &&
                 Lower(words[3]) == "at") {
        std::int64_t r[4];
        for (int k = 0; k < 4; ++k) ok = ok && ParseInt(words[4 + k], r[k]);
        if (ok && d->window) {
          d->window->move(static_cast<int>(r[0] * 15), static_cast<int>(r[1] * 15),
                          static_cast<int>(std::max<std::int64_t>(0, r[2]) * 15),
                          static_cast<int>(std::max<std::int64_t>(0, r[3]) * 15));
        }
      } else if (verb == "status" && words.size() >= 3) {
        updateDevice(*d);
        const std::string what = Lower(words[2]);
        const std::int64_t elapsed =
            d->playing ? (d->paused ? d->pausedAtMs : platform_.clockMs()) - d->startMs : 0;
        if (what == "mode") {
          reply = d->paused ? "paused" : d->playing ? "playing" : "stopped";
        } else if (what == "position") {
          reply = std::to_string(std::max<std::int64_t>(0, elapsed));
        } else if (what == "length") {
          const double seconds = d->video ? d->video->knownSeconds() : 0;
          reply = std::to_string(static_cast<std::int64_t>(std::llround(seconds * 1000)));
        } else {
          ok = false;
        }
      } else {
        ok = false;
      }
    }
  }
  if (okOut) *okOut = ok;
  return ok ? reply : "";
}

}  // namespace tw::media
