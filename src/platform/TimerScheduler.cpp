// TimerScheduler: see the header for the rules. Entries are shared_ptr so that a handler
// that destroys its own timer keeps running on a live entry (and a live std::function).
#include "platform/TimerScheduler.h"

#include <utility>

namespace tw::platform {

TimerScheduler::TimerScheduler(Clock clock) : clock_(std::move(clock)) {}
TimerScheduler::~TimerScheduler() = default;

TimerId TimerScheduler::create(Handler handler) {
  auto entry = std::make_shared<Entry>();
  entry->handler = std::move(handler);
  TimerId id = nextId_++;
  timers_.emplace(id, std::move(entry));
  return id;
}

void TimerScheduler::destroy(TimerId id) {
  timers_.erase(id);
}

bool TimerScheduler::exists(TimerId id) const {
  return timers_.count(id) != 0;
}

TimerScheduler::Entry* TimerScheduler::find(TimerId id) {
  auto it = timers_.find(id);
  return it == timers_.end() ? nullptr : it->second.get();
}

const TimerScheduler::Entry* TimerScheduler::find(TimerId id) const {
  auto it = timers_.find(id);
  return it == timers_.end() ? nullptr : it->second.get();
}

void TimerScheduler::restart(Entry& e) {
  e.due = clock_() + e.intervalMs;
  e.startOrder = nextStartOrder_++;
}

void TimerScheduler::setHandler(TimerId id, Handler handler) {
  if (Entry* e = find(id)) e->handler = std::move(handler);
}

void TimerScheduler::setInterval(TimerId id, int intervalMs) {
  if (Entry* e = find(id)) {
    e->intervalMs = intervalMs < 0 ? 0 : intervalMs;
    restart(*e);
  }
}

void TimerScheduler::setEnabled(TimerId id, bool enabled) {
  if (Entry* e = find(id)) {
    e->enabled = enabled;
    restart(*e);
  }
}

int TimerScheduler::interval(TimerId id) const {
  const Entry* e = find(id);
  return e ? e->intervalMs : 0;
}

bool TimerScheduler::enabled(TimerId id) const {
  const Entry* e = find(id);
  return e && e->enabled;
}

bool TimerScheduler::running(TimerId id) const {
  const Entry* e = find(id);
  return e && e->enabled && e->intervalMs > 0;
}

std::optional<std::int64_t> TimerScheduler::dueTime(TimerId id) const {
  const Entry* e = find(id);
  if (!e || !e->enabled || e->intervalMs <= 0) return std::nullopt;
  return e->due;
}

TimerId TimerScheduler::pickDue(std::int64_t nowMs) const {
  TimerId best = 0;
  const Entry* bestEntry = nullptr;
  for (const auto& [id, entry] : timers_) {
    const Entry& e = *entry;
    if (!e.enabled || e.intervalMs <= 0 || e.inHandler || e.due > nowMs) continue;
    if (!bestEntry || e.due < bestEntry->due ||
        (e.due == bestEntry->due && e.startOrder < bestEntry->startOrder)) {
      best = id;
      bestEntry = &e;
    }
  }
  return best;
}

int TimerScheduler::runDue(std::int64_t nowMs) {
  int fired = 0;
  // Each firing moves the timer's due time past nowMs (or marks it as in its handler),
  // so the loop ends: timers started by handlers are due after nowMs.
  for (TimerId id = pickDue(nowMs); id != 0; id = pickDue(nowMs)) {
    std::shared_ptr<Entry> entry = timers_.at(id);
    // Next period, keeping the phase; a late timer skips the periods it missed.
    std::int64_t next = entry->due + entry->intervalMs;
    if (next <= nowMs) {
      next += ((nowMs - next) / entry->intervalMs + 1) * entry->intervalMs;
    }
    entry->due = next;
    ++fired;
    if (!entry->handler) continue;
    // The handler is copied: it may replace or destroy its own timer while it runs.
    Handler handler = entry->handler;
    entry->inHandler = true;
    struct Reset {
      Entry& e;
      ~Reset() { e.inHandler = false; }
    } reset{*entry};
    handler();
  }
  return fired;
}

std::optional<std::int64_t> TimerScheduler::nextDue() const {
  std::optional<std::int64_t> best;
  for (const auto& [id, entry] : timers_) {
    const Entry& e = *entry;
    if (!e.enabled || e.intervalMs <= 0 || e.inHandler) continue;
    if (!best || e.due < *best) best = e.due;
  }
  return best;
}

}  // namespace tw::platform
