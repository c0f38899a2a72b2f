// VideoStream: the pictures of a video file, decoded to 0xRRGGBB pixels with their times.
//
// FFmpeg opens the file and decodes its best video stream (Cinepak, MS Video 1, MJPEG,
// Indeo, uncompressed, ...). Frames come in presentation order with their time in seconds
// from the start; a damaged packet is skipped. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw::media {

struct VideoFrame {
  double seconds = 0;  // when it is shown
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // rows top to bottom
};

class VideoStream {
 public:
  // nullptr when the file has no video stream that can be decoded.
  static std::unique_ptr<VideoStream> open(const std::string& path);
  ~VideoStream();

  int width() const;
  int height() const;
  double frameSeconds() const;  // how long one frame is shown
  // The next frame; false at the end.
  bool next(VideoFrame& frame);

 private:
  struct Impl;
  explicit VideoStream(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace tw::media
