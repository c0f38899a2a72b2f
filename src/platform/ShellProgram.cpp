// ShellProgram: posix_spawn of /bin/sh and non-blocking waitpid.
#include "platform/ShellProgram.h"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace tw::platform {

namespace {

class ShellRunningProgram : public RunningProgram {
 public:
  explicit ShellRunningProgram(pid_t pid) : pid_(pid) {}
  ~ShellRunningProgram() override { finished(); }

  bool finished() override {
    if (done_) return true;
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      done_ = true;
      if (WIFEXITED(status)) {
        exitCode_ = WEXITSTATUS(status);
      } else if (WIFSIGNALED(status)) {
        exitCode_ = 128 + WTERMSIG(status);
      }
    } else if (r < 0) {
      done_ = true;  // not our child any more: nothing left to wait for
    }
    return done_;
  }

  int exitCode() override {
    finished();
    return exitCode_;
  }

 private:
  pid_t pid_;
  bool done_ = false;
  int exitCode_ = 0;
};

}  // namespace

std::unique_ptr<RunningProgram> StartShellProgram(const std::string& commandLine) {
  std::string sh = "/bin/sh", dashC = "-c", command = commandLine;
  std::vector<char*> argv{sh.data(), dashC.data(), command.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) return nullptr;
  return std::make_unique<ShellRunningProgram>(pid);
}

}  // namespace tw::platform
