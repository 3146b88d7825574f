#pragma once
// The chain of chunks after an IFF file's 64-byte header, and the management of its free
// space. Version 2 chunk header (76 bytes, big-endian):
//   type(4) size(4, header included) id(2) flags(2) name(64, 0-terminated)
// Version 1 chunk header (16 bytes, big-endian):
//   type(4) size(4) id(2) flags(2) nameKey(4, -1 = no name)
// Free chunks carry flag 0x0004 and, when freed here, the type XXXX. Space is found next-fit
// from the rover, merging free neighbours as the search passes them and splitting a chunk
// when the rest can hold a header of its own.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "resfile/FlatFile.h"
#include "resfile/ResCode.h"
#include "resfile/ResType.h"

namespace marquill::resfile {

inline constexpr uint64_t kFirstChunkOffset = 64;
inline constexpr uint32_t kMaxChunkSize = 0x40000000;
inline constexpr size_t kCompactionThreshold = 10239;
inline constexpr size_t kCompactionBufferSize = 51200;

enum class ChunkLayout { Version1, Version2 };

struct ChunkHeader {
    ResType type = 0;
    uint32_t size = 0;  // header included
    int16_t id = 0;
    uint16_t flags = 0;
    std::string name;      // version 2
    int32_t nameKey = -1;  // version 1
};

class ChunkChain {
  public:
    ChunkChain(FlatFile& file, ChunkLayout layout) : file_(file), layout_(layout) {}

    [[nodiscard]] uint32_t HeaderSize() const { return layout_ == ChunkLayout::Version2 ? 76 : 16; }
    // A header whose size cannot belong to a chunk ends the chain.
    [[nodiscard]] bool SizeIsPlausible(uint32_t size) const {
        return size >= HeaderSize() && size <= kMaxChunkSize;
    }

    [[nodiscard]] ResCode ReadHeader(uint64_t offset, ChunkHeader& header);
    // The next link of the chain: a readable header whose chunk lies within the file. A chunk
    // running past the end would swallow whatever is appended after it, so it ends the chain.
    [[nodiscard]] bool ReadLink(uint64_t offset, uint64_t fileLength, ChunkHeader& header);
    [[nodiscard]] ResCode WriteHeader(uint64_t offset, const ChunkHeader& header);
    // Marks the chunk free (type XXXX) and counts its size as free.
    [[nodiscard]] ResCode FreeChunk(uint64_t offset);

    // Finds room for a chunk of dataLength bytes of data; the chunk at `position` is then
    // reserved (an exact fit or split-off part of a free chunk, or a placeholder at the end).
    [[nodiscard]] ResCode FindSpace(uint32_t dataLength, uint64_t& position);

    // Moves every live chunk down over the free chunks and the skipped type, telling `moved`
    // each (old, new) offset, then cuts the file. Nothing moves unless the chain reaches
    // exactly to the end of the file; -200 when the copy buffer cannot be had.
    [[nodiscard]] ResCode Compact(std::optional<ResType> skipType,
                                  const std::function<void(uint64_t, uint64_t)>& moved);

    [[nodiscard]] uint64_t FreeBytes() const { return freeBytes_; }
    void AddFreeBytes(uint64_t bytes) { freeBytes_ += bytes; }
    void ResetFreeBytes() { freeBytes_ = 0; }
    [[nodiscard]] int64_t Rover() const { return rover_; }
    void ResetRover() { rover_ = 0; }

  private:
    FlatFile& file_;
    ChunkLayout layout_;
    uint64_t freeBytes_ = 0;
    int64_t rover_ = 0;
};

}  // namespace marquill::resfile
