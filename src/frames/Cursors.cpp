// Pointers: the game's own pointer picture for the elements that have none of their own, and
// the screen-wide pointer shown while a video plays.
#include <exception>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"

namespace tw {

namespace {
bool UsesSystemPointer(const std::string& cursorFile) {
  return cursorFile.empty() || EqualsNoCase(cursorFile, "default");
}
}  // namespace

void Game::SetDefaultPointer(platform::Element& control) {
  const std::string& cursorFile = player_.settings.CursorFile;
  if (UsesSystemPointer(cursorFile)) {
    control.setPointer(platform::MousePointer{});
    return;
  }
  try {
    const std::string path = LocateDataFile(player_, player_.folders.IconsFolder + cursorFile);
    control.setPointer(
        {platform::PointerShape::Custom, platform::Picture::load(ResolvedPath(player_, path))});
  } catch (const std::exception&) {
    // The control keeps the pointer it had.
  }
}

void Game::SetScreenPointerArrow() {
  const std::string& cursorFile = player_.settings.CursorFile;
  if (UsesSystemPointer(cursorFile)) {
    platform().setScreenPointer({platform::PointerShape::Arrow, nullptr});
    return;
  }
  platform::MousePointer pointer{platform::PointerShape::Custom, nullptr};
  try {
    const std::string path = LocateDataFile(player_, player_.folders.IconsFolder + cursorFile);
    pointer.picture = platform::Picture::load(ResolvedPath(player_, path));
  } catch (const std::exception&) {
    pointer.shape = platform::PointerShape::Arrow;
  }
  platform().setScreenPointer(pointer);
}

void Game::SetScreenPointerDefault() { platform().setScreenPointer(platform::MousePointer{}); }

}  // namespace tw
