#include "support/SoundFiles.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>

namespace tw::test {

namespace {

void Le(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void Be(std::string& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
std::uint32_t ReadLe(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * i);
  return v;
}

}  // namespace

std::string SineWav(double seconds, double hz, double amplitude, int rate, int channels) {
  const auto frames = static_cast<std::uint32_t>(seconds * rate);
  const std::uint32_t data = frames * channels * 2;
  std::string out = "RIFF";
  Le(out, 36 + data, 4);
  out += "WAVEfmt ";
  Le(out, 16, 4);
  Le(out, 1, 2);
  Le(out, channels, 2);
  Le(out, rate, 4);
  Le(out, rate * channels * 2, 4);
  Le(out, channels * 2, 2);
  Le(out, 16, 2);
  out += "data";
  Le(out, data, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double v = amplitude * std::sin(2 * M_PI * hz * i / rate);
    const auto s = static_cast<std::int16_t>(std::lround(v * 32767));
    for (int c = 0; c < channels; ++c) Le(out, static_cast<std::uint16_t>(s), 2);
  }
  return out;
}

namespace {

// A variable-length quantity, as MIDI writes delta times.
std::string Vlq(int t) {
  std::string bytes;
  bytes += static_cast<char>(t & 0x7F);
  while (t >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (t & 0x7F)));
  return bytes;
}

// A format-0 file around one track's events, 480 ticks per quarter note.
std::string MidiFile(std::string track) {
  track += std::string("\x00\xFF\x2F\x00", 4);  // end of track
  std::string out = "MThd";
  Be(out, 6, 4);
  Be(out, 0, 2);
  Be(out, 1, 2);
  Be(out, 480, 2);
  out += "MTrk";
  Be(out, static_cast<std::uint32_t>(track.size()), 4);
  return out + track;
}

}  // namespace

std::string MidiNotes(const std::vector<int>& keys, int ms) {
  // 480 ticks per quarter note at the default 120 beats per minute: 960 ticks a second.
  const int ticks = ms * 960 / 1000;
  std::string track;
  const auto delta = [&](int t) { track += Vlq(t); };
  track += std::string("\x00\xC0\x00", 3);  // program change: piano
  for (int key : keys) {
    delta(0);
    track += static_cast<char>(0x90);
    track += static_cast<char>(key);
    track += static_cast<char>(100);
    delta(ticks);
    track += static_cast<char>(0x80);
    track += static_cast<char>(key);
    track += static_cast<char>(0);
  }
  return MidiFile(track);
}

bool RunFfmpeg(const std::string& arguments) {
  const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -y " + arguments;
  return std::system(command.c_str()) == 0;
}

std::string LoudMidi(double seconds) {
  std::string track;
  int wait = 0;  // ticks before the next event
  const auto event = [&](std::initializer_list<int> bytes) {
    track += Vlq(wait);
    wait = 0;
    for (int b : bytes) track += static_cast<char>(b);
  };
  // Loud programs: organs, guitars, strings, brass, leads.
  const int programs[16] = {0, 16, 19, 30, 48, 56, 61, 62, 80, 0, 29, 50, 57, 60, 65, 66};
  for (int ch = 0; ch < 16; ++ch) {
    event({0xC0 | ch, programs[ch]});
    event({0xB0 | ch, 7, 127});   // channel volume
    event({0xB0 | ch, 11, 127});  // expression
  }
  const int chords[4][4] = {{60, 64, 67, 72}, {57, 60, 64, 69}, {53, 57, 60, 65}, {55, 59, 62, 67}};
  const int drums[4] = {36, 38, 49, 55};  // bass drum, snare, crash and splash cymbals
  // One chord a second (960 ticks) on every channel, in its own octave.
  for (int second = 0; second < static_cast<int>(seconds); ++second) {
    for (int on : {0x90, 0x80}) {
      for (int ch = 0; ch < 16; ++ch) {
        for (int i = 0; i < 4; ++i) {
          const int key = ch == 9 ? drums[i] : chords[second % 4][i] + 12 * (ch % 4 - 1);
          event({on | ch, key, on == 0x90 ? 127 : 0});
        }
      }
      wait = on == 0x90 ? 950 : 10;
    }
  }
  return MidiFile(track);
}

double Recording::rms(double fromSeconds, double toSeconds) const {
  const auto from = static_cast<std::size_t>(std::max(0.0, fromSeconds) * rate) * 2;
  const auto to = std::min(samples.size(), static_cast<std::size_t>(toSeconds * rate) * 2);
  if (to <= from) return 0;
  double sum = 0;
  for (std::size_t i = from; i < to; ++i) {
    const double v = samples[i] / 32768.0;
    sum += v * v;
  }
  return std::sqrt(sum / static_cast<double>(to - from));
}

double Recording::peak(double fromSeconds, double toSeconds) const {
  const auto from = static_cast<std::size_t>(std::max(0.0, fromSeconds) * rate) * 2;
  const auto to = std::min(samples.size(), static_cast<std::size_t>(toSeconds * rate) * 2);
  int largest = 0;
  for (std::size_t i = from; i < to; ++i) largest = std::max(largest, std::abs(int{samples[i]}));
  return largest / 32768.0;
}

Recording ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Recording r;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    return r;
  }
  if (ReadLe(bytes, 22, 2) != 2 || ReadLe(bytes, 34, 2) != 16) return r;
  r.rate = static_cast<int>(ReadLe(bytes, 24, 4));
  const std::size_t data = std::min<std::size_t>(ReadLe(bytes, 40, 4), bytes.size() - 44);
  r.samples.resize(data / 2);
  std::memcpy(r.samples.data(), bytes.data() + 44, r.samples.size() * 2);
  return r;
}

}  // namespace tw::test
