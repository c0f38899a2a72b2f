// HeadlessAudioOutput: rendering on the virtual clock and the WAV recording.
#include "platform/headless/HeadlessAudioOutput.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tw::platform {

namespace {

constexpr int kChunkFrames = 4096;

void PutLe32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutLe16(std::uint8_t* at, std::uint16_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

// The 44-byte header of a PCM WAV file holding dataBytes bytes of sound.
std::array<std::uint8_t, 44> WavHeader(std::uint32_t dataBytes) {
  std::array<std::uint8_t, 44> h{};
  std::memcpy(h.data(), "RIFF", 4);
  PutLe32(h.data() + 4, 36 + dataBytes);
  std::memcpy(h.data() + 8, "WAVEfmt ", 8);
  PutLe32(h.data() + 16, 16);
  PutLe16(h.data() + 20, 1);  // PCM
  PutLe16(h.data() + 22, kAudioChannels);
  PutLe32(h.data() + 24, kAudioRate);
  PutLe32(h.data() + 28, kAudioRate * kAudioChannels * 2);
  PutLe16(h.data() + 32, kAudioChannels * 2);
  PutLe16(h.data() + 34, 16);
  std::memcpy(h.data() + 36, "data", 4);
  PutLe32(h.data() + 40, dataBytes);
  return h;
}

}  // namespace

HeadlessAudioOutput::~HeadlessAudioOutput() { stopRecording(); }

void HeadlessAudioOutput::catchUp(std::int64_t clockMs) {
  const std::int64_t target = clockMs * kAudioRate / 1000;
  while (rendered_ < target) {
    const int frames = static_cast<int>(std::min<std::int64_t>(kChunkFrames, target - rendered_));
    scratch_.assign(static_cast<std::size_t>(frames) * kAudioChannels, 0);
    if (source_) source_->renderAudio(scratch_.data(), frames);
    rendered_ += frames;
    if (wav_ && !wavFailed_) {
      // Samples are written little-endian, as WAV wants, on every machine.
      std::vector<std::uint8_t> bytes(scratch_.size() * 2);
      for (std::size_t i = 0; i < scratch_.size(); ++i) {
        PutLe16(bytes.data() + 2 * i, static_cast<std::uint16_t>(scratch_[i]));
      }
      if (std::fwrite(bytes.data(), 1, bytes.size(), wav_.get()) != bytes.size()) wavFailed_ = true;
      wavBytes_ += bytes.size();
    }
  }
}

bool HeadlessAudioOutput::recordTo(const std::string& path) {
  stopRecording();
  wav_.reset(std::fopen(path.c_str(), "wb"));
  wavBytes_ = 0;
  wavFailed_ = false;
  if (!wav_) return false;
  const auto header = WavHeader(0);
  if (std::fwrite(header.data(), 1, header.size(), wav_.get()) != header.size()) wavFailed_ = true;
  return !wavFailed_;
}

bool HeadlessAudioOutput::stopRecording() {
  if (!wav_) return true;
  // A WAV file cannot say more than 4 GB; the sizes saturate (over 6 hours of sound).
  const std::uint32_t data = static_cast<std::uint32_t>(std::min<std::uint64_t>(wavBytes_, 0xFFFFFFD0u));
  const auto header = WavHeader(data);
  bool ok = !wavFailed_ && std::fseek(wav_.get(), 0, SEEK_SET) == 0 &&
            std::fwrite(header.data(), 1, header.size(), wav_.get()) == header.size();
  ok = (std::fclose(wav_.release()) == 0) && ok;
  return ok;
}

}  // namespace tw::platform
