#include "platform/ByteReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/ByteSink.h"

namespace marquill::platform {
namespace {

TEST(ByteReader, ReadsBothByteOrdersAndStopsAtTheEnd) {
    const std::vector<uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A};
    ByteReader r(bytes);
    EXPECT_EQ(r.u16be(), 0x1234);
    EXPECT_EQ(r.u16le(), 0x7856);
    EXPECT_FALSE(r.u16le().has_value());
    EXPECT_EQ(r.position(), 4u) << "a failed read leaves the position where it was";
    EXPECT_EQ(r.u8(), 0x9A);
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteReader, RefusesLengthsBeyondWhatRemainsWithoutWrapping) {
    const std::vector<uint8_t> bytes(8, 0);
    ByteReader r(bytes);
    ASSERT_TRUE(r.skip(4));
    EXPECT_FALSE(r.bytes(SIZE_MAX).has_value());
    EXPECT_FALSE(r.skip(SIZE_MAX - 2));
    EXPECT_FALSE(r.sub(5).has_value());
    auto sub = r.sub(4);
    ASSERT_TRUE(sub.has_value());
    EXPECT_EQ(sub->size(), 4u);
    EXPECT_TRUE(r.atEnd());
}

TEST(ByteReader, CStringNeedsItsTerminatorWithinTheLimit) {
    const std::vector<uint8_t> bytes = {'a', 'b', 0, 'c', 'd'};
    ByteReader r(bytes);
    EXPECT_FALSE(r.cString(2).has_value());
    EXPECT_EQ(r.cString(), "ab");
    EXPECT_FALSE(r.cString().has_value()) << "no terminator before the end";
}

TEST(ByteSink, WritesBothByteOrdersAndReadsBack) {
    VectorSink sink;
    sink.u32be(0x464F524D);
    sink.u32le(0xDEADBEEF);
    sink.f32le(1.5f);
    sink.zeros(3);
    ByteReader r(sink.data());
    EXPECT_EQ(r.chars(4), "FORM");
    EXPECT_EQ(r.u32le(), 0xDEADBEEFu);
    EXPECT_EQ(r.f32le(), 1.5f);
    EXPECT_EQ(r.remaining(), 3u);
}

TEST(FileSink, ReportsAFileThatCannotBeWritten) {
    FileSink sink("/nonexistent-folder/x.bin");
    sink.u8(1);
    EXPECT_TRUE(sink.failed());
    EXPECT_FALSE(sink.close());
}

}  // namespace
}  // namespace marquill::platform
