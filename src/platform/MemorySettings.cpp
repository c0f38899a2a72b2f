// MemorySettings: a map keyed by lower-cased names.
#include "platform/MemorySettings.h"

#include <cctype>

namespace tw::platform {

namespace {

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

std::string MemorySettings::get(const std::string& section, const std::string& key,
                                const std::string& defaultValue) {
  auto it = values_.find({Lower(section), Lower(key)});
  return it == values_.end() ? defaultValue : it->second;
}

void MemorySettings::save(const std::string& section, const std::string& key,
                          const std::string& value) {
  values_[{Lower(section), Lower(key)}] = value;
}

}  // namespace tw::platform
