// Hotspots: creating a frame's hotspots from their geometry files, removing them, and
// showing or hiding them by variables and by the list of hotspots made to disappear.
//
// The geometry file "<n>a.dat": left, top, width, height (twips), animated, has picture,
// picture file, stretch, pointer, conditional, list A (names that must be 1), list B (names
// that must be 0), then optionally the animation speed.
#include <exception>
#include <string>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "frames/FieldTests.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"

namespace tw {

namespace {

constexpr int kShrink = 30;  // 2 pixels on every side, in twips

struct Geometry {
  int left = 0, top = 0, width = 0, height = 0;
  bool animated = false;
  bool hasPicture = false;
  std::string picture;
  bool stretch = false;
  std::string pointer;
  int speed = 50;
};

void SkipList(FieldReader& in) {
  const int count = in.readAny().toInteger();
  for (int i = 0; i < count; ++i) in.skip(1);
}

bool IsDefaultPointer(const std::string& name) { return name.empty() || EqualsNoCase(name, "default"); }

std::string HotspotFile(const Player& player, int i, const char* suffix) {
  return player.folders.AreasFolder + player.frame.CurrentFrameName + "/" + std::to_string(i) +
         suffix;
}

Geometry ReadGeometry(Game& game, int i) {
  Player& player = game.player();
  Geometry g;
  FieldReader in = game.OpenFrameData(HotspotFile(player, i, "a.dat"));
  g.left = in.readAny().toLong();
  g.top = in.readAny().toLong();
  g.width = in.readAny().toLong();
  g.height = in.readAny().toLong();
  const bool animatedFlag = IsNonZero(in.readAny());
  g.hasPicture = in.readAny().toBool();
  g.picture = in.readAny().toString();
  const vbs::Variant stretch = in.readAny();
  g.stretch = !stretch.isEmpty() && stretch.toDouble() == 1;
  g.pointer = in.readAny().toString();
  in.skip(1);  // conditional: only ShowOrNotShowAreas reads the lists
  SkipList(in);
  SkipList(in);
  g.animated = animatedFlag && g.hasPicture;
  if (!in.atEnd()) {
    g.speed = vbs::Variant::fromString(in.readAny().toString()).toInteger();
  } else if (g.animated) {
    // Only an animated picture has a use for the speed: a still hotspot never looks for
    // the item file, which most hotspots do not have.
    const std::string itemFile = HotspotFile(player, i, "c.dat");
    if (player.files.exists(itemFile)) {
      // Its first four fields are the item's; a short file simply has no speed.
      FieldReader item = FieldReader::Open(player.files, itemFile);
      for (int field = 0; field < 4 && !item.atEnd(); ++field) item.skip(1);
      if (!item.atEnd()) g.speed = vbs::Variant::fromString(item.readAny().toString()).toInteger();
    }
  }
  return g;
}

}  // namespace

void Game::LoadAreas() {
  const std::int16_t count = player_.frame.HotspotCount;
  // A damaged frame can claim thousands of hotspots that have no files; after this many
  // boxes in one frame the rest of its failures are passed over silently, so the player is
  // not left clicking OK thousands of times.
  constexpr int kMaxReportedFailures = 10;
  int failures = 0;
  for (int i = 1; i <= count; ++i) {
    if (player_.GameStopped) return;
    try {
      const Geometry g = ReadGeometry(*this, i);
      if (g.animated) {
        platform::Image& area = Area.load(i);
        area.move(0, 0, 15, 15);
        area.setOutlined(false);  // a placeholder: the animated picture is what is shown
        const std::string picture = LocateDataFile(player_, player_.folders.AreasFolder + g.picture);
        AreaAnimation[i] = AniGifNewWithIndex(i, picture, g.left + kShrink, g.top + kShrink, g.speed);
        continue;
      }
      if (player_.GameStopped) return;
      platform::Image& area = Area.load(i);
      area.move(g.left + kShrink, g.top + kShrink, std::max(g.width - 2 * kShrink, 1),
                std::max(g.height - 2 * kShrink, 1));
      area.setStretch(g.stretch);
      if (g.hasPicture) {
        const std::string path = LocateDataFile(player_, player_.folders.AreasFolder + g.picture);
        area.setPicture(player_.pictures.load(ResolvedPath(player_, path)));
      }
      if (player_.GameStopped) return;
      if (IsDefaultPointer(g.pointer)) {
        SetDefaultPointer(area);
      } else {
        const std::string path = LocateDataFile(player_, player_.folders.IconsFolder + g.pointer);
        area.setPointer({platform::PointerShape::Custom,
                         player_.pictures.load(ResolvedPath(player_, path))});
      }
      area.bringToFront();
    } catch (const std::exception&) {
      if (!player_.GameStopped && ++failures <= kMaxReportedFailures) {
        ShowStandardError(player_, " Unable to load hotspot #" + std::to_string(i) + " (out of " +
                                       std::to_string(count) + ").");
      }
    }
  }
}

void Game::ResetFrameAreas() {
  try {
    Area.unloadAll();
  } catch (const std::exception&) {
  }
  try {
    RemoveAnimatedPictures();
  } catch (const std::exception&) {
  }
  AreaAnimation.clear();
}

void Game::ShowOrNotShowAreas() {
  const CurrentFrameState& frame = player_.frame;
  for (int i = 1; i <= frame.HotspotCount; ++i) {
    try {
      // The geometry file is opened first: a hotspot without one fails here even when it has
      // been made to disappear.
      FieldReader in = OpenFrameData(HotspotFile(player_, i, "a.dat"));
      bool visible = true;
      bool disappeared = false;
      for (const auto& entry : variables.Disappear) {
        if (entry->Name == frame.CurrentFrameName && entry->Value() == i) {
          disappeared = true;
          break;
        }
      }
      if (disappeared) {
        visible = false;
      } else {
        in.skip(9);
        if (IsNonZero(in.readAny())) {
          // A variable that does not exist (-32000) never hides a hotspot.
          const auto listPasses = [&](std::int16_t wanted) {
            const int count = in.readAny().toInteger();
            for (int k = 0; k < count; ++k) {
              const std::int16_t v = variables.GetVariableValue(in.readAny().toString());
              if (v != wanted && v != kUnknownVariableValue) return false;
            }
            return true;
          };
          visible = listPasses(1) && listPasses(0);
        }
      }
      // A hotspot whose element was never created (its loading failed) fails here, as any
      // element that is not there does.
      Area[i].setVisible(visible);
      if (auto it = AreaAnimation.find(i); it != AreaAnimation.end() && it->second > 0) {
        try {
          ShowAnimatedPicture(it->second, visible);
        } catch (const std::exception&) {
        }
      }
    } catch (const std::exception&) {
      platform().messageBox(platform::MakeBox(player_.messages[29], player_.messages[30],
                                              platform::MsgIcon::Error, platform::MsgButtons::Ok));
      return;
    }
  }
}

}  // namespace tw
