#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
// libjpeg's header needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <filesystem>
#include <vector>

#include "image/ImageLibrary.h"
#include "image/ImageLibraryCallbacks.h"
#include "image/JpegDecoder.h"
#include "image/SurfaceSnapshotWriter.h"
#include "platform/Files.h"
#include "platform/soft3d/DrawingObject.h"

namespace marquill::image {
namespace {

using namespace platform::soft3d;

Ref<Surface> makeSurface(DrawingObject& draw, uint32_t w, uint32_t h, PixelFormat f) {
    SurfaceDesc d;
    d.width = w;
    d.height = h;
    d.caps = SurfaceDesc::kOffscreenPlain | SurfaceDesc::kSystemMemory;
    d.hasPixelFormat = true;
    d.pixelFormat = f;
    Ref<Surface> s;
    EXPECT_EQ(draw.createSurface(d, s), kOk);
    return s;
}

// Records what the writer hands over instead of encoding it.
class RecordingLibrary final : public ImageLibrary {
  public:
    bool available() const override { return true; }
    int32_t find(const char* ext, int32_t) override { return std::strcmp(ext, "jpg") == 0; }
    int32_t openWrite(void** context, void*, const char*, int32_t) override {
        *context = this;
        return 1;
    }
    int32_t write(void*, const uint8_t* info, const uint8_t* data, int32_t length) override {
        infoRecord.assign(info, info + kInfoRecordSize);
        int32_t h;
        std::memcpy(&h, info + kInfoHeightOffset, 4);
        rowLength = length;
        pixels.assign(data, data + size_t(length) * size_t(h));
        return 1;
    }
    int32_t close(void*) override { return 1; }
    const PictrixCallbacks& callbacks() const override { return imageLibraryCallbacks(); }

    std::vector<uint8_t> infoRecord, pixels;
    int32_t rowLength = 0;
};

std::string tempPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

int32_t field(const std::vector<uint8_t>& info, size_t offset) {
    int32_t v;
    std::memcpy(&v, info.data() + offset, 4);
    return v;
}

TEST(SurfaceSnapshotWriter, HandsOverTheRectangleAsThirtyTwoBitRows) {
    auto draw = DrawingObject::make({});
    Ref<Surface> s = makeSurface(*draw, 200, 100, PixelFormat::rgb565());
    const uint16_t marks[2] = {0xFFFF, 0x8410};
    std::memcpy(s->row(10) + 20 * 2, marks, 4);
    RecordingLibrary lib;
    const std::string path = tempPath("marquill-snapshot-565.jpg");
    const Rect head{20, 10, 65, 55};
    ASSERT_EQ(SurfaceSnapshotWriter(lib, path, s.get(), &head), 1);
    EXPECT_EQ(lib.rowLength, 180);
    EXPECT_EQ(lib.pixels.size(), 8100u);
    EXPECT_EQ(field(lib.infoRecord, kInfoSizeOffset), 10384);
    EXPECT_EQ(field(lib.infoRecord, kInfoVersionOffset), 200);
    EXPECT_EQ(field(lib.infoRecord, kInfoFrameOffset), 1);
    EXPECT_EQ(field(lib.infoRecord, kInfoWidthOffset), 45);
    EXPECT_EQ(field(lib.infoRecord, kInfoHeightOffset), 45);
    EXPECT_EQ(field(lib.infoRecord, kInfoSourceBppOffset), 32);
    EXPECT_EQ(field(lib.infoRecord, kInfoBppOffset), 32);
    EXPECT_EQ(field(lib.infoRecord, kInfoQualityOffset), 97);
    // Blue, green, red, alpha: white, then red 16 / green 32 / blue 16.
    EXPECT_EQ(std::vector<uint8_t>(lib.pixels.begin(), lib.pixels.begin() + 8),
              (std::vector<uint8_t>{255, 255, 255, 0, 131, 129, 131, 0}));
    EXPECT_FALSE(s->isLocked()) << "unlocked again";
    std::remove(path.c_str());
}

TEST(SurfaceSnapshotWriter, WritesNothingForUnreadableRequests) {
    auto draw = DrawingObject::make({});
    RecordingLibrary lib;
    const std::string path = tempPath("marquill-snapshot-none.jpg");
    Ref<Surface> palettised = makeSurface(*draw, 50, 50, PixelFormat::palette8());
    EXPECT_EQ(SurfaceSnapshotWriter(lib, path, palettised.get()), 0);
    Ref<Surface> small = makeSurface(*draw, 150, 300, PixelFormat::xrgb8888());
    const Rect body{120, 146, 220, 366};
    EXPECT_EQ(SurfaceSnapshotWriter(lib, path, small.get(), &body), 0)
        << "a region reaching past the surface";
    EXPECT_EQ(SurfaceSnapshotWriter(lib, "", small.get()), 0);
    EXPECT_EQ(SurfaceSnapshotWriter(lib, path, nullptr), 0);
    EXPECT_FALSE(platform::fileExists(path));
    const Rect negative{-1, 0, 5, 5};
    ASSERT_EQ(SurfaceSnapshotWriter(lib, path, small.get(), &negative), 1);
    EXPECT_EQ(lib.rowLength, 600) << "a negative left edge takes the whole surface";
    std::remove(path.c_str());
}

TEST(SurfaceSnapshotWriter, OtherSixteenBitAndTwentyFourBitLayouts) {
    uint8_t out[8];
    const uint16_t x555[2] = {0x7C00, 0x03FF};
    ASSERT_TRUE(
        convertRowTo32(PixelFormat::rgb555(), reinterpret_cast<const uint8_t*>(x555), 2, out));
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8),
              (std::vector<uint8_t>{0, 0, 255, 0, 255, 255, 0, 0}));
    const uint8_t bgr[3] = {1, 2, 3};
    ASSERT_TRUE(convertRowTo32(PixelFormat::rgb888(), bgr, 1, out));
    EXPECT_EQ(std::vector<uint8_t>(out, out + 4), (std::vector<uint8_t>{1, 2, 3, 255}));
}

std::string modulePath() {
    return std::string(MARQUILL_BINARY_DIR) + "/pictrix/libpictrix.so";
}

struct DecodedJpeg {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
};

DecodedJpeg decodeJpeg(const std::vector<uint8_t>& bytes) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    DecodedJpeg out;
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return out;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = int(cinfo.output_width);
    out.height = int(cinfo.output_height);
    out.rgb.resize(size_t(out.width) * size_t(out.height) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + size_t(cinfo.output_scanline) * size_t(out.width) * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

TEST(Pictrix, ModuleWritesAJpegThatDecodesToTheSurfaceColours) {
    auto lib = PictrixLibrary::load(modulePath());
    ASSERT_TRUE(lib->available()) << modulePath();
    for (const char* name : kEntryNames)
        EXPECT_TRUE(lib->hasEntry(name)) << name;
    auto draw = DrawingObject::make({});
    Ref<Surface> s = makeSurface(*draw, 120, 80, PixelFormat::xrgb8888());
    // Left half orange, right half blue, inside the rectangle written.
    for (uint32_t y = 0; y < 80; ++y) {
        for (uint32_t x = 0; x < 120; ++x) {
            const uint32_t p = x < 60 ? 0x00E57B04 : 0x002040C0;
            std::memcpy(s->row(y) + x * 4, &p, 4);
        }
    }
    const std::string path = tempPath("marquill-snapshot-real.jpg");
    std::remove(path.c_str());
    const Rect body{20, 10, 100, 74};
    ASSERT_EQ(SurfaceSnapshotWriter(*lib, path, s.get(), &body), 1);
    auto bytes = platform::readWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    const DecodedJpeg j = decodeJpeg(*bytes);
    EXPECT_EQ(j.width, 80);
    EXPECT_EQ(j.height, 64);
    auto near = [&](int x, int y, int r, int g, int b) {
        const uint8_t* p = j.rgb.data() + (size_t(y) * size_t(j.width) + size_t(x)) * 3;
        EXPECT_NEAR(p[0], r, 6) << x << "," << y;
        EXPECT_NEAR(p[1], g, 6) << x << "," << y;
        EXPECT_NEAR(p[2], b, 6) << x << "," << y;
    };
    near(10, 30, 0xE5, 0x7B, 0x04);
    near(70, 30, 0x20, 0x40, 0xC0);
    std::remove(path.c_str());
}

// The module's own decoder reads back what its encoder wrote, pixel for pixel as libjpeg does,
// and refuses what is too large or not a whole JPEG.
TEST(Pictrix, ModuleDecodesAJpegHeldInMemory) {
    auto lib = PictrixLibrary::load(modulePath());
    ASSERT_TRUE(lib->available());
    auto decoder = JpegDecoder::load(modulePath());
    ASSERT_NE(decoder, nullptr);
    auto draw = DrawingObject::make({});
    Ref<Surface> s = makeSurface(*draw, 90, 70, PixelFormat::xrgb8888());
    for (uint32_t y = 0; y < 70; ++y)
        for (uint32_t x = 0; x < 90; ++x) {
            const uint32_t p = (x * 3) << 16 | (y * 3) << 8 | 0x40;
            std::memcpy(s->row(y) + x * 4, &p, 4);
        }
    const std::string path = tempPath("marquill-decode.jpg");
    ASSERT_EQ(SurfaceSnapshotWriter(*lib, path, s.get()), 1);
    const auto bytes = platform::readWholeFile(path).value_or(std::vector<uint8_t>{});
    std::remove(path.c_str());
    const DecodedJpeg reference = decodeJpeg(bytes);
    auto image = decoder->decode(bytes, 512);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 90);
    EXPECT_EQ(image->height, 70);
    EXPECT_EQ(image->pixels, reference.rgb);

    EXPECT_FALSE(decoder->decode(bytes, 80));  // wider than allowed
    EXPECT_FALSE(decoder->decode(std::span(bytes).first(bytes.size() / 3), 512));
    const std::vector<uint8_t> junk(200, 0x41);
    EXPECT_FALSE(decoder->decode(junk, 512));
    EXPECT_EQ(JpegDecoder::load("/nonexistent/libpictrix.so"), nullptr);
}

TEST(Pictrix, MissingModuleLeavesSnapshotsSilentlyAbsent) {
    auto lib = PictrixLibrary::load("/nonexistent/libpictrix.so");
    EXPECT_FALSE(lib->available());
    EXPECT_EQ(lib->find("jpg", 0), 0);
    auto draw = DrawingObject::make({});
    Ref<Surface> s = makeSurface(*draw, 10, 10, PixelFormat::xrgb8888());
    const std::string path = tempPath("marquill-snapshot-absent.jpg");
    EXPECT_EQ(SurfaceSnapshotWriter(*lib, path, s.get()), 0);
    EXPECT_FALSE(platform::fileExists(path));
}

TEST(ImageStream, ReadsThroughItsBufferAndSeeksWithinIt) {
    const std::string path = tempPath("marquill-stream.bin");
    std::vector<uint8_t> data(20000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 7);
    const PictrixCallbacks& cb = imageLibraryCallbacks();
    void* w = cb.openWrite(path.c_str());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(cb.write(w, data.data(), 20000), 20000);
    EXPECT_EQ(cb.size(w), 20000);
    EXPECT_EQ(cb.close(w), 1);

    void* r = cb.openRead(path.c_str());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(cb.size(r), 20000);
    std::vector<uint8_t> got(9000);
    EXPECT_EQ(cb.read(r, got.data(), 9000), 9000) << "across a buffer refill";
    EXPECT_EQ(std::memcmp(got.data(), data.data(), 9000), 0);
    EXPECT_EQ(cb.tell(r), 9000);
    EXPECT_EQ(cb.seek(r, 8500), 1);
    uint8_t b = 0;
    EXPECT_EQ(cb.read(r, &b, 1), 1);
    EXPECT_EQ(b, data[8500]);
    EXPECT_EQ(cb.seek(r, 100), 1);
    EXPECT_EQ(cb.read(r, &b, 1), 1);
    EXPECT_EQ(b, data[100]);
    EXPECT_EQ(cb.seek(r, -1), 0);
    EXPECT_EQ(cb.tell(r), 0);
    EXPECT_EQ(cb.seek(r, 30000), 0) << "beyond the end of a file being read";
    EXPECT_EQ(cb.read(r, got.data(), 10), 0);
    EXPECT_EQ(cb.close(r), 1);
    EXPECT_EQ(cb.close(nullptr), 1) << "closing none succeeds";
    EXPECT_EQ(cb.openRead("/nonexistent/file"), nullptr);
    std::remove(path.c_str());

    auto* out = static_cast<ImageStream*>(cb.openWrite("con:"));
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(out->file, stdout) << "con: is the standard output";
    EXPECT_EQ(cb.close(out), 1);
}

}  // namespace
}  // namespace marquill::image
