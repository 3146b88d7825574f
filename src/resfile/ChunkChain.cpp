#include "resfile/ChunkChain.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

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

ResCode ChunkChain::WriteHeader(uint64_t offset, const ChunkHeader& header) {
    uint8_t bytes[76] = {};
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
    return file_.Write(offset, bytes, HeaderSize());
}

ResCode ChunkChain::FreeChunk(uint64_t offset) {
    ChunkHeader header;
    if (ResCode code = ReadHeader(offset, header); code != kResOk) return code;
    if (!SizeIsPlausible(header.size)) return kResBadChunk;
    header.flags |= kFlagFree;
    header.type = kTypeFree;
    if (ResCode code = WriteHeader(offset, header); code != kResOk) return code;
    freeBytes_ += header.size;
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
                if (ResCode code = WriteHeader(pos, header); code != kResOk) return code;
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
                if (ResCode code = WriteHeader(pos + needed, rest); code != kResOk) return code;
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

ResCode ChunkChain::Compact(std::optional<ResType> skipType,
                            const std::function<void(uint64_t, uint64_t)>& moved) {
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[kCompactionBufferSize]);
    if (!buffer) return kResOutOfMemory;

    // A chain that ends in a damaged header before the end of the file may hide chunks that
    // the map still knows; cutting the file there would lose them.
    uint64_t length = 0;
    if (ResCode code = file_.Length(length); code != kResOk) return code;
    uint64_t pos = kFirstChunkOffset;
    ChunkHeader header;
    while (ReadLink(pos, length, header))
        pos += header.size;
    if (pos != length) return kResOk;

    uint64_t shift = 0;
    pos = kFirstChunkOffset;
    while (ReadLink(pos, length, header)) {
        if ((header.flags & kFlagFree) || (skipType && header.type == *skipType)) {
            shift += header.size;
        } else if (shift > 0) {
            for (uint64_t done = 0; done < header.size;) {
                const size_t piece = static_cast<size_t>(
                    std::min<uint64_t>(kCompactionBufferSize, header.size - done));
                if (ResCode code = file_.Read(pos + done, buffer.get(), piece); code != kResOk)
                    return code;
                if (ResCode code = file_.Write(pos - shift + done, buffer.get(), piece);
                    code != kResOk)
                    return code;
                done += piece;
            }
            moved(pos, pos - shift);
        }
        pos += header.size;
    }
    if (ResCode code = file_.SetLength(pos - shift); code != kResOk) return code;
    rover_ = 0;
    freeBytes_ = 0;
    return kResOk;
}

}  // namespace marquill::resfile
