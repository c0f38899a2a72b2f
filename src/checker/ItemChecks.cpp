// The checks of the items in "Areas": "<item>.obj" (the icon) and the combinations
// "<dragged>_on_<target>.drg".
#include <cctype>
#include <string>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/RecordFields.h"
#include "checker/ScriptCheck.h"
#include "common/FileResolver.h"
#include "frames/FieldTests.h"
#include "frames/FrameFile.h"
#include "project/Player.h"

namespace tw::checker {

namespace {

constexpr std::string_view kOn = "_on_";

void CheckItem(CheckContext& context, const std::string& path) {
  ReadRecord(context, path, [&](RecordFields& in) {
    const std::string icon = in.text(1, "icon");
    context.checkDataFile(path, FieldName(1, "icon"), context.folders().AreasFolder, icon,
                          FileKind::Picture);
  });
}

void CheckCombination(CheckContext& context, ScriptCheck& scripts, const std::string& file) {
  const std::string path = context.folders().AreasFolder + file;
  // The player builds this name from the two items' names; a name it never builds is a
  // combination that can never happen.
  const std::string stem = file.substr(0, file.size() - 4);
  std::string lower = stem;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t on = lower.find(kOn);
  if (on == std::string::npos) return;
  for (const std::string& item : {stem.substr(0, on), stem.substr(on + kOn.size())}) {
    if (!context.itemExists(item)) {
      context.report(path, "",
                     "item \"" + item + "\" named by the file name does not exist (no Areas/" +
                         item + ".obj)");
    }
  }
  ReadRecord(context, path, [&](RecordFields& in) {
    in.any(1, "uses up the dragged item");
    in.any(2, "uses up the target item");
    const bool give = IsOne(in.any(3, "gives an item"));
    const std::string item = in.anyText(4, "item");
    if (give) context.checkItemName(path, FieldName(4, "item"), item);
    if (in.atEnd()) return;
    in.skip(5, 3);
    const bool runScript = in.boolean(8, "run script");
    const std::string script = RestoreQuotes(in.text(9, "script"));
    if (runScript && !script.empty()) scripts.check(path, FieldName(9, "script"), script);
  });
}

}  // namespace

void CheckItems(CheckContext& context, ScriptCheck& scripts) {
  FileResolver& files = context.files();
  const std::string& areas = context.folders().AreasFolder;
  for (const std::string& file : files.list(areas, "*.obj")) CheckItem(context, areas + file);
  for (const std::string& file : files.list(areas, "*_on_*.drg")) {
    CheckCombination(context, scripts, file);
  }
}

}  // namespace tw::checker
