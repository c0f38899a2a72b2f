// OpenFrame: the one way the scene changes, in its fixed order of steps.
#include <cmath>
#include <exception>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "frames/FrameDataReads.h"
#include "frames/FrameFile.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"
#include "project/InitializeProject.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

constexpr const char* kVerifyLinks =
    "Verify that the 'Initial Frame' exists and that the 'Go to another frame' option in the "
    "Hotspot Properties is linked to an existing frame.";

bool HasVariableNamed(const VariableStore& store, const std::string& name) {
  for (const auto& v : store.Variables) {
    if (EqualsNoCase(v->Name, name)) return true;
  }
  for (const auto& v : store.VariablesVariant) {
    if (EqualsNoCase(v->Name, name)) return true;
  }
  return false;
}

// A delay in seconds as decimal text, to whole milliseconds (halves to even). A field left
// empty (unquoted) is no delay at all; a quoted empty text is not a number.
int TimerIntervalMs(const vbs::Variant& seconds) {
  if (seconds.isEmpty()) return 0;
  const double ms = vbs::Variant::fromString(seconds.toString()).toDouble() * 1000.0;
  return vbs::Variant::fromDouble(ms).toLong();
}

// Keeps a frame's name from being served by another frame's hotspots. From the moment the
// new name is set until the old hotspots and texts are removed, any way out of OpenFrame
// (a stop of the game, a damaged file) would leave the old frame's hotspots clickable under
// the new frame's name, where they would run the new frame's action files. Leaving early
// therefore removes them on the way out; the old picture stays on screen.
class StaleHotspotsGuard {
 public:
  explicit StaleHotspotsGuard(Game& game) : game_(game) {}
  ~StaleHotspotsGuard() {
    if (!armed_) return;
    try {
      game_.ResetFrameTexts();
      game_.ResetFrameAreas();
    } catch (const std::exception&) {
      // Removing elements does not fail; nothing may leave a destructor in any case.
    }
    game_.player().frame.HotspotCount = 0;
  }
  StaleHotspotsGuard(const StaleHotspotsGuard&) = delete;
  StaleHotspotsGuard& operator=(const StaleHotspotsGuard&) = delete;
  // The old frame's hotspots are gone: nothing is left to remove.
  void release() { armed_ = false; }

 private:
  Game& game_;
  bool armed_ = true;
};

}  // namespace

void Game::ReadFrameHeader(const std::string& frameName) {
  CurrentFrameState& frame = player_.frame;
  frame.CurrentFrameName = frameName;
  try {
    FieldReader in = OpenFrameData(player_.folders.FramesFolder + frameName + ".fme");
    frame.BackgroundType = in.readInteger();
    frame.BackgroundValue = in.readString();
    frame.BackgroundTiled = in.readBoolean();
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to load the frame called '" + frameName + "'.");
  }
  frame.HotspotCount = 0;
  const std::string counts = player_.folders.FramesFolder + frameName + ".lks";
  if (player_.files.exists(counts)) ReadHotspotCount();
}

std::int16_t Game::ReadHotspotCount(bool reportDamage) {
  CurrentFrameState& frame = player_.frame;
  frame.HotspotCount = 0;
  vbs::Variant field;
  try {
    FieldReader in =
        OpenFrameData(player_.folders.FramesFolder + frame.CurrentFrameName + ".lks");
    field = in.readAny();
  } catch (const std::exception&) {
    return 0;  // a missing or unreadable file: a frame without hotspots
  }
  // A count that is there but is no count (32768, -5, text) is a damaged file and is said so;
  // it used to open the frame silently without hotspots.
  try {
    const std::int16_t count = field.toInteger();
    if (count < 0) throw vbs::VbError(vbs::err::kOverflow);
    frame.HotspotCount = count;
  } catch (const vbs::VbError&) {
    if (reportDamage && !player_.GameStopped) {
      ShowStandardError(player_, " Unable to load the frame called '" + frame.CurrentFrameName + "'.");
    }
  }
  return frame.HotspotCount;
}

void Game::OpenFrame(const std::string& CurrentFrame, bool bWithTransition,
                     std::int16_t iTransNumber, double dTransitionDuration) {
  const ProjectFolders& folders = player_.folders;
  // 1-2: broken links.
  if (CurrentFrame.empty()) {
    ShowStandardError(player_, " A program link is broken.");
    return;
  }
  if (!player_.files.exists(folders.FramesFolder + CurrentFrame + ".fme")) {
    ShowStandardError(player_, " A program link is broken. The frame named \"" + CurrentFrame +
                                   "\" was not found. " + kVerifyLinks);
    return;
  }
  // Each data file of the frame is read once however many steps read it; an OpenFrame
  // nested in this one (from events let through while a video plays) keeps its own.
  FrameDataReads reads(player_.files);
  struct ReadsScope {
    FrameDataReads*& active;
    FrameDataReads* previous;
    ~ReadsScope() { active = previous; }
  } readsScope{frameReads_, frameReads_};
  frameReads_ = &reads;
  // 3-5: stop the old frame's timer, read the header.
  Timer1.setEnabled(false);
  Timer1.setInterval(0);
  StaleHotspotsGuard staleHotspots(*this);
  ClearFrameState(player_);
  ReadFrameHeader(CurrentFrame);
  if (player_.GameStopped) return;

  // The game may be stopped at any step that lets events run or asks for a file (a script,
  // a cancelled CD request): every group of steps first looks whether it still may run.
  const auto stopped = [this] { return player_.GameStopped; };
  FrameFile file;
  try {
    // 6: whether scripts may reach the window's controls, decided once per game.
    if (ControlsReferencesMode == 0) {
      ControlsReferencesMode = HasVariableNamed(variables, "allowcontrolsreferences") ? 2 : 1;
    }
    // 7-8
    FramesHistoryAdd(CurrentFrame);
    if (stopped()) return;
    {
      FieldReader in = OpenFrameData(folders.FramesFolder + CurrentFrame + ".fme");
      ReadFrameFile(in, file, SoundChannels);
    }
    if (file.timerTransition) TimerTransition = *file.timerTransition;
    if (file.timerTransitionMs) TimerTransitionDuration = *file.timerTransitionMs;
    if (file.timerTransitionNumber) TimerTransitionNumber = *file.timerTransitionNumber;

    // 9-10: let a running rippling-water step finish, then switch the effect off.
    if (stopped()) return;
    if (RipplingWaterTimerRunning()) StopRipplingWater();
    HideRipplingWater();

    const bool hasVideo = !file.videoFile.empty();
    const auto playFrameVideo = [&] {
      HideMenus();
      StopMovie = false;
      const std::string video = LocateDataFile(player_, folders.FramesFolder + file.videoFile);
      if (file.videoInCutScene) {
        CutSceneArea.move(file.videoLeft * 15, file.videoTop * 15, file.videoWidth * 15,
                          file.videoHeight * 15);
        PlayMovieWithStop(video, CutSceneArea, false, 0, 0, 0, 0);
        CutSceneArea.bringToFront();
        platform().processEvents();
        CutSceneArea.setVisible(true);
      } else if (file.videoInFrame) {
        PlayMovieWithStop(video, PictureBox, false, 0, 0, 0, 0);
      } else {
        PlayMovieWithStop(video, PictureBox, true, file.videoLeft, file.videoTop, file.videoWidth,
                          file.videoHeight);
      }
    };
    // 11: a video that plays before the frame is drawn.
    if (stopped()) return;
    if (hasVideo && file.videoFirst && !bWithTransition) {
      CutSceneArea.setVisible(false);
      StopVideo();
      playFrameVideo();
    }
    // 12-14: sounds and music.
    if (stopped()) return;
    if (file.stopAllSounds) StopAnyWavOrMP3();
    if (file.soundFile.empty() && file.stopSoundWhenSilent) StopSoundPlayer();
    if (file.restartMusic) StopMusicPlayer();
    if (!file.musicFile.empty()) {
      const std::string music = LocateDataFile(player_, folders.AreasFolder + file.musicFile);
      if (file.restartMusic || !IsFilePlaying(music)) {
        StopMusicPlayer();
        PlayMusic(music, file.musicLoops);
      }
    }
    // 15: the old frame's texts and hotspots go.
    if (stopped()) return;
    ResetFrameTexts();
    ResetFrameAreas();
    staleHotspots.release();
    // 16: background.
    if (stopped()) return;
    const CurrentFrameState& frame = player_.frame;
    if (frame.BackgroundType == 0) {
      PictureBox.cls();
      const auto colour = static_cast<platform::Colour>(
          vbs::Variant::fromString(frame.BackgroundValue).toLong());
      if (PictureBox.backColour() != colour) PictureBox.setBackColour(colour);
      PictureBox.cls();
    } else if (frame.BackgroundType == 1) {
      const std::string path = LocateDataFile(player_, folders.FramesFolder + frame.BackgroundValue);
      const auto picture = player_.pictures.load(ResolvedPath(player_, path));
      if (frame.BackgroundTiled) {
        PictureBox.tile(*picture);
      } else {
        PictureBox.drawPictureScaled(*picture, 0, 0, player_.settings.GameWidth,
                                     player_.settings.GameHeight);
      }
    }
    // 17: texts and hotspots of the new frame.
    if (stopped()) return;
    LoadTexts();
    if (ReadHotspotCount(true) > 0) LoadAreas();
    // 18: the entry script.
    if (stopped()) return;
    ResetModule();
    const std::string script = RestoreQuotes(file.script);
    if (!script.empty() && file.runScript) {
      Action.iHotspotNumber = 0;
      ExecuteVBScript(script, true);
    }
    // 19: visibility, and the inventory stays above the hotspots.
    if (stopped()) return;
    ShowOrNotShowAreas();
    BringInventoryToFront();
    // 20-21: the frame's channels and sound.
    if (stopped()) return;
    if (!file.stopAllSounds) PlaySoundChannels(folders.FramesFolder + CurrentFrame + ".chn");
    if (!file.soundFile.empty()) {
      StopSoundPlayer();
      PlaySound(LocateDataFile(player_, folders.FramesFolder + file.soundFile));
    }
    // 22-23
    if (stopped()) return;
    const bool videoAfter = hasVideo && (!file.videoFirst || bWithTransition);
    if (videoAfter) {
      CutSceneArea.setVisible(false);
      StopVideo();
    }
    if (!mnuDisableEffects.checked() && frame.BackgroundType == 1 && !frame.BackgroundTiled) {
      LoadWaveEffectIfAny(CurrentFrame);
    }
    // 24: sound channels, and the transition that drives their fades.
    if (stopped()) return;
    ApplySoundChannels();
    if (bWithTransition) TransitionStep2(iTransNumber, dTransitionDuration);
    // Switched off, the transition draws nothing and drives no fade: the timer ends them.
    if (!bWithTransition || mnuDisableTransitions.checked()) EnableAudioFadeTimer();
    // 25-26: a video after drawing, and the wait for any video.
    if (stopped()) return;
    if (videoAfter) playFrameVideo();
    if (stopped()) return;
    SetScreenPointerArrow();
    WaitWhileVideoPlays();
    SetScreenPointerDefault();
    CutSceneArea.setVisible(false);
    StopVideo();
    StopMovie = false;
    // 27
    if (stopped()) return;
    if (!mnuDisableEffects.checked() && RipplingWaterActive) StartRipplingWaterIfActive();
  } catch (const vbs::VbError& e) {
    if (!player_.GameStopped) {
      ShowStandardError(player_, " Unable to load the frame called '" + CurrentFrame + "'. " +
                                     kVerifyLinks + " " + e.description());
    }
    return;
  } catch (const std::exception& e) {
    if (!player_.GameStopped) {
      ShowStandardError(player_, " Unable to load the frame called '" + CurrentFrame + "'. " +
                                     kVerifyLinks + " " + e.what());
    }
    return;
  }

  // 28: the frame timer.
  if (stopped()) return;
  if (file.timerOn) {
    try {
      Timer1.setTag(file.timerTarget);
      Timer1.setEnabled(true);
      Timer1.setInterval(TimerIntervalMs(file.timerDelay));
    } catch (const std::exception&) {
      ShowStandardError(player_, " Unable to load timer duration.");
    }
  }
}

}  // namespace tw
