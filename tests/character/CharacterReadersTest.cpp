#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "character/CharacterFileReader.h"
#include "character/FieldSource.h"
#include "character/IndexFileReader.h"
#include "character/KeyframeReader.h"
#include "character/MeshReader.h"
#include "platform/ByteSink.h"

namespace marquill::character {
namespace {

std::span<const uint8_t> bytesOf(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

const char* kSkeletonText =
    "version 300\n"
    "0\n"
    "1\n"
    "adult\n"
    "2\n"
    "PELVIS\n"
    "NULL\n"
    "0\n"
    "| 0 2.9 0 |\n"
    "| 0 0 0 1 |\n"
    "1 1 1 0 0\n"
    "HEAD\n"
    "PELVIS\n"
    "1\n"
    "1\n"
    "Colour\n"
    "RED\n"
    "| 0 2.5 0 |\n"
    "| 0 0 0 1 |\n"
    "1 1 0 2 0.5\n"
    "1\n"
    "B003MAFit_01\n"
    "0 0 1\n"
    "PELVIS\n"
    "xskin-b003mafit_01-PELVIS-BODY\n"
    "0 0\n"
    "1\n"
    "A2O-Wave\n"
    "a2o-wave-keys\n"
    "1000 0 0 10 10 1\n"
    "HEAD\n"
    "10 1000 1 1 0 0\n"
    "0 1 2\n"
    "40 1\n"
    "Sound\n"
    "Wave.WAV\n"
    "1040 0\n";

TEST(TextCharacterFiles, ReadEveryRecord) {
    BoneNameTable names;
    CharacterFile f = readCharacterFile(bytesOf(kSkeletonText), FileFormat::Text, names);
    ASSERT_TRUE(f.complete);
    ASSERT_EQ(f.skeletons.size(), 1u);
    const Skeleton& s = f.skeletons[0];
    ASSERT_EQ(s.bones.size(), 2u);
    EXPECT_EQ(s.root, 0);
    EXPECT_EQ(s.bones[0].firstChild, 1);
    EXPECT_EQ(s.bones[1].parent, 0);
    EXPECT_TRUE(s.bones[1].keyBone);
    EXPECT_EQ(s.bones[1].wiggleAmount, 2);
    EXPECT_EQ(s.bones[1].blendFlag, 0);
    EXPECT_EQ(*s.bones[1].properties.get("colour"), "red");
    EXPECT_EQ(s.bones[0].translation, (Vec3{0, 2.9f, 0}));
    EXPECT_EQ(names.name(s.bones[1].nameId), "HEAD");

    ASSERT_EQ(f.outfits.size(), 1u);
    EXPECT_EQ(f.outfits[0].name, "b003mafit_01");
    EXPECT_EQ(f.outfits[0].parts[0].meshName, "xskin-b003mafit_01-PELVIS-BODY");

    ASSERT_EQ(f.animations.size(), 1u);
    const Animation& a = f.animations[0];
    EXPECT_EQ(a.name, "a2o-wave");  // lower-cased in text files
    EXPECT_EQ(a.keyframeStem, "a2o-wave-keys");
    ASSERT_EQ(a.tracks.size(), 1u);
    EXPECT_EQ(a.tracks[0].boneId, s.bones[1].nameId);
    ASSERT_EQ(a.tracks[0].timeProperties.size(), 2u);
    EXPECT_EQ(a.tracks[0].timeProperties[0].time, 40);
    EXPECT_EQ(*a.tracks[0].timeProperties[0].properties.get("sound"), "wave.wav");
    EXPECT_TRUE(a.tracks[0].timeProperties[1].properties.empty());
}

TEST(TextCharacterFiles, BlankLinesBeforeLineFieldsAreSkipped) {
    std::string spaced;
    for (char c : std::string(kSkeletonText)) {
        spaced += c;
        if (c == '\n') spaced += "\r\n  \n";
    }
    // Header lines are taken as they come, blank or not: keep them intact.
    spaced = std::string("version 300\n0\n") + spaced.substr(spaced.find("0\n\r\n  \n1") + 7);
    BoneNameTable a, b;
    CharacterFile plain = readCharacterFile(bytesOf(kSkeletonText), FileFormat::Text, a);
    CharacterFile blank = readCharacterFile(bytesOf(spaced), FileFormat::Text, b);
    ASSERT_TRUE(blank.complete);
    EXPECT_EQ(blank.skeletons[0].bones.size(), plain.skeletons[0].bones.size());
    EXPECT_EQ(blank.outfits[0].parts[0].meshName, plain.outfits[0].parts[0].meshName);
    EXPECT_EQ(blank.animations[0].tracks[0].timeProperties.size(), 2u);
}

TEST(TextCharacterFiles, TruncationKeepsTheObjectsCompletedBefore) {
    std::string text(kSkeletonText);
    BoneNameTable names;
    // Cut inside the animation: skeleton and outfit stay.
    CharacterFile f =
        readCharacterFile(bytesOf(text.substr(0, text.find("HEAD\n10"))), FileFormat::Text, names);
    EXPECT_FALSE(f.complete);
    EXPECT_EQ(f.skeletons.size(), 1u);
    EXPECT_EQ(f.outfits.size(), 1u);
    EXPECT_TRUE(f.animations.empty());
    // A malformed number ends the file the same way.
    std::string bad = text;
    bad.replace(bad.find("0 0 1\n"), 5, "0 x 1");
    f = readCharacterFile(bytesOf(bad), FileFormat::Text, names);
    EXPECT_FALSE(f.complete);
    EXPECT_EQ(f.skeletons.size(), 1u);
    EXPECT_TRUE(f.outfits.empty());
}

TEST(TextCharacterFiles, TrackOutsideTheKeyframeArraysIsRefused) {
    std::string text(kSkeletonText);
    text.replace(text.find("10 1000 1 1 0 0"), 15, "10 1000 1 1 5 0");  // 5 + 10 > 10
    BoneNameTable names;
    CharacterFile f = readCharacterFile(bytesOf(text), FileFormat::Text, names);
    EXPECT_FALSE(f.complete);
    EXPECT_TRUE(f.animations.empty());
}

TEST(TextCharacterFiles, OrphanBoneBecomesTheNewRoot) {
    std::string text =
        "h\nh\n1\nodd\n2\nA\nNULL\n0\n| 0 0 0 |\n| 0 0 0 1 |\n1 1 1 0 0\n"
        "B\nMISSING\n0\n| 0 0 0 |\n| 0 0 0 1 |\n1 1 1 0 0\n0\n0\n";
    BoneNameTable names;
    CharacterFile f = readCharacterFile(bytesOf(text), FileFormat::Text, names);
    ASSERT_TRUE(f.complete);
    EXPECT_EQ(f.skeletons[0].root, 1);
    EXPECT_EQ(f.skeletons[0].bones[1].nextSibling, 0);
}

TEST(BinaryStrings, EscapeAndLimits) {
    platform::VectorSink s;
    s.u8(255);
    s.u32le(300);
    s.text(std::string(300, 'a'));
    BinaryFieldSource in(s.data());
    EXPECT_FALSE(in.text(255));  // too long for a character file
    auto ok = in.text(1023);     // fine in an index
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->size(), 300u);

    platform::VectorSink lying;
    lying.u8(255);
    lying.u32le(0xFFFFFFFF);
    BinaryFieldSource l(lying.data());
    EXPECT_FALSE(l.text(SIZE_MAX));
}

TEST(IndexFiles, ReadThreeSectionsAndStopAtTruncation) {
    platform::VectorSink s;
    s.i32le(1);
    s.u8(5);
    s.text("adult");
    s.u8(4);
    s.text("ppl1");
    s.i32le(0);
    s.i32le(2);
    s.u8(3);
    s.text("one");
    s.u8(1);
    s.text("x");
    IndexFile f = readIndexFile(s.data());
    EXPECT_FALSE(f.complete);
    ASSERT_EQ(f.skeletons.size(), 1u);
    EXPECT_EQ(f.skeletons[0].second, "ppl1");
    EXPECT_EQ(f.animations.size(), 1u);
}

TEST(CompressedKeyframes, DeltaTableMatchesTheFormat) {
    EXPECT_LT(std::fabs(cfpDelta(126)), 1e-29f);
    EXPECT_FLOAT_EQ(cfpDelta(252), 0.10000005f);
    EXPECT_EQ(cfpDelta(0), -0.1f);
    EXPECT_NEAR(cfpDelta(1), -0.096863f, 1e-6);
    for (int i = 1; i < kCfpDeltaCodes; ++i)
        EXPECT_GT(cfpDelta(i), cfpDelta(i - 1));
}

TEST(CompressedKeyframes, RepeatRawAndDeltaCodes) {
    // One translation (x, y, z): 1.5 raw, then FE 03 00 would make four 1.5 -- here the repeat
    // spills over into the rotation streams, as the previous value is carried across streams.
    platform::VectorSink s;
    s.u8(0xFF);
    s.f32le(1.5f);
    s.u8(0xFE);
    s.u16le(3);  // y, z, rotation x, rotation y
    s.u8(252);   // rotation z = 1.6
    s.u8(0);     // rotation w = 1.5
    Keyframes k;
    ASSERT_TRUE(decodeCfp(s.data(), 1, 1, k));
    EXPECT_EQ(k.translations, (std::vector<float>{1.5f, 1.5f, 1.5f}));
    EXPECT_EQ(k.rotations[0], 1.5f);
    EXPECT_EQ(k.rotations[1], 1.5f);
    EXPECT_FLOAT_EQ(k.rotations[2], 1.6f);
    EXPECT_FLOAT_EQ(k.rotations[3], 1.5f);
}

TEST(CompressedKeyframes, StreamsAreScatteredPerComponent) {
    platform::VectorSink s;
    const float values[] = {1, 2, 10, 20, 100, 200};  // x0 x1 y0 y1 z0 z1
    for (float v : values) {
        s.u8(0xFF);
        s.f32le(v);
    }
    Keyframes k;
    ASSERT_TRUE(decodeCfp(s.data(), 2, 0, k));
    EXPECT_EQ(k.translations, (std::vector<float>{1, 10, 100, 2, 20, 200}));
}

TEST(CompressedKeyframes, MalformedStreamsFail) {
    Keyframes k;
    const uint8_t code253[] = {253};
    EXPECT_FALSE(decodeCfp(code253, 1, 0, k));
    const uint8_t overlongRepeat[] = {0xFE, 0x10, 0x00};
    EXPECT_FALSE(decodeCfp(overlongRepeat, 1, 0, k));
    const uint8_t shortRaw[] = {0xFF, 0, 0};
    EXPECT_FALSE(decodeCfp(shortRaw, 1, 0, k));
    const uint8_t one[] = {126};
    EXPECT_FALSE(decodeCfp(one, 0x7FFFFFFF, 0x7FFFFFFF, k));  // refused before allocating
    EXPECT_FALSE(decodeBin(one, 1, 0, k));
}

TEST(Meshes, DuplicateBoneNamesAreKeptOnceAndIndicesAreChecked) {
    std::string text =
        "xskin-test-HEAD-HEAD\ntex\n3\nHEAD\nNECK\nHEAD\n"
        "1\n0 1 2\n"
        "2\n0 0 3 0 1\n1 0 0 0 0\n"
        "3\n0 0\n1 0\n0 1\n"
        "1\n2 16384\n"
        "4\n0 0 0 0 0 1\n1 0 0 0 0 1\n0 1 0 0 0 1\n5 5 5 0 0 1\n";
    BoneNameTable names;
    auto m = readMesh(bytesOf(text), FileFormat::Text, names);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->boneNames, (std::vector<std::string>{"HEAD", "NECK"}));
    ASSERT_EQ(m->blends.size(), 1u);
    EXPECT_EQ(m->blends[0].target, 2);
    EXPECT_EQ(m->blends[0].weight, 16384);
    EXPECT_EQ(m->bindings[0].box.max, (Vec3{5, 5, 5}));  // blended vertex 3 belongs to it
    EXPECT_EQ(m->box.min, (Vec3{0, 0, 0}));

    std::string badFace = text;
    badFace.replace(badFace.find("0 1 2"), 5, "0 1 9");
    EXPECT_FALSE(readMesh(bytesOf(badFace), FileFormat::Text, names));
    std::string badBone = text;
    badBone.replace(badBone.find("1 0 0 0 0"), 9, "2 0 0 0 0");
    EXPECT_FALSE(readMesh(bytesOf(badBone), FileFormat::Text, names));
    std::string badBlend = text;
    badBlend.replace(badBlend.find("0 0 3 0 1"), 9, "0 0 3 1 1");
    EXPECT_FALSE(readMesh(bytesOf(badBlend), FileFormat::Text, names));
}

TEST(Meshes, TooManyVerticesAreRefused) {
    platform::VectorSink s;
    s.u8(1);
    s.text("m");
    s.u8(1);
    s.text("t");
    for (int i = 0; i < 5; ++i)
        s.i32le(0);
    s.i32le(65537);
    for (int i = 0; i < 65537 * 6; ++i)
        s.f32le(0);
    BoneNameTable names;
    EXPECT_FALSE(readMesh(s.data(), FileFormat::Binary, names));
}

}  // namespace
}  // namespace marquill::character
