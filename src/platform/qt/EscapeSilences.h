// EscapeSilences: Esc pressed in any window of the program (the game's, a message box, an
// input box) silences what is being read aloud. The key goes on to the window as before.
#pragma once

#include <QObject>
#include <functional>

namespace tw::platform {

class EscapeSilences : public QObject {
 public:
  explicit EscapeSilences(std::function<void()> silence) : silence_(std::move(silence)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> silence_;
};

}  // namespace tw::platform
