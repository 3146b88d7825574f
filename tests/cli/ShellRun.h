#pragma once
// Runs a shell command line as a player would type it, for the command-line tests.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace marquill::test {

struct ShellRun {
    int status = -1;  // the exit status, -1 when the command did not exit
    std::string out;  // standard output
};

namespace detail {

inline ShellRun shellOnce(const std::string& command) {
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

// What the sanitizers wrote into the files named `prefix`.PID, which are then removed.
inline std::string takeSanitizerReports(const std::string& prefix) {
    namespace fs = std::filesystem;
    const fs::path base(prefix);
    std::string reports;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(base.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(base.filename().string() + ".", 0) != 0) continue;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        reports += text.str();
        fs::remove(entry.path(), error);
    }
    return reports;
}

}  // namespace detail

// In the sanitizer build the leak checker's own tracer sometimes crashes at the exit of a run
// (for some command lines every time, so it depends on the process's layout) and ends it with
// status 1 before looking for leaks. That says nothing about the program, so such a run is
// repeated once without the leak check; every other sanitizer report goes to standard error,
// where the test's output shows it.
inline ShellRun shell(const std::string& command) {
    static int serial = 0;
    ShellRun run;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string log = std::filesystem::temp_directory_path().string() +
                                "/marquill-sanitizers-" + std::to_string(::getpid()) + "-" +
                                std::to_string(++serial);
        const std::string options = attempt == 0 ? "" : "detect_leaks=0:";
        run = detail::shellOnce("export ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}" + options +
                                "log_path=" + log + "\"; " + command);
        const std::string reports = detail::takeSanitizerReports(log);
        if (reports.find("LeakSanitizer has encountered a fatal error") == std::string::npos) {
            if (!reports.empty()) std::fputs(reports.c_str(), stderr);
            return run;
        }
    }
    return run;
}

}  // namespace marquill::test
