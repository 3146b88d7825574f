#include "resfile/MemoryBlock.h"

#include <gtest/gtest.h>

namespace marquill::resfile {
namespace {

TEST(MemoryBlock, TheLiveListKnowsEveryBlockUntilItIsDisposedOf) {
    BlockManager& blocks = BlockManager::Instance();
    const size_t before = blocks.LiveCount();
    MemoryBlock* block = NewBlock(16);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(blocks.LiveCount(), before + 1);
    uint8_t* data = block->Lock();
    EXPECT_EQ(block->LockCount(), 1);
    data[15] = 1;
    block->Unlock();
    EXPECT_EQ(DisposeBlock(block), kResOk);
    EXPECT_EQ(blocks.LiveCount(), before);
    EXPECT_EQ(DisposeBlock(block), kResBlockError) << "a block not in the list";
    EXPECT_EQ(blocks.LastError(), kResBlockError);
}

TEST(MemoryBlock, GuardBytesCatchAnOverrun) {
    BlockManager& blocks = BlockManager::Instance();
    blocks.SetGuardWidth(4);
    MemoryBlock* intact = NewBlock(8);
    MemoryBlock* overrun = NewBlock(8);
    blocks.SetGuardWidth(0);
    ASSERT_NE(intact, nullptr);
    ASSERT_NE(overrun, nullptr);
    overrun->Bytes().data()[8] = 0;  // one past the end, inside the guard
    EXPECT_EQ(DisposeBlock(intact), kResOk);
    EXPECT_EQ(DisposeBlock(overrun), kResBlockError);
}

TEST(MemoryBlock, AnImpossibleSizeIsAMemoryErrorNotACrash) {
    EXPECT_EQ(NewBlock(SIZE_MAX), nullptr);
    EXPECT_EQ(BlockManager::Instance().LastError(), kResOutOfMemory);
}

}  // namespace
}  // namespace marquill::resfile
