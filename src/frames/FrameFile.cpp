#include "frames/FrameFile.h"

#include <algorithm>

#include "common/FieldReader.h"

namespace tw {

namespace {

// A cell read as any kind of field, as text (Empty reads "").
std::string AnyText(FieldReader& in) { return in.readAny().toString(); }

// fadeMs is field 35 as read: it is converted only when a row that fades is taken over, so
// a frame without fades plays whatever that field holds.
void ReadChannelTable(FieldReader& in, const FrameFile&, SoundChannelTable& channels,
                      const vbs::Variant& fadeMs, int columns, int rows) {
  bool fadeTaken = false;
  for (int r = 1; r <= rows; ++r) {
    vbs::Variant cells[5];
    for (int c = 0; c < columns; ++c) {
      vbs::Variant cell = in.readAny();
      if (c < 5) cells[c] = std::move(cell);
    }
    if (r > SoundChannelTable::kChannels) continue;
    SoundChannel& channel = channels[r];
    const std::int16_t mode = cells[0].isEmpty() ? 0 : cells[0].toInteger();
    const std::string file = cells[4].isEmpty() ? "" : cells[4].toString();
    const bool takeOver = (mode > 1 && channel.Mode < 2) || (!file.empty() && channel.FileName.empty());
    if (!takeOver) continue;
    channel.Mode = mode;
    channel.Fade = cells[1].isEmpty() ? false : cells[1].toBool();
    channel.Loop = cells[2].isEmpty() ? false : cells[2].toBool();
    channel.PreviousVolume = channel.Volume;
    channel.Volume = cells[3].isEmpty() ? 0 : cells[3].toDouble();
    channel.FileName = file;
    channel.KeepIfPlaying = true;
    if (channel.Fade) fadeTaken = true;
  }
  if (fadeTaken) channels.FadeDuration = fadeMs.toDouble() / 1000.0;
}

}  // namespace

void ReadFrameFile(FieldReader& in, FrameFile& f, SoundChannelTable& channels) {
  f.backgroundType = in.readInteger();
  f.backgroundValue = in.readString();
  f.backgroundTiled = in.readBoolean();
  f.restartMusic = in.readBoolean();
  f.musicFile = in.readString();
  f.timerOn = in.readBoolean();
  f.timerDelay = in.readAny();
  f.timerTarget = in.readString();
  f.videoFile = in.readString();
  in.skip(1);  // 10
  if (in.atEnd()) return;
  f.stopAllSounds = in.readBoolean();
  f.stopSoundWhenSilent = in.readBoolean();
  f.soundFile = in.readString();
  if (in.atEnd()) return;
  in.skip(3);  // 14-16
  f.videoInFrame = in.readBoolean();
  f.videoInCutScene = in.readBoolean();
  f.videoLeft = in.readInteger();
  f.videoTop = in.readInteger();
  f.videoWidth = in.readInteger();
  f.videoHeight = in.readInteger();
  if (in.atEnd()) return;
  f.musicLoops = in.readBoolean();
  if (in.atEnd()) return;
  f.timerTransition = in.readBoolean();
  f.timerTransitionMs = in.readLong();
  if (in.atEnd()) return;
  f.timerTransitionNumber = in.readInteger();
  if (in.atEnd()) return;
  f.runScript = in.readBoolean();
  f.script = AnyText(in);
  if (in.atEnd()) return;
  in.skip(6);  // 29-34
  const vbs::Variant fadeMs = in.readAny();
  in.readInteger();  // 36
  const std::int16_t columns = in.readInteger();
  const std::int16_t rows = in.readInteger();
  if (columns >= 6) return;  // such a table is not read, and nothing after it
  ReadChannelTable(in, f, channels, fadeMs, columns, rows);
  if (in.atEnd()) return;
  f.videoFirst = in.readBoolean();
}

std::string RestoreQuotes(const std::string& text) {
  std::string result = text;
  std::replace(result.begin(), result.end(), '|', '"');
  return result;
}

}  // namespace tw
