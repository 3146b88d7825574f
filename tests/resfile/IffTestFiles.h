#pragma once
// Small helpers for building resource files in tests through the library's own writer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resfile/IFFResFile2.h"

namespace marquill::resfile::testing {

inline MemoryBlock* BlockOf(const std::vector<uint8_t>& bytes) {
    MemoryBlock* block = NewBlock(bytes.size());
    if (!bytes.empty()) std::memcpy(block->Bytes().data(), bytes.data(), bytes.size());
    return block;
}

inline MemoryBlock* BlockOfSize(size_t size, uint8_t fill) {
    return BlockOf(std::vector<uint8_t>(size, fill));
}

inline std::vector<uint8_t> Data(const MemoryBlock* block) {
    return {block->Bytes().begin(), block->Bytes().end()};
}

// Adds and writes one resource; the file keeps the block.
inline MemoryBlock* Put(IFFResFile2& file, ResType type, int16_t id, size_t size, uint8_t fill,
                        const std::string& name = "") {
    MemoryBlock* block = BlockOfSize(size, fill);
    EXPECT_EQ(file.AddResource(block, type, id, name, DataOrder::Native), kResOk);
    EXPECT_EQ(file.WriteResource(block), kResOk);
    return block;
}

// A new file holding STR# resources of the given sizes, ids 200, 201, ... filled with the id's
// low byte, closed (so it has a map).
inline void MakeFile(const std::string& path, const std::vector<size_t>& sizes) {
    IFFResFile2 file;
    ASSERT_EQ(file.Create(path), kResOk);
    ASSERT_EQ(file.Open(path, Access::ReadWrite), kResOk);
    int16_t id = 200;
    for (size_t size : sizes) {
        Put(file, kTypeStrings, id, size, static_cast<uint8_t>(id));
        ++id;
    }
    ASSERT_EQ(file.Close(), kResOk);
}

inline int64_t OffsetOf(IFFResFile2& file, ResType type, int16_t id) {
    for (const auto& info : file.DescribeResources())
        if (info.type == type && info.id == id) return info.offset;
    return -2;
}

inline void PutU32be(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

}  // namespace marquill::resfile::testing
