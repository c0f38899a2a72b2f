// FfmpegHandles: owning pointers for FFmpeg's contexts, packets and frames, so every decoder
// frees them the same way, and the one switch that keeps FFmpeg's log quiet.
// Inside src/media only: the game code never sees FFmpeg types.
#pragma once

#include <memory>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace tw::media {

struct FormatCloser {
  void operator()(AVFormatContext* f) const { avformat_close_input(&f); }
};
struct CodecCloser {
  void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketCloser {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameCloser {
  void operator()(AVFrame* f) const { av_frame_free(&f); }
};

// Damaged game files are expected; FFmpeg's complaints about them are not for the player.
inline void QuietLibraries() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

}  // namespace tw::media
