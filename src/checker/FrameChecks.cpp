// The checks of the frames: ".fme" with the files it names, ".lks" and the hotspots it
// counts, ".chn", the rippling-water pair ".rwe"/".rwm" and the texts ".lbl".
#include <exception>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/RecordFields.h"
#include "checker/ScriptCheck.h"
#include "common/FieldReader.h"
#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "frames/FrameFile.h"
#include "media/SoundChannel.h"
#include "platform/Picture.h"
#include "project/DataFileLocator.h"
#include "project/Player.h"
#include "vbscript/VbError.h"

namespace tw::checker {

namespace {

// The frame file may end after these fields; anywhere else it is cut short.
constexpr int kFrameFileStops[] = {10, 13, 22, 23, 25, 26, 28};

int CountFields(FileResolver& files, const std::string& path) {
  FieldReader in = FieldReader::Open(files, path);
  int count = 0;
  while (!in.atEnd()) {
    in.skip(1);
    ++count;
  }
  return count;
}

// The frame file through the player's own reader.
bool ReadFrame(CheckContext& context, const std::string& path, FrameFile& frame,
               SoundChannelTable& channels) {
  try {
    FieldReader in = FieldReader::Open(context.files(), path);
    ReadFrameFile(in, frame, channels);
    return true;
  } catch (const vbs::VbError& e) {
    if (e.number() != vbs::err::kInputPastEndOfFile) {
      context.report(path, "", "cannot be read: " + e.description());
      return false;
    }
    int count = 0;
    try {
      count = CountFields(context.files(), path);
    } catch (const std::exception&) {
    }
    int needed = 0;
    for (int stop : kFrameFileStops) {
      if (stop > count) {
        needed = stop;
        break;
      }
    }
    context.report(path, "",
                   "ends after field " + std::to_string(count) + ": the file is too short" +
                       (needed > 0 ? " (it needs at least " + std::to_string(needed) + " fields)"
                                   : std::string(" for its sound channel table")));
  } catch (const std::exception& e) {
    context.report(path, "", std::string("cannot be read: ") + e.what());
  }
  return false;
}

void CheckRipplingWater(CheckContext& context, const std::string& base) {
  FileResolver& files = context.files();
  const bool hasEffect = files.exists(base + ".rwe");
  const bool hasMask = files.exists(base + ".rwm");
  if (hasEffect != hasMask) {
    context.report(hasEffect ? base + ".rwe" : base + ".rwm", "",
                   std::string("the rippling water needs both files: ") +
                       (hasEffect ? "the mask (.rwm)" : "the effect (.rwe)") + " is missing");
    return;
  }
  if (!hasEffect) return;
  ReadRecord(context, base + ".rwe", [&](RecordFields& in) {
    in.skip(1, 6);
    in.longInteger(7, "left");
    in.longInteger(8, "top");
    const std::int32_t width = in.longInteger(9, "width");
    const std::int32_t height = in.longInteger(10, "height");
    in.integer(11, "parameter");
    in.integer(12, "speed");
    if (width <= 0 || height <= 0) {
      context.report(base + ".rwe", FieldName(width <= 0 ? 9 : 10, width <= 0 ? "width" : "height"),
                     "the water has no area: the effect is never shown");
    }
  });
  try {
    platform::Picture::load(ResolvedPath(context.player(), base + ".rwm"));
  } catch (const std::exception& e) {
    context.report(base + ".rwm", "",
                   std::string("the mask cannot be read as a picture (") + e.what() + ")");
  }
}

void CheckText(CheckContext& context, const std::string& path) {
  ReadRecord(context, path, [](RecordFields& in) {
    in.any(1, "caption");
    in.any(2, "left").toSingle();
    in.any(3, "top").toSingle();
    in.any(4, "bold").toBool();
    in.any(5, "italic").toBool();
    in.any(6, "font name");
    in.any(7, "font size").toSingle();
    in.any(8, "strikethrough").toBool();
    in.any(9, "underline").toBool();
    in.any(10, "colour").toLong();
  });
}

void CheckFrame(CheckContext& context, ScriptCheck& scripts, const std::string& name) {
  const ProjectFolders& folders = context.folders();
  const std::string path = folders.FramesFolder + name + ".fme";
  FrameFile frame;
  SoundChannelTable channels;
  if (ReadFrame(context, path, frame, channels)) {
    if (frame.backgroundType == 1) {
      context.checkDataFile(path, FieldName(2, "background picture"), folders.FramesFolder,
                            frame.backgroundValue, FileKind::Picture);
    }
    if (!frame.musicFile.empty()) {
      context.checkDataFile(path, FieldName(5, "music"), folders.AreasFolder, frame.musicFile,
                            FileKind::Sound);
    }
    // The timer may also lead back to the frame seen before this one.
    if (frame.timerOn && !EqualsNoCase(frame.timerTarget, "[last visited frame]")) {
      context.checkFrameName(path, FieldName(8, "timer's frame"), frame.timerTarget);
    }
    if (!frame.videoFile.empty()) {
      context.checkDataFile(path, FieldName(9, "video"), folders.FramesFolder, frame.videoFile,
                            FileKind::Video);
    }
    if (!frame.soundFile.empty()) {
      context.checkDataFile(path, FieldName(13, "sound"), folders.FramesFolder, frame.soundFile,
                            FileKind::Sound);
    }
    const std::string script = RestoreQuotes(frame.script);
    if (frame.runScript && !script.empty()) {
      scripts.check(path, FieldName(28, "entry script"), script);
    }
    for (int r = 1; r <= SoundChannelTable::kChannels; ++r) {
      if (channels[r].FileName.empty()) continue;
      context.checkDataFile(path, "sound channel table, row " + std::to_string(r),
                            folders.AreasFolder, channels[r].FileName, FileKind::Sound);
    }
  }

  const std::string channelFile = folders.FramesFolder + name + ".chn";
  if (context.files().exists(channelFile)) CheckChannelFile(context, channelFile);
  CheckRipplingWater(context, folders.FramesFolder + name);

  const std::string counts = folders.FramesFolder + name + ".lks";
  int hotspots = 0;
  if (context.files().exists(counts)) {
    ReadRecord(context, counts,
               [&](RecordFields& in) { hotspots = in.any(1, "number of hotspots").toInteger(); });
  }
  // A damaged count can claim thousands of hotspots: the first few missing ones are listed,
  // the rest summed up in one line.
  constexpr int kListedMissing = 10;
  int missing = 0;
  for (int i = 1; i <= hotspots; ++i) {
    if (CheckHotspot(context, scripts, name, i)) continue;
    if (++missing <= kListedMissing) {
      const std::string geometry = folders.AreasFolder + name + "/" + std::to_string(i) + "a.dat";
      context.report(geometry, "",
                     "does not exist: hotspot " + std::to_string(i) + " of frame \"" + name +
                         "\" cannot be loaded");
    }
  }
  if (missing > kListedMissing) {
    context.report(counts, FieldName(1, "number of hotspots"),
                   "claims " + std::to_string(hotspots) + " hotspots, but " +
                       std::to_string(missing) + " of them have no geometry file (" +
                       std::to_string(missing - kListedMissing) + " not listed)");
  }

  const std::string areas = folders.AreasFolder + name + "/";
  for (const std::string& text : context.files().list(areas, "*.lbl"))
    CheckText(context, areas + text);
}

}  // namespace

void CheckChannelFile(CheckContext& context, const std::string& path) {
  const std::string& areas = context.folders().AreasFolder;
  ReadRecord(context, path, [&](RecordFields& in) {
    in.skip(1, 22);
    for (int n = 1, field = 23; n <= 5; ++n, field += 5) {
      in.any(field, "");
      in.boolean(field + 1, "stop");
      const bool play = in.boolean(field + 2, "play");
      const std::string file = in.text(field + 3, "sound");
      in.any(field + 4, "loop");
      if (play && !file.empty()) {
        context.checkDataFile(path,
                              FieldName(field + 3, "sound") + ", channel " + std::to_string(n),
                              areas, file, FileKind::Sound);
      }
    }
  });
}

void CheckFrames(CheckContext& context, ScriptCheck& scripts) {
  for (const std::string& file : context.files().list(context.folders().FramesFolder, "*.fme")) {
    CheckFrame(context, scripts, file.substr(0, file.size() - 4));
  }
}

}  // namespace tw::checker
