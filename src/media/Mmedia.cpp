// Mmedia: the command strings, exactly as the device expects them.
#include "media/Mmedia.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tw::media {

namespace {

constexpr std::size_t kReplyBuffer = 255;

}  // namespace

float LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::size_t end = i;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  bool digits = false;
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
    ++end;
    digits = true;
  }
  if (end < text.size() && text[end] == '.') {
    ++end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
      ++end;
      digits = true;
    }
  }
  if (!digits) return 0;
  return std::strtof(text.substr(i, end - i).c_str(), nullptr);
}

std::string ShortestDecimal(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Mmedia::query(const std::string& command) {
  std::string reply = s_.send(command);
  const std::size_t nul = reply.find('\0');
  if (nul != std::string::npos) reply.resize(nul);
  if (reply.size() > kReplyBuffer) reply.resize(kReplyBuffer);
  return reply;
}

void Mmedia::openAs(const std::string& sthefile, const char* type) {
  if (!alias_.empty()) mmClose();
  const std::string last3 = sthefile.size() >= 3 ? sthefile.substr(sthefile.size() - 3) : sthefile;
  alias_ = last3 + std::to_string(s_.minuteOfHour());
  s_.send("Open \"" + sthefile + "\" ALIAS " + alias_ + " TYPE " + type + " wait");
}

void Mmedia::mmOpen(const std::string& sthefile) { openAs(sthefile, "Sequencer"); }
void Mmedia::mmOpenWave(const std::string& sthefile) { openAs(sthefile, "Waveaudio"); }

void Mmedia::mmClose() {
  if (!alias_.empty()) s_.send("Close " + alias_);
  alias_.clear();
  fileName_.clear();
}

void Mmedia::mmPause() {
  if (!alias_.empty()) s_.send("Pause " + alias_);
}

void Mmedia::mmPlay() {
  if (alias_.empty()) return;
  s_.send(wait_ ? "Play " + alias_ + " wait" : "Play " + alias_);
}

void Mmedia::mmStop() {
  if (!alias_.empty()) s_.send("Stop " + alias_);
}

void Mmedia::mmSeek(float nPosition) {
  s_.send("Seek " + alias_ + " to " + ShortestDecimal(nPosition));
}

float Mmedia::Length() {
  if (alias_.empty()) return 0;
  return LeadingNumber(query("Status " + alias_ + " length"));
}

float Mmedia::Position() {
  if (alias_.empty()) return 0;
  return LeadingNumber(query("Status " + alias_ + " position"));
}

std::string Mmedia::Status() { return query("Status " + alias_ + " mode"); }

void Mmedia::StopMovie() {
  s_.send("Stop " + alias_);
  s_.send("Close " + alias_);
  if (s_.processEvents) s_.processEvents();
}

void Mmedia::PlayMovie(const std::string& path, std::int64_t where, bool bStretched,
                       std::int32_t lLeft, std::int32_t lTop, std::int32_t lWidth,
                       std::int32_t lHeight) {
  try {
    if (!s_.fileExists(path)) return;
    const std::string quoted = "\"" + path + "\"";
    alias_ = std::to_string(static_cast<int>(std::floor(s_.random() * 50)) + 1);
    s_.send("Open " + quoted + " ALIAS " + alias_ + " TYPE AviVideo wait" + " parent " +
            std::to_string(where) + " style child");
    if (bStretched) {
      s_.send("put " + alias_ + " window at " + std::to_string(lLeft) + " " + std::to_string(lTop) +
              " " + std::to_string(lWidth) + " " + std::to_string(lHeight));
    }
    s_.send("play " + alias_ + " window");
  } catch (const std::exception&) {
    // Nothing plays; the status query answers "" and the caller's wait ends.
  }
}

}  // namespace tw::media
