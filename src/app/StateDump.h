// StateDump: the state of a game session as one JSON object, for replays' --dump-state.
//
// Fields: frame, history, variables (name -> integer, in list order), variants (name ->
// value), inventory, disappeared ([frame, number] pairs), hotspots ({number, visible, left,
// top, width, height} in pixels), texts (captions), message_bar (text or null), boxes
// ({title, text, icon, answer}), players (7 x {file, playing, volume}), game_stopped,
// game_window_open, clock_ms.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class GameSession;
namespace platform {
class HeadlessPlatform;
class RecordedSpeech;
}

// A box as the dump shows it; an input box has the icon "input" and the text typed as its
// answer (nullopt: cancelled).
struct DumpedBox {
  std::string title;
  std::string text;
  std::string icon;
  std::optional<std::string> answer;
};

// The dump of a headless run: its boxes and clock are the headless platform's.
std::string DumpState(GameSession& session, platform::HeadlessPlatform& platform);
// The dump with the boxes and the clock that the caller kept (a recorded session). What was
// read aloud is known only where speech was recorded (headless); else "spoken" is empty.
std::string DumpState(GameSession& session, std::int64_t clockMs,
                      const std::vector<DumpedBox>& boxes,
                      const platform::RecordedSpeech* speech = nullptr);

}  // namespace tw
