// ShellProgram: a program started through /bin/sh -c, its exit polled (no Qt, POSIX only).
//
// Both back ends start programs this way. The command line is given to the shell as it is,
// so a command that does not exist still starts (the shell then exits with 127). The exit
// code of a program killed by a signal is 128 + the signal number, as shells report it.
// A program still running when its RunningProgram is destroyed goes on running; it is
// reaped then if it has already ended.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace tw::platform {

// nullptr when the shell cannot be started.
std::unique_ptr<RunningProgram> StartShellProgram(const std::string& commandLine);

}  // namespace tw::platform
