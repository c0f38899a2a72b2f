// AnimatedPictures: the pairs, their frames on the timer, and their mouse events.
#include "effects/AnimatedPictures.h"

#include <algorithm>
#include <optional>

#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"

namespace tw {

namespace {
// Fine enough for the shortest picture time browsers honour (20 ms). The timer waits for
// the next picture due rather than ticking at this pace: a gull of 100 ms pictures wakes
// the player 10 times a second, not 100.
constexpr int kTickMs = 10;
}  // namespace

AnimatedPictures::AnimatedPictures(Game& game)
    : AniGifBox("AniGifBox"), TimerAniGif(game.platform().timers(), "TimerAniGif"), game_(game) {
  game_.PictureBox.add(AniGifBox.templ());
  TimerAniGif.setInterval(kTickMs);
  TimerAniGif.setEnabled(false);
  TimerAniGif.onTimer = [this](platform::Timer&) { tick(); };
  platform::Image& templ = AniGifBox.templ();
  templ.onMouseDown = [this](platform::Element& box, const platform::MouseEvent& e) {
    game_.SaveClickPos(box.left() + e.x, box.top() + e.y);
    game_.AreaClick(static_cast<std::int16_t>(box.index()), e.button);
  };
  templ.onMouseMove = [this](platform::Element&, const platform::MouseEvent&) {
    game_.GameArea_MouseMove();
  };
  templ.onDragDrop = [this](platform::Element& box, platform::Element& source, int x, int y) {
    const int index = box.index();
    if (!game_.Area.exists(index)) return;
    // The hotspot's own element is a placeholder; the drop point is the box's.
    const platform::Image& area = game_.Area[index];
    game_.Area_DragDrop(index, source, box.left() + x - area.left(), box.top() + y - area.top());
  };
}

int AnimatedPictures::newWithIndex(int index, const std::string& file, int left, int top,
                                   int speed) {
  if (file.empty() || index <= 0) return 0;
  platform::Image& box = AniGifBox.load(index);
  box.move(left, top);
  box.bringToFront();
  game_.SetDefaultPointer(box);
  update(index, file, speed);
  return index;
}

void AnimatedPictures::update(int index, const std::string& file, int speed) {
  if (game_.player().GameStopped) return;
  if (file.empty()) {
    animations_.erase(index);
    if (AniGifBox.exists(index) && index > 0) AniGifBox.unload(index);
    updateTimer();
    return;
  }
  try {
    const std::string path = ResolvedPath(game_.player(), file);
    if (!game_.player().files.exists(path)) return;
    Animation a;
    a.file = path;
    a.frames = platform::LoadAnimation(path);
    a.speed = SpeedValue(speed);
    Animation& stored = animations_[index] = std::move(a);
    start(index, stored);
  } catch (const std::exception&) {
    ShowStandardError(game_.player(), " Unable to load '" + file + "'.");
  }
}

void AnimatedPictures::start(int index, Animation& a) {
  a.current = 0;
  a.playing = true;
  a.nextMs = game_.platform().clockMs() + shownFor(a);
  if (AniGifBox.exists(index)) AniGifBox[index].setPicture(a.frames.front().picture);
  updateTimer();
}

std::int64_t AnimatedPictures::shownFor(const Animation& a) const {
  const std::int64_t ms = static_cast<std::int64_t>(a.frames[a.current].delayMs) * 50 / a.speed;
  return std::max<std::int64_t>(ms, 1);
}

void AnimatedPictures::removeAll() {
  animations_.clear();
  AniGifBox.unloadAll();
  updateTimer();
}

void AnimatedPictures::show(int index, bool visible) {
  if (!AniGifBox.exists(index) || index == 0) return;
  platform::Image& box = AniGifBox[index];
  box.setVisible(visible);
  if (visible) {
    // The pictures lie above every hotspot of the frame, below the inventory bar.
    box.bringToFront();
    game_.BringInventoryToFront();
  }
  auto it = animations_.find(index);
  if (it == animations_.end()) return;
  if (visible) {
    start(index, it->second);
  } else {
    it->second.playing = false;
    updateTimer();
  }
}

void AnimatedPictures::restartVisible() {
  for (auto& [index, a] : animations_) {
    if (AniGifBox.exists(index) && AniGifBox[index].visible()) start(index, a);
  }
}

void AnimatedPictures::tick() {
  const std::int64_t now = game_.platform().clockMs();
  for (auto& [index, a] : animations_) {
    if (!a.playing || a.frames.size() < 2) continue;
    bool moved = false;
    // Catch up in whole pictures, but never spend long on a clock that jumped far.
    for (int guard = 0; now >= a.nextMs && guard < 1000; ++guard) {
      a.current = (a.current + 1) % a.frames.size();
      a.nextMs += shownFor(a);
      moved = true;
    }
    if (now >= a.nextMs) a.nextMs = now + shownFor(a);
    if (moved && AniGifBox.exists(index)) AniGifBox[index].setPicture(a.frames[a.current].picture);
  }
  updateTimer();
}

void AnimatedPictures::updateTimer() {
  std::optional<std::int64_t> next;
  for (const auto& [index, a] : animations_) {
    if (a.playing && a.frames.size() > 1) next = next ? std::min(*next, a.nextMs) : a.nextMs;
  }
  if (!next) {
    if (TimerAniGif.enabled()) TimerAniGif.setEnabled(false);
    return;
  }
  const std::int64_t wait = *next - game_.platform().clockMs();
  TimerAniGif.setInterval(static_cast<int>(std::clamp<std::int64_t>(wait, kTickMs, 60000)));
  if (!TimerAniGif.enabled()) TimerAniGif.setEnabled(true);
}

void AnimatedPictures::paintStills(platform::PictureBox& box) {
  for (const auto& [index, a] : animations_) {
    if (!AniGifBox.exists(index) || index == 0) continue;
    const platform::Image& element = AniGifBox[index];
    if (!element.visible()) continue;
    const auto& entry = game_.AreaAnimation;
    if (auto it = entry.find(index); it == entry.end() || it->second <= 0) continue;
    const std::shared_ptr<const platform::Picture> still = platform::Picture::load(a.file);
    box.drawPicture(*still, element.left() / 15, element.top() / 15);
  }
}

int AnimatedPictures::playing() const {
  int count = 0;
  for (const auto& [index, a] : animations_) count += a.playing ? 1 : 0;
  return count;
}

int AnimatedPictures::currentFrame(int index) const {
  auto it = animations_.find(index);
  return it == animations_.end() ? -1 : static_cast<int>(it->second.current);
}

}  // namespace tw
