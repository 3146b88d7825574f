#pragma once
// Resource data lives in blocks of the program's own block manager: a data area of a fixed
// size, a lock count, and an entry in the process-wide list of live blocks. A block belongs to
// the resource file that loaded or was given it until the file lets go of it (DetachResource);
// whoever holds it then disposes of it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_set>

#include "resfile/ResCode.h"

namespace marquill::resfile {

class MemoryBlock {
  public:
    MemoryBlock(const MemoryBlock&) = delete;
    MemoryBlock& operator=(const MemoryBlock&) = delete;

    [[nodiscard]] size_t Size() const { return size_; }
    // Raises the lock count and returns the data address.
    [[nodiscard]] uint8_t* Lock() {
        ++lockCount_;
        return data_;
    }
    void Unlock() {
        if (lockCount_ > 0) --lockCount_;
    }
    [[nodiscard]] int LockCount() const { return lockCount_; }

    // Direct views for code that does not need the lock count.
    [[nodiscard]] std::span<uint8_t> Bytes() { return {data_, size_}; }
    [[nodiscard]] std::span<const uint8_t> Bytes() const { return {data_, size_}; }

  private:
    friend class BlockManager;
    MemoryBlock(uint8_t* storage, uint8_t* data, size_t size)
        : storage_(storage), data_(data), size_(size) {}
    uint8_t* storage_;
    uint8_t* data_;
    size_t size_;
    size_t guard_ = 0;
    int lockCount_ = 0;
};

// No resource is larger than this; asking for more is a memory error.
inline constexpr size_t kMaxBlockSize = 0x40000000;

// The process-wide list of live blocks and the last memory error (0, -199 or -200).
class BlockManager {
  public:
    static BlockManager& Instance();

    // A new zero-filled block, or none with the memory error -200 (also beyond kMaxBlockSize).
    [[nodiscard]] MemoryBlock* NewBlock(size_t size);
    // -199 when the block is not in the list or its guard bytes were overwritten.
    ResCode Dispose(MemoryBlock* block);
    [[nodiscard]] bool IsLive(const MemoryBlock* block) const;
    [[nodiscard]] size_t LiveCount() const { return live_.size(); }
    [[nodiscard]] ResCode LastError() const { return lastError_; }

    // Bytes of value 5 placed before and after every new block's data and checked on dispose;
    // 0 in the program, raised by tests that look for overruns.
    void SetGuardWidth(size_t width) { guardWidth_ = width; }

  private:
    BlockManager() = default;
    std::unordered_set<const MemoryBlock*> live_;
    ResCode lastError_ = kResOk;
    size_t guardWidth_ = 0;
};

[[nodiscard]] inline MemoryBlock* NewBlock(size_t size) {
    return BlockManager::Instance().NewBlock(size);
}
inline ResCode DisposeBlock(MemoryBlock* block) {
    return BlockManager::Instance().Dispose(block);
}

// Owns a block the caller holds (after DetachResource, or before handing it to AddResource).
struct BlockDisposer {
    void operator()(MemoryBlock* block) const { DisposeBlock(block); }
};
using OwnedBlock = std::unique_ptr<MemoryBlock, BlockDisposer>;

}  // namespace marquill::resfile
