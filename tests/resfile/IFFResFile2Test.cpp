#include "resfile/IFFResFile2.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TempDir.h"
#include "resfile/IFFHeader.h"

namespace marquill::resfile {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

MemoryBlock* BlockOf(const std::vector<uint8_t>& bytes) {
    MemoryBlock* block = NewBlock(bytes.size());
    std::memcpy(block->Bytes().data(), bytes.data(), bytes.size());
    return block;
}

MemoryBlock* BlockOfSize(size_t size, uint8_t fill) {
    return BlockOf(std::vector<uint8_t>(size, fill));
}

std::vector<uint8_t> Data(MemoryBlock* block) {
    return {block->Bytes().begin(), block->Bytes().end()};
}

// Creates a file and adds the given resources of type STR# (ids from 200) in native order.
void MakeFile(const std::string& path, const std::vector<size_t>& sizes) {
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    int16_t id = 200;
    for (size_t size : sizes) {
        MemoryBlock* block = BlockOfSize(size, static_cast<uint8_t>(id));
        ASSERT_EQ(file.AddResource(block, kTypeStrings, id++, "", DataOrder::Native), kResOk);
        ASSERT_EQ(file.WriteResource(block), kResOk);
    }
    ASSERT_EQ(file.Close(), kResOk);
}

TEST(IffWrite, OneResourceMakesTheKnown260ByteFile) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    MemoryBlock* block = BlockOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_EQ(file.AddResource(block, kTypeStrings, 200, "x", DataOrder::Native), kResOk);
    ASSERT_EQ(file.WriteResource(block), kResOk);
    ASSERT_EQ(file.Close(), kResOk);

    const auto fileHeader = MakeIFFHeader2(150);
    std::vector<uint8_t> expected(fileHeader.begin(), fileHeader.end());
    auto chunkHeader = [&](const char* type, uint32_t size, uint16_t id, uint16_t flags,
                           const char* name) {
        expected.insert(expected.end(), type, type + 4);
        for (int s = 24; s >= 0; s -= 8)
            expected.push_back(static_cast<uint8_t>(size >> s));
        expected.push_back(static_cast<uint8_t>(id >> 8));
        expected.push_back(static_cast<uint8_t>(id));
        expected.push_back(static_cast<uint8_t>(flags >> 8));
        expected.push_back(static_cast<uint8_t>(flags));
        std::vector<uint8_t> nameBytes(64, 0);
        std::memcpy(nameBytes.data(), name, std::strlen(name));
        expected.insert(expected.end(), nameBytes.begin(), nameBytes.end());
    };
    chunkHeader("STR#", 86, 200, 0x0010, "x");
    for (uint8_t i = 1; i <= 10; ++i)
        expected.push_back(i);
    chunkHeader("rsmp", 110, 0, 0x0010, "");
    const std::vector<uint8_t> map = {0,  0, 0, 0, 0,   0,   0,    0,   'p', 'm', 's', 'r',
                                      1,  0, 0, 0, '#', 'R', 'T',  'S', 1,   0,   0,   0,
                                      64, 0, 0, 0, 200, 0,   0x10, 0,   'x', 0};
    expected.insert(expected.end(), map.begin(), map.end());

    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 260u);
    EXPECT_EQ(bytes, expected);
}

TEST(IffOpen, WithAMapReadsOnlyHeaderMapHeaderAndMapData) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20, 30});
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_NE(file.MapOffset(), 0u);
    EXPECT_EQ(file.ReadCount(), 3u);
    EXPECT_EQ(file.CountResources(kTypeStrings), 3);
    MemoryBlock* block = file.GetResource(kTypeStrings, 201);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Data(block), std::vector<uint8_t>(20, 201));
}

}  // namespace
}  // namespace marquill::resfile
