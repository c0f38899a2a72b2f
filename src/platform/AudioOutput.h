// AudioOutput: the one sound output of the program, and the source that fills it.
//
// Sound is 44.1 kHz, 16-bit, interleaved stereo. The output pulls: it asks its source for
// the next frames whenever it needs them. The real program's output asks from the sound
// device's own thread (or, without a device, from a thread that keeps real time and throws
// the sound away); the headless output asks on the game thread whenever the virtual clock
// moves, so the sound of a replay follows the replay's clock exactly. A source therefore
// never assumes which thread calls it, only that calls never overlap.
//
// A real output may stop asking while its source is idle (nothing would sound, and nothing
// waits for the silence to pass), so a silent game costs no time; the source calls wake()
// when it has something to sound again, and is then asked from where it left off, so
// nothing of the new sound is skipped.
#pragma once

#include <cstdint>

namespace tw::platform {

constexpr int kAudioRate = 44100;   // frames per second
constexpr int kAudioChannels = 2;   // left, right

class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Fills frames × 2 samples (left, right, left, ...).
  virtual void renderAudio(std::int16_t* stereo, int frames) = 0;
  // True while rendering gives only silence and moves nothing on. Callable from any thread.
  virtual bool idle() const { return false; }
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Attaches the source (nullptr detaches). When this returns, the old source is no longer
  // being called and never will be again.
  virtual void setSource(AudioSource* source) = 0;
  // False when sound is thrown away (no device); timing is kept either way.
  virtual bool audible() const = 0;
  // The source has something to sound again (any thread; never while rendering).
  virtual void wake() {}
};

}  // namespace tw::platform
