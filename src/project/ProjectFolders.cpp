#include "project/ProjectFolders.h"

#include <filesystem>
#include <system_error>

namespace tw {

std::string WithTrailingSlash(std::string_view folder) {
  std::string result(folder);
  while (result.size() > 1 && (result.back() == '/' || result.back() == '\\')) result.pop_back();
  if (result.empty() || result == "/") return result;
  if (result.back() == '\\') result.back() = '/';
  result += '/';
  return result;
}

std::string AbsoluteFolder(std::string_view folder) {
  if (folder.empty()) return "";
  std::filesystem::path path{std::string(folder)};
  if (path.is_relative()) {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    if (!ec) path = cwd / path;
  }
  return WithTrailingSlash(path.lexically_normal().native());
}

}  // namespace tw
