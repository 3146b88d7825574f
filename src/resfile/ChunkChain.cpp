#include "resfile/ChunkChain.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteReader.h"

namespace marquill::resfile {
namespace {

void PutU32be(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v >> 24);
    p[1] = static_cast<uint8_t>(v >> 16);
    p[2] = static_cast<uint8_t>(v >> 8);
    p[3] = static_cast<uint8_t>(v);
}

void PutU16be(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v >> 8);
    p[1] = static_cast<uint8_t>(v);
}

}  // namespace

ResCode ChunkChain::ReadHeader(uint64_t offset, ChunkHeader& header) {
    for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
        if (it->offset == offset) {
            header = it->header;
            return kResOk;
        }
    }
    return ReadDiskHeader(offset, header);
}

ResCode ChunkChain::ReadDiskHeader(uint64_t offset, ChunkHeader& header) {
    uint8_t bytes[76];
    const uint32_t size = HeaderSize();
    if (ResCode code = file_.Read(offset, bytes, size); code != kResOk) return code;
    platform::ByteReader r(bytes, size);
    header.type = *r.u32be();
    header.size = *r.u32be();
    header.id = *r.i16be();
    header.flags = *r.u16be();
    if (layout_ == ChunkLayout::Version2) {
        const auto* name = reinterpret_cast<const char*>(bytes + 12);
        header.name.assign(name, strnlen(name, kMaxResNameLength));
        header.nameKey = -1;
    } else {
        header.nameKey = *r.i32be();
        header.name.clear();
    }
    return kResOk;
}

bool ChunkChain::ReadLink(uint64_t offset, uint64_t fileLength, ChunkHeader& header) {
    return offset < fileLength && ReadHeader(offset, header) == kResOk &&
           SizeIsPlausible(header.size) && header.size <= fileLength - offset;
}

void ChunkChain::EncodeHeader(const ChunkHeader& header, uint8_t* bytes) const {
    std::memset(bytes, 0, HeaderSize());
    PutU32be(bytes, header.type);
    PutU32be(bytes + 4, header.size);
    PutU16be(bytes + 8, static_cast<uint16_t>(header.id));
    PutU16be(bytes + 10, header.flags);
    if (layout_ == ChunkLayout::Version2) {
        std::memcpy(bytes + 12, header.name.data(),
                    std::min(header.name.size(), kMaxResNameLength));
    } else {
        PutU32be(bytes + 12, static_cast<uint32_t>(header.nameKey));
    }
}

ResCode ChunkChain::WriteHeader(uint64_t offset, const ChunkHeader& header) {
    uint8_t bytes[76];
    EncodeHeader(header, bytes);
    if (ResCode code = file_.Write(offset, bytes, HeaderSize()); code != kResOk) return code;
    // What is held back for this offset is older than what the disk now holds.
    held_.erase(std::remove_if(held_.begin(), held_.end(),
                               [&](const HeldHeader& h) { return h.offset == offset; }),
                held_.end());
    return kResOk;
}

ResCode ChunkChain::FreedHeader(uint64_t offset, ChunkHeader& header) {
    if (ResCode code = ReadHeader(offset, header); code != kResOk) return code;
    if (!SizeIsPlausible(header.size)) return kResBadChunk;
    header.flags |= kFlagFree;
    header.type = kTypeFree;
    return kResOk;
}

void ChunkChain::EncodeFreeHeader(uint64_t size, uint8_t* bytes) const {
    ChunkHeader free;
    free.type = kTypeFree;
    free.size = static_cast<uint32_t>(size);
    free.flags = kFlagFree;
    EncodeHeader(free, bytes);
}

ResCode ChunkChain::FreeChunk(uint64_t offset) {
    ChunkHeader header;
    if (ResCode code = FreedHeader(offset, header); code != kResOk) return code;
    if (ResCode code = WriteHeader(offset, header); code != kResOk) return code;
    freeBytes_ += header.size;
    return kResOk;
}

ResCode ChunkChain::FreeChunkLater(uint64_t offset) {
    ChunkHeader header;
    if (ResCode code = FreedHeader(offset, header); code != kResOk) return code;
    kept_.push_back(offset);
    held_.push_back({offset, header});
    freeBytes_ += header.size;
    return kResOk;
}

ResCode ChunkChain::Release(uint64_t offset) {
    kept_.erase(std::remove(kept_.begin(), kept_.end(), offset), kept_.end());
    return WriteHeldBack();
}

void ChunkChain::DropHeldBack() {
    held_.clear();
    kept_.clear();
}

bool ChunkChain::CoversKept(uint64_t offset, uint64_t size) const {
    return std::any_of(kept_.begin(), kept_.end(),
                       [&](uint64_t kept) { return kept >= offset && kept - offset < size; });
}

ResCode ChunkChain::WriteOrHold(uint64_t offset, const ChunkHeader& header) {
    const bool heldAtOffset = std::any_of(held_.begin(), held_.end(),
                                          [&](const HeldHeader& h) { return h.offset == offset; });
    if (heldAtOffset || CoversKept(offset, header.size)) {
        held_.push_back({offset, header});
        return kResOk;
    }
    return WriteHeader(offset, header);
}

ResCode ChunkChain::KeepChainBeforeKept(uint64_t position, uint32_t needed, uint32_t space,
                                        bool& done) {
    const uint32_t headerSize = HeaderSize();
    uint64_t kept = UINT64_MAX;
    for (uint64_t k : kept_)
        if (k >= position && k - position < space) kept = std::min(kept, k);
    done = kept == UINT64_MAX || kept == position + needed;
    if (done || kept - position - needed < headerSize) return kResOk;
    // On the disk the space before the kept chunk is still the free chunks it was merged from.
    uint64_t at = position;
    int members = 0;
    ChunkHeader member;
    while (at < kept) {
        if (ReadDiskHeader(at, member) != kResOk || !SizeIsPlausible(member.size) ||
            !(member.flags & kFlagFree))
            return kResOk;
        at += member.size;
        ++members;
    }
    if (at != kept) return kResOk;
    uint8_t bytes[76];
    if (members > 1) {
        EncodeFreeHeader(kept - position, bytes);
        if (ResCode code = file_.Write(position, bytes, headerSize); code != kResOk) return code;
    }
    // Where the rest of the split begins, a free chunk up to the kept one.
    EncodeFreeHeader(kept - position - needed, bytes);
    if (ResCode code = file_.Write(position + needed, bytes, headerSize); code != kResOk)
        return code;
    done = true;
    return kResOk;
}

ResCode ChunkChain::ReleaseWithin(uint64_t offset, uint64_t size) {
    if (held_.empty()) return kResOk;
    kept_.erase(
        std::remove_if(kept_.begin(), kept_.end(),
                       [&](uint64_t kept) { return kept >= offset && kept - offset < size; }),
        kept_.end());
    return WriteHeldBack();
}

ResCode ChunkChain::WriteHeldBack() {
    std::vector<uint64_t> stillHeld;
    for (auto it = held_.begin(); it != held_.end();) {
        // A later header at the same offset must not reach the disk before an earlier one.
        if (std::find(stillHeld.begin(), stillHeld.end(), it->offset) != stillHeld.end() ||
            CoversKept(it->offset, it->header.size)) {
            stillHeld.push_back(it->offset);
            ++it;
            continue;
        }
        uint8_t bytes[76];
        EncodeHeader(it->header, bytes);
        if (ResCode code = file_.Write(it->offset, bytes, HeaderSize()); code != kResOk)
            return code;
        it = held_.erase(it);
    }
    return kResOk;
}

ResCode ChunkChain::FindSpace(uint32_t dataLength, uint64_t& position) {
    const uint32_t headerSize = HeaderSize();
    if (dataLength > kMaxChunkSize - headerSize) return kResOutOfMemory;
    const uint32_t needed = dataLength + headerSize;
    auto takeFree = [&](uint64_t bytes) { freeBytes_ -= std::min(freeBytes_, bytes); };

    uint64_t fileLength = 0;
    if (ResCode code = file_.Length(fileLength); code != kResOk) return code;
    uint64_t pos = rover_ > 0 ? static_cast<uint64_t>(rover_) : kFirstChunkOffset;
    for (;;) {
        ChunkHeader header;
        if (!ReadLink(pos, fileLength, header)) break;
        rover_ = static_cast<int64_t>(pos);
        if (header.flags & kFlagFree) {
            bool merged = false;
            for (;;) {
                ChunkHeader next;
                const uint64_t nextPos = pos + header.size;
                if (!ReadLink(nextPos, fileLength, next) || !(next.flags & kFlagFree) ||
                    next.size > kMaxChunkSize - header.size)
                    break;
                header.size += next.size;
                merged = true;
            }
            if (merged) {
                if (ResCode code = WriteOrHold(pos, header); code != kResOk) return code;
            }
            const bool fits = header.size == needed || header.size >= needed + headerSize;
            // Held-back headers that no longer wait for anything belong before the new chunk.
            if (fits) {
                if (ResCode code = WriteHeldBack(); code != kResOk) return code;
            }
            bool chainKept = false;
            if (fits && !CoversKept(pos, needed)) {
                if (ResCode code = KeepChainBeforeKept(pos, needed, header.size, chainKept);
                    code != kResOk)
                    return code;
            }
            if (fits && !chainKept) {
                // The new chunk takes space whose old data was waiting for its own new chunk:
                // that data is given up here, as it would have been when it was freed.
                if (ResCode code = ReleaseWithin(pos, header.size); code != kResOk) return code;
            }
            if (fits) {
                // The new chunk's bytes replace whatever header was still to be written there.
                held_.erase(std::remove_if(held_.begin(), held_.end(),
                                           [&](const HeldHeader& h) {
                                               return h.offset >= pos && h.offset - pos < needed;
                                           }),
                            held_.end());
            }
            if (header.size == needed) {
                takeFree(needed);
                position = pos;
                return kResOk;
            }
            if (header.size >= needed + headerSize) {
                ChunkHeader rest;
                rest.type = kTypeFree;
                rest.size = header.size - needed;
                rest.flags = kFlagFree;
                if (ResCode code = WriteOrHold(pos + needed, rest); code != kResOk) return code;
                header.size = needed;
                if (ResCode code = WriteHeader(pos, header); code != kResOk) return code;
                takeFree(needed);
                position = pos;
                return kResOk;
            }
        }
        pos += header.size;
    }
    // Chunk offsets are 32-bit on disk.
    if (pos + needed > UINT32_MAX) return kResShortWrite;
    ChunkHeader placeholder;
    placeholder.type = kTypeFree;
    placeholder.size = needed;
    placeholder.flags = kFlagFree;
    if (ResCode code = WriteHeader(pos, placeholder); code != kResOk) return code;
    position = pos;
    return kResOk;
}

}  // namespace marquill::resfile
