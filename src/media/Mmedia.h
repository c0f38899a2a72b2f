// Mmedia: drives one multimedia device through command strings and reads its replies.
//
// It keeps the alias of the open file (empty: closed), a file name that only mmClose
// touches, and the wait flag. Commands go to `send`; result codes are never looked at, and
// no operation reports an error: a file that does not open leaves the device silent and
// its status empty. Replies are cut at the first NUL and at 255 characters.
//
// Aliases: mmOpen/mmOpenWave use the file's last three characters and the minute of the
// hour ("mid7"); PlayMovie a random whole number from 1 to 50. StopMovie closes the device
// but keeps the alias, so later queries go to an alias that no longer exists and answer "".
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tw::media {

struct MmediaServices {
  std::function<std::string(const std::string&)> send;  // a command; its reply
  std::function<void()> processEvents;                  // one pass of pending events
  std::function<int()> minuteOfHour;                    // 0-59
  std::function<double()> random;                       // [0, 1), reseeded from the time
  std::function<bool(const std::string&)> fileExists;
};

class Mmedia {
 public:
  explicit Mmedia(MmediaServices services) : s_(std::move(services)) {}

  void mmOpen(const std::string& sthefile);
  void mmOpenWave(const std::string& sthefile);
  void mmClose();
  void mmPause();
  void mmPlay();
  void mmStop();
  void mmSeek(float nPosition);
  void setFileName(const std::string& sthefile) { mmOpen(sthefile); }
  bool Wait() const { return wait_; }
  void setWait(bool bWaitValue) { wait_ = bWaitValue; }
  float Length();
  float Position();
  void setPosition(float nPosition) { mmSeek(nPosition); }
  std::string Status();
  void StopMovie();
  // where: the host area's handle; the rectangle is used only when bStretched.
  void PlayMovie(const std::string& path, std::int64_t where, bool bStretched, std::int32_t lLeft,
                 std::int32_t lTop, std::int32_t lWidth, std::int32_t lHeight);

  const std::string& alias() const { return alias_; }
  const std::string& fileName() const { return fileName_; }

 private:
  void openAs(const std::string& sthefile, const char* type);
  std::string query(const std::string& command);

  MmediaServices s_;
  std::string alias_;
  std::string fileName_;
  bool wait_ = false;
};

// The leading decimal number of a reply ("12.5 ms" -> 12.5); 0 when it starts otherwise.
float LeadingNumber(const std::string& text);
// The shortest decimal text that reads back as the same single-precision number.
std::string ShortestDecimal(float value);

}  // namespace tw::media
