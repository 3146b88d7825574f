#pragma once
// The preview's host where no dialog is shown (the command line, the benchmarks): silent, always
// in front, no timer of its own; it keeps the last message and may echo the status line.
#include <cstdio>
#include <string>

#include "platform/SoundPlayer.h"
#include "preview/PreviewHost.h"

namespace marquill::preview {

class HeadlessHost final : public PreviewHost {
  public:
    enum class Status { Quiet, OnStandardError };
    explicit HeadlessHost(Status status = Status::Quiet) : status_(status) {}

    void setStatus(std::string_view text) override {
        if (status_ == Status::OnStandardError)
            std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    void showMessage(std::string_view, std::string_view message) override {
        message_ = std::string(message);
    }
    void postQuit(int) override {}
    void setCursor(Cursor) override {}
    // As a wizard in front of the player; the sounds are silent anyway.
    [[nodiscard]] bool isForeground() const override { return true; }
    void defaultButtonStates() override {}
    void previewReady() override {}
    platform::SoundPlayer& sounds() override { return sounds_; }
    void timerChanged(int) override {}

    // Empty while nothing went wrong.
    [[nodiscard]] const std::string& message() const { return message_; }

  private:
    Status status_;
    std::string message_;
    platform::SilentSoundPlayer sounds_;
};

}  // namespace marquill::preview
