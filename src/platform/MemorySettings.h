// MemorySettings: per-user settings held in memory only (tests and replays).
//
// Same rules as the INI store: text values, section and key names matched without regard
// to case, a missing value gives the caller's default.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/Settings.h"

namespace tw::platform {

class MemorySettings : public Settings {
 public:
  std::string get(const std::string& section, const std::string& key,
                  const std::string& defaultValue) override;
  void save(const std::string& section, const std::string& key, const std::string& value) override;

  std::size_t size() const { return values_.size(); }
  void clear() { values_.clear(); }

 private:
  // Keyed by the lower-cased (section, key).
  std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace tw::platform
