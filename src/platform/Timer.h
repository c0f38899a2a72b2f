// Timer: a timer element of a window (VB Timer control) over the platform's scheduler.
//
// As in VB a new timer is enabled with interval 0 (so it does not run); it fires every
// interval ms while enabled with an interval above 0, and every assignment of Interval or
// Enabled restarts the countdown. Destroying the timer (also from its own handler) removes
// it from the schedule. The scheduler must outlive its timers.
#pragma once

#include <functional>
#include <string>

#include "platform/Component.h"
#include "platform/TimerScheduler.h"

namespace tw::platform {

class Timer : public Component {
 public:
  explicit Timer(TimerScheduler& scheduler, std::string name = {});
  ~Timer() override;
  std::unique_ptr<Component> clone() const override;

  int interval() const;
  // VB accepts 0 to 65535; other values raise VbError 380 "Invalid property value".
  void setInterval(int ms);
  bool enabled() const;
  void setEnabled(bool enabled);
  // Enabled with an interval above 0.
  bool running() const;
  TimerId id() const { return id_; }

  std::function<void(Timer&)> onTimer;

 private:
  TimerScheduler& scheduler_;
  TimerId id_;
};

}  // namespace tw::platform
