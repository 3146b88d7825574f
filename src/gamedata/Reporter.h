#pragma once
// Where the game-data flows send what a person should read: the status line and message boxes.
#include <string_view>

namespace marquill::gamedata {

class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void status(std::string_view text) = 0;
    virtual void showMessage(std::string_view title, std::string_view message) = 0;
};

// For callers that need no reports.
class SilentReporter final : public Reporter {
  public:
    void status(std::string_view) override {}
    void showMessage(std::string_view, std::string_view) override {}
};

inline constexpr std::string_view kErrorTitle = "Marquill Error:";
inline constexpr std::string_view kWarningTitle = "Marquill Warning:";

}  // namespace marquill::gamedata
