// The checks of the files in "Config".
#include <exception>
#include <map>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/RecordFields.h"
#include "checker/ScriptCheck.h"
#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "multicd/CdIndex.h"
#include "project/Player.h"
#include "project/Scheme.h"
#include "scripting/ProceduresFile.h"

namespace tw::checker {

namespace {

bool NamesAFile(const std::string& name) {
  return !name.empty() && !EqualsNoCase(name, "default");
}

// The start-up window's scheme: its description file and the pictures it names, read by the
// start-up window's own reader.
void CheckScheme(CheckContext& context, const std::string& general, const std::string& name) {
  Player& player = context.player();
  const std::string folder = SchemeFolder(player, name);
  const std::string path = folder + "Scheme.txt";
  if (!player.files.exists(path)) {
    context.report(general, FieldName(16, "scheme"),
                   "scheme \"" + name + "\" does not exist (no Schemes/" + name + "/Scheme.txt)");
    return;
  }
  const SchemeDescription scheme = ReadScheme(player, name);
  if (!scheme.pictureCount) {
    context.report(path, "", "cannot be read, or ends before field 4 (number of pictures)");
    return;
  }
  static const char* const kSlots[] = {"Start button", "Load button", "Exit button", "background"};
  for (std::size_t k = 0; k < scheme.pictures.size(); ++k) {
    if (scheme.pictures[k].empty()) continue;
    context.checkDataFile(path, FieldName(5 + static_cast<int>(k), kSlots[k]), folder,
                          scheme.pictures[k], FileKind::Picture);
  }
}

}  // namespace

void CheckGeneral(CheckContext& context) {
  Player& player = context.player();
  const std::string path = player.folders.ConfigFolder + "General";
  // The form of every field, group by group, as the start-up reads them.
  ReadRecord(context, path, [](RecordFields& in) {
    for (int n : {1, 2, 3}) in.text(n, n == 1 ? "project id" : n == 3 ? "title" : "");
    in.integer(4, "");
    in.text(5, "start frame");
    in.text(6, "version");
    in.integer(7, "game width");
    in.integer(8, "game height");
    for (int n : {9, 10, 11}) in.text(n, "author");
    if (in.atEnd()) return;
    in.integer(12, "resolution change");
    if (in.atEnd()) return;
    in.skip(13, 3);
    in.text(16, "scheme");
    if (in.atEnd()) return;
    in.skip(17, 3);
    in.boolean(20, "disable load game");
    in.boolean(21, "disable save game");
    in.skip(22);
    if (in.atEnd()) return;
    in.skip(23, 2);
    in.longInteger(25, "inventory spacing x");
    in.longInteger(26, "inventory spacing y");
    for (int n = 27; n <= 32; ++n) in.boolean(n, "inventory setting");
    in.text(33, "inventory button picture");
    in.text(34, "inventory background picture");
    in.integer(35, "game resolution");
    in.skip(36, 2);
    in.text(38, "pointer");
    if (in.atEnd()) return;
    in.skip(39, 2);
    in.boolean(41, "windowed mode");
    if (in.atEnd()) return;
    in.skip(42);
    in.boolean(43, "skip start-up window");
    in.boolean(44, "hide tool logo");
    if (in.atEnd()) return;
    in.skip(45);
    in.boolean(46, "hide transitions option");
    if (in.atEnd()) return;
    in.boolean(47, "hide effects option");
  });

  // The files it names, from the settings the player's own start-up read.
  const ProjectSettings& s = player.settings;
  context.checkFrameName(path, FieldName(5, "start frame"), s.StartFrame);
  if (!s.SchemeName.empty()) CheckScheme(context, path, s.SchemeName);
  if (s.CustomInventoryPictures) {
    if (NamesAFile(s.InventoryButtonPicture)) {
      context.checkDataFile(path, FieldName(33, "inventory button picture"),
                            player.folders.InventoryFolder, s.InventoryButtonPicture,
                            FileKind::Picture);
    }
    if (NamesAFile(s.InventoryBackgroundPicture)) {
      context.checkDataFile(path, FieldName(34, "inventory background picture"),
                            player.folders.InventoryFolder, s.InventoryBackgroundPicture,
                            FileKind::Picture);
    }
  }
  if (NamesAFile(s.CursorFile)) {
    context.checkDataFile(path, FieldName(38, "pointer"), player.folders.IconsFolder, s.CursorFile,
                          FileKind::Pointer);
  }
}

void CheckTexts(CheckContext& context) {
  const std::string path = context.folders().ConfigFolder + "Texts";
  if (!context.files().exists(path)) return;  // the player's own wording
  ReadRecord(context, path, [](RecordFields& in) {
    if (in.integer(1, "wording") != 2) return;
    in.skip(2, 5);
    const std::int16_t count = in.integer(7, "number of texts");
    for (int i = 1; i <= count; ++i) in.any(7 + i, "text");
  });
}

void CheckVariables(CheckContext& context) {
  const std::string path = context.folders().ConfigFolder + "Variables";
  if (!context.files().exists(path)) {
    context.report(path, "", "does not exist: the game has no variables list");
    return;
  }
  ReadRecord(context, path, [&](RecordFields& in) {
    in.skip(1);
    bool variant = false;
    std::map<std::string, int> seen;  // folded name -> field
    for (int n = 2; !in.atEnd(); ++n) {
      const std::string name = in.text(n, "variable name");
      if (name == "***") {
        variant = true;
        continue;
      }
      if (name.empty()) continue;
      const auto [it, added] = seen.emplace(FoldCase(name), n);
      if (!added) {
        context.report(path, FieldName(n, "variable name"),
                       "variable \"" + name + "\" is declared twice (also in field " +
                           std::to_string(it->second) + ")");
        continue;
      }
      context.declareVariable(name, variant);
    }
  });
}

void CheckProcedures(CheckContext& context, ScriptCheck& scripts) {
  const std::string path = context.folders().ConfigFolder + "Procedures";
  if (!context.files().exists(path)) return;  // a game without procedures
  std::optional<std::string> bytes;
  try {
    bytes = context.files().readFile(path);
  } catch (const std::exception&) {
  }
  if (!bytes) {
    context.report(path, "", "cannot be read");
    return;
  }
  // The script host drops the three header lines and joins the rest with CR LF.
  const std::string text = DecodeDataText(*bytes);
  scripts.setProcedures(path, scripting::ProceduresBody(text), 3);
}

void CheckResume(CheckContext& context) {
  const std::string path = context.folders().ConfigFolder + "Resume";
  if (!context.files().exists(path)) return;
  ReadRecord(context, path, [&](RecordFields& in) {
    in.skip(1, 6);
    for (int n = 7; !in.atEnd(); n += 2) {
      in.text(n, "saved frame");
      const std::string target = in.text(n + 1, "resume frame");
      if (!target.empty()) context.checkFrameName(path, FieldName(n + 1, "resume frame"), target);
    }
  });
}

void CheckCdContents(CheckContext& context) {
  Player& player = context.player();
  if (!RunsFromCd(player)) return;
  const std::string path = player.folders.ConfigFolder + "CDContents";
  ReadRecord(context, path, [&](RecordFields& in) {
    in.skip(1, 3);
    const std::int16_t disks = in.integer(4, "number of CDs");
    in.skip(5, 2);
    for (int n = 7; !in.atEnd(); n += 3) {
      const std::string name = in.text(n, "file name");
      const std::int16_t disk = in.integer(n + 1, "CD number");
      in.integer(n + 2, "folder kind");
      if (!name.empty() && (disk < 1 || disk > disks)) {
        context.report(path, FieldName(n + 1, "CD number"),
                       "\"" + name + "\" is on CD " + std::to_string(disk) + ", but the game has " +
                           std::to_string(disks) + " CDs: it is never looked for");
      }
    }
  });
  context.setCdIndex(LoadCDIndex(player));
}

}  // namespace tw::checker
