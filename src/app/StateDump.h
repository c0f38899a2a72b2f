// StateDump: the state of a game session as one JSON object, for replays' --dump-state.
//
// Fields: frame, history, variables (name -> integer, in list order), variants (name ->
// value), inventory, disappeared ([frame, number] pairs), hotspots ({number, visible, left,
// top, width, height} in pixels), texts (captions), message_bar (text or null), boxes
// ({title, text, icon, answer}), players (7 x {file, playing, volume}), game_stopped,
// game_window_open, clock_ms.
#pragma once

#include <string>

namespace tw {

class GameSession;
namespace platform {
class HeadlessPlatform;
}

std::string DumpState(GameSession& session, platform::HeadlessPlatform& platform);

}  // namespace tw
