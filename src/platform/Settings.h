// Settings: the per-user settings store (text values, one section per game).
//
// A missing value gives the caller's default. Values are saved as they are set.
#pragma once

#include <string>

namespace tw::platform {

class Settings {
 public:
  virtual ~Settings() = default;
  virtual std::string get(const std::string& section, const std::string& key,
                          const std::string& defaultValue) = 0;
  virtual void save(const std::string& section, const std::string& key,
                    const std::string& value) = 0;
};

}  // namespace tw::platform
