#pragma once
// The preview scene's host for the benchmarks: silent, always in front, no timer of its own.
#include "platform/SoundPlayer.h"
#include "preview/PreviewHost.h"

namespace marquill::bench {

class PreviewBenchHost final : public preview::PreviewHost {
  public:
    void setStatus(std::string_view) override {}
    void showMessage(std::string_view, std::string_view) override { failed = true; }
    void postQuit(int) override {}
    void setCursor(preview::Cursor) override {}
    [[nodiscard]] bool isForeground() const override { return true; }
    void defaultButtonStates() override {}
    void previewReady() override {}
    platform::SoundPlayer& sounds() override { return sounds_; }
    void timerChanged(int) override {}

    bool failed = false;

  private:
    platform::SilentSoundPlayer sounds_;
};

}  // namespace marquill::bench
