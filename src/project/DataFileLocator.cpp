#include "project/DataFileLocator.h"

#include <array>
#include <cctype>
#include <utility>

#include "platform/Platform.h"
#include "project/Player.h"

namespace tw {

namespace {

constexpr std::array<std::pair<const char*, const char*>, 12> kCodedExtensions = {{
    {".ico", ".002"},
    {".cur", ".003"},
    {".bmp", ".004"},
    {".jpg", ".005"},
    {".gif", ".006"},
    {".wmf", ".007"},
    {".emf", ".008"},
    {".wav", ".010"},
    {".mid", ".011"},
    {".mp3", ".012"},
    {".avi", ".014"},
    {".wma", ".016"},
}};

// Length in characters, not bytes: names may hold accented letters.
std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}

void ShowMissingFileWarning(Player& player, const std::string& path) {
  const MessageTable& m = player.messages;
  player.platform().messageBox(platform::MakeBox(m[29], m[33] + "\r\n" + path + "\r\n\r\n" + m[34],
                                                 platform::MsgIcon::Warning,
                                                 platform::MsgButtons::Ok));
}

}  // namespace

std::string EncodedFileName(const std::string& path) {
  if (path.size() < 4) return path;
  std::string extension = path.substr(path.size() - 4);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& [plain, code] : kCodedExtensions) {
    if (extension == plain) return path.substr(0, path.size() - 4) + code;
  }
  return path;
}

std::string FindFileName(Player& player, std::string_view path) {
  if (path.empty()) return "";
  const char last = path.back();
  if (last == '/' || last == '\\') return player.files.findFileName(std::string(path) + "*");
  return player.files.findFileName(path);
}

std::string FileNameOfPath(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string_view::npos) return std::string(path);
  return std::string(path.substr(slash + 1));
}

std::int32_t ClampToZero(std::int32_t n) {
  return n < 0 ? 0 : n;
}

std::string LocateDataFile(Player& player, const std::string& path) {
  if (!FindFileName(player, path).empty()) return path;

  std::string candidate = path;
  if (Utf8Length(path) > 4) {
    const std::string coded = EncodedFileName(path);
    if (coded != path && !FindFileName(player, coded).empty()) return coded;

    if (player.multiCdLookup) candidate = player.multiCdLookup(path);
    if (!FindFileName(player, candidate).empty()) return candidate;
  }

  // Found nowhere (every look-up above came back empty).
  if (!player.GameStopped) ShowMissingFileWarning(player, candidate);
  return candidate;
}

}  // namespace tw

namespace tw {
std::string ResolvedPath(Player& player, const std::string& path) {
  return player.files.resolve(path).value_or(path);
}
}  // namespace tw
