#include "library/GameScan.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

namespace tw::library {

namespace fs = std::filesystem;

namespace {

class Walk {
 public:
  Walk(int maxDepth, const std::function<bool(const std::string&)>& isGame,
       const std::function<bool(const ScanProgress&)>& progress)
      : maxDepth_(maxDepth), isGame_(isGame), progress_(progress) {}

  // False once the walk was stopped.
  bool enter(const fs::path& folder, int depth) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return true;
    if (!seen_.insert({st.st_dev, st.st_ino}).second) return true;
    ++state_.foldersSeen;
    state_.folder = folder.string();
    if (progress_ && !progress_(state_)) return false;
    if (isGame_(state_.folder)) {
      found_.push_back(state_.folder);
      ++state_.gamesFound;
      return true;
    }
    if (depth >= maxDepth_) return true;
    std::vector<fs::path> children;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
      if (it->is_directory(ec)) children.push_back(it->path());
    }
    std::sort(children.begin(), children.end());
    for (const fs::path& child : children) {
      if (!enter(child, depth + 1)) return false;
    }
    return true;
  }

  std::vector<std::string> found() && { return std::move(found_); }

 private:
  int maxDepth_;
  const std::function<bool(const std::string&)>& isGame_;
  const std::function<bool(const ScanProgress&)>& progress_;
  std::set<std::pair<dev_t, ino_t>> seen_;
  ScanProgress state_;
  std::vector<std::string> found_;
};

}  // namespace

std::vector<std::string> ScanForGames(const std::string& root, int maxDepth,
                                      const std::function<bool(const std::string&)>& isGame,
                                      const std::function<bool(const ScanProgress&)>& progress) {
  Walk walk(maxDepth, isGame, progress);
  std::error_code ec;
  walk.enter(fs::absolute(root, ec).lexically_normal(), 0);
  return std::move(walk).found();
}

}  // namespace tw::library
