// HeadlessAudioOutput: the sound output of tests and replays, driven by the virtual clock.
//
// Whenever the clock moves, the platform calls catchUp(clock): the source is asked for every
// frame between the last rendered one and the clock's time (44.1 frames per millisecond,
// counted from clock 0, so the number of frames depends only on the clock). The frames are
// written to a WAV file when one is being recorded, and otherwise dropped; nothing is ever
// heard. A WAV file's sizes are filled in when the recording stops (or the output goes).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/AudioOutput.h"

namespace tw::platform {

class HeadlessAudioOutput : public AudioOutput {
 public:
  HeadlessAudioOutput() = default;
  ~HeadlessAudioOutput() override;
  HeadlessAudioOutput(const HeadlessAudioOutput&) = delete;
  HeadlessAudioOutput& operator=(const HeadlessAudioOutput&) = delete;

  void setSource(AudioSource* source) override { source_ = source; }
  bool audible() const override { return false; }

  // Renders up to the clock's time in milliseconds.
  void catchUp(std::int64_t clockMs);
  std::int64_t framesRendered() const { return rendered_; }

  // Starts writing everything rendered from now on to a WAV file; false when the file
  // cannot be created.
  bool recordTo(const std::string& path);
  // Completes the WAV file; false when it could not be written completely.
  bool stopRecording();

 private:
  AudioSource* source_ = nullptr;
  std::int64_t rendered_ = 0;
  std::vector<std::int16_t> scratch_;
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, FileCloser> wav_;
  std::uint64_t wavBytes_ = 0;
  bool wavFailed_ = false;
};

}  // namespace tw::platform
