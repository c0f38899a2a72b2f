// InstanceSlot: the lowest free slot, held by a lock file.
#include "platform/qt/InstanceSlot.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace tw::platform {

namespace {

// More players at once than this share the last slot's place.
constexpr int kSlots = 16;

std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::error_code error;
  std::filesystem::path base = runtime && *runtime ? std::filesystem::path(runtime)
                                                   : std::filesystem::temp_directory_path(error);
  return (base / "talewick-player").string();
}

}  // namespace

InstanceSlot::InstanceSlot(const std::string& folder) {
  const std::string dir = folder.empty() ? RuntimeFolder() : folder;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  for (int n = 0; n < kSlots; ++n) {
    const std::string path = dir + "/slot-" + std::to_string(n) + ".lock";
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd) return;  // no locks here: every player counts as the first
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
      lock_ = std::move(fd);
      number_ = n;
      return;
    }
  }
  number_ = kSlots - 1;
}

}  // namespace tw::platform
