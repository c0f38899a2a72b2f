// VideoPlayer: the decode-ahead worker and the hand-out by time.
#include "media/VideoPlayer.h"

namespace tw::media {

namespace {

constexpr std::size_t kFramesAhead = 6;

}  // namespace

std::unique_ptr<VideoPlayer> VideoPlayer::open(const std::string& path) {
  auto stream = VideoStream::open(path);
  if (!stream) return nullptr;
  return std::make_unique<VideoPlayer>(std::move(stream));
}

VideoPlayer::VideoPlayer(std::unique_ptr<VideoStream> stream)
    : stream_(std::move(stream)),
      width_(stream_->width()),
      height_(stream_->height()),
      frameSeconds_(stream_->frameSeconds()) {
  worker_ = std::thread([this] { decodeLoop(); });
}

VideoPlayer::~VideoPlayer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void VideoPlayer::decodeLoop() {
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [&] { return stopping_ || queue_.size() < kFramesAhead; });
    if (stopping_) return;
    lock.unlock();
    VideoFrame frame;
    const bool got = stream_->next(frame);
    lock.lock();
    if (got) {
      queue_.push_back(std::move(frame));
    } else {
      decodedAll_ = true;
    }
    changed_.notify_all();
    if (decodedAll_) return;
  }
}

std::optional<VideoFrame> VideoPlayer::frameAt(double seconds) {
  std::unique_lock lock(mutex_);
  std::optional<VideoFrame> due;
  while (true) {
    changed_.wait(lock, [&] { return !queue_.empty() || decodedAll_; });
    if (queue_.empty() || queue_.front().seconds > seconds) break;
    due = std::move(queue_.front());
    queue_.pop_front();
    lastShownSeconds_ = due->seconds;
    changed_.notify_all();
  }
  return due;
}

bool VideoPlayer::endedAt(double seconds) {
  std::unique_lock lock(mutex_);
  return decodedAll_ && queue_.empty() && seconds >= lastShownSeconds_ + frameSeconds_;
}

double VideoPlayer::knownSeconds() {
  std::lock_guard lock(mutex_);
  const double last = queue_.empty() ? lastShownSeconds_ : queue_.back().seconds;
  return last < 0 ? 0 : last + frameSeconds_;
}

}  // namespace tw::media
