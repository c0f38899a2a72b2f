// AudioStream: a sound file decoded to 44.1 kHz interleaved stereo floats.
//
// OpenAudioStream picks the decoder by content: a file starting with a MIDI header goes to
// the synthesizer (MidiStream.cpp), everything else to FFmpeg (FfmpegAudio.cpp: wav with
// PCM or ADPCM, mp3, wma, the sound track of an avi, ...). It answers nullptr for a file
// that is missing, empty, not a sound file, or in a codec nobody decodes, so callers only
// ever see streams that opened. A stream is used by one thread at a time.
#pragma once

#include <memory>
#include <string>

namespace tw::media {

class AudioStream {
 public:
  virtual ~AudioStream() = default;
  // Decodes up to `frames` frames (2 floats each) into out; returns how many were written.
  // Fewer than asked only at the end of the stream (0: the end).
  virtual int read(float* out, int frames) = 0;
  // Back to the beginning; false when the stream cannot start again.
  virtual bool rewind() = 0;
};

// soundFont: the General MIDI sound font for MIDI files (empty: MIDI files stay silent).
std::unique_ptr<AudioStream> OpenAudioStream(const std::string& path, const std::string& soundFont);

// The decoders behind OpenAudioStream.
std::unique_ptr<AudioStream> OpenFfmpegAudio(const std::string& path);
std::unique_ptr<AudioStream> OpenMidiStream(const std::string& path, const std::string& soundFont);
bool LooksLikeMidi(const std::string& path);
// A file FluidSynth can take as a sound font: SoundFont 2 or 3 (RIFF form "sfbk") or DLS
// (RIFF form "DLS ").
bool LooksLikeSoundFont(const std::string& path);

}  // namespace tw::media
