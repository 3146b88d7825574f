#pragma once
// Where the preview scene gets what differs between the wizard, the command line and tests.
#include <cstdint>
#include <functional>
#include <optional>

#include "character/Appearance.h"
#include "platform/soft3d/DrawingModule.h"
#include "platform/soft3d/DrawingObject.h"
#include "platform/soft3d/Window.h"
#include "render/RenderResult.h"

namespace marquill::fileindex {
class FolderIndex;
class FileTypeRegistry;
}  // namespace marquill::fileindex

namespace marquill::image {
class ImageLibrary;
}

namespace marquill::preview {

struct PreviewEnvironment {
    // The software display stands for the desktop the window is on, which holds the preview's
    // back buffer at any density a screen has without a change of display mode.
    platform::soft3d::DrawingModule drawing =
        platform::soft3d::softwareDrawingModule({.current = {3840, 2160, 32}});
    // What presents show on; none: the scene's own window, which keeps nothing (a front end
    // reads backBuffer() instead).
    platform::soft3d::Window* window = nullptr;
    // The multimedia timer in milliseconds; none: the platform's.
    std::function<uint32_t()> systemTime;
    // The file index and its type registry, given together; none: the process-wide ones.
    fileindex::FolderIndex* index = nullptr;
    fileindex::FileTypeRegistry* types = nullptr;
    // The image library the snapshots are written through; none: no pictures.
    image::ImageLibrary* images = nullptr;
    // The appearance selection the look lists edit; none: the scene's own.
    character::LookSelection* look = nullptr;
    // Seeds the random source at set-up instead of the clock, so a run can be repeated.
    std::optional<uint32_t> randomSeed;
    // Sees the result of each platform step of the set-up (by its number, 6 to 13) and returns
    // the result to go on with; lets a test make any one step fail.
    std::function<render::RenderResult(int step, render::RenderResult result)> stepResult;
};

}  // namespace marquill::preview
