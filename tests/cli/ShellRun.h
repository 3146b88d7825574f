#pragma once
// Runs a shell command line as a player would type it, for the command-line tests.
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace marquill::test {

struct ShellRun {
    int status = -1;  // the exit status, -1 when the command did not exit
    std::string out;  // standard output
};

inline ShellRun shell(const std::string& command) {
    ShellRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        run.out.append(buf, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace marquill::test
