#include "platform/ShellOpener.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

extern char** environ;

namespace marquill::platform {

XdgShellOpener::~XdgShellOpener() {
    // Still running ones are left to finish on their own.
    reapFinished();
}

void XdgShellOpener::reapFinished() {
    std::erase_if(started_, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

bool XdgShellOpener::open(const std::string& pathOrUrl) {
    reapFinished();
    std::string program = program_;
    std::string argument = pathOrUrl;
    char* argv[] = {program.data(), argument.data(), nullptr};
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return false;
    // The opener must not read the terminal the tool was started from.
    (void)posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    // posix_spawnp reports a program it cannot start (not found, not executable) as a failure.
    const int started = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return false;
    started_.push_back(pid);
    return true;
}

}  // namespace marquill::platform
