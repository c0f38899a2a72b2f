// QtPlatform: the clock, the timer drive, dialogs, display emulation, shell and windows.
#include "platform/qt/QtPlatform.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QDir>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "platform/IniSettings.h"
#include "platform/InputRecorder.h"
#include "platform/ShellProgram.h"
#include "platform/Window.h"
#include "platform/qt/InstanceSlot.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/WindowView.h"
#include "platform/sdl/SdlAudioOutput.h"

namespace tw::platform {

namespace {

// Larger sizes than any monitor: refused rather than emulated.
constexpr int kMaxDisplaySide = 16384;
// How far each further player's windows open from the previous one's, in pixels.
constexpr int kCascadePixels = 48;
// Height of the Windows system font at 96 dpi ("small fonts").
constexpr int kSystemFontPixelsAt96Dpi = 16;

// A box, dialog or modal window closes: without a window manager nobody hands the keyboard
// focus on, and X gives it to the root window, so the keys typed next would reach no window
// of the player. The window it stood over takes the focus back (a window manager does the
// same).
class GiveFocusBack {
 public:
  explicit GiveFocusBack(QWidget* to) : to_(to) {}
  ~GiveFocusBack() {
    if (to_ && to_->isVisible()) to_->activateWindow();
  }
  GiveFocusBack(const GiveFocusBack&) = delete;
  GiveFocusBack& operator=(const GiveFocusBack&) = delete;

 private:
  QPointer<QWidget> to_;  // the window may be destroyed while the box is open
};

}  // namespace

QUrl ShellTargetUrl(const std::string& target) {
  const QString text = QString::fromStdString(target).trimmed();
  if (text.isEmpty()) return QUrl();
  // A scheme of two letters or more ("C:" would be a Windows drive, not a scheme).
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  if (scheme.match(text).hasMatch()) return QUrl(text, QUrl::TolerantMode);
  if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) {
    return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
  }
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

void QtPlatform::DeleteLater::operator()(QObject* object) const {
  if (object) object->deleteLater();
}

QtPlatform::QtPlatform()
    : timers_([this] { return clockMs(); }),
      ownSettings_(std::make_unique<IniSettings>()),
      settings_(ownSettings_.get()) {
  init();
}

QtPlatform::QtPlatform(Settings& settings)
    : timers_([this] { return clockMs(); }), settings_(&settings) {
  init();
}

void QtPlatform::init() {
  clock_.start();
  // The game decides when the program ends (closing the main window returns to the start-up
  // window).
  QGuiApplication::setQuitOnLastWindowClosed(false);
  speech_ = std::make_unique<SpeechDispatcher>();
  escape_ = std::make_unique<EscapeSilences>([this] { stopReading(); });
  if (QCoreApplication::instance()) QCoreApplication::instance()->installEventFilter(escape_.get());
  drive_ = std::make_unique<QTimer>();
  drive_->setSingleShot(true);
  drive_->setTimerType(Qt::PreciseTimer);
  QObject::connect(drive_.get(), &QTimer::timeout, drive_.get(), [this] { runDueTimers(); });
  // Reads the clock at least every second in every event loop, nested ones included, so that
  // a longer step of it means the player did not run (see GameClock).
  heartbeat_ = std::make_unique<QTimer>();
  heartbeat_->setInterval(1000);
  QObject::connect(heartbeat_.get(), &QTimer::timeout, heartbeat_.get(), [this] { clockMs(); });
  heartbeat_->start();
  if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
    armOnIdle_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock,
                                  drive_.get(), [this] { armTimer(); });
  }
}

QtPlatform::~QtPlatform() {
  if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
  for (auto& view : views_) {
    view->onGone = nullptr;
    view->onHiddenOrGone = nullptr;
  }
  // The views detach from their windows as they are destroyed.
  for (auto& view : views_) std::unique_ptr<WindowView> now(view.release());
  views_.clear();
  // The dispatcher outlives the platform: nothing may call back into it from here on.
  QObject::disconnect(armOnIdle_);
  drive_.reset();
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(escape_.get());
  heartbeat_.reset();
}

// --- clock and timers -----------------------------------------------------------------------

AudioOutput& QtPlatform::audioOutput() {
  if (!audio_) audio_ = std::make_unique<SdlAudioOutput>();
  return *audio_;
}

std::int64_t QtPlatform::clockMs() {
  return gameClock_.at(clock_.elapsed());
}

void QtPlatform::armTimer() {
  const std::optional<std::int64_t> due = timers_.nextDue();
  if (!due) {
    drive_->stop();
    armedFor_.reset();
    return;
  }
  if (drive_->isActive() && armedFor_ == due) return;
  const std::int64_t wait = std::max<std::int64_t>(0, *due - clockMs());
  drive_->start(static_cast<int>(std::min<std::int64_t>(wait, 1 << 30)));
  armedFor_ = due;
}

void QtPlatform::runDueTimers() {
  armedFor_.reset();
  timers_.runDue(clockMs());
  armTimer();
}

void QtPlatform::processEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  timers_.runDue(clockMs());
  // Wait loops call this back to back; let other threads (audio) run between calls.
  QThread::yieldCurrentThread();
}

void QtPlatform::sleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// --- dialogs --------------------------------------------------------------------------------

QWidget* QtPlatform::dialogParent() const {
  if (QWidget* active = QApplication::activeWindow()) return active;
  for (const auto& view : views_) {
    if (view->isVisible()) return view.get();
  }
  return nullptr;
}

MsgAnswer QtPlatform::messageBox(const MessageBoxRequest& request) {
  const ModalScope modal(*this);
  readAloud(request.text);
  QWidget* parent = dialogParent();
  GiveFocusBack back(parent);
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->messageBoxShown(request);
  const MsgAnswer answer = RunMessageBox(request, parent);
  if (recorder) recorder->messageBoxAnswered(request, answer);
  return answer;
}

std::optional<std::string> QtPlatform::inputBox(const InputBoxRequest& request) {
  const ModalScope modal(*this);
  readAloud(request.prompt);
  QWidget* parent = dialogParent();
  GiveFocusBack back(parent);
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->inputBoxShown(request);
  std::optional<std::string> text = RunInputBox(request, parent);
  if (recorder) recorder->inputBoxAnswered(request, text);
  return text;
}

std::optional<std::string> QtPlatform::chooseFolder(const std::string& title,
                                                    const std::string& startFolder) {
  const ModalScope modal(*this);
  QWidget* parent = dialogParent();
  GiveFocusBack back(parent);
  const QString folder = QFileDialog::getExistingDirectory(
      parent, QString::fromStdString(title), QString::fromStdString(startFolder));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::string QtPlatform::picturesFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  if (folder.isEmpty() || !QDir().mkpath(folder)) return "";
  return QDir(folder).absolutePath().toStdString() + "/";
}

// --- display --------------------------------------------------------------------------------

QRect QtPlatform::realScreen() const {
  if (realOverride_) return *realOverride_;
  if (QScreen* screen = QGuiApplication::primaryScreen()) return screen->geometry();
  return QRect();
}

void QtPlatform::overrideRealScreen(std::optional<QRect> screen) {
  realOverride_ = screen;
  relayoutAll();
}

ScreenSize QtPlatform::screenSize() {
  if (emulated_) return *emulated_;
  const QRect real = realScreen();
  return ScreenSize{real.width(), real.height()};
}

bool QtPlatform::setDisplaySize(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxDisplaySide || height > kMaxDisplaySide) {
    return false;
  }
  const QRect real = realScreen();
  if (width == real.width() && height == real.height()) {
    emulated_.reset();
  } else {
    emulated_ = ScreenSize{width, height};
  }
  relayoutAll();
  return true;
}

int QtPlatform::desktopFontHeight() {
  // The check this serves asks whether the desktop is set to large fonts (Windows: 120 dpi,
  // whose system font is 20 pixels high against 16 at 96 dpi). The height of the desktop's
  // own font says nothing about that on Linux: GNOME's 11-point default is 18 pixels high at
  // 96 dpi and would warn every player (and the warning's default answer ends the program).
  // So the system font's height is scaled by the desktop's logical dpi: 96 dpi gives 16, no
  // warning. The height is in logical pixels, the ones the game's windows are laid out in:
  // a desktop scaled to 125 % or 200 % (a device pixel ratio above 1) draws the game larger
  // as a whole, texts and windows alike, so scaling alone never raises the warning.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 0;
  const double dpi = screen->logicalDotsPerInchY();
  return static_cast<int>(std::lround(kSystemFontPixelsAt96Dpi * dpi / 96.0));
}

double QtPlatform::devicePixelRatio() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

double QtPlatform::logicalDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchY() : 96.0;
}

void QtPlatform::setTextScale(int percent) {
  Platform::setTextScale(percent);
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  if (!baseFont_) baseFont_ = QApplication::font();
  QFont font = *baseFont_;
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * percent / 100.0);
  } else if (font.pixelSize() > 0) {
    font.setPixelSize(font.pixelSize() * percent / 100);
  }
  QApplication::setFont(font);
  // The menu bars' height changed with their font.
  relayoutAll();
}

void QtPlatform::relayoutAll() {
  for (auto& view : views_) view->applyAll();
}

// --- shell ----------------------------------------------------------------------------------

bool QtPlatform::shellOpen(const std::string& target) {
  const QUrl url = ShellTargetUrl(target);
  if (url.isEmpty() || !url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

std::unique_ptr<RunningProgram> QtPlatform::startProgram(const std::string& commandLine) {
  return StartShellProgram(commandLine);
}

// --- windows and pointers -------------------------------------------------------------------

void QtPlatform::claimInstanceSlot() {
  if (!slot_) slot_ = std::make_unique<InstanceSlot>();
  cascade_ = QPoint(slot_->number() * kCascadePixels, slot_->number() * kCascadePixels);
  relayoutAll();
}

WindowView* QtPlatform::ownWindowBelow(const WindowView& except) const {
  WindowView* found = nullptr;
  for (const auto& view : views_) {
    if (view.get() == &except || !view->isVisible() || !view->window()) continue;
    if (!view->window()->topMost()) return view.get();
    if (!found) found = view.get();
  }
  return found;
}

WindowView* QtPlatform::viewFor(const Window& window) const {
  for (const auto& view : views_) {
    if (view->window() == &window) return view.get();
  }
  return nullptr;
}

QWidget* QtPlatform::widgetFor(const Window& window) const {
  return viewFor(window);
}

WindowView& QtPlatform::ensureView(Window& window) {
  if (WindowView* view = viewFor(window)) return *view;
  views_.emplace_back(new WindowView(*this, window));  // owned by views_
  WindowView& view = *views_.back();
  view.onGone = [this](WindowView& gone) { forgetView(gone); };
  return view;
}

void QtPlatform::forgetView(WindowView& view) {
  auto it = std::find_if(views_.begin(), views_.end(),
                         [&](const auto& v) { return v.get() == &view; });
  if (it != views_.end()) views_.erase(it);  // deleted later, never inside its own event
}

void QtPlatform::showWindow(Window& window) {
  WindowView& view = ensureView(window);
  window.setVisible(true);
  view.applyAll();
}

void QtPlatform::runModal(Window& window) {
  const ModalScope modal(*this);
  GiveFocusBack back(QApplication::activeWindow());
  WindowView& view = ensureView(window);
  if (view.isVisible()) view.hide();  // modality is set before a window is shown
  InputRecorder* recorder = inputRecorder();
  if (recorder) recorder->modalWindowShown(window);
  view.setModalMode(true);
  QEventLoop loop;
  auto previous = view.onHiddenOrGone;
  view.onHiddenOrGone = [&loop] { loop.quit(); };
  window.setVisible(true);
  view.applyAll();
  auto ref = window.weakRef();
  for (Element* e = Lock(ref); e && e->visible() && !quit_; e = Lock(ref)) {
    // A loop refuses to run once the application is exiting (whoever asked for it).
    if (loop.exec() != 0) break;
  }
  if (recorder) recorder->modalWindowClosed();
  // The view may be gone with its window.
  if (WindowView* still = Lock(ref) ? viewFor(window) : nullptr) {
    still->onHiddenOrGone = previous;
    still->setModalMode(false);
  }
}

void QtPlatform::setScreenPointer(const MousePointer& pointer) {
  screenPointer_ = pointer;
  if (pointer.shape == PointerShape::Default) {
    if (overrideCursor_) QGuiApplication::restoreOverrideCursor();
    overrideCursor_ = false;
    return;
  }
  const QCursor cursor = cursors_.cursor(pointer);
  if (overrideCursor_) {
    QGuiApplication::changeOverrideCursor(cursor);
  } else {
    QGuiApplication::setOverrideCursor(cursor);
    overrideCursor_ = true;
  }
}

void QtPlatform::quit() {
  quit_ = true;
  // exit(), not quit(): Qt's quit may be refused by a window that does not close, and the
  // game's windows ask the game first. Queued, so the current event finishes.
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}

}  // namespace tw::platform
