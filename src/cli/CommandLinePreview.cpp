#include "cli/CommandLinePreview.h"

#include <cstdio>

namespace marquill::cli {

class CommandLinePreview::Host final : public preview::PreviewHost {
  public:
    explicit Host(bool verbose) : verbose_(verbose) {}
    void setStatus(std::string_view text) override {
        if (verbose_) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    void showMessage(std::string_view, std::string_view message) override {
        message_ = std::string(message);
    }
    void postQuit(int) override {}
    void setCursor(preview::Cursor) override {}
    // As the wizard in front of the player; the sounds are silent anyway.
    [[nodiscard]] bool isForeground() const override { return true; }
    void defaultButtonStates() override {}
    void previewReady() override {}
    platform::SoundPlayer& sounds() override { return sounds_; }
    void timerChanged(int) override {}

    [[nodiscard]] const std::string& message() const { return message_; }

  private:
    bool verbose_;
    std::string message_;
    platform::SilentSoundPlayer sounds_;
};

CommandLinePreview::CommandLinePreview(const std::string& gameFolder, uint32_t seed, bool verbose)
    : host_(std::make_unique<Host>(verbose)),
      random_(seed),
      index_(gameFolder),
      types_(index_),
      images_(image::PictrixLibrary::load(image::PictrixLibrary::defaultModulePath())) {
    preview::PreviewEnvironment env;
    env.systemTime = clock_.source();
    env.index = &index_;
    env.types = &types_;
    env.images = images();
    env.randomSeed = seed;
    scene_ =
        std::make_unique<preview::PreviewScene>(*host_, gameFolder, preview::kPreviewWidth,
                                                preview::kPreviewHeight, random_, std::move(env));
    scene_->setToolInitialised(true);
    scene_->setApplicationActive(true);
}

CommandLinePreview::~CommandLinePreview() = default;

std::optional<std::string> CommandLinePreview::setUp() {
    if (scene_->setUp()) return std::nullopt;
    if (!host_->message().empty()) return host_->message();
    return "the preview's drawing device could not be set up";
}

image::ImageLibrary* CommandLinePreview::images() {
    return images_ && images_->available() ? images_.get() : nullptr;
}

}  // namespace marquill::cli
