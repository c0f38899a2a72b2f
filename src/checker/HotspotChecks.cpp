// The checks of a hotspot's files in "Areas/<frame>/": "<n>a.dat" (geometry, picture,
// pointer, conditions), "<n>b.dat" and "<n>_<item>.drg" (actions), "<n>c.dat" (the item it
// gives), "<n>d.dat" and "<n>_<item>.chn" (sound channels).
#include <string>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/RecordFields.h"
#include "checker/ScriptCheck.h"
#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "frames/FieldTests.h"
#include "frames/FrameFile.h"
#include "project/Player.h"

namespace tw::checker {

namespace {

bool IsDefaultPointer(const std::string& name) {
  return name.empty() || EqualsNoCase(name, "default");
}

void CheckGeometry(CheckContext& context, const std::string& path) {
  const ProjectFolders& folders = context.folders();
  ReadRecord(context, path, [&](RecordFields& in) {
    in.any(1, "left").toLong();
    in.any(2, "top").toLong();
    in.any(3, "width").toLong();
    in.any(4, "height").toLong();
    in.any(5, "animated");
    const bool hasPicture = in.any(6, "has picture").toBool();
    const std::string picture = in.anyText(7, "picture");
    in.any(8, "stretch");
    const std::string pointer = in.anyText(9, "pointer");
    const bool conditional = IsNonZero(in.any(10, "conditional"));
    int field = 11;
    for (const char* list : {"variables that must be 1", "variables that must be 0"}) {
      const int count = in.any(field++, list).toInteger();
      for (int k = 0; k < count; ++k, ++field) {
        const std::string name = in.anyText(field, list);
        if (conditional) context.checkListVariable(path, FieldName(field, list), name);
      }
    }
    if (hasPicture) {
      context.checkDataFile(path, FieldName(7, "picture"), folders.AreasFolder, picture,
                            FileKind::Picture);
    }
    if (!IsDefaultPointer(pointer)) {
      context.checkDataFile(path, FieldName(9, "pointer"), folders.IconsFolder, pointer,
                            FileKind::Pointer);
    }
  });
}

void CheckItemGiven(CheckContext& context, const std::string& path) {
  ReadRecord(context, path, [&](RecordFields& in) {
    const bool gives = IsOne(in.any(1, "gives an item"));
    const std::string item = in.anyText(2, "item");
    if (gives) context.checkItemName(path, FieldName(2, "item"), item);
  });
}

}  // namespace

void CheckActionRecord(CheckContext& context, ScriptCheck& scripts, const std::string& path) {
  const ProjectFolders& folders = context.folders();
  ReadRecord(context, path, [&](RecordFields& in) {
    const std::int16_t variableOn = in.integer(1, "changes a variable");
    const std::string variable = in.text(2, "variable");
    in.any(3, "set to 0");
    in.any(4, "set to 1");
    in.any(5, "invert");
    if (variableOn != 0) context.checkListVariable(path, FieldName(2, "variable"), variable);
    in.any(6, "show message");
    in.any(7, "message");
    in.integer(8, "");
    in.text(9, "");
    in.any(10, "disappear");
    if (IsNonZero(in.any(11, "end of game"))) return;
    const std::int16_t goToFrame = in.integer(12, "go to a frame");
    const std::string target = in.text(13, "frame to go to");
    if (goToFrame != 0) context.checkFrameName(path, FieldName(13, "frame to go to"), target);
    if (in.atEnd()) return;
    in.integer(14, "stop music");
    in.integer(15, "stop all sounds");
    const std::int16_t playVideo = in.integer(16, "play a video");
    const std::string video = in.text(17, "video");
    in.boolean(18, "video in frame");
    in.boolean(19, "video in cut scene");
    for (int n = 20; n <= 23; ++n) in.integer(n, "video place");
    if (playVideo != 0) {
      context.checkDataFile(path, FieldName(17, "video"), folders.FramesFolder, video,
                            FileKind::Video);
    }
    if (in.atEnd()) return;
    in.any(24, "stop sound when silent");
    const bool playMusic = IsNonZero(in.any(25, "play music"));
    const std::string music = in.anyText(26, "music");
    const bool playSound = IsNonZero(in.any(27, "play a sound"));
    const std::string sound = in.anyText(28, "sound");
    if (playMusic) {
      context.checkDataFile(path, FieldName(26, "music"), folders.AreasFolder, music,
                            FileKind::Sound);
    }
    if (playSound) {
      context.checkDataFile(path, FieldName(28, "sound"), folders.FramesFolder, sound,
                            FileKind::Sound);
    }
    if (in.atEnd()) return;
    in.skip(29, 3);
    in.any(32, "go back");
    if (in.atEnd()) return;
    in.skip(33, 3);
    in.any(36, "message in frame").toBool();
    if (in.atEnd()) return;
    in.skip(37, 3);
    const std::int16_t listsOn = in.integer(40, "changes variable lists");
    for (const char* list : {"variables set to 0", "variables set to 1", "variables inverted"}) {
      const int count = in.any(40, list).toInteger();
      for (int k = 0; k < count; ++k) {
        const std::string name = in.text(40, list);
        if (listsOn != 0) context.checkListVariable(path, FieldName(40, list), name);
      }
    }
    if (in.atEnd()) return;
    in.boolean(41, "music loops");
    if (in.atEnd()) return;
    in.any(42, "with transition");
    in.real(43, "transition length");
    if (in.atEnd()) return;
    const bool runScript = in.boolean(44, "run script");
    const std::string script = RestoreQuotes(in.anyText(45, "script"));
    if (runScript && !script.empty()) scripts.check(path, FieldName(45, "script"), script);
    if (in.atEnd()) return;
    in.integer(46, "transition");
    if (in.atEnd()) return;
    in.skip(47, 6);
    in.any(53, "fade length").toDouble();
    in.integer(54, "");
    const std::int16_t cells = in.integer(55, "channel table columns");
    const std::int16_t rows = in.integer(56, "channel table rows");
    if (cells > 5) return;
    for (int r = 1; r <= rows; ++r) {
      std::string file;
      for (int c = 0; c < cells; ++c) {
        const vbs::Variant cell = in.any(56, "sound channel table");
        if (c == 4 && !cell.isEmpty()) file = cell.toString();
      }
      if (!file.empty() && r <= 7) {
        context.checkDataFile(path, "sound channel table, row " + std::to_string(r),
                              folders.AreasFolder, file, FileKind::Sound);
      }
    }
    if (in.atEnd()) return;
    const bool give = in.boolean(57, "gives an item");
    const std::string item = in.text(58, "item");
    if (give) context.checkItemName(path, FieldName(58, "item"), item);
  });
}

bool CheckHotspot(CheckContext& context, ScriptCheck& scripts, const std::string& frame,
                  int number) {
  FileResolver& files = context.files();
  const std::string folder = context.folders().AreasFolder + frame + "/";
  const std::string prefix = folder + std::to_string(number);
  const bool hasGeometry = files.exists(prefix + "a.dat");
  if (hasGeometry) CheckGeometry(context, prefix + "a.dat");
  // A hotspot that cannot be loaded is never clicked nor given an item.
  if (!hasGeometry) return false;
  if (files.exists(prefix + "b.dat")) CheckActionRecord(context, scripts, prefix + "b.dat");
  if (files.exists(prefix + "c.dat")) CheckItemGiven(context, prefix + "c.dat");
  if (files.exists(prefix + "d.dat")) CheckChannelFile(context, prefix + "d.dat");
  // The actions of items dropped on the hotspot, and their channels.
  const std::string itemPrefix = std::to_string(number) + "_";
  for (const std::string& file : files.list(folder, itemPrefix + "*.drg")) {
    const std::string item = file.substr(itemPrefix.size(), file.size() - itemPrefix.size() - 4);
    if (!context.itemExists(item)) {
      context.report(folder + file, "",
                     "item \"" + item + "\" named by the file name does not exist (no Areas/" +
                         item + ".obj)");
    }
    CheckActionRecord(context, scripts, folder + file);
  }
  for (const std::string& file : files.list(folder, itemPrefix + "*.chn")) {
    CheckChannelFile(context, folder + file);
  }
  return true;
}

}  // namespace tw::checker
