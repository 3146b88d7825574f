// Random sequences of adds, rewrites, removes and closes, checked against a model of what the
// file should hold after every reopen, read once through the map and once by walking the chain.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "resfile/IFFResFile2.h"

namespace marquill::resfile {
namespace {

using testing::BlockOf;
using testing::Data;
using testing::PutU32be;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

using Key = std::pair<ResType, int16_t>;
using Model = std::map<Key, std::vector<uint8_t>>;

constexpr ResType kTypes[] = {kTypeStrings, MakeResType("OBJD"), MakeResType("BHAV")};

void ExpectMatches(IFFResFile2& file, const Model& model, const std::string& when) {
    int total = 0;
    for (ResType type : kTypes)
        total += file.CountResources(type);
    EXPECT_EQ(total, static_cast<int>(model.size())) << when;
    for (const auto& [key, bytes] : model) {
        MemoryBlock* block = file.GetResource(key.first, key.second);
        ASSERT_NE(block, nullptr) << when << " id " << key.second;
        EXPECT_EQ(Data(block), bytes) << when << " id " << key.second;
    }
}

void RunSequence(uint32_t seed) {
    TempDir dir;
    const auto path = dir.File("round.iff");
    const auto scanned = dir.File("scanned.iff");
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    auto someBytes = [&]() {
        static constexpr size_t kSizes[] = {0, 1, 10, 75, 76, 77, 152, 500, 3000, 7000};
        std::vector<uint8_t> bytes(kSizes[pick(10)] + static_cast<size_t>(pick(3)));
        for (auto& b : bytes)
            b = static_cast<uint8_t>(random());
        return bytes;
    };

    Model model;
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    for (int step = 0; step < 300; ++step) {
        const int action = pick(10);
        const Key key{kTypes[pick(3)], static_cast<int16_t>(pick(12))};
        const std::string when = "seed " + std::to_string(seed) + " step " + std::to_string(step);
        if (action < 5) {
            // Add or replace, written at once or left for Close.
            auto bytes = someBytes();
            MemoryBlock* block = BlockOf(bytes);
            ASSERT_EQ(file.AddResource(block, key.first, key.second, "", DataOrder::Native),
                      kResOk);
            if (pick(4) != 0) {
                ASSERT_EQ(file.WriteResource(block), kResOk) << when;
            }
            model[key] = std::move(bytes);
        } else if (action < 7 && model.count(key)) {
            // Rewrite an existing resource through its block, same or other length.
            MemoryBlock* block = file.GetResource(key.first, key.second);
            ASSERT_NE(block, nullptr) << when;
            if (pick(2) == 0 && block->Size() > 0) {
                block->Bytes()[0] ^= 0xFF;
                model[key][0] ^= 0xFF;
                ASSERT_EQ(file.WriteResource(block), kResOk) << when;
            } else {
                auto bytes = someBytes();
                MemoryBlock* replacement = BlockOf(bytes);
                ASSERT_EQ(
                    file.AddResource(replacement, key.first, key.second, "", DataOrder::Native),
                    kResOk);
                ASSERT_EQ(file.WriteResource(replacement), kResOk) << when;
                model[key] = std::move(bytes);
            }
        } else if (action < 9 && model.count(key)) {
            MemoryBlock* block = file.GetResource(key.first, key.second);
            ASSERT_NE(block, nullptr) << when;
            ASSERT_EQ(file.RemoveResource(block), kResOk) << when;
            model.erase(key);
        } else if (action == 9) {
            ASSERT_EQ(file.Close(), kResOk) << when;
            const auto bytes = ReadBytes(path);
            auto withoutMap = bytes;
            PutU32be(withoutMap, 60, 0);
            WriteBytes(scanned, withoutMap);
            IFFResFile2 scan;
            ASSERT_EQ(scan.Open(scanned, Access::ReadOnly), kResOk);
            ExpectMatches(scan, model, when + " (chain)");
            ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
            ExpectMatches(file, model, when + " (map)");
            if (::testing::Test::HasFailure()) return;
        }
    }
    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    ExpectMatches(file, model, "seed " + std::to_string(seed) + " end");
}

TEST(IffRoundTrip, RandomEditsMatchTheModelAfterEveryReopen) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        RunSequence(seed);
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace marquill::resfile
