#include "app/Recorder.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "app/GameSession.h"
#include "app/ReplayWriter.h"
#include "game/Game.h"
#include "game/PlayerOptions.h"
#include "platform/Menu.h"
#include "platform/Platform.h"
#include "platform/Units.h"
#include "platform/Window.h"

namespace tw {

using Kind = ReplayLine::Kind;

namespace {

bool IsSavedGameWindow(const std::string& name) {
  return name == "frmSaveGame" || name == "frmLoadGame";
}

// The inventory bar: its button, the bar and everything on it.
bool OverBar(Game& game, const platform::Element& element) {
  for (const platform::Element* e = &element; e; e = e->parent()) {
    if (e == &game.Inventory1 || e == &game.Inventory2 || e == &game.Inventory_Background) {
      return true;
    }
  }
  return false;
}

// The inventory position of an element of the bar; 0 when it is no item.
int ItemOf(Game& game, const platform::Element* element) {
  if (!element) return 0;
  for (int i = 1; i <= game.ObjectsCount; ++i) {
    if (game.PickedObject.exists(i) && &game.PickedObject[i] == element) return i;
  }
  return 0;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

Recorder::Recorder(platform::Platform& platform, GameSession& session, std::ostream& out,
                   std::string version)
    : platform_(platform), session_(session), out_(out), version_(std::move(version)) {
  startMs_ = platform_.clockMs();
  platform_.setInputRecorder(this);
  // Start is written only when the player chose it; a game that skips the start-up window
  // starts by itself, in the replay too.
  StartupWindow& startup = session_.startupWindow();
  startGame_ = startup.startGame;
  startup.startGame = [this] {
    if (depth_ > 0) {
      flush();
      ReplayLine line;
      line.kind = Kind::Start;
      write(line, now());
    }
    if (startGame_) startGame_();
  };
}

Recorder::~Recorder() {
  if (platform_.inputRecorder() == this) platform_.setInputRecorder(nullptr);
  session_.startupWindow().startGame = startGame_;
}

std::int64_t Recorder::now() {
  return platform_.clockMs() - startMs_;
}

Game* Recorder::gameWindowOf(platform::Window& window) {
  Game* game = session_.game();
  return game && &game->window == &window ? game : nullptr;
}

Recorder::Zone Recorder::zoneAt(Game& game, platform::Point twips) {
  platform::Element& target = game.window.targetAt(twips.x, twips.y);
  return Zone{game.window.pointerAt(twips.x, twips.y), target.toolTip(), OverBar(game, target)};
}

ReplayLine Recorder::mouseLine(Kind kind, Game& game, platform::Point twips) {
  ReplayLine line;
  line.kind = kind;
  // Twips left of or above the game area give negative pixels that map back to the place.
  line.a = platform::PixelsFromTwips(twips.x - game.PictureBox.left());
  line.b = platform::PixelsFromTwips(twips.y - game.PictureBox.top());
  return line;
}

// --- input ------------------------------------------------------------------------------

void Recorder::beginInput() {
  flush();
  // What timers changed since the last line is said before this input acts.
  catchUp(now());
  ++depth_;
}

void Recorder::hold(ReplayLine line, platform::Point twips) {
  pending_ = Pending{std::move(line), now(), depth_, false, false, twips, 0};
}

void Recorder::flush() {
  if (!pending_) return;
  const Pending held = std::move(*pending_);
  pending_.reset();
  if (held.line.kind == Kind::Click || held.line.kind == Kind::RightClick ||
      held.line.kind == Kind::Move) {
    lastMouse_ = held.twips;
  }
  // The changes seen by now are this line's doing: they follow it.
  waitUntil(held.atMs);
  put(text(held.line));
  noteChanges();
}

void Recorder::mousePressed(platform::Window& window, int button, int x, int y, bool doubleClick) {
  Game* game = gameWindowOf(window);
  const platform::Point twips{x, y};
  // A move that only brought the pointer here says nothing a click at the same pixel does
  // not say.
  if (game && pending_ && pending_->move && pending_->depth == 0 && !doubleClick &&
      mouseLine(Kind::Move, *game, twips).a == pending_->line.a &&
      mouseLine(Kind::Move, *game, twips).b == pending_->line.b) {
    pending_.reset();
  }
  beginInput();
  if (!game) return;
  if (button != platform::kLeftButton && button != platform::kRightButton) return;
  if (doubleClick) {
    // The second press of a double click raises DblClick, and no click, in the game: a
    // replay has no line for it, and a second "click" would act twice.
    const ReplayLine at = mouseLine(Kind::Click, *game, twips);
    comment("double click at " + std::to_string(at.a) + " " + std::to_string(at.b) +
            " (a replay cannot give it)");
    return;
  }
  if (window.dragSource()) return;  // the drop comes with the release
  Kind kind = button == platform::kLeftButton ? Kind::Click : Kind::RightClick;
  if (kind == Kind::Click && game->MenuOpen) {
    // A menu pulled down in full screen and closed again: this click only hides the menus.
    // A replay pulls no menu down; its right click hides them the same way.
    kind = Kind::RightClick;
  }
  hold(mouseLine(kind, *game, twips), twips);
  pending_->press = true;
}

void Recorder::mouseReleased(platform::Window& window, int /*button*/, int x, int y) {
  beginInput();
  Game* game = gameWindowOf(window);
  const int item = dragItem_;
  dragItem_ = 0;
  if (!game || item == 0 || !window.dragSource()) return;
  // The drop: onto another item, else onto whatever lies at the place.
  const platform::Point twips{x, y};
  ReplayLine line = mouseLine(Kind::Drag, *game, twips);
  const int target = ItemOf(*game, &window.targetAt(x, y));
  if (target != 0) {
    line.kind = Kind::DragItem;
    line.a = item;
    line.b = target;
  } else {
    line.c = line.b;
    line.b = line.a;
    line.a = item;
  }
  lastMouse_ = twips;
  write(line, now());
}

void Recorder::mouseMoved(platform::Window& window, int x, int y) {
  beginInput();
  Game* game = gameWindowOf(window);
  if (!game || window.dragSource()) return;  // a drag's moves raise nothing
  const platform::Point twips{x, y};
  hold(mouseLine(Kind::Move, *game, twips), twips);
  pending_->move = true;
  pending_->revision = window.revision();
}

void Recorder::keyPressed(platform::Window& window, int keyCode, int shift) {
  beginInput();
  if (!gameWindowOf(window)) return;
  const std::optional<std::string> name = KeyNameFromCode(keyCode, shift);
  if (!name || (shift & (platform::kCtrlMask | platform::kAltMask)) ||
      keyCode == PlayerOptions::kKeyScreenshot) {
    // Alt+Enter and the screenshot key are the player's own, not the game's.
    comment("key " + (name ? *name : std::to_string(keyCode)) +
            (shift ? " with shift state " + std::to_string(shift) : "") + " not written");
    return;
  }
  ReplayLine line;
  line.kind = Kind::Key;
  line.keyCode = keyCode;
  line.text = *name;
  hold(std::move(line));
}

void Recorder::menuChosen(platform::Window& window, platform::MenuItem& item) {
  beginInput();
  if (!gameWindowOf(window)) return;
  ReplayLine line;
  line.kind = Kind::Menu;
  // An item of an array (the Debug menu's frames) is named by its caption too.
  line.text = item.index() > 0 ? item.name() + ":" + item.caption() : item.name();
  hold(std::move(line));
}

void Recorder::closeRequested(platform::Window& window) {
  beginInput();
  if (!gameWindowOf(window)) return;
  // A replay has no close button; Q and Yes end the game the same way (after the 100 ms of
  // the game's own unload timer).
  comment("the game window's close button, written as Q and Yes");
  ReplayLine key;
  key.kind = Kind::Key;
  key.keyCode = 'Q';
  write(key, now());
  ReplayLine yes;
  yes.kind = Kind::Answer;
  yes.answer = platform::MsgAnswer::Yes;
  put(text(yes));
}

void Recorder::inputDone() {
  if (depth_ == 0) return;
  if (pending_ && pending_->depth == depth_) {
    Game* game = session_.game();
    if (pending_->move) {
      // A move is kept where a pointer resting at the last written place would show
      // something else, or where the game answered it visibly.
      const bool answered = game && game->window.revision() != pending_->revision;
      const bool looksOther =
          game && (!lastMouse_ || zoneAt(*game, *lastMouse_) != zoneAt(*game, pending_->twips));
      if (answered) {
        flush();
      } else if (looksOther) {
        // Held on: a press at the same pixel next makes it needless.
        pending_->depth = 0;
      } else {
        pending_.reset();
      }
    } else if (pending_->press && game && game->window.dragSource()) {
      // The press picked an item up: the drop writes the line.
      dragItem_ = ItemOf(*game, game->window.dragSource());
      lastMouse_ = pending_->twips;
      pending_.reset();
    } else {
      flush();
    }
  }
  --depth_;
  if (depth_ == 0) noteChanges();
}

// --- boxes and windows ------------------------------------------------------------------

bool Recorder::boxesWritten() const {
  // In a saved-game window only the boxes that follow a written save or load are answered
  // in the replay (a box for a name left empty has no line to come from).
  for (auto it = modals_.rbegin(); it != modals_.rend(); ++it) {
    if (it->savedGameWindow) return it->choiceWritten;
  }
  return true;
}

void Recorder::messageBoxShown(const platform::MessageBoxRequest& request) {
  flush();
  boxes_.push_back({request.title, request.text, platform::IconName(request.icon), std::nullopt});
  openBoxes_.push_back(boxes_.size() - 1);
  const bool written = boxesWritten();
  boxWritten_.push_back(written);
  if (!written) return;
  // The time up to the box: a box a timer opens comes after the same wait in the replay.
  waitUntil(now());
  noteChanges();
  comment("box " + Quoted(request.text));
}

void Recorder::messageBoxAnswered(const platform::MessageBoxRequest& /*request*/,
                                  platform::MsgAnswer answer) {
  flush();
  if (!openBoxes_.empty()) {
    boxes_[openBoxes_.back()].answer = platform::AnswerName(answer);
    openBoxes_.pop_back();
  }
  const bool written = boxWritten_.empty() || boxWritten_.back();
  if (!boxWritten_.empty()) boxWritten_.pop_back();
  if (!written) return;
  ReplayLine line;
  line.kind = Kind::Answer;
  line.answer = answer;
  write(line, now());
}

void Recorder::inputBoxShown(const platform::InputBoxRequest& request) {
  flush();
  boxes_.push_back({request.title, request.prompt, "input", std::nullopt});
  openBoxes_.push_back(boxes_.size() - 1);
  const bool written = boxesWritten();
  boxWritten_.push_back(written);
  if (!written) return;
  noteChanges();
  comment("input box " + Quoted(request.prompt));
}

void Recorder::inputBoxAnswered(const platform::InputBoxRequest& /*request*/,
                                const std::optional<std::string>& text) {
  flush();
  if (!openBoxes_.empty()) {
    boxes_[openBoxes_.back()].answer = text;
    openBoxes_.pop_back();
  }
  const bool written = boxWritten_.empty() || boxWritten_.back();
  if (!boxWritten_.empty()) boxWritten_.pop_back();
  if (!written) return;
  ReplayLine line;
  line.kind = Kind::Input;
  line.cancelInput = !text.has_value();
  line.text = text.value_or("");
  // The replay gives an input box the line right after the one that opened it: no wait
  // between them (the time passes in the next wait).
  write(line, now(), false);
}

void Recorder::modalWindowShown(platform::Window& window) {
  Modal modal{window.name(), IsSavedGameWindow(window.name()), false};
  if (modal.savedGameWindow) {
    // The key or menu item that opened it is not written: "save" and "load" open the
    // window themselves. A window left without SAVE or LOAD then leaves no line at all.
    if (pending_ && (pending_->line.kind == Kind::Key || pending_->line.kind == Kind::Menu)) {
      pending_.reset();
    }
  } else {
    flush();
    if (modal.name != "frmRunFromCD") {
      comment("the window " + modal.name + " opens; what is done in it is not written");
    }
  }
  modals_.push_back(std::move(modal));
}

void Recorder::modalWindowClosed() {
  flush();
  if (!modals_.empty()) modals_.pop_back();
}

void Recorder::savedGameChosen(bool save, const std::string& name) {
  flush();
  ReplayLine line;
  line.kind = save ? Kind::Save : Kind::Load;
  line.text = name;
  const std::optional<std::string> text = FormatReplayLine(line);
  for (auto it = modals_.rbegin(); it != modals_.rend(); ++it) {
    if (it->savedGameWindow) {
      it->choiceWritten = text.has_value();
      break;
    }
  }
  write(line, now());
}

void Recorder::cdWindowAnswered(const std::optional<std::string>& root) {
  flush();
  ReplayLine line;
  line.kind = Kind::Drive;
  line.cancelInput = !root.has_value();
  line.text = root.value_or("cancel");
  // The CD window, like an input box, takes the line right after the one that opened it.
  write(line, now(), false);
}

// --- writing ----------------------------------------------------------------------------

void Recorder::put(const std::string& text) {
  if (!headerWritten_) {
    headerWritten_ = true;
    const std::string& title = session_.player().settings.GameTitle;
    out_ << ReplayComment("\"" + title + "\", recorded by talewick-player " + version_) << "\n"
         << ReplayComment("play it back: talewick-player --replay FILE [--dump-state] GAME_FOLDER")
         << "\n";
  }
  out_ << text << "\n";
  out_.flush();
}

void Recorder::comment(const std::string& text) {
  put(ReplayComment(text));
}

void Recorder::waitUntil(std::int64_t atMs) {
  const int wait = RoundedWait(atMs - writtenMs_);
  if (wait <= 0) return;
  writtenMs_ += wait;
  ReplayLine line;
  line.kind = Kind::Wait;
  line.a = wait;
  put(*FormatReplayLine(line));
}

std::string Recorder::text(const ReplayLine& line) {
  if (const std::optional<std::string> written = FormatReplayLine(line)) return *written;
  return ReplayComment("not written (a replay line cannot hold it): " + line.text);
}

void Recorder::catchUp(std::int64_t atMs) {
  if (!changed()) return;
  waitUntil(atMs);
  noteChanges();
}

void Recorder::write(const ReplayLine& line, std::int64_t atMs, bool timed) {
  if (timed) {
    catchUp(atMs);
    waitUntil(atMs);
  }
  put(text(line));
}

std::vector<std::string> Recorder::items() {
  std::vector<std::string> names;
  if (Game* game = session_.lastGame()) {
    for (std::int16_t i = 1; i <= game->ObjectsCount; ++i)
      names.push_back(game->PickedObjectName(i));
  }
  return names;
}

bool Recorder::changed() {
  if (session_.gameWindowOpen() != gameOpen_) return true;
  if (!session_.lastGame()) return false;
  const std::string& frame = session_.player().frame.CurrentFrameName;
  return (frame != frame_ && !frame.empty()) || items() != inventory_;
}

void Recorder::noteChanges() {
  const bool open = session_.gameWindowOpen();
  Game* game = session_.lastGame();
  if (game) {
    const std::string& frame = session_.player().frame.CurrentFrameName;
    if (frame != frame_ && !frame.empty()) comment("frame " + frame);
    frame_ = frame;
    std::vector<std::string> now = items();
    std::vector<std::string> gone = inventory_;
    for (const std::string& item : now) {
      const auto it = std::find(gone.begin(), gone.end(), item);
      if (it != gone.end()) {
        gone.erase(it);
      } else {
        comment("inventory + " + item);
      }
    }
    for (const std::string& item : gone) comment("inventory - " + item);
    inventory_ = std::move(now);
  }
  if (gameOpen_ && !open) comment("the game window closed");
  gameOpen_ = open;
}

void Recorder::finish() {
  if (finished_) return;
  finished_ = true;
  flush();
  // The time the player let pass after the last input: timers ran on until the end.
  waitUntil(now());
  noteChanges();
}

std::string Recorder::dumpState() {
  return DumpState(session_, now(), boxes_);
}

std::unique_ptr<RecordingFile> RecordingFile::Create(const std::string& path, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    err << "talewick-player: the recording \"" << path << "\" is a folder, not a file\n";
    return nullptr;
  }
  auto recording = std::unique_ptr<RecordingFile>(new RecordingFile());
  recording->file_.open(path, std::ios::binary | std::ios::trunc);
  if (!recording->file_) {
    err << "talewick-player: cannot write the recording \"" << path << "\"\n";
    return nullptr;
  }
  return recording;
}

void RecordingFile::start(platform::Platform& platform, GameSession& session, std::string version) {
  recorder_ = std::make_unique<Recorder>(platform, session, file_, std::move(version));
}

void RecordingFile::end(std::ostream* dump) {
  if (!recorder_) return;
  recorder_->finish();
  if (dump) *dump << recorder_->dumpState() << "\n";
  recorder_.reset();
  file_.close();
}

}  // namespace tw
