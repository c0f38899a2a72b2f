// HeadlessPlatform: virtual clock, scripted dialogs and the nested-loop input hook.
#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/InputRecorder.h"
#include "platform/ShellProgram.h"
#include "platform/Window.h"

namespace tw::platform {

HeadlessPlatform::HeadlessPlatform()
    : timers_([this] { return clock_; }),
      settings_(&ownSettings_),
      speech_([this] { return clock_; }) {}

HeadlessPlatform::HeadlessPlatform(Settings& settings)
    : timers_([this] { return clock_; }), settings_(&settings), speech_([this] { return clock_; }) {}

HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::callHook(Wait wait) {
  if (!hook_) return false;
  auto hook = hook_;  // the hook may replace itself
  return hook(wait);
}

void HeadlessPlatform::advance(std::int64_t ms) {
  if (ms <= 0) return;
  const std::int64_t target = clock_ + ms;
  // Handlers may call processEvents, which moves the clock on by itself; the clock never
  // goes back.
  while (auto due = timers_.nextDue()) {
    if (*due > target) break;
    setClock(std::max(clock_, *due));
    timers_.runDue(clock_);
  }
  setClock(std::max(clock_, target));
}

void HeadlessPlatform::setClock(std::int64_t ms) {
  clock_ = ms;
  audio_.catchUp(clock_);
}

void HeadlessPlatform::processEvents() {
  Nest nest(depth_);
  setClock(clock_ + 1);
  timers_.runDue(clock_);
  callHook(Wait{WaitKind::ProcessEvents, depth_});
}

void HeadlessPlatform::sleepMs(int ms) {
  if (ms > 0) setClock(clock_ + ms);
}

MsgAnswer HeadlessPlatform::messageBox(const MessageBoxRequest& request) {
  Nest nest(depth_);
  const ModalScope modal(*this);
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->messageBoxShown(request);
  readAloud(request.text);
  if (answers_.empty()) callHook(Wait{WaitKind::MessageBox, depth_, &request});
  MsgAnswer answer = DefaultAnswer(request);
  if (!answers_.empty()) {
    MsgAnswer queued = answers_.front();
    answers_.pop_front();
    // An answer the box has no button for closes it with its default.
    if (AnswerFitsButtons(queued, request.buttons)) answer = queued;
  }
  boxes_.push_back(BoxRecord{request.title, request.text, request.icon, request.buttons, answer});
  if (recorder) recorder->messageBoxAnswered(request, answer);
  return answer;
}

std::optional<std::string> HeadlessPlatform::inputBox(const InputBoxRequest& request) {
  Nest nest(depth_);
  const ModalScope modal(*this);
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->inputBoxShown(request);
  readAloud(request.prompt);
  if (inputs_.empty()) callHook(Wait{WaitKind::InputBox, depth_, nullptr, &request});
  std::optional<std::string> answer = request.defaultText;
  if (!inputs_.empty()) {
    answer = inputs_.front();
    inputs_.pop_front();
  }
  inputRecords_.push_back(
      InputRecord{request.prompt, request.title, request.defaultText, answer, boxes_.size()});
  if (recorder) recorder->inputBoxAnswered(request, answer);
  return answer;
}

bool HeadlessPlatform::setDisplaySize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (!supported_.empty() &&
      std::none_of(supported_.begin(), supported_.end(),
                   [&](const ScreenSize& s) { return s.width == width && s.height == height; })) {
    return false;
  }
  screen_ = ScreenSize{width, height};
  ++displayChanges_;
  return true;
}

bool HeadlessPlatform::shellOpen(const std::string& target) {
  opened_.push_back(target);
  return shellOpenResult_;
}

namespace {

// A started program as a replay sees it: it runs to its end in real time, while the virtual
// clock stands still, and to the game it has always ended at its second poll. The time a
// program takes on this machine thus never reaches the game's clock, and a replay gives the
// same result on a slow machine and a fast one.
class ProgramOfOnePoll : public RunningProgram {
 public:
  explicit ProgramOfOnePoll(std::unique_ptr<RunningProgram> program)
      : program_(std::move(program)) {}
  bool finished() override {
    if (polls_++ == 0) return false;
    while (!program_->finished()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return true;
  }
  int exitCode() override { return program_->exitCode(); }

 private:
  std::unique_ptr<RunningProgram> program_;
  int polls_ = 0;
};

}  // namespace

std::unique_ptr<RunningProgram> HeadlessPlatform::startProgram(const std::string& commandLine) {
  std::unique_ptr<RunningProgram> program = StartShellProgram(commandLine);
  if (!program) return nullptr;
  return std::make_unique<ProgramOfOnePoll>(std::move(program));
}

void HeadlessPlatform::showWindow(Window& window) {
  window.setVisible(true);
  for (const auto& w : windows_) {
    if (Lock(w) == &window) return;
  }
  windows_.erase(
      std::remove_if(windows_.begin(), windows_.end(), [](const auto& w) { return w.expired(); }),
      windows_.end());
  windows_.push_back(window.weakRef());
}

std::vector<Window*> HeadlessPlatform::shownWindows() const {
  std::vector<Window*> out;
  for (const auto& w : windows_) {
    if (Element* e = Lock(w)) out.push_back(static_cast<Window*>(e));
  }
  return out;
}

std::optional<std::string> HeadlessPlatform::chooseFolder(const std::string& /*title*/,
                                                          const std::string& startFolder) {
  folderStarts_.push_back(startFolder);
  if (folders_.empty()) return std::nullopt;
  std::optional<std::string> folder = std::move(folders_.front());
  folders_.pop_front();
  return folder;
}

void HeadlessPlatform::runModal(Window& window) {
  Nest nest(depth_);
  const ModalScope modal(*this);
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->modalWindowShown(window);
  showWindow(window);
  // The window may be destroyed by what happens inside (a load window after a load).
  auto ref = window.weakRef();
  for (Element* e = Lock(ref); e && e->visible() && !quit_; e = Lock(ref)) {
    auto* w = static_cast<Window*>(e);
    if (callHook(Wait{WaitKind::ModalWindow, depth_, nullptr, nullptr, w})) {
      setClock(clock_ + 1);
      timers_.runDue(clock_);
      continue;
    }
    // Nothing more to give it: the player closes it.
    w->requestClose();
    if (Element* still = Lock(ref); still && still->visible()) still->setVisible(false);
  }
  if (recorder) recorder->modalWindowClosed();
}

}  // namespace tw::platform
