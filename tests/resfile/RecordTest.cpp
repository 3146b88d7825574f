#include <gtest/gtest.h>

#include "IffTestFiles.h"
#include "TempDir.h"
#include "platform/ByteSink.h"
#include "resfile/IFFResFile2.h"
#include "resfile/RecordIO.h"
#include "resfile/StringSetMulti.h"
#include "resfile/cFamily.h"
#include "resfile/cTreeConstants.h"

namespace marquill::resfile {
namespace {

using testing::BlockOf;
using testing::Data;
using testing::TempDir;

std::vector<uint8_t> Serialise(ReconObject& record, int32_t version) {
    OwnedBlock block(WriteRecord(record, version));
    EXPECT_NE(block, nullptr);
    return block ? Data(block.get()) : std::vector<uint8_t>{};
}

cTreeConstants SampleConstants() {
    cTreeConstants constants;
    constants.entries = {{1, 2, "Neat", "odd", true, -5, 50}, {3, 4, "ab", "", false, 0, 100}};
    return constants;
}

TEST(Record, StringsArePaddedToEvenPositions) {
    cTreeConstants constants;
    constants.entries = {{1, 2, "ab", "c", true, 7, 8}};
    SimpleReconObject<cTreeConstants> record(constants, kTypeTreeConstants);
    const auto bytes = Serialise(record, 1);
    const std::vector<uint8_t> expected = {0,   0,   0,   0,   1, 0, 0, 0,
                                           'N', 'C', 'R', 'T',              // prefix
                                           1,   0,   0,   0,                // count
                                           1,   0,   0,   0,   2, 0, 0, 0,  // values
                                           'a', 'b', 0,   0,  // even length: terminator and pad
                                           'c', 0,            // odd length: terminator only
                                           1,   7,   0,   8,   0};
    EXPECT_EQ(bytes, expected);
}

TEST(Record, TreeConstantsRoundTripInBothVersions) {
    cTreeConstants written = SampleConstants();
    SimpleReconObject<cTreeConstants> record(written, kTypeTreeConstants);
    const auto v1 = Serialise(record, 1);
    EXPECT_EQ(v1[0], 0);
    cTreeConstants read;
    SimpleReconObject<cTreeConstants> target(read, kTypeTreeConstants);
    int32_t version = -1;
    ASSERT_EQ(ReadRecord(v1, target, &version), kResOk);
    EXPECT_EQ(version, 1);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[0].label, "Neat");
    EXPECT_EQ(read.entries[0].rangeMin, -5);
    EXPECT_TRUE(read.entries[0].hasRange);

    const auto v0 = Serialise(record, 0);
    ASSERT_EQ(ReadRecord(v0, target, &version), kResOk);
    EXPECT_EQ(version, 0);
    EXPECT_FALSE(read.entries[0].hasRange);
    EXPECT_EQ(read.entries[0].rangeMin, 0);
    EXPECT_EQ(read.entries[0].rangeMax, 100);
    EXPECT_EQ(read.entries[1].label, "ab");
}

TEST(Record, TruncatedOrOversizedCountsFail) {
    cTreeConstants written = SampleConstants();
    SimpleReconObject<cTreeConstants> record(written, kTypeTreeConstants);
    const auto bytes = Serialise(record, 1);
    cTreeConstants read;
    SimpleReconObject<cTreeConstants> target(read, kTypeTreeConstants);
    for (size_t length = 0; length < bytes.size() - 1; ++length) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(length));
        EXPECT_EQ(ReadRecord(cut, target), kResBadChunk) << length;
    }
    auto huge = bytes;
    huge[12] = 0xFF;
    huge[13] = 0xFF;
    huge[14] = 0xFF;
    huge[15] = 0x7F;
    EXPECT_EQ(ReadRecord(huge, target), kResBadChunk);
}

TEST(Record, BigEndianRecordsAreReadAfterConversion) {
    TempDir dir;
    const auto path = dir.File("a.iff");
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    // A big-endian TRCN as another writer stores it: prefix flag 0, every word big-endian.
    platform::VectorSink sink;
    sink.u8(0);
    sink.zeros(3);
    sink.u32be(1);
    sink.u32be(kTypeTreeConstants);
    sink.u32be(1);
    sink.u32be(0x01020304);
    sink.u32be(9);
    sink.text("abc");
    sink.u8(0);
    sink.text("d");
    sink.u8(0);
    sink.u8(1);
    sink.u16be(300);
    sink.u16be(400);
    MemoryBlock* block = BlockOf(sink.data());
    ASSERT_EQ(file.AddResource(block, kTypeTreeConstants, 4096, "", DataOrder::BigEndian), kResOk);
    ASSERT_EQ(file.Close(), kResOk);

    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    cTreeConstants constants;
    ASSERT_EQ(constants.Load(file, 4096), kResOk);
    ASSERT_EQ(constants.entries.size(), 1u);
    EXPECT_EQ(constants.entries[0].value, 0x01020304);
    EXPECT_EQ(constants.entries[0].description, "d");
    EXPECT_EQ(constants.entries[0].rangeMax, 400);

    // Stored back, it is little-endian, version 1, flagged native.
    ASSERT_EQ(constants.Store(file, 4096), kResOk);
    MemoryBlock* stored = file.GetResource(kTypeTreeConstants, 4096);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(file.IsNativeOrder(stored));
    EXPECT_EQ(stored->Bytes()[0], 0);
    EXPECT_EQ(stored->Bytes()[4], 1);
    cTreeConstants again;
    ASSERT_EQ(again.Load(file, 4096), kResOk);
    EXPECT_EQ(again.entries[0].value, 0x01020304);
}

TEST(Record, FamilyVersionsReadTheirOwnFields) {
    for (int32_t version : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        cFamily family;
        family.familyId = 5000;
        family.leadValue = 11;
        family.legacyName = "Old";
        family.secondValue = 12;
        family.values = {1, 2, 3};
        family.flag1 = family.flag2 = family.flag3 = true;
        family.flagWord = 0x55;
        family.memberGuids = {0xAABBCCDD, 7};
        family.trailingValue = 99;
        SimpleReconObject<cFamily> record(family, kTypeFamily);
        const auto bytes = Serialise(record, version);

        size_t expected = 12 + 4 + 8 + 4;  // lead value, member count and GUIDs
        if (version < 5) expected += 4;    // "Old" and its terminator
        if (version > 0) expected += 4;
        if (version > 1) expected += 12;
        if (version < 7) expected += (version > 2) + (version > 3) + (version > 5);
        if (version >= 7) expected += 4;
        if (version > 7) expected += 4;
        EXPECT_EQ(bytes.size(), expected) << version;

        cFamily read;
        read.familyId = 5000;
        SimpleReconObject<cFamily> target(read, kTypeFamily);
        ASSERT_EQ(ReadRecord(bytes, target), kResOk) << version;
        EXPECT_EQ(read.memberGuids, family.memberGuids) << version;
        EXPECT_EQ(read.trailingValue, version > 7 ? 99 : 0) << version;
        EXPECT_EQ(read.legacyName, version < 5 ? "Old" : "") << version;
    }
}

TEST(Record, FamilyLoadReadsMembersAndTheNameStrings) {
    TempDir dir;
    const auto path = dir.File("n.iff");
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    cFamily family;
    family.memberGuids = {1, 2, 3};
    ASSERT_EQ(family.Store(file, cFamily::kCelebrityFamilyId), kResOk);
    StringSetMulti names;
    names.Select(file, cFamily::kCelebrityFamilyId, kTypeFamilyNames, StringForm::Binary, 0);
    names.Set(1, "Stars", 0);
    ASSERT_EQ(names.Save(), kResOk);
    ASSERT_EQ(file.Close(), kResOk);

    ASSERT_EQ(file.Open(path, Access::ReadOnly), kResOk);
    cFamily read;
    ASSERT_EQ(read.Load(file, cFamily::kCelebrityFamilyId), kResOk);
    EXPECT_EQ(read.memberGuids, (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(read.version, cFamily::kLatestVersion);
    EXPECT_EQ(read.name, "Stars");
    EXPECT_NE(read.Load(file, 1), kResOk);
    EXPECT_EQ(read.memberGuids.size(), 3u) << "unchanged after a failed load";

    // A member count beyond the data is refused, whatever the version.
    MemoryBlock* stored = file.GetResource(kTypeFamily, cFamily::kCelebrityFamilyId);
    ASSERT_NE(stored, nullptr);
    std::vector<uint8_t> bytes = Data(stored);
    const size_t countAt = bytes.size() - 4 * 3 - 4 - 4;
    bytes[countAt + 3] = 0x10;
    cFamily broken;
    broken.familyId = 5000;
    SimpleReconObject<cFamily> target(broken, kTypeFamily);
    EXPECT_EQ(ReadRecord(bytes, target), kResBadChunk);
}

}  // namespace
}  // namespace marquill::resfile
