#include "library/LibraryText.h"

#include <ctime>

namespace tw::library {

std::string PlayTimeText(std::int64_t seconds) {
  const std::int64_t minutes = seconds / 60;
  if (minutes < 1) return "less than a minute";
  if (minutes < 60) return std::to_string(minutes) + " min";
  const std::int64_t rest = minutes % 60;
  return std::to_string(minutes / 60) + " h " + (rest < 10 ? "0" : "") + std::to_string(rest) +
         " min";
}

std::string PlayedText(std::int64_t lastPlayed, std::int64_t secondsPlayed) {
  if (lastPlayed <= 0) return "Not played yet";
  const std::time_t when = static_cast<std::time_t>(lastPlayed);
  std::tm local{};
  localtime_r(&when, &local);
  char date[64];
  std::strftime(date, sizeof date, "%d %b %Y, %H:%M", &local);
  return std::string("Last played ") + date + " \u00b7 played for " + PlayTimeText(secondsPlayed);
}

}  // namespace tw::library
