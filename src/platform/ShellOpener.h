#pragma once
// Opening a document or an address with the program the desktop associates with it (the readme,
// the exchange web site).
#include <sys/types.h>
#include <string>
#include <vector>

namespace marquill::platform {

class ShellOpener {
  public:
    virtual ~ShellOpener() = default;
    // True when the opener was started; what it then does is the desktop's business.
    [[nodiscard]] virtual bool open(const std::string& pathOrUrl) = 0;
};

// Starts the desktop's opener ("xdg-open") and returns at once: the user interface never waits
// for the program it starts. A missing opener is a false return.
class XdgShellOpener final : public ShellOpener {
  public:
    explicit XdgShellOpener(std::string program = "xdg-open") : program_(std::move(program)) {}
    ~XdgShellOpener() override;
    XdgShellOpener(const XdgShellOpener&) = delete;
    XdgShellOpener& operator=(const XdgShellOpener&) = delete;

    [[nodiscard]] bool open(const std::string& pathOrUrl) override;

  private:
    void reapFinished();
    std::string program_;
    std::vector<pid_t> started_;  // reaped once they end, so none lingers as a zombie
};

}  // namespace marquill::platform
