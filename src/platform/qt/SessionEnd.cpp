#include "platform/qt/SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

namespace tw::platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
int gPipe[2] = {-1, -1};
struct sigaction gPrevious[3];

void OnSignal(int) {
  const char byte = 1;
  // Async-signal-safe; a full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t n = ::write(gPipe[1], &byte, 1);
}

}  // namespace

SessionEnd::SessionEnd(std::function<void()> save, std::function<void()> stop)
    : save_(std::move(save)), stop_(std::move(stop)) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    commitData_ = QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                                   [this](QSessionManager&) { save_(); });
  }
  if (gPipe[0] >= 0 || ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(gPipe[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
    char bytes[16];
    while (::read(gPipe[0], bytes, sizeof bytes) > 0) {
    }
    stop_();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &gPrevious[i]);
}

SessionEnd::~SessionEnd() {
  QObject::disconnect(commitData_);
  if (!notifier_) return;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &gPrevious[i], nullptr);
  notifier_.reset();
  ::close(gPipe[0]);
  ::close(gPipe[1]);
  gPipe[0] = gPipe[1] = -1;
}

}  // namespace tw::platform
