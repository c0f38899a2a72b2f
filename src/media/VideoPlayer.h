// VideoPlayer: a video's pictures, decoded ahead by a worker thread and handed out by time.
//
// The worker keeps a few decoded frames queued. The game thread asks for the frame due at a
// time; when that frame is not decoded yet it waits for the worker, so the frame shown at a
// given time never depends on how fast the worker was (replays on the virtual clock show
// the same frames on every run). The worker owns the decoder; the queue is guarded by one
// mutex.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "media/VideoStream.h"

namespace tw::media {

class VideoPlayer {
 public:
  // nullptr when the file holds no decodable video.
  static std::unique_ptr<VideoPlayer> open(const std::string& path);
  explicit VideoPlayer(std::unique_ptr<VideoStream> stream);
  ~VideoPlayer();
  VideoPlayer(const VideoPlayer&) = delete;
  VideoPlayer& operator=(const VideoPlayer&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  // The latest frame due at `seconds` from the start, if it is not the one handed out last.
  std::optional<VideoFrame> frameAt(double seconds);
  // Every frame has been shown for its time.
  bool endedAt(double seconds);
  // Seconds of video known so far (the end time of the last frame handed out or queued).
  double knownSeconds();

 private:
  void decodeLoop();

  std::unique_ptr<VideoStream> stream_;  // the worker's
  const int width_;
  const int height_;
  const double frameSeconds_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<VideoFrame> queue_;
  bool decodedAll_ = false;
  bool stopping_ = false;
  double lastShownSeconds_ = -1;
  std::thread worker_;
};

}  // namespace tw::media
