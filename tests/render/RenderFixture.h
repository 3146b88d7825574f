#pragma once
// A complete renderer on the software layer for tests: an in-memory file source for textures,
// an image window on a 1024 x 768 x 32 display, an AnimDevice, a Device3D and one viewport.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <string>

#include "platform/ByteSink.h"
#include "platform/soft3d/ImageWindow.h"
#include "render/AnimDevice.h"
#include "render/BitmapWriter.h"
#include "render/Device3D.h"
#include "render/FileSource.h"

namespace marquill::render::testing {

class MemoryFileSource final : public FileSource {
  public:
    void registerFileType(std::string_view type, std::string_view extension) override {
        types[std::string(type)] += std::string(extension) + ";";
    }
    FoundFile find(std::string_view name, std::string_view searchPath,
                   std::string_view type) override {
        lastSearchPath = std::string(searchPath);
        auto it = files.find(lower(name));
        if (it == files.end()) return {};
        if (it->second.first != type) return {FoundFile::Status::OtherType, {}};
        ++reads;
        return {FoundFile::Status::Found, it->second.second};
    }
    void add(std::string name, std::vector<uint8_t> bytes, std::string type = "IMAG") {
        files[lower(name)] = {std::move(type), std::move(bytes)};
    }
    static std::string lower(std::string_view s) {
        std::string out(s);
        for (char& c : out)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return out;
    }

    std::map<std::string, std::string> types;
    std::map<std::string, std::pair<std::string, std::vector<uint8_t>>> files;
    std::string lastSearchPath;
    int reads = 0;
};

inline std::vector<uint8_t> bitmapBytes(const BitmapImage& image, BitmapEncoding e,
                                        RowOrder order = RowOrder::BottomUp) {
    platform::VectorSink sink;
    EXPECT_TRUE(writeBitmap(sink, image, e, order));
    return sink.take();
}

// A solid-colour 24-bit bitmap.
inline std::vector<uint8_t> solidBitmap(int w, int h, uint32_t rgb) {
    BitmapImage img{w, h, std::vector<uint32_t>(size_t(w) * size_t(h), rgb), {}};
    return bitmapBytes(img, BitmapEncoding::Rgb24);
}

struct Renderer {
    MemoryFileSource files;
    platform::soft3d::ImageWindow window;
    AnimDevice anim;
    std::unique_ptr<Device3D> device;
    Viewport3D* viewport = nullptr;

    explicit Renderer(int w = 64, int h = 48, platform::soft3d::DisplayConfig config = {})
        : window({100, 50, 100 + w, 50 + h}),
          anim(platform::soft3d::softwareDrawingModule(config), &files) {
        EXPECT_EQ(anim.initialise(&window, ScreenMode::Windowed, w, h, 32, DepthBuffer::Wanted),
                  kRenderOk);
        EXPECT_EQ(Device3D::create(anim, device), kRenderOk);
        if (device) {
            EXPECT_EQ(device->createViewport(nullptr, &viewport), kRenderOk);
        }
    }
};

}  // namespace marquill::render::testing
