// MakeAction: a hotspot's action record, read and carried out in its fixed order.
//
// The record ("<n>b.dat" for a click, "<n>_<item>.drg" for an item dropped on the hotspot)
// is read field by field, and several effects happen as soon as their fields are read
// (variables, disappearing, stopping music and sounds, the variable lists, giving an item),
// so a script later in the record sees them. Reading stops quietly when the file ends at one
// of the marked points; later fields keep their defaults. Everything else (script, music,
// sound, channels, video, message, frame change) follows after the file is closed.
#include <exception>
#include <optional>

#include "common/FieldReader.h"
#include "frames/FrameFile.h"
#include "frames/FieldTests.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

// The fields of a record that matter after the file is read.
struct ActionRecord {
  bool showMessage = false;           // 6
  std::string message;                // 7
  bool endGame = false;               // 11
  std::int16_t goToFrame = 0;         // 12
  std::string targetFrame;            // 13
  std::int16_t stopMusic = 0;         // 14
  std::int16_t stopAllSounds = 0;     // 15
  std::int16_t playVideo = 0;         // 16
  std::string videoFile;              // 17
  bool videoInFrame = false;          // 18
  bool videoInCutScene = false;       // 19
  std::int16_t videoRect[4] = {0, 0, 0, 0};  // 20-23
  bool stopSoundWhenSilent = false;   // 24
  bool playMusic = false;             // 25
  std::string musicFile;              // 26
  bool playSound = false;             // 27
  std::string soundFile;              // 28
  bool goBack = false;                // 32
  bool messageInFrame = false;        // 36
  bool musicLoops = true;             // 41
  bool withTransition = false;        // 42
  double transitionMs = 0;            // 43
  bool runScript = false;             // 44
  std::string script;                 // 45
  std::int16_t transitionNumber = 0;  // 46
};

std::string AnyText(FieldReader& in) { return in.readAny().toString(); }

}  // namespace

std::int16_t Game::MakeAction(std::int16_t AreaIndex, std::int16_t ObjectIndex) {
  // 1
  StopMovie = true;
  SkipRequested = true;
  player_.GameStopped = false;
  std::int16_t result = kActionNothing;

  // 2: the record of a click or of the dropped item.
  const std::string folder =
      player_.folders.AreasFolder + player_.frame.CurrentFrameName + "/" + std::to_string(AreaIndex);
  const std::string itemName = ObjectIndex != 0 ? PickedObjectName(ObjectIndex) : std::string();
  const std::string actionFile = ObjectIndex != 0 ? folder + "_" + itemName + ".drg" : folder + "b.dat";
  const std::string channelFile = ObjectIndex != 0 ? folder + "_" + itemName + ".chn" : folder + "d.dat";
  if (!player_.files.exists(actionFile)) return result;

  ActionRecord a;
  try {
    {
      FieldReader in = FieldReader::Open(player_.files, actionFile);
      // 3: one variable set to 0, to 1, inverted, in that order.
      const std::int16_t variableOn = in.readInteger();
      const std::string variable = in.readString();
      const bool setZero = IsNonZero(in.readAny());
      const bool setOne = IsNonZero(in.readAny());
      const bool invert = IsNonZero(in.readAny());
      if (!variable.empty() && variableOn != 0) {
        if (setZero) variables.ChangeVariableValue(variable, 0);
        if (setOne) variables.ChangeVariableValue(variable, 1);
        if (invert) variables.ChangeVariableValue(variable, -1);
      }
      // 4: message fields, and the hotspot disappears or the item is used up.
      a.showMessage = IsNonZero(in.readAny());
      a.message = AnyText(in);
      in.readInteger();  // 8
      in.readString();   // 9
      if (IsNonZero(in.readAny())) {
        if (ObjectIndex != 0) {
          RemovePickedObject(ObjectIndex);
        } else {
          variables.Disappear.Add(player_.frame.CurrentFrameName, AreaIndex);
        }
      }
      // 5: the end of the game reads nothing more.
      a.endGame = IsNonZero(in.readAny());
      if (a.endGame) {
        result = kActionEndGame;
      } else {
        // 6: the rest of the record, with its stopping points.
        [&] {
          a.goToFrame = in.readInteger();
          a.targetFrame = in.readString();
          if (in.atEnd()) return;
          a.stopMusic = in.readInteger();
          if (a.stopMusic != 0) StopMusicPlayer();
          a.stopAllSounds = in.readInteger();
          if (a.stopAllSounds != 0) StopAnyWavOrMP3();
          a.playVideo = in.readInteger();
          a.videoFile = in.readString();
          a.videoInFrame = in.readBoolean();
          a.videoInCutScene = in.readBoolean();
          for (std::int16_t& v : a.videoRect) v = in.readInteger();
          if (in.atEnd()) return;
          a.stopSoundWhenSilent = IsNonZero(in.readAny());
          a.playMusic = IsNonZero(in.readAny());
          a.musicFile = AnyText(in);
          a.playSound = IsNonZero(in.readAny());
          a.soundFile = AnyText(in);
          if (in.atEnd()) return;
          in.skip(3);  // 29-31
          a.goBack = IsNonZero(in.readAny());
          if (in.atEnd()) return;
          in.skip(3);  // 33-35
          a.messageInFrame = in.readAny().toBool();
          if (in.atEnd()) return;
          in.skip(3);  // 37-39
          const std::int16_t listsOn = in.readInteger();
          const std::int16_t listValues[3] = {0, 1, -1};
          for (std::int16_t value : listValues) {
            const int count = in.readAny().toInteger();
            for (int k = 0; k < count; ++k) {
              const std::string name = in.readString();
              if (!name.empty() && listsOn != 0) variables.ChangeVariableValue(name, value);
            }
          }
          if (in.atEnd()) return;
          a.musicLoops = in.readBoolean();
          if (in.atEnd()) return;
          const vbs::Variant transition = in.readAny();
          a.withTransition = !transition.isEmpty() && transition.toDouble() == 1;
          a.transitionMs = in.readDouble();
          if (in.atEnd()) return;
          a.runScript = in.readBoolean();
          a.script = AnyText(in);
          if (in.atEnd()) return;
          a.transitionNumber = in.readInteger();
          if (in.atEnd()) return;
          in.skip(6);  // 47-52
          SoundChannels.FadeDuration = in.readAny().toDouble() / 1000.0;
          in.readInteger();  // 54
          const std::int16_t cells = in.readInteger();
          const std::int16_t rows = in.readInteger();
          if (cells > 5) return;
          for (int r = 1; r <= rows; ++r) {
            vbs::Variant row[5];
            for (int c = 0; c < cells; ++c) {
              vbs::Variant cell = in.readAny();
              if (c < 5) row[c] = std::move(cell);
            }
            if (r > SoundChannelTable::kChannels) continue;
            SoundChannel& channel = SoundChannels[r];
            channel.Mode = row[0].isEmpty() ? 0 : row[0].toInteger();
            channel.Fade = !row[1].isEmpty() && row[1].toBool();
            channel.Loop = !row[2].isEmpty() && row[2].toBool();
            channel.PreviousVolume = channel.Volume;
            channel.Volume = row[3].isEmpty() ? 0 : row[3].toDouble();
            channel.FileName = row[4].isEmpty() ? "" : row[4].toString();
            channel.KeepIfPlaying = false;
          }
          if (in.atEnd()) return;
          // 58 belongs to the record whatever 57 says: a record that ends after 57 is short.
          const bool giveItem = in.readBoolean();
          const std::string item = in.readString();
          if (giveItem) AddPickedObject(item, false);
        }();
      }
    }

    const auto frameChangeComing = [&] {
      return !Action.sFrameToLoad.empty() || a.goToFrame != 0 ||
             (a.goBack && a.goToFrame == 0 && FramesHistory.size() >= 2);
    };

    // 7: the action's script.
    if (player_.GameStopped) return result;
    ResetModule();
    const std::string script = RestoreQuotes(a.script);
    if (!script.empty() && a.runScript) {
      Action.iHotspotNumber = AreaIndex;
      ExecuteVBScript(script, false);
    }
    // 8: music and sound.
    if (player_.GameStopped) return result;
    if (a.playMusic && !a.musicFile.empty() && (!IsMusicPlaying() || a.stopMusic != 0)) {
      StopMusicPlayer();
      PlayMusic(LocateDataFile(player_, player_.folders.AreasFolder + a.musicFile), a.musicLoops);
    }
    if (a.playSound) {
      StopSoundPlayer();
      PlaySound(LocateDataFile(player_, player_.folders.FramesFolder + a.soundFile));
    } else if (a.stopSoundWhenSilent && a.stopAllSounds == 0) {
      StopSoundPlayer();
    }
    // 9: channels; a coming frame change applies them itself.
    if (player_.GameStopped) return result;
    if (a.stopAllSounds == 0) PlaySoundChannels(channelFile);
    if (a.playVideo != 0 || !frameChangeComing()) {
      ApplySoundChannels();
      EnableAudioFadeTimer();
    }
    // 10: video.
    if (player_.GameStopped) return result;
    if (a.playVideo != 0) {
      HideMenus();
      CutSceneArea.setVisible(false);
      const std::string video = LocateDataFile(player_, player_.folders.FramesFolder + a.videoFile);
      if (a.videoInCutScene) {
        CutSceneArea.move(a.videoRect[0] * 15, a.videoRect[1] * 15, a.videoRect[2] * 15,
                          a.videoRect[3] * 15);
        PlayMovieWithStop(video, CutSceneArea, false, 0, 0, 0, 0);
        CutSceneArea.bringToFront();
        platform().processEvents();
        CutSceneArea.setVisible(true);
      } else if (a.videoInFrame) {
        PlayMovieWithStop(video, PictureBox, false, 0, 0, 0, 0);
      } else {
        PlayMovieWithStop(video, PictureBox, true, a.videoRect[0], a.videoRect[1], a.videoRect[2],
                          a.videoRect[3]);
      }
    }
    // 11: message.
    if (player_.GameStopped) return result;
    if (a.showMessage) ShowTextMessage(a.message, a.messageInFrame);
    // 12: wait for the video.
    if (player_.GameStopped) return result;
    if (a.playVideo != 0) {
      SetScreenPointerArrow();
      WaitWhileVideoPlays();
      SetScreenPointerDefault();
      // The click or key that ended the wait ends the video, picture and sound: left to play
      // until the action is done, it would go on over a message or a whole transition.
      CutSceneArea.setVisible(false);
      StopVideo();
      StopMovie = false;
      if (frameChangeComing()) FadeSoundChannels(1);
    }
    // 13: the frame change, first match wins.
    if (player_.GameStopped) return result;
    if (!Action.sFrameToLoad.empty()) {
      const std::string target = Action.sFrameToLoad;
      if (Action.dTransitionDuration != 0) {
        TransitionStep1(Action.iTransitionNumber);
        OpenFrame(target, true, Action.iTransitionNumber, Action.dTransitionDuration);
      } else {
        OpenFrame(target, false, 0, 0);
      }
      result = kActionFrameOpened;
    } else if (a.goToFrame != 0 || (a.goBack && FramesHistory.size() > 1)) {
      std::string target = a.targetFrame;
      if (a.goToFrame == 0) {
        FramesHistory.pop_back();
        target = FramesHistory.back();
      }
      if (a.withTransition) {
        TransitionStep1(a.transitionNumber);
        OpenFrame(target, true, a.transitionNumber, a.transitionMs / 1000.0);
      } else {
        OpenFrame(target, false, 0, 0);
      }
      result = kActionFrameOpened;
    }
  } catch (const std::exception& e) {
    if (!player_.GameStopped) {
      const auto* vb = dynamic_cast<const vbs::VbError*>(&e);
      ShowStandardError(player_, std::string(" Unable to make the action associated with the "
                                             "hotspot. ") +
                                     (vb ? vb->description() : e.what()));
    }
  }
  return result;
}

}  // namespace tw
