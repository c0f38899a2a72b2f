// Timer: forwards to the scheduler; the scheduler's handler calls onTimer.
#include "platform/Timer.h"

#include "vbscript/VbError.h"

namespace tw::platform {

Timer::Timer(TimerScheduler& scheduler, std::string name)
    : Component(ElementKind::Timer, std::move(name)), scheduler_(scheduler) {
  id_ = scheduler_.create([this] {
    // Copied: the handler may unload this timer (an element of an array) while it runs.
    auto handler = onTimer;
    if (handler) handler(*this);
  });
  scheduler_.setEnabled(id_, true);
}

Timer::~Timer() {
  scheduler_.destroy(id_);
}

std::unique_ptr<Component> Timer::clone() const {
  auto timer = std::make_unique<Timer>(scheduler_);
  timer->copyComponentProperties(*this);
  timer->onTimer = onTimer;
  timer->setInterval(interval());
  timer->setEnabled(enabled());
  return timer;
}

int Timer::interval() const {
  return scheduler_.interval(id_);
}

void Timer::setInterval(int ms) {
  if (ms < 0 || ms > 65535) throw vbs::VbError(380, "Invalid property value");
  scheduler_.setInterval(id_, ms);
}

bool Timer::enabled() const {
  return scheduler_.enabled(id_);
}
void Timer::setEnabled(bool enabled) {
  scheduler_.setEnabled(id_, enabled);
}
bool Timer::running() const {
  return scheduler_.running(id_);
}

}  // namespace tw::platform
