// Compaction moves every live chunk down over the free space before it, in an order that leaves
// a usable file after any single write: the chain still walks to the end of the file and holds
// every live chunk whole at least once (for a moment a chunk may be there twice, byte for byte
// the same). With the gap G being the space the chunks move down by:
// - Before anything is copied into G, G is one free chunk on the disk.
// - A run of chunks that fits into G with room for a header behind it is copied in below its
//   first header, with a free header of G's size behind the copy (both still inside the free
//   chunk G); writing the run's first header at G's start then makes the copy live and hides the
//   old run in the gap, which has moved up behind it.
// - A chunk too large for that is copied to the end of the file first; then G grows over the old
//   chunk, the chunk is copied from the end into place, and the copy at the end is cut off.
// The finished file is the same as a plain copy down would give.
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "resfile/ChunkChain.h"

namespace marquill::resfile {

ResCode ChunkChain::CopyBytes(uint64_t from, uint64_t to, uint64_t size, uint8_t* buffer,
                              const uint8_t* trailer, size_t trailerSize) {
    for (uint64_t done = 0; done < size;) {
        const size_t piece =
            static_cast<size_t>(std::min<uint64_t>(kCompactionBufferSize, size - done));
        if (ResCode code = file_.Read(from + done, buffer, piece); code != kResOk) return code;
        size_t length = piece;
        // The trailer rides along with the last piece when there is room for it.
        if (done + piece == size && trailerSize > 0 &&
            piece + trailerSize <= kCompactionBufferSize) {
            std::memcpy(buffer + piece, trailer, trailerSize);
            length += trailerSize;
            trailerSize = 0;
        }
        if (ResCode code = file_.Write(to + done, buffer, length); code != kResOk) return code;
        done += piece;
    }
    if (trailerSize > 0) return file_.Write(to + size, trailer, trailerSize);
    return kResOk;
}

ResCode ChunkChain::MoveRun(uint64_t from, uint64_t size, uint64_t gap, bool gapIsOneChunk,
                            uint8_t* buffer) {
    const uint32_t headerSize = HeaderSize();
    const uint64_t to = from - gap;
    uint8_t first[76];
    if (ResCode code = file_.Read(from, first, headerSize); code != kResOk) return code;
    uint8_t free[76];
    EncodeFreeHeader(gap, free);
    if (!gapIsOneChunk) {
        if (ResCode code = file_.Write(to, free, headerSize); code != kResOk) return code;
    }
    // A run exactly as large as the gap leaves no room behind the copy: the old run's first
    // header becomes the gap's once the copy is live.
    const bool exact = size == gap;
    if (ResCode code = CopyBytes(from + headerSize, to + headerSize, size - headerSize, buffer,
                                 exact ? nullptr : free, exact ? 0 : headerSize);
        code != kResOk)
        return code;
    if (ResCode code = file_.Write(to, first, headerSize); code != kResOk) return code;
    if (exact) return file_.Write(from, free, headerSize);
    return kResOk;
}

ResCode ChunkChain::MoveThroughEnd(uint64_t from, uint32_t size, uint64_t gap, uint64_t end,
                                   uint8_t* buffer) {
    const uint32_t headerSize = HeaderSize();
    const uint64_t to = from - gap;
    uint8_t first[76];
    if (ResCode code = file_.Read(from, first, headerSize); code != kResOk) return code;
    auto cutEnd = [&](ResCode code) {
        (void)file_.SetLength(end);
        return code;
    };
    if (ResCode code =
            CopyBytes(from + headerSize, end + headerSize, size - headerSize, buffer, nullptr, 0);
        code != kResOk)
        return cutEnd(code);
    if (ResCode code = file_.Write(end, first, headerSize); code != kResOk) return cutEnd(code);

    uint8_t free[76];
    EncodeFreeHeader(gap + size, free);
    if (ResCode code = file_.Write(to, free, headerSize); code != kResOk) return code;
    EncodeFreeHeader(gap, free);
    if (ResCode code = CopyBytes(end + headerSize, to + headerSize, size - headerSize, buffer, free,
                                 headerSize);
        code != kResOk)
        return code;
    if (ResCode code = file_.Write(to, first, headerSize); code != kResOk) return code;
    return file_.SetLength(end);
}

ResCode ChunkChain::Compact(std::optional<ResType> skipType,
                            const std::function<void(uint64_t, uint64_t)>& moved) {
    // Held-back writes mean data still waiting for its new chunk; never the case after a clean
    // Update.
    if (HoldsBack()) return kResOk;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCompactionBufferSize]);
    if (!buffer) return kResOutOfMemory;

    // A chain that ends in a damaged header before the end of the file may hide chunks that
    // the map still knows; cutting the file there would lose them.
    uint64_t length = 0;
    if (ResCode code = file_.Length(length); code != kResOk) return code;
    uint64_t pos = kFirstChunkOffset;
    ChunkHeader header;
    auto dropped = [&](const ChunkHeader& h) {
        return (h.flags & kFlagFree) || (skipType && h.type == *skipType);
    };
    uint64_t droppedBytes = 0;
    uint64_t largestKept = 0;
    while (ReadLink(pos, length, header)) {
        if (dropped(header)) {
            droppedBytes += header.size;
        } else {
            largestKept = std::max<uint64_t>(largestKept, header.size);
        }
        pos += header.size;
    }
    if (pos != length) return kResOk;
    // The gap, with a chunk it grows over, is written as one free chunk, which a reader accepts
    // only up to the largest chunk size; a file with more free space than that is copied down
    // plainly.
    const bool stepwise = droppedBytes + largestKept <= kMaxChunkSize;

    const uint32_t headerSize = HeaderSize();
    uint64_t shift = 0;
    bool gapIsOneChunk = false;
    std::vector<uint64_t> run;
    pos = kFirstChunkOffset;
    while (ReadLink(pos, length, header)) {
        if (dropped(header)) {
            gapIsOneChunk = shift == 0 && (header.flags & kFlagFree);
            shift += header.size;
            pos += header.size;
            continue;
        }
        if (shift == 0) {
            pos += header.size;
            continue;
        }
        run.assign(1, pos);
        uint64_t runSize = header.size;
        ResCode code = kResOk;
        if (!stepwise) {
            code = CopyBytes(pos, pos - shift, header.size, buffer.get(), nullptr, 0);
        } else if (header.size == shift || header.size + headerSize <= shift) {
            const uint64_t limit = std::min<uint64_t>(shift - headerSize, kCompactionBufferSize);
            ChunkHeader next;
            while (header.size != shift && ReadLink(pos + runSize, length, next) &&
                   !dropped(next) && runSize + next.size <= limit) {
                run.push_back(pos + runSize);
                runSize += next.size;
            }
            code = MoveRun(pos, runSize, shift, gapIsOneChunk, buffer.get());
        } else {
            code = MoveThroughEnd(pos, header.size, shift, length, buffer.get());
        }
        if (code != kResOk) return code;
        for (uint64_t at : run)
            moved(at, at - shift);
        gapIsOneChunk = true;
        pos += runSize;
    }
    if (ResCode code = file_.SetLength(pos - shift); code != kResOk) return code;
    rover_ = 0;
    freeBytes_ = 0;
    return kResOk;
}

}  // namespace marquill::resfile
