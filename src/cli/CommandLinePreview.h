#pragma once
// The preview scene as the commands run it: a file index of its own, a clock that moves only with
// its ticks and a fixed seed (so the same words draw the same picture), the image module for the
// JPEG pictures, and a host that keeps quiet.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "image/ImageLibrary.h"
#include "platform/RandomSource.h"
#include "preview/HeadlessHost.h"
#include "preview/PreviewScene.h"
#include "preview/SteppedClock.h"

namespace marquill::cli {

inline constexpr uint32_t kDefaultPreviewSeed = 1;

class CommandLinePreview {
  public:
    CommandLinePreview(const std::string& gameFolder, uint32_t seed, bool verbose);
    ~CommandLinePreview();

    // None when the preview is ready; else why not, as the wizard would word it.
    [[nodiscard]] std::optional<std::string> setUp();
    [[nodiscard]] preview::PreviewScene& scene() { return *scene_; }
    [[nodiscard]] preview::SteppedClock& clock() { return clock_; }
    // Null when the module could not be loaded.
    [[nodiscard]] image::ImageLibrary* images();

  private:
    std::unique_ptr<preview::HeadlessHost> host_;
    platform::SeededRandom random_;
    preview::SteppedClock clock_;
    fileindex::FolderIndex index_;
    fileindex::FileTypeRegistry types_;
    std::unique_ptr<image::PictrixLibrary> images_;
    std::unique_ptr<preview::PreviewScene> scene_;
};

}  // namespace marquill::cli
