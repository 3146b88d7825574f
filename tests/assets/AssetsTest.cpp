#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "SoundSynth.h"
#include "platform/ByteReader.h"

namespace marquill::assets {
namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::string kAssetDir = std::string(MARQUILL_BINARY_DIR) + "/src/cli/assets/";

TEST(WaveFile, HeaderDescribesSixteenBitMonoAndClampsSamples) {
    platform::VectorSink sink;
    writeWave({0.0f, 2.0f, -2.0f, 0.5f}, sink);
    const std::vector<uint8_t>& bytes = sink.data();
    ASSERT_EQ(bytes.size(), 44u + 8u);
    platform::ByteReader r(bytes);
    EXPECT_EQ(r.u32be().value_or(0), 0x52494646u);  // "RIFF"
    EXPECT_EQ(r.u32le().value_or(0), 36u + 8u);
    ASSERT_TRUE(r.skip(4 + 4 + 4));
    EXPECT_EQ(r.u16le().value_or(0), 1);  // PCM
    EXPECT_EQ(r.u16le().value_or(0), 1);  // mono
    EXPECT_EQ(r.u32le().value_or(0), 22050u);
    ASSERT_TRUE(r.skip(4 + 2));
    EXPECT_EQ(r.u16le().value_or(0), 16);
    ASSERT_TRUE(r.skip(4));
    EXPECT_EQ(r.u32le().value_or(0), 8u);
    EXPECT_EQ(static_cast<int16_t>(r.u16le().value_or(1)), 0);
    EXPECT_EQ(static_cast<int16_t>(r.u16le().value_or(0)), 32767);
    EXPECT_EQ(static_cast<int16_t>(r.u16le().value_or(0)), -32767);
    EXPECT_EQ(static_cast<int16_t>(r.u16le().value_or(0)), 16384);
}

TEST(ToolSounds, EverySoundOfTheTableIsAudibleUnclippedAndShort) {
    const std::set<std::string> table = {"PEMMS",
                                         "CLICK",
                                         "DENIED",
                                         "VOX_HEYSHM2",
                                         "VOX_HEYSHF2",
                                         "VOX_BORED_SIGHM1",
                                         "VOX_INDIFFERENT_HUHM1",
                                         "VOX_INTRIGUED_HMMM1",
                                         "VOX_BORED_SIGHF4",
                                         "VOX_INDIFFERENT_HUHF2",
                                         "VOX_INDIFFERENT_HUHF3"};
    std::set<std::string> made;
    for (const NamedSound& sound : makeAllSounds()) {
        made.insert(sound.name);
        double energy = 0;
        float peak = 0;
        for (float v : sound.samples) {
            energy += v * v;
            peak = std::max(peak, std::fabs(v));
            ASSERT_TRUE(std::isfinite(v)) << sound.name;
        }
        double rms = std::sqrt(energy / std::max<size_t>(1, sound.samples.size()));
        double seconds = static_cast<double>(sound.samples.size()) / kSampleRate;
        EXPECT_GT(rms, 0.02) << sound.name;
        EXPECT_LE(peak, 1.0f) << sound.name;
        EXPECT_GT(seconds, 0.02) << sound.name;
        // The start-up tune plays under the splash, which closes after 6.3 s.
        EXPECT_LT(seconds, sound.name == "PEMMS" ? 6.3 : 2.0) << sound.name;
    }
    EXPECT_EQ(made, table);
}

TEST(ToolSounds, MaleAndFemaleVoicesDifferInPitch) {
    auto crossings = [](const Samples& s) {
        int n = 0;
        for (size_t i = 1; i < s.size(); ++i)
            n += (s[i - 1] < 0) != (s[i] < 0);
        return static_cast<double>(n) / s.size();
    };
    Samples male, female;
    for (const NamedSound& sound : makeAllSounds()) {
        if (sound.name == "VOX_HEYSHM2") male = sound.samples;
        if (sound.name == "VOX_HEYSHF2") female = sound.samples;
    }
    EXPECT_GT(crossings(female), crossings(male) * 1.2);
}

struct PictureSize {
    std::string name;
    int width, height;
};

TEST(ToolPictures, BitmapsHaveTheSizesTheDialogsAreLaidOutFor) {
    std::vector<PictureSize> expected = {
        {"180", 666, 462},  // the splash fills its 333 x 231 unit dialog at 2 pixels a unit
        {"132", 426, 296},  // the welcome picture's 213 x 148 units
        {"199", 46, 42},    // the fame picture's 23 x 21 units
    };
    for (const char* name : {"ABOUT", "BACK", "CREATE", "HELP", "NEXT", "QUIT", "REPLACE", "SAVE"})
        for (char state : std::string("UDFX"))
            expected.push_back({name + std::string(1, state), 150, 46});
    for (const char* name : {"ADD", "REMOVE", "OK", "CANCEL"})
        for (char state : std::string("UDFX"))
            expected.push_back({name + std::string(1, state), 120, 40});
    for (const PictureSize& picture : expected) {
        std::vector<uint8_t> bytes = readFile(kAssetDir + picture.name + ".bmp");
        ASSERT_GE(bytes.size(), 26u) << picture.name;
        platform::ByteReader r(bytes);
        EXPECT_EQ(r.u16le().value_or(0), 0x4D42) << picture.name;  // "BM"
        ASSERT_TRUE(r.skip(16));
        EXPECT_EQ(r.i32le().value_or(0), picture.width) << picture.name;
        EXPECT_EQ(std::abs(r.i32le().value_or(0)), picture.height) << picture.name;
    }
}

TEST(ToolPictures, ButtonStatesAreDistinctPictures) {
    for (const char* name : {"NEXT", "OK"}) {
        std::set<std::vector<uint8_t>> states;
        for (char state : std::string("UDFX"))
            states.insert(readFile(kAssetDir + name + std::string(1, state) + ".bmp"));
        EXPECT_EQ(states.size(), 4u) << name;
    }
}

}  // namespace
}  // namespace marquill::assets
