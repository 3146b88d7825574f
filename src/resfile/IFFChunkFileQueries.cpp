// The read-only questions of IFFChunkFile: state, positions, and what a block is.
#include <algorithm>

#include "resfile/IFFChunkFile.h"

namespace marquill::resfile {

bool IFFChunkFile::IsWritable() {
    return file_.IsOpen() && file_.IsWritable();
}

ResCode IFFChunkFile::GetPath(std::string& path) {
    path = path_;
    return SetResult(path_.empty() ? kResNotOpen : kResOk);
}

bool IFFChunkFile::IsOpen() {
    return file_.IsOpen();
}

int IFFChunkFile::CountTypes() {
    if (!file_.IsOpen()) {
        SetResult(kResNotOpen);
        return 0;
    }
    SetResult(kResOk);
    return table_.CountTypes();
}

ResType IFFChunkFile::GetIndType(int position) {
    if (!file_.IsOpen()) {
        SetResult(kResNotOpen);
        return 0;
    }
    if (position < 1 || position > table_.CountTypes()) {
        SetResult(kResTypeRange);
        return 0;
    }
    SetResult(kResOk);
    return table_.Types()[static_cast<size_t>(position) - 1]->type;
}

int IFFChunkFile::CountResources(ResType type) {
    if (!file_.IsOpen()) {
        SetResult(kResNotOpen);
        return 0;
    }
    SetResult(kResOk);
    const TypeEntry* t = table_.FindType(type);
    return t ? static_cast<int>(t->entries.size()) : 0;
}

ResCode IFFChunkFile::GetResourceName(MemoryBlock* block, std::string& name) {
    const ResEntry* entry = table_.EntryOf(block);
    if (!entry) {
        name.clear();
        return SetResult(kResNoSuchResource);
    }
    name = entry->name;
    return SetResult(kResOk);
}

ResType IFFChunkFile::GetResourceType(MemoryBlock* block) {
    const ResEntry* entry = table_.EntryOf(block);
    if (!entry) {
        SetResult(kResNoSuchResource);
        return 0;
    }
    SetResult(kResOk);
    return entry->type->type;
}

ResCode IFFChunkFile::GetResourceId(MemoryBlock* block, int16_t& id) {
    const ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNoSuchResource);
    id = entry->id;
    return SetResult(kResOk);
}

uint8_t IFFChunkFile::GetResourceAttributes(MemoryBlock* block) {
    const ResEntry* entry = table_.EntryOf(block);
    if (!entry) {
        SetResult(kResNoSuchResource);
        return 0;
    }
    SetResult(kResOk);
    return entry->Attribute();
}

bool IFFChunkFile::IsNativeOrder(MemoryBlock* block) {
    const ResEntry* entry = table_.EntryOf(block);
    if (!entry) {
        SetResult(kResNotHeld);
        return true;
    }
    SetResult(kResOk);
    return (entry->flags & kFlagNative) != 0;
}

ResCode IFFChunkFile::UniqueName(ResType type, std::string& name) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    const std::string base = name.substr(0, kMaxResNameLength);
    name = base;
    for (int counter = 0; table_.FindByName(type, name); ++counter) {
        const std::string suffix = std::to_string(counter);
        name =
            base.substr(0, kMaxResNameLength - std::min(kMaxResNameLength, suffix.size())) + suffix;
    }
    return SetResult(kResOk);
}

int32_t IFFChunkFile::UniqueId(ResType type) {
    SetResult(file_.IsOpen() ? kResOk : kResNotOpen);
    const TypeEntry* t = table_.FindType(type);
    if (!t || t->entries.empty()) return 129;
    int32_t highest = 128;
    for (const auto& e : t->entries)
        highest = std::max<int32_t>(highest, e->id);
    return highest + 1;
}

bool IFFChunkFile::SetBufferSizes(size_t readSize, size_t writeSize) {
    return file_.SetBufferSizes(readSize, writeSize);
}

std::vector<ResourceInfo> IFFChunkFile::DescribeResources() {
    std::vector<ResourceInfo> list;
    for (const auto& type : table_.Types()) {
        for (const auto& entry : type->entries) {
            ResourceInfo info;
            info.type = type->type;
            info.id = entry->id;
            info.name = entry->name;
            info.flags = entry->flags;
            info.attribute = entry->Attribute();
            info.offset = entry->offset;
            ChunkHeader header;
            if (entry->OnDisk() && chain_.ReadHeader(entry->offset, header) == kResOk &&
                chain_.SizeIsPlausible(header.size)) {
                info.size = header.size - chain_.HeaderSize();
            } else if (entry->block) {
                info.size = static_cast<int64_t>(entry->block->Size());
            }
            list.push_back(std::move(info));
        }
    }
    return list;
}

}  // namespace marquill::resfile
