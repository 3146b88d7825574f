#pragma once
// The chain of chunks after an IFF file's 64-byte header, and the management of its free
// space. Version 2 chunk header (76 bytes, big-endian):
//   type(4) size(4, header included) id(2) flags(2) name(64, 0-terminated)
// Version 1 chunk header (16 bytes, big-endian):
//   type(4) size(4) id(2) flags(2) nameKey(4, -1 = no name)
// Free chunks carry flag 0x0004 and, when freed here, the type XXXX. Space is found next-fit
// from the rover, merging free neighbours as the search passes them and splitting a chunk
// when the rest can hold a header of its own.
//
// The chunk of data that is being replaced is freed "later": the chain reads it as free, so
// every search decides exactly as if it were, but its free header (and every merge that covers
// it) is held back until its owner's new chunk is written. Only when a search gives the new
// chunk the old one's own space does the held-back free go to the disk first. When it gives the
// new chunk free space in front of the old one, the disk gets headers of its own that keep the
// chain walking over the old chunk until it is released.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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
    // The same, but the chunk stays as it is on the disk until Release(offset).
    [[nodiscard]] ResCode FreeChunkLater(uint64_t offset);
    // The data of a chunk freed later is no longer needed: the writes held back for it go out.
    [[nodiscard]] ResCode Release(uint64_t offset);
    // Writes, in the order they were made, the held-back headers that no longer hide data.
    [[nodiscard]] ResCode WriteHeldBack();
    // Forgets what is held back; chunks freed later keep their data on the disk.
    void DropHeldBack();
    [[nodiscard]] bool HoldsBack() const { return !held_.empty(); }

    // Finds room for a chunk of dataLength bytes of data; the chunk at `position` is then
    // reserved (an exact fit or split-off part of a free chunk, or a placeholder at the end).
    [[nodiscard]] ResCode FindSpace(uint32_t dataLength, uint64_t& position);

    // Moves every live chunk down over the free chunks and the skipped type, telling `moved`
    // each (old, new) offset, then cuts the file. Nothing moves unless the chain reaches
    // exactly to the end of the file, or while writes are held back; -200 when the copy
    // buffer cannot be had. After every single write the chain still walks to its end and
    // holds every live chunk whole at least once (ChunkChainCompact.cpp).
    [[nodiscard]] ResCode Compact(std::optional<ResType> skipType,
                                  const std::function<void(uint64_t, uint64_t)>& moved);

    [[nodiscard]] uint64_t FreeBytes() const { return freeBytes_; }
    void AddFreeBytes(uint64_t bytes) { freeBytes_ += bytes; }
    void ResetFreeBytes() { freeBytes_ = 0; }
    [[nodiscard]] int64_t Rover() const { return rover_; }
    void ResetRover() { rover_ = 0; }

  private:
    struct HeldHeader {
        uint64_t offset;
        ChunkHeader header;
    };

    // The header to write at `offset` goes out now, or is held back while it would hide a
    // chunk whose data is still needed.
    [[nodiscard]] ResCode WriteOrHold(uint64_t offset, const ChunkHeader& header);
    [[nodiscard]] bool CoversKept(uint64_t offset, uint64_t size) const;
    [[nodiscard]] ResCode ReadDiskHeader(uint64_t offset, ChunkHeader& header);
    // A new chunk of `needed` bytes goes at `position`, into free space of `space` bytes that
    // holds a chunk freed later further on: the disk gets the headers that keep the chain
    // walking from the new chunk to the kept one; `done` is false when that cannot be done.
    [[nodiscard]] ResCode KeepChainBeforeKept(uint64_t position, uint32_t needed, uint32_t space,
                                              bool& done);
    // Releases the chunks freed later that lie in [offset, offset + size).
    [[nodiscard]] ResCode ReleaseWithin(uint64_t offset, uint64_t size);
    // HeaderSize() bytes.
    void EncodeHeader(const ChunkHeader& header, uint8_t* bytes) const;
    void EncodeFreeHeader(uint64_t size, uint8_t* bytes) const;
    // The chunk's header as freeing it makes it.
    [[nodiscard]] ResCode FreedHeader(uint64_t offset, ChunkHeader& header);
    // Compaction steps; `gap` is the distance the chunks move down.
    [[nodiscard]] ResCode CopyBytes(uint64_t from, uint64_t to, uint64_t size, uint8_t* buffer,
                                    const uint8_t* trailer, size_t trailerSize);
    [[nodiscard]] ResCode MoveRun(uint64_t from, uint64_t size, uint64_t gap, bool gapIsOneChunk,
                                  uint8_t* buffer);
    [[nodiscard]] ResCode MoveThroughEnd(uint64_t from, uint32_t size, uint64_t gap, uint64_t end,
                                         uint8_t* buffer);

    FlatFile& file_;
    ChunkLayout layout_;
    uint64_t freeBytes_ = 0;
    int64_t rover_ = 0;
    std::vector<HeldHeader> held_;
    std::vector<uint64_t> kept_;  // chunks freed later whose data is still on the disk
};

}  // namespace marquill::resfile
