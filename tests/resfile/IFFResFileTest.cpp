#include "resfile/IFFResFile.h"

#include <gtest/gtest.h>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "platform/ByteSink.h"
#include "resfile/IFFHeader.h"
#include "resfile/IFFResFile2.h"

namespace marquill::resfile {
namespace {

using testing::BlockOfSize;
using testing::Data;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

void Chunk(platform::VectorSink& sink, const char* type, int16_t id, uint16_t flags, int32_t key,
           const std::vector<uint8_t>& data) {
    sink.text(std::string_view(type, 4));
    sink.u32be(static_cast<uint32_t>(16 + data.size()));
    sink.u16be(static_cast<uint16_t>(id));
    sink.u16be(flags);
    sink.u32be(static_cast<uint32_t>(key));
    sink.write(data.data(), data.size());
}

// STR# 5 named "Hello" by key 7, the name list, an internal BHAV and a free chunk.
std::vector<uint8_t> Version1File() {
    platform::VectorSink sink;
    const auto header = MakeIFFHeader1();
    sink.write(header.data(), header.size());
    Chunk(sink, "STR#", 5, 0x0010, 7, {'a', 'b', 'c'});
    Chunk(sink, "NAME", 0, kFlagInternal, -1, {0, 0, 0, 7, 5, 'H', 'e', 'l', 'l', 'o'});
    Chunk(sink, "BHAV", 9, kFlagInternal, -1, {1, 2});
    Chunk(sink, "XXXX", 0, kFlagFree, -1, {0, 0, 0, 0});
    Chunk(sink, "STR#", 6, 0x0010, -1, {'z'});
    return sink.take();
}

TEST(Iff1, ReadsNamesFromTheNameListAndHidesTheInternalList) {
    TempDir dir;
    const auto path = dir.File("old.iff");
    WriteBytes(path, Version1File());
    IFFResFile2 newer;
    EXPECT_EQ(newer.Open(path, Access::ReadOnly), kResBadHeader);

    IFFResFile file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(file.CountTypes(), 1);
    EXPECT_EQ(file.CountResources(kTypeStrings), 2);
    EXPECT_EQ(file.CountResources(MakeResType("BHAV")), 0);
    EXPECT_EQ(file.CountInternal(), 2);
    EXPECT_EQ(file.FreeBytes(), 20u);
    MemoryBlock* named = file.GetNamedResource(kTypeStrings, "hello");
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(Data(named), (std::vector<uint8_t>{'a', 'b', 'c'}));
    std::string name;
    ASSERT_EQ(file.GetResourceName(file.GetResource(kTypeStrings, 6), name), kResOk);
    EXPECT_EQ(name, "");
}

TEST(Iff1, WritesNamesByKeyAndKeepsTheInternalListThroughCompaction) {
    TempDir dir;
    const auto path = dir.File("old.iff");
    WriteBytes(path, Version1File());
    {
        IFFResFile file;
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        MemoryBlock* big = BlockOfSize(12000, 4);
        ASSERT_EQ(file.AddResource(big, kTypeStrings, 7, "Big", DataOrder::Native), kResOk);
        ASSERT_EQ(file.WriteResource(big), kResOk);
        ASSERT_EQ(file.Close(), kResOk);
    }
    {
        IFFResFile file;
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        EXPECT_EQ(Data(file.GetNamedResource(kTypeStrings, "big")), std::vector<uint8_t>(12000, 4));
        ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 7)), kResOk);
        MemoryBlock* small = BlockOfSize(3, 8);
        ASSERT_EQ(file.AddResource(small, kTypeStrings, 8, "Small", DataOrder::Native), kResOk);
        ASSERT_EQ(file.Close(), kResOk);
    }
    const auto bytes = ReadBytes(path);
    EXPECT_LT(bytes.size(), 300u) << "compacted";
    const auto header = MakeIFFHeader1();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 64),
              std::vector<uint8_t>(header.begin(), header.end()));
    IFFResFile file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(file.CountInternal(), 2);
    EXPECT_EQ(file.FreeBytes(), 0u);
    EXPECT_EQ(Data(file.GetNamedResource(kTypeStrings, "Hello")),
              (std::vector<uint8_t>{'a', 'b', 'c'}));
    EXPECT_EQ(Data(file.GetNamedResource(kTypeStrings, "Small")), std::vector<uint8_t>(3, 8));
    EXPECT_EQ(file.GetResource(kTypeStrings, 7), nullptr);
}

TEST(Iff1, ANameListThatDoesNotDecodeLeavesResourcesUnnamed) {
    TempDir dir;
    const auto path = dir.File("old.iff");
    auto bytes = Version1File();
    bytes[64 + 19 + 16 + 4] = 200;  // the name claims 200 characters
    WriteBytes(path, bytes);
    IFFResFile file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(file.GetNamedResource(kTypeStrings, "Hello"), nullptr);
    EXPECT_NE(file.GetResource(kTypeStrings, 5), nullptr);
}

}  // namespace
}  // namespace marquill::resfile
