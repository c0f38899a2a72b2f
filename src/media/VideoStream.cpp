// VideoStream: FFmpeg demuxing, decoding and conversion to 32-bit pixels.
#include "media/VideoStream.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include "media/FfmpegHandles.h"

namespace tw::media {

namespace {

struct ScaleCloser {
  void operator()(SwsContext* s) const { sws_freeContext(s); }
};

// The largest picture a game video may have; anything bigger is a damaged header.
constexpr int kMaxSide = 8192;

}  // namespace

struct VideoStream::Impl {
  std::unique_ptr<AVFormatContext, FormatCloser> format;
  std::unique_ptr<AVCodecContext, CodecCloser> codec;
  std::unique_ptr<AVPacket, PacketCloser> packet;
  std::unique_ptr<AVFrame, FrameCloser> frame;
  std::unique_ptr<SwsContext, ScaleCloser> scale;
  int stream = -1;
  double timeBase = 0;
  double frameSeconds = 1.0 / 15;
  double lastSeconds = -1;
  bool draining = false;
  bool finished = false;

  bool open(const std::string& path) {
    QuietLibraries();
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) return false;
    format.reset(raw);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) return false;
    const AVCodec* decoder = nullptr;
    stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (stream < 0 || !decoder) return false;
    AVStream* st = format->streams[stream];
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), st->codecpar) < 0) return false;
    codec->thread_count = 1;  // the decoding thread is ours already
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0) return false;
    if (codec->width <= 0 || codec->height <= 0 || codec->width > kMaxSide ||
        codec->height > kMaxSide) {
      return false;
    }
    timeBase = av_q2d(st->time_base);
    const AVRational rate = av_guess_frame_rate(format.get(), st, nullptr);
    if (rate.num > 0 && rate.den > 0) {
      const double seconds = av_q2d(av_inv_q(rate));
      if (seconds > 0.001 && seconds < 10) frameSeconds = seconds;
    }
    packet.reset(av_packet_alloc());
    frame.reset(av_frame_alloc());
    return packet && frame;
  }

  bool convert(VideoFrame& out) {
    const int w = frame->width;
    const int h = frame->height;
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
    scale.reset(sws_getCachedContext(scale.release(), w, h, static_cast<AVPixelFormat>(frame->format),
                                     w, h, AV_PIX_FMT_BGRA, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scale) return false;
    out.width = w;
    out.height = h;
    out.pixels.resize(static_cast<std::size_t>(w) * h);
    // BGRA bytes are 0xAARRGGBB words on a little-endian machine.
    std::uint8_t* planes[4] = {reinterpret_cast<std::uint8_t*>(out.pixels.data()), nullptr, nullptr,
                               nullptr};
    int strides[4] = {w * 4, 0, 0, 0};
    if (sws_scale(scale.get(), frame->data, frame->linesize, 0, h, planes, strides) != h) return false;
    const std::int64_t pts = frame->best_effort_timestamp;
    double seconds = pts == AV_NOPTS_VALUE ? lastSeconds + frameSeconds : pts * timeBase;
    if (seconds <= lastSeconds) seconds = lastSeconds + frameSeconds;
    lastSeconds = seconds;
    out.seconds = seconds;
    return true;
  }

  bool next(VideoFrame& out) {
    while (!finished) {
      const int got = avcodec_receive_frame(codec.get(), frame.get());
      if (got == 0) {
        const bool ok = convert(out);
        av_frame_unref(frame.get());
        if (ok) return true;
        continue;
      }
      if (got == AVERROR(EAGAIN)) {
        if (av_read_frame(format.get(), packet.get()) < 0) {
          if (draining) {
            finished = true;
            break;
          }
          draining = true;
          avcodec_send_packet(codec.get(), nullptr);
          continue;
        }
        if (packet->stream_index == stream) avcodec_send_packet(codec.get(), packet.get());
        av_packet_unref(packet.get());
        continue;
      }
      finished = true;
    }
    return false;
  }
};

VideoStream::VideoStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
VideoStream::~VideoStream() = default;

std::unique_ptr<VideoStream> VideoStream::open(const std::string& path) {
  auto impl = std::make_unique<Impl>();
  if (!impl->open(path)) return nullptr;
  return std::unique_ptr<VideoStream>(new VideoStream(std::move(impl)));
}

int VideoStream::width() const { return impl_->codec->width; }
int VideoStream::height() const { return impl_->codec->height; }
double VideoStream::frameSeconds() const { return impl_->frameSeconds; }
bool VideoStream::next(VideoFrame& frame) { return impl_->next(frame); }

}  // namespace tw::media
