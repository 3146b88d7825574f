#pragma once
// What the preview tests share: a host that records what the scene tells it, a demo installation
// written once per run, and a scene on a clock that moves only when the test says so.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "content/DemoInstallation.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "fileindex/TempTree.h"
#include "platform/RandomSource.h"
#include "platform/soft3d/Surface.h"
#include "preview/PreviewScene.h"
#include "preview/SteppedClock.h"

namespace marquill::preview::testing {

class RecordingSounds final : public platform::SoundPlayer {
  public:
    void playNamed(std::string_view name) override { named.emplace_back(name); }
    void playNamedAndWait(std::string_view name) override { named.emplace_back(name); }
    void playFile(const std::string& path) override { files.push_back(path); }
    void stopAll() override {}
    std::vector<std::string> named, files;
};

class RecordingHost final : public PreviewHost {
  public:
    void setStatus(std::string_view text) override { statuses.emplace_back(text); }
    void showMessage(std::string_view title, std::string_view message) override {
        messages.push_back(std::string(title) + "|" + std::string(message));
    }
    void postQuit(int exitCode) override { quits.push_back(exitCode); }
    void setCursor(Cursor cursor) override { cursors.push_back(cursor); }
    [[nodiscard]] bool isForeground() const override { return foreground; }
    void defaultButtonStates() override { ++defaultStates; }
    void previewReady() override { ++readyCalls; }
    platform::SoundPlayer& sounds() override { return soundPlayer; }
    void timerChanged(int periodMs) override { periods.push_back(periodMs); }

    std::vector<std::string> statuses, messages;
    std::vector<int> quits, periods;
    std::vector<Cursor> cursors;
    int defaultStates = 0, readyCalls = 0;
    bool foreground = true;
    RecordingSounds soundPlayer;
};

// The demo installation, written once for the whole test program.
inline const std::string& demoGameFolder() {
    static marquill::testing::TempTree tree;
    static const bool written = [] {
        std::string error;
        return content::writeDemoInstallation(tree.root(), {}, &error);
    }();
    EXPECT_TRUE(written);
    return tree.root();
}

// The pixels of a rectangle inside the surface, 0x00RRGGBB, row by row.
inline std::vector<uint32_t> pixelsIn(const platform::soft3d::Surface& s,
                                      const platform::soft3d::Rect& r) {
    const size_t width = size_t(r.width());
    std::vector<uint32_t> out(width * size_t(r.height()));
    for (int32_t y = 0; y < r.height(); ++y)
        std::memcpy(out.data() + size_t(y) * width, s.row(uint32_t(r.top + y)) + size_t(r.left) * 4,
                    width * 4);
    return out;
}

// A scene of its own index, on a stepped clock, with a fixed seed.
struct SceneRig {
    explicit SceneRig(std::string gameFolder, int width = kPreviewWidth,
                      int height = kPreviewHeight, PreviewEnvironment environment = {})
        : index(gameFolder), types(index) {
        environment.systemTime = clock.source();
        environment.index = &index;
        environment.types = &types;
        if (!environment.randomSeed) environment.randomSeed = 7;
        scene = std::make_unique<PreviewScene>(host, std::move(gameFolder), width, height, random,
                                               std::move(environment));
    }

    SteppedClock clock;
    RecordingHost host;
    platform::SeededRandom random;
    fileindex::FolderIndex index;
    fileindex::FileTypeRegistry types;
    std::unique_ptr<PreviewScene> scene;
};

}  // namespace marquill::preview::testing
