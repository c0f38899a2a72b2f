// MediaSystem: building the mixer, the fade timer and the video device together.
#include "media/MediaSystem.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <random>

#include "platform/Platform.h"

namespace tw::media {

namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

double RealTimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
}

MmediaServices DeviceServices(platform::Platform& platform, MediaDevice& device,
                              std::function<double()> timeOfDay) {
  MmediaServices s;
  s.send = [&device](const std::string& command) { return device.send(command); };
  s.processEvents = [&platform] { platform.processEvents(); };
  s.minuteOfHour = [timeOfDay] {
    return static_cast<int>(std::fmod(timeOfDay() / 60.0, 60.0));
  };
  // Reseeded from the time of day at every use, as the alias rule wants.
  s.random = [timeOfDay] {
    std::mt19937 generator(static_cast<std::uint32_t>(timeOfDay() * 1000.0));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
  };
  s.fileExists = IsFile;
  return s;
}

}  // namespace

std::string FindSoundFont(const std::string& chosen) {
  if (IsFile(chosen)) return chosen;
  for (const char* preferred : {"/usr/share/sounds/sf2/default-GM.sf2",
                                "/usr/share/sounds/sf3/default-GM.sf3",
                                "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
    if (IsFile(preferred)) return preferred;
  }
  for (const char* folder : {"/usr/share/sounds/sf2", "/usr/share/sounds/sf3"}) {
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      if (IsFile(it->path().string())) return it->path().string();
    }
  }
  return "";
}

MediaSystem::MediaSystem(platform::Platform& platform, const std::string& soundFont)
    : mixer(platform.audioOutput(), soundFont),
      TimerAudioFade(platform.timers(), "TimerAudioFade"),
      device(platform, mixer),
      mmedia(DeviceServices(platform, device, [this] { return timeOfDay(); })),
      platform_(platform) {
  TimerAudioFade.setInterval(100);
  TimerAudioFade.setEnabled(false);
  setTimeOfDay(RealTimeOfDay());
}

MediaSystem::~MediaSystem() = default;

double MediaSystem::timeOfDay() const {
  return std::fmod(dayOffset_ + static_cast<double>(platform_.clockMs()) / 1000.0, 86400.0);
}

void MediaSystem::setTimeOfDay(double seconds) {
  dayOffset_ = seconds - static_cast<double>(platform_.clockMs()) / 1000.0;
}

}  // namespace tw::media
