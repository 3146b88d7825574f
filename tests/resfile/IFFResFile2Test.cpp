#include "resfile/IFFResFile2.h"

#include <gtest/gtest.h>

#include <cstring>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "resfile/IFFHeader.h"

namespace marquill::resfile {
namespace {

using testing::BlockOf;
using testing::BlockOfSize;
using testing::Data;
using testing::MakeFile;
using testing::OffsetOf;
using testing::Put;
using testing::PutU32be;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

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

TEST(IffOpen, Version20IgnoresTheMapOffsetAndScans) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20});
    auto bytes = ReadBytes(path);
    bytes[11] = '0';
    WriteBytes(path, bytes);
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(file.Version(), kIFFVersion20);
    EXPECT_EQ(file.MapOffset(), 0u);
    EXPECT_GT(file.ReadCount(), 3u) << "read by walking the chain";
    EXPECT_EQ(file.CountResources(kTypeStrings), 2);
    EXPECT_EQ(file.CountResources(kTypeMap), 0) << "the old map chunk is not a resource";
}

TEST(IffOpen, RefusesOtherVersionsAndForeignHeaders) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10});
    auto bytes = ReadBytes(path);
    for (const auto& [at, value] : std::vector<std::pair<size_t, uint8_t>>{
             {9, '1'}, {11, '6'}, {0, 'i'}, {34, ' '}, {36, 'q'}}) {
        auto changed = bytes;
        changed[at] = value;
        WriteBytes(path, changed);
        IFFResFile2 file;
        EXPECT_EQ(file.Open(path, Access::ReadOnly), kResBadHeader) << "byte " << at;
        EXPECT_FALSE(file.IsOpen());
    }
    const auto header1 = MakeIFFHeader1();
    WriteBytes(path, std::vector<uint8_t>(header1.begin(), header1.end()));
    IFFResFile2 file;
    EXPECT_EQ(file.Open(path, Access::ReadOnly), kResBadHeader);
    WriteBytes(path, {'I', 'F', 'F'});
    EXPECT_EQ(file.Open(path, Access::ReadOnly), kResShortRead);
    EXPECT_EQ(file.Open(dir.File("missing.iff"), Access::ReadOnly), kResCannotOpen);
}

TEST(IffOpen, MapOffsetAtAFreeChunkOrAnotherTypeIsRefused) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20});
    const auto bytes = ReadBytes(path);
    {
        auto changed = bytes;
        PutU32be(changed, 60, 64);  // the first STR# chunk
        WriteBytes(path, changed);
        IFFResFile2 file;
        EXPECT_EQ(file.Open(path, Access::ReadOnly), kResBadMap);
    }
    {
        auto changed = bytes;
        const uint32_t map = (uint32_t{bytes[60]} << 24) | (uint32_t{bytes[61]} << 16) |
                             (uint32_t{bytes[62]} << 8) | bytes[63];
        changed[map + 11] |= kFlagFree;
        WriteBytes(path, changed);
        IFFResFile2 file;
        EXPECT_EQ(file.Open(path, Access::ReadOnly), kResBadMap);
    }
    {
        auto changed = bytes;
        PutU32be(changed, 60, static_cast<uint32_t>(bytes.size()));  // past the end
        WriteBytes(path, changed);
        IFFResFile2 file;
        EXPECT_EQ(file.Open(path, Access::ReadOnly), kResBadMap);
    }
}

TEST(IffOpen, AMapThatListsAMapOrCannotBeDecodedFallsBackToTheChain) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10});
    const auto bytes = ReadBytes(path);
    // The map of a one-resource file: type count at data offset 12, then "STR#" as the type.
    const size_t mapData = 150 + 76;
    {
        auto changed = bytes;
        const uint8_t rsmp[] = {'p', 'm', 's', 'r'};
        std::copy(rsmp, rsmp + 4, changed.begin() + mapData + 16);
        changed[mapData + 28] = 0;  // the listed resource becomes map id 0
        WriteBytes(path, changed);
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
        EXPECT_EQ(file.CountResources(kTypeStrings), 1);
        EXPECT_EQ(file.CountTypes(), 1);
    }
    {
        auto changed = bytes;
        changed[mapData + 20] = 0xFF;  // resource count far beyond the data
        WriteBytes(path, changed);
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
        EXPECT_EQ(file.CountResources(kTypeStrings), 1);
    }
    {
        auto changed = bytes;
        changed.resize(changed.size() - 2);  // the map's last name loses its terminator
        WriteBytes(path, changed);
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
        EXPECT_EQ(file.CountResources(kTypeStrings), 1);
        EXPECT_NE(file.GetResource(kTypeStrings, 200), nullptr);
    }
}

TEST(IffLoad, AChunkClaimingMoreThanTheFileHoldsAllocatesNothing) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20});
    auto bytes = ReadBytes(path);
    PutU32be(bytes, 68, 0x40000000);  // the first chunk claims 1 GiB; the map still lists it
    WriteBytes(path, bytes);
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_EQ(file.CountResources(kTypeStrings), 2);
    const size_t live = BlockManager::Instance().LiveCount();
    EXPECT_EQ(file.GetResource(kTypeStrings, 200), nullptr);
    EXPECT_EQ(file.LastResult(), kResBadChunk);
    EXPECT_EQ(BlockManager::Instance().LiveCount(), live);
    ASSERT_EQ(file.Close(), kResOk);

    // Walking the chain, such a chunk ends it: nothing is appended inside its claimed space.
    PutU32be(bytes, 60, 0);
    WriteBytes(path, bytes);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    EXPECT_EQ(file.CountResources(kTypeStrings), 0);
    Put(file, kTypeStrings, 300, 4, 1);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 300), 64);
    ASSERT_EQ(file.Close(), kResOk);
    EXPECT_LT(ReadBytes(path).size(), bytes.size() + 200);
}

TEST(IffOpen, AMapNamingOffsetsPastTheEndIsNotTrusted) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10});
    auto bytes = ReadBytes(path);
    bytes[150 + 76 + 24] = 0x00;
    bytes[150 + 76 + 25] = 0x00;
    bytes[150 + 76 + 26] = 0x10;
    bytes[150 + 76 + 27] = 0x00;  // offset 0x100000, far past the end
    WriteBytes(path, bytes);
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 200), 64) << "read by walking the chain";
    ASSERT_EQ(file.Close(), kResOk);

    // Two resources at one offset.
    const auto second = dir.File("b.iff");
    MakeFile(second, {10, 10});
    bytes = ReadBytes(second);
    const size_t mapData = 64 + 86 + 86 + 76;
    ASSERT_EQ(bytes[mapData + 34], 150);
    bytes[mapData + 34] = 64;
    WriteBytes(second, bytes);
    ASSERT_EQ(file.Open(second, Access::ReadOnly), kResOk);
    EXPECT_EQ(OffsetOf(file, kTypeStrings, 201), 150) << "read by walking the chain";
}

TEST(IffLoad, ConvertsBigEndianDataOnceAndFlagsItNative) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    {
        IFFResFile2 file;
        ASSERT_EQ(file.Create(path), kResOk);
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        MemoryBlock* block = BlockOf({0x12, 0x34});
        ASSERT_EQ(file.AddResource(block, kTypeStrings, 1, "", DataOrder::BigEndian), kResOk);
        ASSERT_EQ(file.Close(), kResOk);
    }
    static int calls = 0;
    auto swap16 = [](uint8_t* data, size_t length) {
        ++calls;
        if (length >= 2) std::swap(data[0], data[1]);
    };
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    MemoryBlock* block = file.GetResource(kTypeStrings, 1, swap16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(Data(block), (std::vector<uint8_t>{0x34, 0x12}));
    EXPECT_TRUE(file.IsNativeOrder(block));
    EXPECT_EQ(file.GetResource(kTypeStrings, 1, swap16), block);
    EXPECT_EQ(calls, 1);
}

TEST(IffLookup, PositionsIdsNamesAndAttributes) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    EXPECT_EQ(file.UniqueId(kTypeStrings), 129);
    Put(file, kTypeStrings, 5, 1, 1, "Alpha");
    Put(file, MakeResType("OBJD"), 7, 1, 2);
    Put(file, kTypeStrings, 6, 1, 3);
    EXPECT_EQ(file.UniqueId(kTypeStrings), 129);
    Put(file, kTypeStrings, 300, 1, 4);
    EXPECT_EQ(file.UniqueId(kTypeStrings), 301);

    EXPECT_EQ(file.CountTypes(), 2);
    EXPECT_EQ(file.GetIndType(1), kTypeStrings);
    EXPECT_EQ(file.GetIndType(0), 0u);
    EXPECT_EQ(file.LastResult(), kResTypeRange);
    EXPECT_EQ(file.GetIndType(3), 0u);
    EXPECT_EQ(file.LastResult(), kResTypeRange);

    EXPECT_EQ(Data(file.GetNamedResource(kTypeStrings, "aLPHA")), std::vector<uint8_t>{1});
    EXPECT_EQ(file.GetNamedResource(kTypeStrings, "Alph"), nullptr);
    EXPECT_EQ(file.LastResult(), kResNoSuchName);
    EXPECT_EQ(file.GetResource(kTypeStrings, 7), nullptr);
    EXPECT_EQ(file.LastResult(), kResNoSuchResource);
    EXPECT_EQ(Data(file.GetIndResource(kTypeStrings, 3)), std::vector<uint8_t>{4});
    EXPECT_EQ(file.GetIndResource(kTypeStrings, 4), nullptr);
    EXPECT_EQ(file.LastResult(), kResNoSuchResource);

    std::string name = "alpha";
    ASSERT_EQ(file.UniqueName(kTypeStrings, name), kResOk);
    EXPECT_EQ(name, "alpha0");
    ASSERT_EQ(file.Close(), kResOk);

    // Give resource 6 the id 5 and attribute 5 on disk: two resources share an id.
    auto bytes = ReadBytes(path);
    PutU32be(bytes, 60, 0);
    const size_t third = 64 + 77 + 77;
    bytes[third + 9] = 5;
    bytes[third + 10] = 5;
    WriteBytes(path, bytes);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    EXPECT_EQ(file.CountResources(kTypeStrings), 3);
    EXPECT_EQ(Data(file.GetResourceEx(kTypeStrings, 5, 5)), std::vector<uint8_t>{3});
    EXPECT_EQ(Data(file.GetResourceEx(kTypeStrings, 300, 5)), std::vector<uint8_t>{4});
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 5)), std::vector<uint8_t>{1});
    EXPECT_EQ(file.GetResourceAttributes(file.GetResourceEx(kTypeStrings, 5, 5)), 5);
    // Adding with an attribute reuses that attribute's entry, else the attribute-0 one.
    MemoryBlock* replacement = BlockOfSize(2, 8);
    ASSERT_EQ(file.AddResourceEx(replacement, kTypeStrings, 300, "", 7, DataOrder::Native), kResOk);
    EXPECT_EQ(file.CountResources(kTypeStrings), 3);
    EXPECT_EQ(file.GetResourceAttributes(replacement), 7);
    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(Data(file.GetResourceEx(kTypeStrings, 5, 5)), std::vector<uint8_t>{3})
        << "the attribute survives the map";
    EXPECT_EQ(Data(file.GetResourceEx(kTypeStrings, 300, 7)), std::vector<uint8_t>(2, 8));
}

TEST(IffWrite, WritesInvalidateTheMapAndAnUnclosedFileStaysReadable) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20});
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_NE(file.MapOffset(), 0u);
    Put(file, kTypeStrings, 300, 5, 9);
    EXPECT_EQ(file.MapOffset(), 0u);
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 60, bytes.begin() + 64),
              (std::vector<uint8_t>{0, 0, 0, 0}));

    // What a program that stops now leaves behind.
    const auto copy = dir.File("stopped.iff");
    WriteBytes(copy, bytes);
    IFFResFile2 stopped;
    ASSERT_EQ(stopped.Open(copy, Access::ReadOnly), kResOk);
    EXPECT_EQ(stopped.CountResources(kTypeStrings), 3);
    EXPECT_EQ(stopped.CountResources(kTypeMap), 0);
    EXPECT_EQ(Data(stopped.GetResource(kTypeStrings, 300)), std::vector<uint8_t>(5, 9));
    EXPECT_EQ(Data(stopped.GetResource(kTypeStrings, 201)), std::vector<uint8_t>(20, 201));

    ASSERT_EQ(file.Close(), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_NE(file.MapOffset(), 0u);
    EXPECT_EQ(file.CountResources(kTypeStrings), 3);
}

TEST(IffClose, AnUnchangedFileIsNotWritten) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20});
    const auto before = ReadBytes(path);
    IFFResFile2 file;
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_NE(file.GetResource(kTypeStrings, 200), nullptr);
    ASSERT_EQ(file.Close(), kResOk);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(file.Close(), kResNotOpen);
}

TEST(IffClose, PendingResourcesAreWrittenAndDetachedBlocksBelongToTheCaller) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    EXPECT_EQ(file.Create(path), kResAlreadyExists);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    EXPECT_EQ(file.Open(path, Access::ReadWrite), kResAlreadyOpen);
    MemoryBlock* pending = BlockOfSize(8, 1);
    ASSERT_EQ(file.AddResource(pending, kTypeStrings, 1, "p", DataOrder::Native), kResOk);
    MemoryBlock* detached = BlockOfSize(4, 2);
    ASSERT_EQ(file.AddResource(detached, kTypeStrings, 2, "", DataOrder::Native), kResOk);
    ASSERT_EQ(file.DetachResource(detached), kResOk) << "written first";
    EXPECT_EQ(file.DetachResource(detached), kResNoSuchResource);
    ASSERT_EQ(file.Close(), kResOk);
    EXPECT_TRUE(BlockManager::Instance().IsLive(detached));
    EXPECT_FALSE(BlockManager::Instance().IsLive(pending));
    DisposeBlock(detached);

    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 1)), std::vector<uint8_t>(8, 1));
    EXPECT_EQ(Data(file.GetResource(kTypeStrings, 2)), std::vector<uint8_t>(4, 2));
    MemoryBlock* block = file.GetResource(kTypeStrings, 1);
    EXPECT_EQ(file.WriteResource(block), kResNotWritable);
    EXPECT_EQ(file.RemoveResource(block), kResNotWritable);
}

TEST(IffWrite, RenameAndRemoveReachTheFile) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10, 20, 30});
    {
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
        MemoryBlock* first = file.GetResource(kTypeStrings, 200);
        ASSERT_EQ(file.SetResourceInfo(first, 250, "renamed", 0), kResOk);
        ASSERT_EQ(file.ChangeId(file.GetResource(kTypeStrings, 201), 251), kResOk);
        ASSERT_EQ(file.RemoveResource(file.GetResource(kTypeStrings, 202)), kResOk);
        OwnedBlock foreign(BlockOfSize(1, 0));
        EXPECT_EQ(file.RemoveResource(foreign.get()), kResNotHeld);
        EXPECT_EQ(file.WriteResource(foreign.get()), kResNotHeld);
        ASSERT_EQ(file.Close(), kResOk);
    }
    for (bool withMap : {true, false}) {
        if (!withMap) {
            auto bytes = ReadBytes(path);
            PutU32be(bytes, 60, 0);
            WriteBytes(path, bytes);
        }
        IFFResFile2 file;
        ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
        EXPECT_EQ(file.CountResources(kTypeStrings), 2);
        MemoryBlock* renamed = file.GetNamedResource(kTypeStrings, "RENAMED");
        ASSERT_NE(renamed, nullptr);
        int16_t id = 0;
        ASSERT_EQ(file.GetResourceId(renamed, id), kResOk);
        EXPECT_EQ(id, 250);
        EXPECT_EQ(Data(file.GetResource(kTypeStrings, 251)), std::vector<uint8_t>(20, 201));
        EXPECT_EQ(file.GetResource(kTypeStrings, 202), nullptr);
    }
}

TEST(IffFile, SuspendAndResumeReopenTheSamePath) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    MakeFile(path, {10});
    IFFResFile2 file;
    EXPECT_EQ(file.Resume(), kResCannotOpen);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    ASSERT_EQ(file.Suspend(), kResOk);
    EXPECT_FALSE(file.IsOpen());
    ASSERT_EQ(file.Resume(), kResOk);
    EXPECT_TRUE(file.IsWritable());
    EXPECT_EQ(file.CountResources(kTypeStrings), 1);
    std::string remembered;
    ASSERT_EQ(file.GetPath(remembered), kResOk);
    EXPECT_EQ(remembered, path);
    ASSERT_EQ(file.Close(), kResOk);
    EXPECT_EQ(file.Delete(path), kResOk);
    EXPECT_EQ(file.Delete(path), kResNoSuchFile);
}

}  // namespace
}  // namespace marquill::resfile
