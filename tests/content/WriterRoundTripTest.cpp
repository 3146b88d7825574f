#include <gtest/gtest.h>

#include <cmath>

#include "character/CharacterFileReader.h"
#include "character/IndexFileReader.h"
#include "character/KeyframeReader.h"
#include "character/MeshReader.h"
#include "content/BmpWriter.h"
#include "content/CharacterFileWriter.h"
#include "content/FarWriter.h"
#include "content/KeyframeWriter.h"
#include "fileindex/FarTable.h"
#include "platform/ByteReader.h"

namespace marquill::content {
namespace {

using character::FileFormat;

character::CharacterFile sampleFile() {
    character::CharacterFile f;
    character::Skeleton s;
    s.name = "adult";
    character::Bone root;
    root.name = "PELVIS";
    root.translation = {0, 2.9f, 0.125f};
    character::Bone head;
    head.name = "HEAD";
    head.parentName = "PELVIS";
    head.rotation = {0.1f, 0.2f, 0.3f, 0.927362f};
    head.properties.set("key", "value");
    head.wiggleAmount = 3;
    head.wigglePower = 0.25f;
    s.bones = {root, head};
    f.skeletons.push_back(s);
    character::Outfit o;
    o.name = "b003mafit_01";
    o.type = 0;
    character::SkinPart p;
    p.boneName = "PELVIS";
    p.meshName = "xskin-b003mafit_01-PELVIS-BODY";
    p.censorFlags = 4;
    p.properties.set("a", "b");
    o.parts = {p, p};
    f.outfits.push_back(o);
    character::Animation a;
    a.name = "a2o-idle1";
    a.keyframeStem = "a2o-idle1";
    a.duration = 2000;
    a.translationCount = 4;
    a.rotationCount = 4;
    character::BoneTrack t;
    t.boneName = "HEAD";
    t.frameCount = 4;
    t.duration = 2000;
    t.translationsUsed = 1;
    t.rotationsUsed = 1;
    character::PropertyList sound;
    sound.set("sound", std::string(254, 's'));
    t.timeProperties = {{0, sound}, {1999, {}}};
    a.tracks = {t};
    f.animations.push_back(a);
    return f;
}

void expectSame(const character::CharacterFile& a, const character::CharacterFile& b) {
    ASSERT_EQ(a.skeletons.size(), b.skeletons.size());
    for (size_t i = 0; i < a.skeletons.size(); ++i) {
        ASSERT_EQ(a.skeletons[i].bones.size(), b.skeletons[i].bones.size());
        for (size_t j = 0; j < a.skeletons[i].bones.size(); ++j) {
            const auto& x = a.skeletons[i].bones[j];
            const auto& y = b.skeletons[i].bones[j];
            EXPECT_EQ(x.name, y.name);
            EXPECT_EQ(x.translation, y.translation);
            EXPECT_EQ(x.rotation, y.rotation);
            EXPECT_EQ(x.properties, y.properties);
            EXPECT_EQ(x.wiggleAmount, y.wiggleAmount);
            EXPECT_EQ(x.wigglePower, y.wigglePower);
            EXPECT_EQ(x.parent, y.parent);
        }
    }
    ASSERT_EQ(a.outfits.size(), b.outfits.size());
    EXPECT_EQ(a.outfits[0].name, b.outfits[0].name);
    ASSERT_EQ(a.outfits[0].parts.size(), b.outfits[0].parts.size());
    EXPECT_EQ(a.outfits[0].parts[1].properties, b.outfits[0].parts[1].properties);
    EXPECT_EQ(a.outfits[0].parts[1].censorFlags, b.outfits[0].parts[1].censorFlags);
    ASSERT_EQ(a.animations.size(), b.animations.size());
    EXPECT_EQ(a.animations[0].tracks[0].timeProperties, b.animations[0].tracks[0].timeProperties);
    EXPECT_EQ(a.animations[0].duration, b.animations[0].duration);
}

TEST(CharacterFileWriting, RoundTripsInBothForms) {
    for (FileFormat format : {FileFormat::Text, FileFormat::Binary}) {
        platform::VectorSink sink;
        ASSERT_TRUE(writeCharacterFile(sampleFile(), format, sink));
        character::BoneNameTable names;
        auto back = character::readCharacterFile(sink.data(), format, names);
        ASSERT_TRUE(back.complete);
        character::BoneNameTable names2;
        auto expected = sampleFile();
        // The reader builds the tree: compare against a read of the same records.
        platform::VectorSink again;
        ASSERT_TRUE(writeCharacterFile(back, format, again));
        EXPECT_EQ(again.data(), sink.data());
        expectSame(back, character::readCharacterFile(again.data(), format, names2));
        EXPECT_EQ(back.skeletons[0].bones[1].parent, 0);
        EXPECT_EQ(back.skeletons[0].bones[0].translation,
                  expected.skeletons[0].bones[0].translation);
    }
}

TEST(CharacterFileWriting, UnwritableTextsAreRefused) {
    auto f = sampleFile();
    f.outfits[0].parts[0].meshName = "";
    platform::VectorSink s;
    EXPECT_FALSE(writeCharacterFile(f, FileFormat::Text, s));
    f.outfits[0].parts[0].meshName = std::string(256, 'x');
    platform::VectorSink b;
    EXPECT_FALSE(writeCharacterFile(f, FileFormat::Binary, b));
}

TEST(StringEscape, ThreeHundredBytesUseTheLongForm) {
    character::IndexFile ndx;
    ndx.outfits.push_back({std::string(300, 'n'), "stem"});
    platform::VectorSink s;
    ASSERT_TRUE(writeIndexFile(ndx, s));
    ASSERT_GT(s.data().size(), 10u);
    EXPECT_EQ(s.data()[8], 0xFF);  // after two counts
    EXPECT_EQ(s.data()[9], 44);    // 300 = 0x12C, little-endian
    EXPECT_EQ(s.data()[10], 1);
    auto back = character::readIndexFile(s.data());
    ASSERT_TRUE(back.complete);
    EXPECT_EQ(back.outfits[0].first.size(), 300u);
}

character::DeformableMesh sampleMesh() {
    character::DeformableMesh m;
    m.name = "xskin-hmlo-L_HAND-HAND";
    m.defaultTexture = "huaomed";
    m.boneNames = {"L_HAND", "L_FOREARM"};
    m.faces = {{0, 1, 2}};
    m.bindings = {{0, 0, 3, 0, 1, {}}, {1, 0, 0, 1, 1, {}}};
    m.textureCoords = {{0, 0}, {1, 0}, {0.5f, 1}};
    m.blends = {{16384, 0}, {32768, 1}};
    m.vertices = {{{0, 0, 0}, {0, 1, 0}},
                  {{1, 0, 0}, {0, 1, 0}},
                  {{0, 1, 0}, {0, 1, 0}},
                  {{0.1f, 0.2f, 0.3f}, {0, 0, 1}},
                  {{-0.1f, 0.2f, 1e-7f}, {0, 0, 1}}};
    return m;
}

TEST(MeshWriting, RoundTripsInBothForms) {
    for (FileFormat format : {FileFormat::Text, FileFormat::Binary}) {
        platform::VectorSink s;
        ASSERT_TRUE(writeMesh(sampleMesh(), format, s));
        character::BoneNameTable names;
        auto m = character::readMesh(s.data(), format, names);
        ASSERT_TRUE(m);
        auto e = sampleMesh();
        EXPECT_EQ(m->boneNames, e.boneNames);
        EXPECT_EQ(m->faces, e.faces);
        EXPECT_EQ(m->bindings, e.bindings);
        EXPECT_EQ(m->textureCoords, e.textureCoords);
        EXPECT_EQ(m->blends, e.blends);
        EXPECT_EQ(m->vertices, e.vertices);
    }
}

TEST(KeyframeWriting, CfpStaysWithinToleranceAndCompresses) {
    std::vector<float> t, r;
    for (int i = 0; i < 200; ++i) {
        float s = static_cast<float>(i) * 0.05f;
        t.insert(t.end(), {std::sin(s) * 0.2f, 2.9f, 0});
        r.insert(r.end(), {0, std::sin(s * 0.5f) * 0.3f, 0, 0.95f});
    }
    t[30] = 7.0f;  // a jump that needs a raw value
    platform::VectorSink s;
    ASSERT_TRUE(writeCfp(t, r, s));
    EXPECT_LT(s.data().size(), (t.size() + r.size()) * 2);
    character::Keyframes k;
    ASSERT_TRUE(character::decodeCfp(s.data(), 200, 200, k));
    for (size_t i = 0; i < t.size(); ++i)
        ASSERT_NEAR(k.translations[i], t[i], kCfpTolerance) << i;
    for (size_t i = 0; i < r.size(); ++i)
        ASSERT_NEAR(k.rotations[i], r[i], kCfpTolerance) << i;
    EXPECT_EQ(k.translations[30], 7.0f);

    platform::VectorSink b;
    ASSERT_TRUE(writeBin(t, r, b));
    character::Keyframes raw;
    ASSERT_TRUE(character::decodeBin(b.data(), 200, 200, raw));
    EXPECT_EQ(raw.translations, t);
    EXPECT_EQ(raw.rotations, r);
}

TEST(FarWriting, TableReadsBack) {
    std::vector<FarFile> files = {{"a.bmp", {1, 2, 3}}, {"sub\\b.skn", {4}}, {"empty", {}}};
    platform::VectorSink s;
    ASSERT_TRUE(writeFar(files, s));
    auto table = fileindex::readFarTable(s.data());
    ASSERT_TRUE(table.complete);
    ASSERT_EQ(table.entries.size(), 3u);
    EXPECT_EQ(table.entries[1].name, "sub\\b.skn");
    EXPECT_EQ(s.data()[table.entries[1].offset], 4);
    EXPECT_EQ(table.entries[2].size, 0u);
}

// A small decoder for the tests: 8-bit (plain or RLE8) and 24-bit, to top-row-first RGB.
std::vector<Rgb> decodeBmp(const std::vector<uint8_t>& bytes, int& w, int& h) {
    platform::ByteReader r(bytes);
    EXPECT_TRUE(r.skip(10));
    uint32_t offset = *r.u32le();
    EXPECT_TRUE(r.skip(4));
    w = *r.i32le();
    h = *r.i32le();
    EXPECT_TRUE(r.skip(2));
    uint16_t bits = *r.u16le();
    uint32_t compression = *r.u32le();
    EXPECT_TRUE(r.skip(12));
    uint32_t colours = *r.u32le();
    EXPECT_TRUE(r.skip(4));
    std::vector<Rgb> palette;
    for (uint32_t i = 0; i < colours; ++i) {
        uint8_t b = *r.u8(), g = *r.u8(), rr = *r.u8();
        EXPECT_TRUE(r.skip(1));
        palette.push_back({rr, g, b});
    }
    std::vector<Rgb> out(size_t(w) * size_t(h));
    EXPECT_TRUE(r.seek(offset));
    if (bits == 24) {
        uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
        for (int y = h - 1; y >= 0; --y) {
            auto row = *r.bytes(stride);
            for (int x = 0; x < w; ++x)
                out[size_t(y) * w + x] = {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
        }
    } else if (compression == 0) {
        uint32_t stride = (uint32_t(w) + 3) & ~3u;
        for (int y = h - 1; y >= 0; --y) {
            auto row = *r.bytes(stride);
            for (int x = 0; x < w; ++x)
                out[size_t(y) * w + x] = palette.at(row[x]);
        }
    } else {
        int x = 0, y = h - 1;
        for (;;) {
            uint8_t n = *r.u8(), v = *r.u8();
            if (n > 0) {
                for (int i = 0; i < n; ++i)
                    out.at(size_t(y) * w + x++) = palette.at(v);
            } else if (v == 0) {
                x = 0;
                --y;
            } else if (v == 1) {
                break;
            } else {
                for (int i = 0; i < v; ++i)
                    out.at(size_t(y) * w + x++) = palette.at(*r.u8());
                if (v & 1) {
                    EXPECT_TRUE(r.skip(1));
                }
            }
        }
    }
    return out;
}

TEST(BmpWriting, EightBitPlainAndRleAndTwentyFourBitRoundTrip) {
    IndexedImage img;
    img.width = 13;
    img.height = 5;
    img.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {10, 20, 30}};
    for (int i = 0; i < 65; ++i)
        img.pixels.push_back(static_cast<uint8_t>(i % 7 < 4 ? (i / 3) % 4 : 2));
    for (BmpCompression c : {BmpCompression::None, BmpCompression::Rle8}) {
        platform::VectorSink s;
        ASSERT_TRUE(writeBmp8(img, c, s));
        int w = 0, h = 0;
        auto px = decodeBmp(s.data(), w, h);
        ASSERT_EQ(w, 13);
        ASSERT_EQ(h, 5);
        for (size_t i = 0; i < px.size(); ++i) {
            const Rgb& e = img.palette[img.pixels[i]];
            ASSERT_TRUE(px[i].r == e.r && px[i].g == e.g && px[i].b == e.b) << i;
        }
    }
    RgbImage rgb;
    rgb.width = 3;
    rgb.height = 2;
    rgb.pixels = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13, 14, 15}, {16, 17, 18}};
    platform::VectorSink s;
    ASSERT_TRUE(writeBmp24(rgb, s));
    int w = 0, h = 0;
    auto px = decodeBmp(s.data(), w, h);
    EXPECT_EQ(px[4].g, 14);
    EXPECT_EQ(px[0].r, 1);
    IndexedImage bad = img;
    bad.pixels[0] = 9;  // outside the palette
    platform::VectorSink refused;
    EXPECT_FALSE(writeBmp8(bad, BmpCompression::None, refused));
}

}  // namespace
}  // namespace marquill::content
