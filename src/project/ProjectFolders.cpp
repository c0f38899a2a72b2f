#include "project/ProjectFolders.h"

namespace tw {

std::string WithTrailingSlash(std::string_view folder) {
  std::string result(folder);
  while (result.size() > 1 && (result.back() == '/' || result.back() == '\\')) result.pop_back();
  if (result.empty() || result == "/") return result;
  if (result.back() == '\\') result.back() = '/';
  result += '/';
  return result;
}

}  // namespace tw
