// Settings stores: defaults, persistence across instances, case-insensitive names, odd ids.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "platform/IniSettings.h"
#include "platform/MemorySettings.h"

namespace tw::platform {
namespace {

struct StoreCase {
  const char* name;
  std::function<std::unique_ptr<Settings>(const std::string& dir)> make;
};

class SettingsStores : public ::testing::TestWithParam<StoreCase> {
 protected:
  QTemporaryDir dir;
  std::unique_ptr<Settings> store = GetParam().make(dir.path().toStdString());
};

TEST_P(SettingsStores, MissingValuesGiveTheCallersDefault) {
  EXPECT_EQ(store->get("MyGame", "ChangeResolution", "1"), "1");
  EXPECT_EQ(store->get("MyGame", "DriveLetter", ""), "");
}

TEST_P(SettingsStores, ValuesAreKeptPerGameAndMatchedWithoutCase) {
  store->save("MyGame", "DisableTransitions", "True");
  store->save("Other", "DisableTransitions", "False");
  EXPECT_EQ(store->get("MyGame", "DisableTransitions", "x"), "True");
  EXPECT_EQ(store->get("mygame", "disabletransitions", "x"), "True");
  EXPECT_EQ(store->get("Other", "DisableTransitions", "x"), "False");
  store->save("MYGAME", "DISABLETRANSITIONS", "False");  // overwrites, no second entry
  EXPECT_EQ(store->get("MyGame", "DisableTransitions", "x"), "False");
}

TEST_P(SettingsStores, OddGameIdsAndValuesRoundTrip) {
  const std::string ids[] = {"", "a/b", "a\\b", "100%", "General", "Spiel mit Ümlaut"};
  for (const auto& id : ids) store->save(id, "DriveLetter", "/media/cd " + id);
  for (const auto& id : ids)
    EXPECT_EQ(store->get(id, "DriveLetter", "none"), "/media/cd " + id) << id;
  // "a/b" must not be nested under "a".
  EXPECT_EQ(store->get("a", "DriveLetter", "none"), "none");
  store->save("g", "Empty", "");
  EXPECT_EQ(store->get("g", "Empty", "default"), "");
  store->save("g", "Commas", "1, 2; \"three\"");
  EXPECT_EQ(store->get("g", "Commas", ""), "1, 2; \"three\"");
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsStores,
                         ::testing::Values(StoreCase{"Memory",
                                                     [](const std::string&) {
                                                       return std::make_unique<MemorySettings>();
                                                     }},
                                           StoreCase{"Ini",
                                                     [](const std::string& d) {
                                                       return std::make_unique<IniSettings>(
                                                           d + "/sub/talewick.ini");
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniSettingsFile, ValuesPersistAcrossInstances) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/config/talewick/talewick.ini";
  {
    IniSettings settings(path);
    settings.save("MyGame", "ChangeResolution", "0");
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));  // folders created on demand
  IniSettings again(path);
  EXPECT_EQ(again.get("MyGame", "ChangeResolution", "1"), "0");
}

// A save writes a new file and renames it over the old one: a second name for the old file
// (a hard link) still shows the old content, which rewriting in place would have changed.
TEST(IniSettingsFile, SavesReplaceTheFileInsteadOfRewritingIt) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/talewick.ini";
  const std::string link = dir.path().toStdString() + "/before.ini";
  IniSettings settings(path);
  settings.save("MyGame", "DisableEffects", "0");
  ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
  settings.save("MyGame", "DisableEffects", "1");
  IniSettings before(link);
  EXPECT_EQ(before.get("MyGame", "DisableEffects", "?"), "0");
  IniSettings after(path);
  EXPECT_EQ(after.get("MyGame", "DisableEffects", "?"), "1");
}

TEST(IniSettingsFile, DefaultFileLivesInTheUsersConfigFolder) {
  const std::string p = IniSettings::defaultFilePath();
  EXPECT_NE(p.find("talewick/talewick.ini"), std::string::npos);
  EXPECT_EQ(p.rfind("/talewick/talewick.ini"),
            p.size() - std::string("/talewick/talewick.ini").size());
}

TEST(IniSettingsFile, TheConfigFolderFollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", "/srv/somebody/config", 1);
  const std::string p = IniSettings::defaultFilePath();
  if (old) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
  EXPECT_EQ(p, "/srv/somebody/config/talewick/talewick.ini");
}

}  // namespace
}  // namespace tw::platform
