// Writes one value into a settings file the way the player saves a setting, so that the
// crash test can stop it at each step of the write.
//
// usage: crash_settings_write FILE SECTION KEY VALUE
#include <QCoreApplication>
#include <csignal>
#include <iostream>

#include "platform/IniSettings.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: crash_settings_write FILE SECTION KEY VALUE\n";
    return 2;
  }
  std::signal(SIGXFSZ, SIG_IGN);  // as the player does
  QCoreApplication app(argc, argv);
  tw::platform::IniSettings settings(argv[1]);
  settings.save(argv[2], argv[3], argv[4]);
  return settings.get(argv[2], argv[3], "") == argv[4] ? 0 : 1;
}
