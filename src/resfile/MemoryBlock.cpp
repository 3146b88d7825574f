#include "resfile/MemoryBlock.h"

#include <cstring>
#include <new>

namespace marquill::resfile {
namespace {

constexpr uint8_t kGuardByte = 5;

}  // namespace

BlockManager& BlockManager::Instance() {
    static BlockManager manager;
    return manager;
}

MemoryBlock* BlockManager::NewBlock(size_t size) {
    const size_t guard = guardWidth_;
    if (size > kMaxBlockSize || guard > kMaxBlockSize) {
        lastError_ = kResOutOfMemory;
        return nullptr;
    }
    auto* storage = new (std::nothrow) uint8_t[size + 2 * guard];
    if (!storage) {
        lastError_ = kResOutOfMemory;
        return nullptr;
    }
    std::memset(storage, kGuardByte, guard);
    std::memset(storage + guard, 0, size);
    std::memset(storage + guard + size, kGuardByte, guard);
    auto* block = new (std::nothrow) MemoryBlock(storage, storage + guard, size);
    if (!block) {
        delete[] storage;
        lastError_ = kResOutOfMemory;
        return nullptr;
    }
    block->guard_ = guard;
    live_.insert(block);
    lastError_ = kResOk;
    return block;
}

ResCode BlockManager::Dispose(MemoryBlock* block) {
    if (!block || !live_.erase(block)) {
        lastError_ = kResBlockError;
        return lastError_;
    }
    bool guardsIntact = true;
    for (size_t i = 0; i < block->guard_; ++i) {
        if (block->storage_[i] != kGuardByte || block->data_[block->size_ + i] != kGuardByte)
            guardsIntact = false;
    }
    delete[] block->storage_;
    delete block;
    lastError_ = guardsIntact ? kResOk : kResBlockError;
    return lastError_;
}

bool BlockManager::IsLive(const MemoryBlock* block) const {
    return live_.count(block) > 0;
}

}  // namespace marquill::resfile
