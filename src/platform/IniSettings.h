// IniSettings: the per-user settings in an INI file (QSettings), one section per game id.
//
// The default file is talewick/talewick.ini in the user's config folder
// (~/.config/talewick/talewick.ini, or under $XDG_CONFIG_HOME). Values are text. Section and
// key names are matched without regard to case, as the Windows registry matches them, so
// "DisableEffects" and "disableeffects" are one setting. Every save is written to the file
// at once, atomically (a new file renamed over the old); a file that cannot be written leaves
// the values readable for this run.
#pragma once

#include <memory>
#include <string>

#include "platform/Settings.h"

namespace tw::platform {

class IniSettings : public Settings {
 public:
  IniSettings();
  explicit IniSettings(const std::string& filePath);
  ~IniSettings() override;

  std::string get(const std::string& section, const std::string& key,
                  const std::string& defaultValue) override;
  void save(const std::string& section, const std::string& key, const std::string& value) override;

  const std::string& filePath() const { return path_; }
  static std::string defaultFilePath();

 private:
  struct Impl;
  std::string path_;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tw::platform
