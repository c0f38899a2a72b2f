// Transitions: capture, overlay, the clock-driven animation and the clean-up.
#include "effects/Transitions.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "effects/TransitionPlan.h"
#include "effects/VisualEffects.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "platform/Units.h"
#include "project/ErrorBoxes.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

constexpr const char* kWorkFileName = "Temp001.dat";
constexpr const char* kRenderingError =
    " Error rendering the transitions. Make sure that the file 'Msimg32.dll' is in your "
    "Windows\\System directory. This message will not reappear until you restart the program. ";

void DeleteFileIfExists(const std::string& path) {
  if (path.empty()) return;
  std::error_code ec;
  if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
}

}  // namespace

Transitions::Transitions(Game& game)
    : picWhere("picWhere"), picStart("picStart"), picEnd("picEnd"), game_(game) {
  for (platform::PictureBox* box : {&picStart, &picEnd, &picWhere}) {
    box->setVisible(false);
    box->setAutoRedraw(true);
    box->setBackColour(platform::kBlack);
    game_.PictureBox.add(*box);
    // A click on whatever covers the frame area ends the animation, as on the background.
    box->onMouseDown = [this](platform::Element&, const platform::MouseEvent& e) {
      game_.Background_MouseDown(e);
    };
    box->onMouseMove = [this](platform::Element&, const platform::MouseEvent&) {
      game_.GameArea_MouseMove();
    };
  }
}

Transitions::~Transitions() { DeleteFileIfExists(workFile_); }

bool Transitions::disabled() const { return game_.mnuDisableTransitions.checked(); }

void Transitions::placeWorkPictures() {
  const int W = game_.PictureBox.width();
  const int H = game_.PictureBox.height();
  for (platform::PictureBox* box : {&picWhere, &picStart, &picEnd}) {
    box->setAutoRedraw(true);
    box->move(0, 0, W, H);
  }
}

void Transitions::step1(std::int16_t number) {
  if (game_.player().GameStopped || disabled()) return;
  try {
    placeWorkPictures();
    captureCurrentFrame(picStart);
    if (number < 0 || number > 1) return;
    std::shared_ptr<const platform::Picture> old = picStart.image();
    const std::string path = writeWorkFile(*old);
    if (!path.empty()) {
      try {
        old = platform::Picture::load(path);
      } catch (const std::exception&) {
        // The picture in memory is the same one.
      }
    }
    picStart.cls();
    picStart.setPicture(old);
    picWhere.cls();
    picWhere.setPicture(old);
    picWhere.setVisible(true);
    picWhere.bringToFront();
    game_.BringInventoryToFront();
  } catch (const std::exception&) {
    // Without a capture the frame changes as a cut; step 2 reports drawing failures.
    picWhere.setVisible(false);
  }
}

std::string Transitions::writeWorkFile(const platform::Picture& picture) {
  DeleteFileIfExists(workFile_);
  workFile_.clear();
  std::vector<std::string> places{game_.player().folders.ProjectFolder + kWorkFileName};
  std::error_code ec;
  const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
  if (!ec) {
    places.push_back(
        (temp / ("talewick-" + std::to_string(::getpid())) / kWorkFileName).string());
  }
  for (const std::string& place : places) {
    try {
      std::filesystem::create_directories(std::filesystem::path(place).parent_path(), ec);
      picture.saveBmp(place);
      workFile_ = place;
      return place;
    } catch (const vbs::VbError&) {
    }
  }
  return "";
}

void Transitions::step2(std::int16_t number, double durationSeconds) {
  if (game_.player().GameStopped || disabled()) {
    // No animation, but whatever step1 put over the frame area goes.
    clearCovers();
    return;
  }
  const bool frameTimer = game_.Timer1.enabled();
  const bool messageTimer = game_.TimerMessageBox.enabled();
  game_.Timer1.setEnabled(false);
  game_.TimerMessageBox.setEnabled(false);
  try {
    captureCurrentFrame(picEnd);
    run(number, picWhere, picStart, picEnd, durationSeconds);
  } catch (const std::exception& e) {
    showRenderingError(e.what());
  }
  game_.effects().animations.restartVisible();
  if (frameTimer) game_.Timer1.setEnabled(true);
  if (messageTimer) game_.TimerMessageBox.setEnabled(true);
  clearCovers();
}

void Transitions::clearCovers() {
  for (platform::PictureBox* box : {&picWhere, &picStart, &picEnd}) {
    box->setVisible(false);
    box->setPicture(nullptr);
    box->cls();
  }
  // Only cross-fades write the work file; after a slide there is none to delete.
  if (workFile_.empty()) return;
  DeleteFileIfExists(workFile_);
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::path(workFile_).parent_path();
  // Our own temporary folder goes with its file; the game folder stays.
  if (folder.filename().string().rfind("talewick-", 0) == 0) std::filesystem::remove(folder, ec);
  workFile_.clear();
}

void Transitions::captureCurrentFrame(platform::PictureBox& box) {
  box.setAutoRedraw(true);
  game_.Text.templ().setCaption("");
  box.cls();
  const CurrentFrameState& frame = game_.player().frame;
  if (frame.BackgroundType == 0) {
    box.setPicture(nullptr);
    const auto colour = static_cast<platform::Colour>(
        vbs::Variant::fromString(frame.BackgroundValue).toLong());
    if (box.backColour() != colour) box.setBackColour(colour);
  } else {
    // A picture background, or none at all: what the frame area shows without its parts.
    box.setPicture(game_.PictureBox.image());
  }
  for (int i : game_.Text.indexes()) {
    if (i == 0) continue;
    const platform::Label& text = game_.Text[i];
    box.drawText(text.left() / 15, text.top() / 15, text.caption(), text.font(),
                 text.foreColour());
  }
  for (int i : game_.Area.indexes()) {
    if (i == 0) continue;
    const platform::Image& area = game_.Area[i];
    if (!area.picture() || !area.visible()) continue;
    if (auto it = game_.AreaAnimation.find(i); it != game_.AreaAnimation.end() && it->second > 0) {
      continue;
    }
    box.drawPictureScaled(*area.picture(), area.left() / 15, area.top() / 15, area.width() / 15,
                          area.height() / 15);
  }
  game_.effects().animations.paintStills(box);
  game_.effects().water.paintInto(box);
}

bool Transitions::waitForNextStep(std::int64_t due) {
  platform::Platform& platform = game_.platform();
  for (;;) {
    const std::int64_t before = platform.clockMs();
    platform.processEvents();
    if (game_.SkipRequested) {
      game_.SkipRequested = false;
      return false;
    }
    if (!game_.isOpen() || game_.player().GameStopped || platform.quitRequested()) return false;
    if (platform.clockMs() >= due) return true;
    // Nothing to do until the next step: give the processor back.
    if (platform.clockMs() == before) platform.sleepMs(1);
  }
}

void Transitions::run(int number, platform::PictureBox& target, platform::PictureBox& start,
                      platform::PictureBox& end, double durationSeconds) {
  using effects::TransitionKind;
  const TransitionKind kind = effects::KindOf(number, durationSeconds);
  stepsDrawn_ = 0;
  if (kind != TransitionKind::None) {
    running_ = true;
    game_.SkipRequested = false;
    try {
      platform::Platform& platform = game_.platform();
      std::shared_ptr<const platform::Picture> endImage;
      platform::PictureBox* moving = nullptr;
      if (kind == TransitionKind::CrossFade) {
        endImage = end.image();
        if (!target.picture()) target.setPicture(start.image());
        target.setVisible(true);
        target.bringToFront();
      } else {
        const effects::SlideLayout layout = effects::SlideLayoutOf(kind);
        moving = layout.movesNewFrame ? &end : &start;
        const platform::PictureBox& other = layout.movesNewFrame ? start : end;
        const std::shared_ptr<const platform::Picture> otherImage = other.image();
        const int w = platform::PixelsFromTwips(game_.PictureBox.width());
        const int h = platform::PixelsFromTwips(game_.PictureBox.height());
        if (layout.doublesWidth) {
          moving->setWidth(2 * game_.PictureBox.width());
          moving->drawPictureScaled(*otherImage, w, 0, w, h);
        } else {
          moving->setHeight(2 * game_.PictureBox.height());
          moving->drawPictureScaled(*otherImage, 0, h, w, h);
        }
        const effects::Place place = effects::SlidePlace(kind, 0, game_.PictureBox.width(),
                                                         game_.PictureBox.height());
        moving->move(place.left, place.top);
        moving->setVisible(true);
        moving->bringToFront();
      }
      game_.BringInventoryToFront();
      const std::int64_t t0 = platform.clockMs();
      for (;;) {
        const std::int64_t now = platform.clockMs();
        const std::int64_t elapsed = now - t0;
        if (elapsed < 0) break;
        const effects::Progress progress = effects::ProgressAt(elapsed, durationSeconds);
        if (kind == TransitionKind::CrossFade) {
          target.cls();
          target.blendPicture(*endImage, 0, 0, effects::CrossFadeOpacity(progress.v));
        } else {
          // The frame area's size is read again at every step.
          const effects::Place place = effects::SlidePlace(
              kind, progress.v, game_.PictureBox.width(), game_.PictureBox.height());
          moving->move(place.left, place.top);
        }
        ++stepsDrawn_;
        game_.FadeSoundChannels(progress.p);
        if (progress.p > 1) break;
        if (!waitForNextStep(now + effects::kStepIntervalMs)) break;
      }
    } catch (const std::exception& e) {
      // The work pictures go as after any animation: left on screen they would hide the
      // new frame, and the fades must still finish.
      showRenderingError(e.what());
    }
  }
  start.setVisible(false);
  end.setVisible(false);
  running_ = false;
  game_.FadeSoundChannels(1);
}

void Transitions::showRenderingError(const std::string& description) {
  running_ = false;
  if (game_.TransitionErrorShown) return;
  ShowStandardError(game_.player(), std::string(kRenderingError) + description);
  game_.TransitionErrorShown = true;
}

}  // namespace tw
