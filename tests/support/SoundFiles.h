// Sound files for tests: WAV files written here, others made from them by the ffmpeg tool,
// MIDI files written byte by byte; and the measuring of recorded sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

// A PCM WAV file (16-bit) holding a sine wave of `hz` at `amplitude` (0-1 of full scale).
std::string SineWav(double seconds, double hz, double amplitude, int rate = 22050,
                    int channels = 1);
// A Standard MIDI File with one track: the notes (key numbers) one after another, each
// `ms` long, on a piano; no notes gives a file with only its end of track.
std::string MidiNotes(const std::vector<int>& keys, int ms = 250);
// A Standard MIDI File as loud and full as General MIDI allows: all 16 channels (drums on
// channel 10) at full channel volume and expression, four-note chords at velocity 127.
std::string LoudMidi(double seconds);
// Runs the ffmpeg tool quietly with these arguments; false when it failed or is missing.
bool RunFfmpeg(const std::string& arguments);

// A 16-bit stereo WAV file read back: interleaved samples; empty when it is not one.
struct Recording {
  int rate = 0;
  std::vector<std::int16_t> samples;
  std::size_t frames() const { return samples.size() / 2; }
  // Root mean square of both channels over [fromSeconds, toSeconds), 0-1 of full scale.
  double rms(double fromSeconds, double toSeconds) const;
  // The largest sample of both channels over [fromSeconds, toSeconds), 0-1 of full scale.
  double peak(double fromSeconds, double toSeconds) const;
};
Recording ReadWav(const std::string& path);

}  // namespace tw::test
