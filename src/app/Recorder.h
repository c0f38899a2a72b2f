// Recorder: talewick-player --record writes the play-through in the real window as a replay
// file that --replay plays back to the same state.
//
// The recorder hears the player's input through the platform (InputRecorder) and writes a
// line where a replay line would act: a press on the game window is "click" or "rclick", a
// press on an inventory item that starts a drag becomes "drag N X Y" or "dragitem N M" when
// it is dropped, keys and menu items of the game window are "key" and "menu", a box's answer
// is "answer" or "input", SAVE and LOAD in the saved-game windows are "save NAME" and
// "load NAME" (the key or menu item that opened the window is then not written), the CD
// window's answer is "drive", the start-up window's Start is "start". Positions are pixels
// of the game area (PictureBox), from the client twips the window received, so the window's
// size, scaling or full screen do not change them. A pointer move is written only where it
// matters: the pointer's shape, the tooltip or whether the pointer is over the inventory bar
// differs from where the last written mouse line left it, or the game's move handlers
// changed what the window shows. The real time between lines becomes "wait MS" lines
// (rounded to 10 ms, the rounding carried on so waits never drift); a line is timed when its
// input happened.
//
// A line is held back until it is known: a press until its handlers have returned (it may
// start a drag), a key or menu item until it is known not to open a saved-game window. It is
// written as soon as anything else must follow it (a box, a nested input).
//
// Comments make the file readable: a header with the game's title and the player's version,
// and after the lines that cause them "# frame NAME", "# box "TEXT"", "# inventory + ITEM",
// "# inventory - ITEM". Input that no replay line can give (a double click, a key with Ctrl
// or Alt, what is done in a game's own modal window) is noted in a comment instead.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ReplayScript.h"
#include "app/StateDump.h"
#include "platform/Element.h"
#include "platform/InputRecorder.h"
#include "platform/Picture.h"

namespace tw {

class Game;
class GameSession;
namespace platform {
class Platform;
}

class Recorder : public platform::InputRecorder {
 public:
  // Records into out (flushed after every line) from now on. The session must outlive the
  // recorder; the recorder takes the platform's recording place until it goes.
  Recorder(platform::Platform& platform, GameSession& session, std::ostream& out,
           std::string version);
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // The session has ended: what is held back is written, then the time since the last line.
  void finish();
  // The state of the game now, as --replay --dump-state prints it (boxes as shown here).
  std::string dumpState();

  // --- InputRecorder -------------------------------------------------------------------
  void mousePressed(platform::Window& window, int button, int x, int y, bool doubleClick) override;
  void mouseReleased(platform::Window& window, int button, int x, int y) override;
  void mouseMoved(platform::Window& window, int x, int y) override;
  void keyPressed(platform::Window& window, int keyCode, int shift) override;
  void menuChosen(platform::Window& window, platform::MenuItem& item) override;
  void closeRequested(platform::Window& window) override;
  void inputDone() override;
  void messageBoxShown(const platform::MessageBoxRequest& request) override;
  void messageBoxAnswered(const platform::MessageBoxRequest& request,
                          platform::MsgAnswer answer) override;
  void inputBoxShown(const platform::InputBoxRequest& request) override;
  void inputBoxAnswered(const platform::InputBoxRequest& request,
                        const std::optional<std::string>& text) override;
  void modalWindowShown(platform::Window& window) override;
  void modalWindowClosed() override;
  void savedGameChosen(bool save, const std::string& name) override;
  void cdWindowAnswered(const std::optional<std::string>& root) override;

 private:
  // A line held back, with the input it belongs to.
  struct Pending {
    ReplayLine line;
    std::int64_t atMs = 0;
    std::size_t depth = 0;       // the input's nesting depth; 0 once that input is done
    bool press = false;          // may become a drag
    bool move = false;           // written only when it matters
    platform::Point twips;       // where a mouse line happened
    std::uint64_t revision = 0;  // the game window's before a move
  };
  // What a pointer resting at a place shows.
  struct Zone {
    platform::MousePointer pointer;
    std::string toolTip;
    bool overBar = false;
    bool operator==(const Zone&) const = default;
  };
  struct Modal {
    std::string name;
    bool savedGameWindow = false;
    bool choiceWritten = false;  // a save or load line was written for it
  };

  Game* gameWindowOf(platform::Window& window);
  Zone zoneAt(Game& game, platform::Point twips);
  ReplayLine mouseLine(ReplayLine::Kind kind, Game& game, platform::Point twips);
  // A new input: whatever is held back is written first.
  void beginInput();
  void hold(ReplayLine line, platform::Point twips = {});
  void flush();
  // Writes the waits up to atMs, the changes seen meanwhile, then the line (or a comment
  // when it cannot be written).
  // Without timed, no wait goes before the line (a box that must take the very next line).
  void write(const ReplayLine& line, std::int64_t atMs, bool timed = true);
  // The line's text, or a comment saying it could not be written.
  static std::string text(const ReplayLine& line);
  // Changes not yet said are said, after the waits up to atMs.
  void catchUp(std::int64_t atMs);
  bool changed();
  std::vector<std::string> items();
  void waitUntil(std::int64_t atMs);
  void noteChanges();
  void comment(const std::string& text);
  void put(const std::string& text);
  bool boxesWritten() const;
  std::int64_t now();

  platform::Platform& platform_;
  GameSession& session_;
  std::ostream& out_;
  std::string version_;
  bool headerWritten_ = false;
  std::int64_t startMs_ = 0;
  std::int64_t writtenMs_ = 0;  // the time the written waits add up to, from startMs_
  std::size_t depth_ = 0;
  std::optional<Pending> pending_;
  int dragItem_ = 0;                          // the inventory item a recorded press is dragging
  std::optional<platform::Point> lastMouse_;  // where the last written mouse line acted
  std::vector<Modal> modals_;
  // Per box shown: whether its answer is written.
  std::vector<bool> boxWritten_;
  std::vector<DumpedBox> boxes_;
  std::vector<std::size_t> openBoxes_;  // indexes into boxes_ of the boxes still open
  // What the file has said so far.
  std::string frame_;
  std::vector<std::string> inventory_;
  bool gameOpen_ = false;
  bool finished_ = false;
  // The start-up window's Start, before the recorder listened in.
  std::function<void()> startGame_;
};

// The recording of talewick-player --record: the file and the recorder writing it.
class RecordingFile {
 public:
  // The file at path, emptied, ready to be written; nullptr, with the reason on err, when
  // it cannot be written.
  static std::unique_ptr<RecordingFile> Create(const std::string& path, std::ostream& err);
  // Starts recording the session into the file. The session must outlive the recording.
  void start(platform::Platform& platform, GameSession& session, std::string version);
  // The session has ended: the file is finished and closed; the state dump goes to dump
  // when one is given.
  void end(std::ostream* dump);

 private:
  RecordingFile() = default;
  std::ofstream file_;
  std::unique_ptr<Recorder> recorder_;
};

}  // namespace tw
