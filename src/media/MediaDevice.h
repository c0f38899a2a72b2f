// MediaDevice: our own multimedia command layer, the service behind Mmedia.
//
// It takes command strings and answers with reply texts:
//   open PATH alias A type (Sequencer|Waveaudio|AviVideo) [wait] [parent H] [style child]
//   put A window at L T W H        play A [window] [wait]        pause A      resume A
//   stop A      seek A to N        close A      status A (mode|length|position)
// PATH may be in double quotes. Words are matched without regard to case. A command that
// fails (an unknown alias, a file that does not open, a malformed command) answers "" and
// reports failure. Mode answers "playing", "paused" or "stopped"; length and position are
// milliseconds.
//
// A video plays into a window of its own: a picture element placed in the host area named by
// its handle (handleOf), at the host's top-left corner at the video's size, or where a put
// command stretches it. Pictures follow the platform's clock from the play command; the
// video's sound goes to the mixer's video track. Sound-only devices (Sequencer, Waveaudio)
// play on the same track. A click on the video window calls onVideoClick.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/VideoPlayer.h"
#include "platform/Element.h"
#include "platform/Image.h"

namespace tw::platform {
class Platform;
}

namespace tw::media {

class Mixer;

class MediaDevice {
 public:
  MediaDevice(platform::Platform& platform, Mixer& mixer);
  ~MediaDevice();
  MediaDevice(const MediaDevice&) = delete;
  MediaDevice& operator=(const MediaDevice&) = delete;

  // The handle under which the host area can be named in an open command.
  std::int64_t handleOf(platform::Element& host);
  // Carries out one command; `ok` (if given) receives whether it succeeded.
  std::string send(const std::string& command, bool* ok = nullptr);
  // Moves every playing video on to the platform clock's time.
  void update();
  // The window of a device (tests look at what it shows); nullptr when there is none.
  const platform::Image* videoWindow(const std::string& alias) const;
  // Every command sent, in order.
  // The last commands sent (at most 100), oldest first.
  const std::deque<std::string>& history() const { return history_; }

  std::function<void()> onVideoClick;

 private:
  struct Device;
  Device* find(const std::string& alias);
  void start(Device& d);
  void stopDevice(Device& d);
  void updateDevice(Device& d);
  std::string open(const std::vector<std::string>& words, bool& ok);

  platform::Platform& platform_;
  Mixer& mixer_;
  std::map<std::string, std::unique_ptr<Device>> devices_;  // by lower-cased alias
  std::map<std::int64_t, std::weak_ptr<platform::Element*>> hosts_;
  std::int64_t nextHandle_ = 1001;
  std::deque<std::string> history_;
};

}  // namespace tw::media
