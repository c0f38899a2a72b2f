// FfmpegAudio: the audio stream of any file FFmpeg can demux and decode.
//
// One stream (the best audio stream of the file) is decoded and resampled to 44.1 kHz
// floats. Mono files are resampled as mono and doubled into both channels, so they keep
// their full level. Damaged packets are skipped; a decoder error ends the stream.
#include <cstring>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include "media/AudioStream.h"
#include "media/FfmpegHandles.h"
#include "platform/AudioOutput.h"

namespace tw::media {

namespace {

struct SwrCloser {
  void operator()(SwrContext* s) const { swr_free(&s); }
};

class FfmpegAudio : public AudioStream {
 public:
  explicit FfmpegAudio(std::string path) : path_(std::move(path)) {}

  bool open() {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path_.c_str(), nullptr, nullptr) < 0) return false;
    format_.reset(raw);
    if (avformat_find_stream_info(format_.get(), nullptr) < 0) return false;
    const AVCodec* codec = nullptr;
    stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream_ < 0 || !codec) return false;
    codec_.reset(avcodec_alloc_context3(codec));
    if (!codec_) return false;
    if (avcodec_parameters_to_context(codec_.get(), format_->streams[stream_]->codecpar) < 0) {
      return false;
    }
    if (avcodec_open2(codec_.get(), codec, nullptr) < 0) return false;
    if (codec_->sample_rate <= 0 || codec_->ch_layout.nb_channels <= 0) return false;
    packet_.reset(av_packet_alloc());
    frame_.reset(av_frame_alloc());
    return packet_ && frame_ && makeResampler();
  }

  int read(float* out, int frames) override {
    int written = 0;
    while (written < frames) {
      if (pendingPos_ >= pending_.size()) {
        pending_.clear();
        pendingPos_ = 0;
        if (!decodeMore()) break;
        continue;
      }
      const std::size_t available = (pending_.size() - pendingPos_) / 2;
      const std::size_t take = std::min<std::size_t>(available, static_cast<std::size_t>(frames - written));
      std::memcpy(out + 2 * written, pending_.data() + pendingPos_, take * 2 * sizeof(float));
      pendingPos_ += take * 2;
      written += static_cast<int>(take);
    }
    return written;
  }

  bool rewind() override {
    pending_.clear();
    pendingPos_ = 0;
    draining_ = false;
    finished_ = false;
    if (av_seek_frame(format_.get(), stream_, 0, AVSEEK_FLAG_BACKWARD) < 0 &&
        avformat_seek_file(format_.get(), -1, INT64_MIN, 0, 0, 0) < 0) {
      // Not seekable: start again from scratch.
      format_.reset();
      codec_.reset();
      swr_.reset();
      return open();
    }
    avcodec_flush_buffers(codec_.get());
    return makeResampler();
  }

 private:
  bool makeResampler() {
    AVChannelLayout in{};
    if (codec_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
      av_channel_layout_default(&in, codec_->ch_layout.nb_channels);
    } else if (av_channel_layout_copy(&in, &codec_->ch_layout) < 0) {
      return false;
    }
    mono_ = in.nb_channels == 1;
    AVChannelLayout outLayout{};
    av_channel_layout_default(&outLayout, mono_ ? 1 : 2);
    SwrContext* raw = nullptr;
    const int ok = swr_alloc_set_opts2(&raw, &outLayout, AV_SAMPLE_FMT_FLT, platform::kAudioRate,
                                       &in, codec_->sample_fmt, codec_->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&outLayout);
    swr_.reset(raw);
    return ok >= 0 && swr_ && swr_init(swr_.get()) >= 0;
  }

  // Converts one decoded frame (or, with none, what the resampler still holds).
  bool convert(const AVFrame* frame) {
    const int inSamples = frame ? frame->nb_samples : 0;
    const int capacity = swr_get_out_samples(swr_.get(), inSamples) + 32;
    if (capacity <= 0) return false;
    const int outChannels = mono_ ? 1 : 2;
    convertBuffer_.resize(static_cast<std::size_t>(capacity) * outChannels);
    auto* outPlane = reinterpret_cast<std::uint8_t*>(convertBuffer_.data());
    const int n = swr_convert(swr_.get(), &outPlane, capacity,
                              frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr,
                              inSamples);
    if (n <= 0) return false;
    pending_.resize(static_cast<std::size_t>(n) * 2);
    for (int i = 0; i < n; ++i) {
      if (mono_) {
        pending_[2 * i] = pending_[2 * i + 1] = convertBuffer_[i];
      } else {
        pending_[2 * i] = convertBuffer_[2 * i];
        pending_[2 * i + 1] = convertBuffer_[2 * i + 1];
      }
    }
    pendingPos_ = 0;
    return true;
  }

  // Fills pending_ with the next decoded sound; false at the end of the stream.
  bool decodeMore() {
    while (!finished_) {
      const int got = avcodec_receive_frame(codec_.get(), frame_.get());
      if (got == 0) {
        const bool converted = convert(frame_.get());
        av_frame_unref(frame_.get());
        if (converted) return true;
        continue;
      }
      if (got == AVERROR(EAGAIN)) {
        if (av_read_frame(format_.get(), packet_.get()) < 0) {
          // End of the file: drain the decoder once.
          if (draining_) {
            finished_ = true;
            break;
          }
          draining_ = true;
          avcodec_send_packet(codec_.get(), nullptr);
          continue;
        }
        if (packet_->stream_index == stream_) {
          // A damaged packet is skipped; the next one may decode.
          avcodec_send_packet(codec_.get(), packet_.get());
        }
        av_packet_unref(packet_.get());
        continue;
      }
      finished_ = true;  // AVERROR_EOF after draining, or a decoder that gave up
    }
    // What the resampler still holds (the tail of a rate conversion).
    return convert(nullptr);
  }

  std::string path_;
  std::unique_ptr<AVFormatContext, FormatCloser> format_;
  std::unique_ptr<AVCodecContext, CodecCloser> codec_;
  std::unique_ptr<SwrContext, SwrCloser> swr_;
  std::unique_ptr<AVPacket, PacketCloser> packet_;
  std::unique_ptr<AVFrame, FrameCloser> frame_;
  int stream_ = -1;
  bool mono_ = false;
  bool draining_ = false;
  bool finished_ = false;
  std::vector<float> pending_;  // interleaved stereo
  std::size_t pendingPos_ = 0;
  std::vector<float> convertBuffer_;
};

}  // namespace

std::unique_ptr<AudioStream> OpenFfmpegAudio(const std::string& path) {
  QuietLibraries();
  auto stream = std::make_unique<FfmpegAudio>(path);
  if (!stream->open()) return nullptr;
  return stream;
}

}  // namespace tw::media
