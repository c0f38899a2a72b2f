#include "game/ReadAloud.h"

#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/Speech.h"
#include "project/ReadAloudSetting.h"

namespace tw {

namespace {
constexpr int kKeyEscape = 27;
}  // namespace

ReadAloud::ReadAloud(Game& game)
    : mnuReadAloud("mnuReadAloud", "Read Messages Aloud"),
      TimerPointerRest(game.platform().timers(), "TimerPointerRest"),
      TimerSpeechService(game.platform().timers(), "TimerSpeechService"),
      game_(game) {
  game_.platform().setReadingAloud(ReadAloudChosen(game_.player()));
  game_.mnuOptions.add(mnuReadAloud);
  mnuReadAloud.setCheckable(true);
  mnuReadAloud.onClick = [this](platform::MenuItem&) { setEnabled(!enabled()); };

  TimerPointerRest.setInterval(kRestMs);
  TimerPointerRest.setEnabled(false);
  TimerPointerRest.onTimer = [this](platform::Timer&) { TimerPointerRest_Timer(); };
  game_.window.onPointerMoved = [this](platform::Window&) { pointerMoved(); };

  // Esc keeps its meaning for the game (the menus, a skipped video) and also silences.
  game_.window.onKeyDown = [this, keys = std::move(game_.window.onKeyDown)](
                               platform::Window& window, int key, int shift) {
    if (key == kKeyEscape) game_.platform().stopReading();
    if (keys) keys(window, key, shift);
  };

  TimerSpeechService.setInterval(kServiceCheckMs);
  TimerSpeechService.onTimer = [this](platform::Timer&) { showServiceState(); };
  showServiceState();
}

ReadAloud::~ReadAloud() {
  game_.window.onPointerMoved = nullptr;
}

bool ReadAloud::enabled() const {
  return game_.platform().readingAloud();
}

void ReadAloud::setEnabled(bool on) {
  RememberReadAloud(game_.player(), on);
  game_.platform().setReadingAloud(on);
  readTip_.clear();
  showServiceState();
}

void ReadAloud::showServiceState() {
  const platform::Speech::State state = game_.platform().speech().state();
  const bool missing = state == platform::Speech::State::Missing;
  mnuReadAloud.setEnabled(!missing);
  mnuReadAloud.setChecked(enabled() && !missing);
  mnuReadAloud.setToolTip(missing ? kInstallHint : "");
  TimerSpeechService.setEnabled(state == platform::Speech::State::Starting);
}

std::string ReadAloud::tipUnderPointer() {
  const auto& at = game_.window.lastPointer();
  return at ? game_.window.targetAt(at->x, at->y).toolTip() : std::string();
}

void ReadAloud::pointerMoved() {
  if (!enabled()) return;
  const std::string tip = tipUnderPointer();
  if (tip != readTip_) readTip_.clear();
  // Every move starts the rest over.
  TimerPointerRest.setEnabled(false);
  TimerPointerRest.setEnabled(!tip.empty() && tip != readTip_);
}

void ReadAloud::TimerPointerRest_Timer() {
  TimerPointerRest.setEnabled(false);
  const std::string tip = tipUnderPointer();
  if (tip.empty() || tip == readTip_) return;
  readTip_ = tip;
  game_.platform().readAloud(tip);
}

}  // namespace tw
