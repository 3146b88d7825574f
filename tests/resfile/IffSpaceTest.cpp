#include <gtest/gtest.h>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "resfile/IFFResFile2.h"

namespace marquill::resfile {
namespace {

using testing::Data;
using testing::MakeFile;
using testing::OffsetOf;
using testing::Put;
using testing::ReadBytes;
using testing::TempDir;

constexpr int64_t kFirst = 64;

// Resources 200 (100 bytes), 201 (1000 bytes), 202 (100 bytes); 201 is removed, leaving a
// 1076-byte free chunk at 64 + 176. The freed map at the end is too small for the tests' data.
struct HoleFile {
    TempDir dir;
    std::string path = dir.File("hole.iff");
    IFFResFile2 file;
    int64_t hole = kFirst + 176;

    HoleFile() {
        MakeFile(path, {100, 1000, 100});
        EXPECT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        EXPECT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 201)), kResOk);
    }
    int64_t End() { return static_cast<int64_t>(ReadBytes(path).size()); }
};

TEST(IffSpace, AFreeChunkOfExactlyTheNeededSizeIsReusedWhole) {
    HoleFile f;
    Put(f.file, kTypeStrings, 300, 1000, 7);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 300), f.hole);
}

TEST(IffSpace, AFreeChunkLargerByAHeaderOrMoreIsSplit) {
    HoleFile f;
    Put(f.file, kTypeStrings, 300, 1000 - 76, 7);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 300), f.hole);
    // The rest is a free chunk of exactly one header: a zero-length resource fits it.
    Put(f.file, kTypeStrings, 301, 0, 0);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 301), f.hole + 1000);
    ASSERT_EQ(f.file.Close(), kResOk);
    ASSERT_EQ(f.file.Open(f.path, Access::ReadOnly), kResOk);
    EXPECT_EQ(Data(f.file.GetResource(kTypeStrings, 300)), std::vector<uint8_t>(924, 7));
    EXPECT_EQ(Data(f.file.GetResource(kTypeStrings, 202)), std::vector<uint8_t>(100, 202));
}

TEST(IffSpace, AFreeChunkLargerByLessThanAHeaderIsSkipped) {
    for (size_t shortBy : {1, 40, 75}) {
        HoleFile f;
        const int64_t end = f.End();
        Put(f.file, kTypeStrings, 300, 1000 - shortBy, 7);
        EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 300), end) << shortBy;
    }
}

TEST(IffSpace, AdjacentFreeChunksAreMergedWhenTheSearchPassesThem) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {100, 200, 300, 100});
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 201)), kResOk);
    ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 202)), kResOk);
    // 276 + 376 bytes free side by side: only the merged chunk holds 576 bytes of data.
    Put(file, kTypeStrings, 300, 576, 9);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 300), kFirst + 176);
    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 300)), std::vector<uint8_t>(576, 9));
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 203)), std::vector<uint8_t>(100, 203));
}

TEST(IffSpace, RewritingKeepsTheSameLengthInPlaceAndMovesAnotherLength) {
    HoleFile f;
    MemoryBlock* first = f.file.GetResource(kTypeStrings, 200);
    first->Bytes()[0] = 1;
    ASSERT_EQ(f.file.WriteResource(first), kResOk);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 200), kFirst);

    MemoryBlock* last = f.file.GetResource(kTypeStrings, 202);
    const int64_t lastOffset = OffsetOf(f.file, kTypeStrings, 202);
    MemoryBlock* longer = testing::BlockOfSize(1000, 5);
    ASSERT_EQ(f.file.AddResource(longer, kTypeStrings, 202, "", DataOrder::Native), kResOk);
    EXPECT_FALSE(BlockManager::Instance().IsLive(last)) << "the replaced block is disposed of";
    ASSERT_EQ(f.file.WriteResource(longer), kResOk);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 202), f.hole);
    const auto bytes = ReadBytes(f.path);
    EXPECT_EQ(std::string(bytes.begin() + lastOffset, bytes.begin() + lastOffset + 4), "XXXX");
    EXPECT_TRUE(bytes[lastOffset + 11] & kFlagFree);
}

TEST(IffSpace, TheSearchStartsAtTheRoverAndDoesNotWrap) {
    HoleFile f;
    // Moving the last resource to the end leaves the rover behind the hole.
    Put(f.file, kTypeStrings, 300, 2000, 1);
    Put(f.file, kTypeStrings, 301, 1000, 2);
    EXPECT_GT(OffsetOf(f.file, kTypeStrings, 301), f.hole);
    // Resume resets the rover: the hole is found again.
    ASSERT_EQ(f.file.Suspend(), kResOk);
    ASSERT_EQ(f.file.Resume(), kResOk);
    Put(f.file, kTypeStrings, 302, 1000, 3);
    EXPECT_EQ(OffsetOf(f.file, kTypeStrings, 302), f.hole);
}

TEST(IffSpace, CloseCompactsBeyond10239FreeBytes) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {100, 5000, 5088, 100});
    {
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 201)), kResOk);
        ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 202)), kResOk);
        // 5076 + 5164 freed plus the old map: beyond the threshold.
        EXPECT_GT(file.FreeBytes(), 10239u);
        ASSERT_EQ(file.Close(), kResOk);
    }
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 200), kFirst);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 203), kFirst + 176);
    EXPECT_EQ(file.MapOffset(), kFirst + 352);
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 203)), std::vector<uint8_t>(100, 203));
    const auto size = ReadBytes(path).size();
    EXPECT_LT(size, 64u + 352 + 200) << "nothing but the two resources and the map";
}

TEST(IffSpace, JustBelowTheThresholdNothingMoves) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {100, 5000, 4000, 100});
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 201)), kResOk);
    ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 202)), kResOk);
    ASSERT_LE(file.FreeBytes(), 10239u);
    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_GT(OffsetOf(file, kTypeStrings, 203), kFirst + 176);
}

}  // namespace
}  // namespace marquill::resfile
