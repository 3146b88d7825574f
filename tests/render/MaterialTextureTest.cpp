#include <gtest/gtest.h>

#include <cstring>

#include "RenderFixture.h"
#include "render/BitmapDecoder.h"
#include "render/DDDMaterial.h"
#include "render/DDDTexture.h"
#include "render/MaterialLibrary.h"
#include "render/RenderDIPMesh.h"
#include "render/TextureLibrary.h"
#include "render/TexturePixelFormat.h"

namespace marquill::render {
namespace {

using platform::soft3d::PaletteEntries;
using platform::soft3d::PixelFormat;
using testing::Renderer;

TEST(Materials, JeansIsABuiltInColourNeedingNoFile) {
    Renderer r;
    RenderDIPMesh* mesh = RenderDIPMesh::create(*r.device);
    mesh->addTextureName("Jeans");
    mesh->reserveIndices(0, 3);
    ASSERT_EQ(mesh->bindMaterials(), kRenderOk);
    DDDMaterial* m = mesh->material(0);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->name(), "Jeans");
    EXPECT_EQ(m->texture(), nullptr);
    EXPECT_FLOAT_EQ(m->record().diffuse.b, 179.0f / 255.0f);
    EXPECT_FLOAT_EQ(m->record().ambient.r, 64.0f / 255.0f);
    EXPECT_FLOAT_EQ(m->record().power, 5.0f);
    EXPECT_EQ(r.files.reads, 0);
    EXPECT_NE(m->handle(), 0u);
    mesh->release();
}

TEST(Materials, NamesAreCaseSensitiveAndAMissingTextureFallsBackToFlesh) {
    Renderer r;
    RenderDIPMesh* mesh = RenderDIPMesh::create(*r.device);
    mesh->addTextureName("jeans");  // not the built-in: a texture name no file matches
    mesh->addTextureName("no-such-texture");
    ASSERT_EQ(mesh->bindMaterials(), kRenderOk);
    ASSERT_EQ(mesh->batchCount(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        ASSERT_NE(mesh->material(i), nullptr);
        EXPECT_EQ(mesh->material(i)->name(), "Flesh");
        EXPECT_FLOAT_EQ(mesh->material(i)->record().diffuse.g, 184.0f / 255.0f);
    }
    EXPECT_EQ(mesh->material(0)->refCount(), 2u) << "library and batch";
    mesh->release();
}

TEST(Materials, MeshWithoutTextureNamesGetsDefault) {
    Renderer r;
    RenderDIPMesh* mesh = RenderDIPMesh::create(*r.device);
    ASSERT_EQ(mesh->bindMaterials(), kRenderOk);
    ASSERT_NE(mesh->material(0), nullptr);
    EXPECT_EQ(mesh->material(0)->name(), "default");
    EXPECT_FLOAT_EQ(mesh->material(0)->record().diffuse.r, 1.0f);
    mesh->release();
}

TEST(Textures, TwoLookupsLoadTheFileOnceIntoDistinctMaterials) {
    Renderer r;
    r.files.add("skin", testing::solidBitmap(4, 4, 0x00FF8000));
    DDDMaterial* a = nullptr;
    DDDMaterial* b = nullptr;
    ASSERT_EQ(r.device->materialByName("skin", &a), kRenderOk);
    ASSERT_EQ(r.device->materialByName("skin", &b), kRenderOk);
    EXPECT_NE(a, b);
    EXPECT_EQ(r.files.reads, 1);
    ASSERT_NE(a->texture(), nullptr);
    EXPECT_EQ(a->texture(), b->texture());
    EXPECT_EQ(a->name(), "default");
    EXPECT_EQ(a->record().textureHandle, a->texture()->handle());
    EXPECT_EQ(a->texture()->refCount(), 2u) << "one per material, none for the lookup";
    EXPECT_EQ(r.device->textures().size(), 1u);
    EXPECT_EQ(r.files.lastSearchPath, "Textures; ../Textures");
    // The texel is stored in the chosen 5-6-5 format.
    uint16_t texel;
    std::memcpy(&texel, a->texture()->surface().row(0), 2);
    EXPECT_EQ(texel, uint16_t(31 << 11 | 32 << 5));
}

TEST(Textures, AFileOfAnotherTypeIsRefused) {
    Renderer r;
    r.files.add("mesh", {1, 2, 3}, "Mesh");
    DDDTexture* t = nullptr;
    EXPECT_EQ(r.device->textureByName("mesh", &t), kRenderNotAnImageFile);
    EXPECT_EQ(r.device->textureByName("absent", &t), kRenderFileNotFound);
    EXPECT_EQ(t, nullptr);
}

TEST(TextureFormat, ThirtyTwoBitDisplayPicksFiveSixFive) {
    const std::vector<PixelFormat> offered = {PixelFormat::argb1555(), PixelFormat::rgb555(),
                                              PixelFormat::rgb565(), PixelFormat::argb4444()};
    auto f = chooseTextureFormat(offered, 32);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->format, PixelFormat::rgb565());
    EXPECT_EQ(f->bits, 16u);
    f = chooseTextureFormat(offered, 15);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->format, PixelFormat::rgb555());
    std::vector<PixelFormat> withPalette = offered;
    withPalette.push_back(PixelFormat::palette8());
    f = chooseTextureFormat(withPalette, 32);
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->palettised);
    // Nothing within the display depth: the smallest RGB format still serves.
    f = chooseTextureFormat(offered, 8);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->format, PixelFormat::rgb555());
    EXPECT_FALSE(chooseTextureFormat({PixelFormat::argb4444()}, 32).has_value());
    Renderer r;
    ASSERT_TRUE(r.device->textures().pixelFormat().has_value());
    EXPECT_EQ(r.device->textures().pixelFormat()->format, PixelFormat::rgb565());
}

// Decodes a whole file into a fresh buffer of the given format.
struct Decoded {
    RenderResult result;
    std::vector<uint8_t> pixels;
    PaletteEntries palette{};
    BitmapHeader header;
};

Decoded decode(const std::vector<uint8_t>& file, PixelFormat format) {
    Decoded d;
    d.result = readBitmapHeader(file, d.header);
    if (d.result != kRenderOk) return d;
    const uint32_t bpp = format.bytesPerPixel();
    d.pixels.assign(size_t(d.header.width) * size_t(d.header.height) * bpp, 0);
    d.result = decodeBitmap(file, d.header,
                            {format, d.pixels.data(), int32_t(uint32_t(d.header.width) * bpp),
                             uint32_t(d.header.width), uint32_t(d.header.height)},
                            d.palette);
    return d;
}

uint16_t at16(const Decoded& d, int x, int y) {
    uint16_t v;
    std::memcpy(&v, d.pixels.data() + (size_t(y) * size_t(d.header.width) + size_t(x)) * 2, 2);
    return v;
}

TEST(BitmapDecoder, ThreeHundredColoursDoNotFitAnEightBitTexture) {
    BitmapImage img{300, 1, {}, {}};
    for (uint32_t i = 0; i < 300; ++i)
        img.pixels.push_back(i * 0x010203);
    const auto file = testing::bitmapBytes(img, BitmapEncoding::Rgb24);
    EXPECT_EQ(decode(file, PixelFormat::palette8()).result, kRenderPaletteTooLarge);
    img.pixels.resize(256);
    img.width = 256;
    const Decoded d =
        decode(testing::bitmapBytes(img, BitmapEncoding::Rgb24), PixelFormat::palette8());
    ASSERT_EQ(d.result, kRenderOk);
    EXPECT_EQ(d.pixels[255], 255) << "colours numbered in order of first appearance";
    EXPECT_EQ(d.palette[2].blue, 6);
}

TEST(BitmapDecoder, SixteenBitTargetsKeepTheTopBitsOfEachChannel) {
    BitmapImage img{2, 1, {0x00FF8008, 0x00070F1F}, {}};
    const auto file = testing::bitmapBytes(img, BitmapEncoding::Rgb24);
    const Decoded d = decode(file, PixelFormat::rgb565());
    ASSERT_EQ(d.result, kRenderOk);
    EXPECT_EQ(at16(d, 0, 0), uint16_t(31 << 11 | 32 << 5 | 1));
    EXPECT_EQ(at16(d, 1, 0), uint16_t(0 << 11 | 3 << 5 | 3));
    const Decoded e = decode(file, PixelFormat::rgb555());
    EXPECT_EQ(at16(e, 0, 0), uint16_t(31 << 10 | 16 << 5 | 1));
    EXPECT_EQ(packColor16({PixelFormat::kRgb, 16, 0xF800, 0x07C0, 0x003F, 0}, 255, 255, 255),
              0xFFFF);
    PixelFormat odd = PixelFormat::rgb565();
    odd.greenMask = 0x07F0;
    EXPECT_EQ(decode(file, odd).result, kRenderCannotConvert);
    EXPECT_EQ(decode(file, PixelFormat::xrgb8888()).result, kRenderCannotConvert);
    PixelFormat notRgb = PixelFormat::depth16();
    EXPECT_EQ(decode(file, notRgb).result, kRenderUnsupportedBitmap);
}

TEST(BitmapDecoder, IndexedSourcesOfEveryDepthAndRowOrderConvert) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    BitmapImage img{5, 3, {0, 1, 2, 3, 1, 1, 0, 0, 0, 2, 3, 3, 2, 1, 0}, palette};
    for (auto enc :
         {BitmapEncoding::Indexed4, BitmapEncoding::Indexed8, BitmapEncoding::RunLength8}) {
        for (auto order : {RowOrder::BottomUp, RowOrder::TopDown}) {
            const Decoded d = decode(testing::bitmapBytes(img, enc, order), PixelFormat::rgb565());
            ASSERT_EQ(d.result, kRenderOk) << int(enc);
            for (int y = 0; y < 3; ++y) {
                for (int x = 0; x < 5; ++x) {
                    const uint32_t c = palette[img.pixels[size_t(y * 5 + x)]];
                    ASSERT_EQ(at16(d, x, y), packColor16(PixelFormat::rgb565(), uint8_t(c >> 16),
                                                         uint8_t(c >> 8), uint8_t(c)))
                        << int(enc) << " " << x << "," << y;
                }
            }
            const Decoded p =
                decode(testing::bitmapBytes(img, enc, order), PixelFormat::palette8());
            ASSERT_EQ(p.result, kRenderOk);
            EXPECT_EQ(p.pixels[5 + 3], img.pixels[5 + 3]) << "indices copied";
            EXPECT_EQ(p.palette[1].red, 255);
        }
    }
    BitmapImage mono{
        9, 2, {0, 1, 0, 1, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0}, {0x000000, 0xFFFFFF}};
    const Decoded m =
        decode(testing::bitmapBytes(mono, BitmapEncoding::Indexed1), PixelFormat::rgb565());
    ASSERT_EQ(m.result, kRenderOk);
    EXPECT_EQ(at16(m, 1, 0), 0xFFFF);
    EXPECT_EQ(at16(m, 8, 1), 0x0000);
    EXPECT_EQ(at16(m, 8, 0), 0xFFFF);
}

TEST(BitmapDecoder, RunLengthWriterRoundTripsRunsAndLiterals) {
    BitmapImage img{300, 2, {}, {0x000000, 0x111111, 0x222222, 0x333333}};
    for (int i = 0; i < 600; ++i)
        img.pixels.push_back(uint32_t(i < 280 ? 2 : (i * 7) % 4));
    const Decoded d =
        decode(testing::bitmapBytes(img, BitmapEncoding::RunLength8), PixelFormat::palette8());
    ASSERT_EQ(d.result, kRenderOk);
    for (size_t i = 0; i < img.pixels.size(); ++i)
        ASSERT_EQ(d.pixels[i], img.pixels[i]) << i;
}

std::vector<uint8_t> runLengthFile(const std::vector<uint8_t>& data, int w, int h) {
    BitmapImage img{w, h, std::vector<uint32_t>(size_t(w * h), 0), {0x000000, 0xFFFFFF}};
    auto file = testing::bitmapBytes(img, BitmapEncoding::RunLength8);
    file.resize(14 + 40 + 8);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

TEST(BitmapDecoder, RunLengthDataIsCheckedAgainstTheRowAndTheImage) {
    // Runs and literals that fit, a position escape, and the end marker.
    auto ok = runLengthFile({2, 1, 0, 3, 1, 0, 1, 0, 0, 0, 0, 2, 1, 1, 1, 1, 0, 1}, 5, 3);
    Decoded d = decode(ok, PixelFormat::palette8());
    ASSERT_EQ(d.result, kRenderOk);
    EXPECT_EQ(d.pixels[size_t(2 * 5 + 0)], 1) << "first file row is the bottom row";
    EXPECT_EQ(d.pixels[size_t(2 * 5 + 2)], 1);
    EXPECT_EQ(d.pixels[size_t(2 * 5 + 4)], 1);
    EXPECT_EQ(d.pixels[size_t(0 * 5 + 1)], 1) << "moved one right and one up by the escape";
    EXPECT_EQ(decode(runLengthFile({6, 1, 0, 1}, 5, 3), PixelFormat::palette8()).result,
              kRenderCannotConvert)
        << "a run longer than the row";
    EXPECT_EQ(decode(runLengthFile({4, 1, 0, 3, 1, 1, 1, 0}, 5, 3), PixelFormat::palette8()).result,
              kRenderCannotConvert)
        << "a literal past the row end";
    EXPECT_EQ(
        decode(runLengthFile({0, 0, 0, 0, 0, 0, 1, 1, 0, 1}, 5, 3), PixelFormat::palette8()).result,
        kRenderCannotConvert)
        << "a run below the last row";
    EXPECT_EQ(decode(runLengthFile({0, 2, 9, 0}, 5, 3), PixelFormat::palette8()).result,
              kRenderCannotConvert)
        << "an escape moving out of the image";
    EXPECT_EQ(decode(runLengthFile({0, 5, 1, 1}, 5, 3), PixelFormat::palette8()).result,
              kRenderImageEndedEarly);
}

TEST(BitmapDecoder, RefusesMalformedHeaders) {
    auto good = testing::solidBitmap(3, 2, 0x123456);
    EXPECT_EQ(decode({}, PixelFormat::rgb565()).result, kRenderImageEndedEarly);
    auto notBm = good;
    notBm[0] = 'X';
    EXPECT_EQ(decode(notBm, PixelFormat::rgb565()).result, kRenderNotABitmap);
    auto shortRows = good;
    shortRows.resize(shortRows.size() - 1);
    EXPECT_EQ(decode(shortRows, PixelFormat::rgb565()).result, kRenderImageEndedEarly);
    auto huge = good;
    const int32_t big = 1 << 30;
    std::memcpy(huge.data() + 18, &big, 4);
    std::memcpy(huge.data() + 22, &big, 4);
    EXPECT_EQ(decode(huge, PixelFormat::rgb565()).result, kRenderUnsupportedBitmap);
    auto rle24 = good;
    rle24[30] = 1;
    EXPECT_EQ(decode(rle24, PixelFormat::rgb565()).result, kRenderUnsupportedBitmap);
    auto bigPalette = good;
    const uint32_t colours = 300;
    bigPalette[28] = 8;
    std::memcpy(bigPalette.data() + 46, &colours, 4);
    EXPECT_EQ(decode(bigPalette, PixelFormat::rgb565()).result, kRenderPaletteTooLarge);
    auto sixteen = good;
    sixteen[28] = 16;
    EXPECT_EQ(decode(sixteen, PixelFormat::rgb565()).result, kRenderUnsupportedBitmap);
}

}  // namespace
}  // namespace marquill::render
