#include "cli/CommandLinePreview.h"

namespace marquill::cli {

CommandLinePreview::CommandLinePreview(const std::string& gameFolder, uint32_t seed, bool verbose)
    : host_(std::make_unique<preview::HeadlessHost>(
          verbose ? preview::HeadlessHost::Status::OnStandardError
                  : preview::HeadlessHost::Status::Quiet)),
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
