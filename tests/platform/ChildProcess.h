#pragma once
// A running program for the length of a test.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace marquill::testing {

class Child {
  public:
    // An empty environment: ours.
    Child(const std::string& program, std::vector<std::string> argv,
          std::vector<std::string> environment = {})
        : argv_(std::move(argv)), environment_(std::move(environment)) {
        std::vector<char*> args, env;
        for (auto& a : argv_)
            args.push_back(a.data());
        args.push_back(nullptr);
        for (auto& e : environment_)
            env.push_back(e.data());
        env.push_back(nullptr);
        started_ = ::posix_spawn(&pid_, program.c_str(), nullptr, nullptr, args.data(),
                                 environment_.empty() ? environ : env.data()) == 0;
        if (started_) waitForExec();
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    void stop() {
        if (!started_) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        started_ = false;
    }
    [[nodiscard]] bool started() const { return started_; }

  private:
    // posix_spawn may return while the child still runs our own program (a sanitizer's
    // fork-based spawn does), and until it has exec'd /proc shows the test, not the child.
    void waitForExec() {
        const std::string own = linkOf("/proc/self/exe");
        const std::string process = "/proc/" + std::to_string(pid_);
        for (int i = 0; i < 2500; ++i) {
            const std::string now = linkOf(process + "/exe");
            if (!now.empty() && now != own && firstArgument(process) == argv_.front()) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    static std::string firstArgument(const std::string& process) {
        std::ifstream in(process + "/cmdline", std::ios::binary);
        std::string first;
        std::getline(in, first, '\0');
        return first;
    }
    static std::string linkOf(const std::string& path) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), target, sizeof target - 1);
        return n > 0 ? std::string(target, static_cast<size_t>(n)) : std::string();
    }

    std::vector<std::string> argv_, environment_;
    pid_t pid_ = 0;
    bool started_ = false;
};

}  // namespace marquill::testing
