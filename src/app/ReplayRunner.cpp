#include "app/ReplayRunner.h"

#include <algorithm>
#include <ostream>

#include "platform/Controls.h"
#include "platform/Menu.h"
#include "platform/Window.h"
#include "savegame/LoadGameWindow.h"
#include "savegame/SavedGames.h"

namespace tw {

using Kind = ReplayLine::Kind;
using platform::HeadlessPlatform;

ReplayRunner::ReplayRunner(HeadlessPlatform& platform, GameSession& session,
                           std::vector<ReplayLine> lines, std::ostream& notes)
    : platform_(platform), session_(session), lines_(std::move(lines)), notes_(notes) {
  platform_.setInputHook([this](const HeadlessPlatform::Wait& wait) {
    return answerFromNextLine(wait);
  });
}

ReplayRunner::~ReplayRunner() { platform_.setInputHook(nullptr); }

void ReplayRunner::run() {
  while (next_ < lines_.size()) {
    const ReplayLine& line = lines_[next_++];
    execute(line);
    finishWait();
    platform_.processEvents();
    if (!unansweredCdWindow_.empty()) throw ReplayError(unansweredCdWindow_);
  }
  finishWait();
  end();
}

// The time of a wait line that a nested loop took and left before it was over passes here,
// in the main loop, as it would for a person who keeps still.
void ReplayRunner::finishWait() {
  // Timers fired meanwhile may start loops that take further wait lines, which move the
  // end on again.
  while (platform_.clockMs() < waitUntil_) platform_.advance(waitUntil_ - platform_.clockMs());
}

bool ReplayRunner::waiting() const { return platform_.clockMs() < waitUntil_; }

void ReplayRunner::end() {
  if (ended_) return;
  ended_ = true;
  if (onEnd) onEnd();
}

bool ReplayRunner::inputDuringTransition() {
  Game* game = session_.game();
  if (!game || !session_.gameWindowOpen() || !game->TransitionRunning()) return false;
  if (waiting()) return false;
  if (next_ >= lines_.size()) {
    end();
    return false;
  }
  const ReplayLine& line = lines_[next_];
  switch (line.kind) {
    case Kind::Wait:
    case Kind::Click:
    case Kind::RightClick:
    case Kind::Move:
    case Kind::Key:
    case Kind::Hold:
    case Kind::Release:
      ++next_;
      execute(line);
      return true;
    default:
      return false;  // windows and menus wait until the frame has changed
  }
}

bool ReplayRunner::answerFromNextLine(const HeadlessPlatform::Wait& wait) {
  if (wait.kind == HeadlessPlatform::WaitKind::ModalWindow && wait.window &&
      wait.window->name() == "frmRunFromCD") {
    return answerCdWindow(*wait.window);
  }
  if (wait.kind == HeadlessPlatform::WaitKind::ModalWindow && savedGameLine_ && wait.window) {
    return actInSavedGameWindow(*wait.window);
  }
  if (next_ >= lines_.size()) {
    if (wait.kind == HeadlessPlatform::WaitKind::ProcessEvents) inputDuringTransition();
    return false;
  }
  // Time passes while the box is shown (timers fire under it, as they do under a real box)
  // until the answer comes.
  if (wait.kind == HeadlessPlatform::WaitKind::MessageBox) {
    std::size_t after = next_;
    while (after < lines_.size() && lines_[after].kind == Kind::Wait) ++after;
    if (after > next_ && after < lines_.size() && lines_[after].kind == Kind::Answer) {
      for (; next_ < after; ++next_) platform_.advance(lines_[next_].a);
    }
  }
  const ReplayLine& line = lines_[next_];
  if (wait.kind == HeadlessPlatform::WaitKind::MessageBox && line.kind == Kind::Answer) {
    platform_.queueAnswer(line.answer);
    ++next_;
    return true;
  }
  // While a video plays the game waits in a loop of its own; the player's clicks, keys and
  // the passing time reach it there, one line at a time. Once a line has asked the video to
  // stop, the loop is about to end: the lines after it belong to what comes next.
  if (wait.kind == HeadlessPlatform::WaitKind::ProcessEvents && !inVideoLine_ && !waiting() &&
      (line.kind == Kind::Click || line.kind == Kind::RightClick || line.kind == Kind::Move ||
       line.kind == Kind::Key || line.kind == Kind::Hold || line.kind == Kind::Release ||
       line.kind == Kind::Wait)) {
    Game* game = session_.game();
    if (game && session_.gameWindowOpen() && !game->StopMovie && game->IsVideoPlaying()) {
      inVideoLine_ = true;
      ++next_;
      execute(line);
      inVideoLine_ = false;
      return true;
    }
  }
  if (wait.kind == HeadlessPlatform::WaitKind::InputBox && line.kind == Kind::Input) {
    platform_.queueInput(line.cancelInput ? std::nullopt : std::optional<std::string>(line.text));
    ++next_;
    return true;
  }
  if (wait.kind == HeadlessPlatform::WaitKind::ProcessEvents) return inputDuringTransition();
  return false;
}

bool ReplayRunner::answerCdWindow(platform::Window& window) {
  if (next_ >= lines_.size() || lines_[next_].kind != Kind::Drive) {
    const int asking = next_ > 0 ? lines_[next_ - 1].lineNumber : 0;
    unansweredCdWindow_ = "line " + std::to_string(asking) +
                          ": the game asks for a CD and no 'drive' line answers it";
    return false;
  }
  const ReplayLine& line = lines_[next_++];
  const auto child = [&window](const std::string& name) -> platform::Element* {
    for (platform::Element* e : window.children()) {
      if (e->name() == name) return e;
    }
    return nullptr;
  };
  platform::Element* ok = child("Command3");
  platform::Element* cancel = child("Command4");
  platform::Element* drive = child("Combo1");
  if (!ok || !cancel || !drive || drive->kind() != platform::ElementKind::TextBox) {
    throw ReplayError("line " + std::to_string(line.lineNumber) + ": the CD window has no drive");
  }
  if (line.cancelInput) {
    cancel->click();
  } else {
    static_cast<platform::TextBox*>(drive)->setText(line.text);
    ok->click();
  }
  return true;
}

void ReplayRunner::execute(const ReplayLine& line) {
  if (session_.programEnded() && line.kind != Kind::Wait) {
    note(line, "the program has ended; input ignored");
    return;
  }
  switch (line.kind) {
    case Kind::Start:
      if (session_.gameWindowOpen()) {
        note(line, "a game is already running; 'start' ignored");
      } else {
        session_.start();
      }
      break;
    case Kind::Click:
    case Kind::RightClick:
    case Kind::Move:
      mouse(line);
      break;
    case Kind::Key:
    case Kind::Hold:
    case Kind::Release: {
      if (!session_.gameWindowOpen()) {
        note(line, "no game window is open; key ignored");
        break;
      }
      platform::Window& window = session_.game()->window;
      if (line.kind != Kind::Release) window.dispatchKeyDown(line.keyCode, line.shift);
      // A handler of the press may have closed the game.
      if (line.kind != Kind::Hold && session_.gameWindowOpen()) {
        session_.game()->window.dispatchKeyUp(line.keyCode, line.shift);
      }
      break;
    }
    case Kind::Menu:
      menu(line);
      break;
    case Kind::Wait:
      // Only the end is set here. A nested loop that took this line (a transition, a video)
      // runs on by itself until then, stepping on the clock as it would in real time, and
      // takes no further line before it; whatever time is left when the loop ends passes in
      // the main loop (finishWait).
      waitUntil_ = platform_.clockMs() + line.a;
      break;
    case Kind::Answer:
    case Kind::Input:
      // A box takes its answer from the line after the one that opened it; an answer that
      // no box took would otherwise vanish and hide a fault in the game or the replay.
      throw ReplayError("line " + std::to_string(line.lineNumber) + ": no box to answer");
    case Kind::Drag:
    case Kind::DragItem:
      drag(line);
      break;
    case Kind::Drive:
      throw ReplayError("line " + std::to_string(line.lineNumber) + ": no CD window to answer");
    case Kind::Save:
    case Kind::Load:
      saveOrLoad(line);
      break;
  }
}

namespace {

template <typename T>
T* FindChild(platform::Window& window, const std::string& name) {
  for (platform::Element* child : window.children()) {
    if (child->name() == name) return dynamic_cast<T*>(child);
  }
  return nullptr;
}

}  // namespace

// "save" presses S in the game window, "load" chooses the load menu command, or the
// start-up window's Load button while no game runs; a game that disables either offers
// nothing to press.
void ReplayRunner::saveOrLoad(const ReplayLine& line) {
  const ProjectSettings& s = session_.player().settings;
  const bool save = line.kind == Kind::Save;
  if (save ? s.DisableSaveGame : s.DisableLoadGame) {
    note(line, std::string("this game does not offer ") + (save ? "saving" : "loading"));
    return;
  }
  savedGameLine_ = &line;
  if (Game* game = session_.game()) {
    if (save) {
      game->window.dispatchKeyDown('S', 0);
    } else {
      game->savedGames().ShowLoadGameWindow(false);
    }
  } else if (save) {
    note(line, "no game window is open; nothing to save");
  } else {
    session_.startupWindow().ClickButton(1);
  }
  if (savedGameLine_) note(line, "no window opened; nothing chosen");
  savedGameLine_ = nullptr;
}

bool ReplayRunner::actInSavedGameWindow(platform::Window& window) {
  const ReplayLine& line = *savedGameLine_;
  const bool save = line.kind == Kind::Save;
  if (window.name() != (save ? "frmSaveGame" : "frmLoadGame")) return false;
  savedGameLine_ = nullptr;
  auto* list = FindChild<platform::ListBox>(window, "List1");
  auto* press = FindChild<platform::Button>(window, "Command2");
  if (!list || !press) return false;
  if (save) {
    auto* name = FindChild<platform::TextBox>(window, "Text1");
    if (!name) return false;
    name->setText(line.text);
  } else if (line.text.empty()) {
    // The automatic save, listed first when there is one.
    if (list->tag() == kAutosaveListTag) {
      list->clickItem(0);
    } else {
      note(line, "no automatic save in the list; LOAD pressed with none chosen");
    }
  } else {
    const auto& items = list->items();
    const auto found = std::find(items.begin(), items.end(), line.text);
    if (found == items.end()) {
      note(line, "no saved game '" + line.text + "' in the list; LOAD pressed with none chosen");
    } else {
      list->clickItem(static_cast<int>(found - items.begin()));
    }
  }
  press->click();
  return true;
}

void ReplayRunner::mouse(const ReplayLine& line) {
  Game* game = session_.game();
  if (!game) {
    note(line, "no game window is open; input ignored");
    return;
  }
  // Replay coordinates are pixels of the game area; the window takes twips of its inside.
  const int x = game->PictureBox.left() + line.a * 15;
  const int y = game->PictureBox.top() + line.b * 15;
  platform::Window& window = game->window;
  if (line.kind == Kind::Move) {
    window.dispatchMouseMove(0, 0, x, y);
    return;
  }
  const int button = line.kind == Kind::Click ? platform::kLeftButton : platform::kRightButton;
  window.dispatchMouseDown(button, 0, x, y);
  // The press may have closed the game; the release then goes nowhere.
  if (session_.gameWindowOpen()) window.dispatchMouseUp(button, 0, x, y);
}

void ReplayRunner::drag(const ReplayLine& line) {
  Game* game = session_.game();
  if (!game || !session_.gameWindowOpen()) {
    note(line, "no game window is open; drag ignored");
    return;
  }
  const int item = line.a;
  if (item < 1 || item > game->ObjectsCount) {
    note(line, "there is no item " + std::to_string(item) + "; drag ignored");
    return;
  }
  // The drag starts as a press of the left button on the icon does.
  platform::MouseEvent press;
  press.button = platform::kLeftButton;
  game->PickedObject_MouseDown(item, press);
  platform::Window& window = game->window;
  if (!window.dragSource()) return;
  if (line.kind == Kind::Drag) {
    window.dropAt(game->PictureBox.left() + line.b * 15, game->PictureBox.top() + line.c * 15);
    return;
  }
  // Dropped on another icon, wherever the bar is.
  const int target = line.b;
  platform::Element& source = *window.dragSource();
  window.cancelDrag();
  if (target < 1 || target > game->ObjectsCount) {
    note(line, "there is no item " + std::to_string(target) + "; nothing happens");
    return;
  }
  game->PickedObject_DragDrop(target, source);
}

void ReplayRunner::menu(const ReplayLine& line) {
  Game* game = session_.game();
  if (!game || !session_.gameWindowOpen()) {
    note(line, "no game window is open; menu ignored");
    return;
  }
  std::string name = line.text;
  std::string caption;
  if (const std::size_t colon = name.find(':'); colon != std::string::npos) {
    caption = name.substr(colon + 1);
    name = name.substr(0, colon);
  }
  platform::MenuItem* found = nullptr;
  const auto search = [&](auto& self, platform::MenuItem& item) -> void {
    for (platform::MenuItem* child : item.children()) {
      if (found) return;
      if (child->name() == name && (caption.empty() || child->caption() == caption) &&
          (caption.empty() ? true : child->index() > 0)) {
        found = child;
        return;
      }
      self(self, *child);
    }
  };
  search(search, game->window.menuBar());
  if (!found) throw ReplayError("line " + std::to_string(line.lineNumber) + ": no menu item '" +
                                line.text + "'");
  // A person can only choose an item they can see.
  for (platform::MenuItem* item = found; item && item->parent(); item = item->parent()) {
    if (!item->visible() || !item->enabled()) {
      note(line, "menu item '" + line.text + "' is not shown; nothing chosen");
      return;
    }
  }
  found->click();
}

void ReplayRunner::note(const ReplayLine& line, const std::string& text) {
  notes_ << "replay line " << line.lineNumber << ": " << text << "\n";
}

}  // namespace tw
