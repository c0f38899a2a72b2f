// TimerScheduler: the schedule behind every timer of every window (pure C++, no clock of
// its own — the back end passes the time in).
//
// VB timer rules: a timer fires every Interval ms while it is enabled and its interval is
// above 0; setting Interval or Enabled (even to the same value) restarts its countdown;
// interval 0 stops it. Invariants kept here:
//   - runDue(now) fires due timers in order of due time; equal due times fire in the order
//     in which the timers were (re)started;
//   - a timer never fires again while its own handler is still running (handlers may run
//     nested event loops that call runDue again);
//   - a handler may stop, restart, create or destroy any timer, itself included;
//   - a late timer fires once and keeps its phase (missed periods are not caught up).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace tw::platform {

using TimerId = std::uint64_t;

class TimerScheduler {
 public:
  using Handler = std::function<void()>;
  using Clock = std::function<std::int64_t()>;

  // The clock is read when a countdown (re)starts.
  explicit TimerScheduler(Clock clock);
  ~TimerScheduler();
  TimerScheduler(const TimerScheduler&) = delete;
  TimerScheduler& operator=(const TimerScheduler&) = delete;

  // A new timer: disabled, interval 0.
  TimerId create(Handler handler = {});
  // Forgets a timer; a no-op for an unknown id. Safe inside the timer's own handler.
  void destroy(TimerId id);
  bool exists(TimerId id) const;

  void setHandler(TimerId id, Handler handler);
  // Both restart the countdown from now (VB semantics), whatever the old value was.
  void setInterval(TimerId id, int intervalMs);
  void setEnabled(TimerId id, bool enabled);
  int interval(TimerId id) const;
  bool enabled(TimerId id) const;
  // Enabled with an interval above 0.
  bool running(TimerId id) const;
  // Due time of a running timer.
  std::optional<std::int64_t> dueTime(TimerId id) const;

  // Fires every timer due at or before nowMs, in due order. Returns how many fired.
  int runDue(std::int64_t nowMs);
  // The earliest due time of a timer that may fire (not inside its own handler), so a
  // back end can sleep until then; nullopt when no timer runs.
  std::optional<std::int64_t> nextDue() const;

  std::int64_t now() const { return clock_(); }
  std::size_t size() const { return timers_.size(); }

 private:
  struct Entry {
    Handler handler;
    int intervalMs = 0;
    bool enabled = false;
    bool inHandler = false;
    std::int64_t due = 0;
    std::uint64_t startOrder = 0;  // ties between equal due times
  };

  Entry* find(TimerId id);
  const Entry* find(TimerId id) const;
  void restart(Entry& e);
  // The running timer that fires next, if due at nowMs.
  TimerId pickDue(std::int64_t nowMs) const;

  Clock clock_;
  std::map<TimerId, std::shared_ptr<Entry>> timers_;
  TimerId nextId_ = 1;
  std::uint64_t nextStartOrder_ = 1;
};

}  // namespace tw::platform
