#include "resfile/IFFResFile.h"

#include <algorithm>

#include "resfile/IFFHeader.h"

namespace marquill::resfile {

ResCode IFFResFile::ParseHeader(std::span<const uint8_t> header, uint16_t& version,
                                uint32_t& mapOffset) {
    if (!IsIFFHeader1(header)) return kResBadHeader;
    version = 0x0100;
    mapOffset = 0;
    return kResOk;
}

std::array<uint8_t, 64> IFFResFile::MakeHeader(uint32_t) {
    return MakeIFFHeader1();
}

void IFFResFile::TakeScannedChunk(const ChunkHeader& header, uint64_t offset) {
    const bool nameList = header.type == kTypeNameList && header.id == 0;
    ResTable& owner = (header.flags & kFlagInternal) || nameList ? internal_ : table_;
    ResEntry& entry = owner.Append(header.type, header.id, header.flags, "");
    entry.nameKey = header.nameKey;
    owner.SetOffset(entry, static_cast<int64_t>(offset));
    if (nameList && !nameEntry_) nameEntry_ = &entry;
}

void IFFResFile::AfterOpen() {
    if (nameEntry_) {
        ChunkHeader header;
        std::vector<uint8_t> data;
        if (chain_.ReadHeader(nameEntry_->offset, header) == kResOk &&
            chain_.SizeIsPlausible(header.size)) {
            uint64_t length = 0;
            const uint32_t dataLength = header.size - chain_.HeaderSize();
            if (file_.Length(length) == kResOk &&
                header.size <= length - std::min<uint64_t>(length, nameEntry_->offset)) {
                data.resize(dataLength);
                if (file_.Read(nameEntry_->offset + chain_.HeaderSize(), data.data(), dataLength) !=
                    kResOk)
                    data.clear();
            }
        }
        // Unreadable names leave the resources unnamed; they stay reachable by id.
        if (names_.Decode(data, (nameEntry_->diskFlags & kFlagNative) != 0) != kResOk)
            names_.Clear();
    }
    for (const auto& type : table_.Types())
        for (const auto& entry : type->entries)
            table_.SetIdentity(*entry, entry->id, names_.NameOf(entry->nameKey));
}

void IFFResFile::NameChunkHeader(ResEntry& entry, ChunkHeader& header) {
    header.name.clear();
    entry.nameKey = entry.name.empty() ? IFFNameList::kNoName : names_.KeyFor(entry.name);
    header.nameKey = entry.nameKey;
}

ResCode IFFResFile::UpdateExtras() {
    if (!names_.Changed()) return kResOk;
    const auto data = names_.EncodeDirect();
    MemoryBlock* block = NewBlock(data.size());
    if (!block) return kResOutOfMemory;
    std::copy(data.begin(), data.end(), block->Bytes().begin());
    if (!nameEntry_) {
        nameEntry_ = &internal_.Append(kTypeNameList, 0, kFlagInternal, "");
    } else if (nameEntry_->block) {
        MemoryBlock* old = nameEntry_->block;
        internal_.Detach(*nameEntry_);
        DisposeBlock(old);
    }
    // The list is written big-endian, as the rest of a version 1.0 file.
    nameEntry_->flags &= static_cast<uint16_t>(~kFlagNative);
    internal_.Attach(*nameEntry_, block);
    const ResCode code = WriteEntry(internal_, *nameEntry_);
    internal_.Detach(*nameEntry_);
    DisposeBlock(block);
    if (code == kResOk) names_.MarkWritten();
    return code;
}

void IFFResFile::ChunkMoved(uint64_t from, uint64_t to) {
    IFFChunkFile::ChunkMoved(from, to);
    if (ResEntry* entry = internal_.FindByOffset(static_cast<int64_t>(from)))
        internal_.SetOffset(*entry, static_cast<int64_t>(to));
}

void IFFResFile::ForgetExtras() {
    internal_.Clear();
    names_.Clear();
    nameEntry_ = nullptr;
}

int IFFResFile::CountInternal() const {
    int count = 0;
    for (const auto& type : internal_.Types())
        count += static_cast<int>(type->entries.size());
    return count;
}

}  // namespace marquill::resfile
