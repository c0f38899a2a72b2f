// SessionEnd: tells the program that the desktop session is ending or that it has been told
// to stop.
//
// The session manager's request to save (Qt's commitDataRequest, before a log-out) calls
// `save`; SIGTERM, SIGHUP and SIGINT (a log-out or shutdown that ends processes, a closed
// terminal, Ctrl+C) call `stop` from the event loop instead of killing the program on the
// spot. The signal handler only writes a byte into a pipe that the event loop watches. One
// watcher at a time; the signals' previous handling comes back when it is destroyed.
#pragma once

#include <functional>
#include <memory>

#include <QMetaObject>

class QSocketNotifier;

namespace tw::platform {

class SessionEnd {
 public:
  SessionEnd(std::function<void()> save, std::function<void()> stop);
  ~SessionEnd();
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

 private:
  std::function<void()> save_;
  std::function<void()> stop_;
  QMetaObject::Connection commitData_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tw::platform
