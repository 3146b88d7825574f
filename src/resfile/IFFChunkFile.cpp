#include "resfile/IFFChunkFile.h"

#include <algorithm>

#include "resfile/IFFHeader.h"
#include "resfile/IFFResMap.h"
#include "resfile/RecordIO.h"

namespace marquill::resfile {
namespace {

bool IsTrustedMapMarker(const ResTable& table) {
    // A map that lists a map of its own cannot be the one the file's writer made.
    return table.FindExact(kTypeMap, 0, 0) == nullptr;
}

}  // namespace

IFFChunkFile::IFFChunkFile(ChunkLayout layout, platform::FileLayer& files)
    : file_(files), chain_(file_, layout) {}

IFFChunkFile::~IFFChunkFile() = default;

void IFFChunkFile::CloseOnDestruction() {
    if (file_.IsOpen()) Close();
}

void IFFChunkFile::TakeScannedChunk(const ChunkHeader& header, uint64_t offset) {
    ResEntry& entry = table_.Append(header.type, header.id, header.flags, header.name);
    table_.SetOffset(entry, static_cast<int64_t>(offset));
}

void IFFChunkFile::NameChunkHeader(ResEntry& entry, ChunkHeader& header) {
    header.name = entry.name;
}

void IFFChunkFile::ChunkMoved(uint64_t from, uint64_t to) {
    if (ResEntry* entry = table_.FindByOffset(static_cast<int64_t>(from)))
        table_.SetOffset(*entry, static_cast<int64_t>(to));
}

ResCode IFFChunkFile::Create(const std::string& path) {
    if (file_.IsOpen()) return SetResult(kResAlreadyOpen);
    if (ResCode code = file_.Create(path); code != kResOk) return SetResult(code);
    if (ResCode code = file_.Open(path, Access::ReadWrite); code != kResOk) return SetResult(code);
    const auto header = MakeHeader(0);
    ResCode code = file_.Write(0, header.data(), header.size());
    const ResCode closed = file_.Close();
    return SetResult(code != kResOk ? code : closed);
}

ResCode IFFChunkFile::Delete(const std::string& path) {
    if (file_.IsOpen()) return SetResult(kResAlreadyOpen);
    return SetResult(file_.Delete(path));
}

ResCode IFFChunkFile::Open(const std::string& path, Access access) {
    if (file_.IsOpen()) return SetResult(kResAlreadyOpen);
    if (ResCode code = file_.Open(path, access); code != kResOk) return SetResult(code);
    uint8_t header[kIFFHeaderSize];
    if (ResCode code = file_.Read(0, header, sizeof header); code != kResOk) {
        file_.Close();
        return SetResult(code);
    }
    uint16_t version = 0;
    uint32_t mapOffset = 0;
    if (ResCode code = ParseHeader(header, version, mapOffset); code != kResOk) {
        file_.Close();
        return SetResult(code);
    }
    path_ = path;
    version_ = version;
    mapOffset_ = mapOffset;
    table_.Clear();
    ForgetExtras();
    chain_.DropHeldBack();
    chain_.ResetFreeBytes();
    chain_.ResetRover();
    dirty_ = false;

    bool scan = true;
    if (mapOffset_ != 0) {
        ResCode code = ReadMap();
        if (code == kResBadMap) {
            table_.Clear();
            file_.Close();
            return SetResult(code);
        }
        scan = code != kResOk;
    }
    if (scan) {
        table_.Clear();
        ScanChain();
    }
    if (WritesMap()) table_.RemoveType(kTypeMap);
    AfterOpen();
    dirty_ = false;
    return SetResult(kResOk);
}

ResCode IFFChunkFile::ReadMap() {
    ChunkHeader header;
    if (chain_.ReadHeader(mapOffset_, header) != kResOk || (header.flags & kFlagFree) ||
        header.type != kTypeMap)
        return kResBadMap;
    ResEntry& mapEntry = table_.Append(kTypeMap, header.id, header.flags, header.name);
    table_.SetOffset(mapEntry, mapOffset_);
    MemoryBlock* block = LoadChunk(mapEntry, header, nullptr);
    if (!block) return kResBadChunk;

    ResTable decoded;
    IFFResMap map(decoded);
    SimpleReconObject<IFFResMap> record(map, kTypeMap);
    if (ReadRecord(block->Bytes(), record) != kResOk || !IsTrustedMapMarker(decoded))
        return kResBadChunk;
    // Two resources at one offset, or a chunk header past the end, cannot be the file's map.
    uint64_t fileLength = 0;
    if (file_.Length(fileLength) != kResOk) return kResBadChunk;
    std::vector<int64_t> offsets;
    for (const auto& type : decoded.Types()) {
        for (const auto& entry : type->entries) {
            if (static_cast<uint64_t>(entry->offset) + chain_.HeaderSize() > fileLength)
                return kResBadChunk;
            offsets.push_back(entry->offset);
        }
    }
    std::sort(offsets.begin(), offsets.end());
    if (std::adjacent_find(offsets.begin(), offsets.end()) != offsets.end()) return kResBadChunk;
    table_.Clear();
    table_.Adopt(decoded);
    return kResOk;
}

void IFFChunkFile::ScanChain() {
    uint64_t fileLength = 0;
    if (file_.Length(fileLength) != kResOk) return;
    uint64_t position = kFirstChunkOffset;
    ChunkHeader header;
    while (chain_.ReadLink(position, fileLength, header)) {
        if (header.flags & kFlagFree) {
            chain_.AddFreeBytes(header.size);
        } else {
            TakeScannedChunk(header, position);
        }
        position += header.size;
    }
}

MemoryBlock* IFFChunkFile::Load(ResEntry& entry, ConvertRoutine convert) {
    if (entry.block) return entry.block;
    if (!entry.OnDisk()) {
        SetResult(kResBadChunk);
        return nullptr;
    }
    ChunkHeader header;
    if (ResCode code = chain_.ReadHeader(static_cast<uint64_t>(entry.offset), header);
        code != kResOk) {
        SetResult(code);
        return nullptr;
    }
    return LoadChunk(entry, header, convert);
}

MemoryBlock* IFFChunkFile::LoadChunk(ResEntry& entry, const ChunkHeader& header,
                                     ConvertRoutine convert) {
    uint64_t fileLength = 0;
    if (ResCode code = file_.Length(fileLength); code != kResOk) {
        SetResult(code);
        return nullptr;
    }
    // The chunk must fit in the file before anything is allocated for it.
    if (!chain_.SizeIsPlausible(header.size) || header.type != entry.type->type ||
        header.size > fileLength - std::min<uint64_t>(fileLength, entry.offset)) {
        SetResult(kResBadChunk);
        return nullptr;
    }
    const uint32_t length = header.size - chain_.HeaderSize();
    MemoryBlock* block = NewBlock(length);
    if (!block) {
        SetResult(kResOutOfMemory);
        return nullptr;
    }
    if (ResCode code =
            file_.Read(entry.offset + chain_.HeaderSize(), block->Bytes().data(), length);
        code != kResOk) {
        DisposeBlock(block);
        SetResult(code);
        return nullptr;
    }
    if (!(entry.diskFlags & kFlagNative) && convert) {
        convert(block->Bytes().data(), length);
        entry.flags |= kFlagNative;
    }
    table_.Attach(entry, block);
    SetResult(kResOk);
    return block;
}

MemoryBlock* IFFChunkFile::Lookup(ResEntry* entry, ResCode missing, ConvertRoutine convert) {
    if (!file_.IsOpen()) {
        SetResult(kResNotOpen);
        return nullptr;
    }
    if (!entry) {
        SetResult(missing);
        return nullptr;
    }
    if (convert) entry->type->convert = convert;
    return Load(*entry, convert);
}

MemoryBlock* IFFChunkFile::GetResource(ResType type, int16_t id, ConvertRoutine convert) {
    return Lookup(table_.FindById(type, id, 0), kResNoSuchResource, convert);
}

MemoryBlock* IFFChunkFile::GetNamedResource(ResType type, std::string_view name,
                                            ConvertRoutine convert) {
    return Lookup(table_.FindByName(type, name), kResNoSuchName, convert);
}

MemoryBlock* IFFChunkFile::GetIndResource(ResType type, int position, ConvertRoutine convert) {
    return Lookup(table_.FindByPosition(type, position), kResNoSuchResource, convert);
}

MemoryBlock* IFFChunkFile::GetResourceEx(ResType type, int16_t id, uint8_t attribute,
                                         ConvertRoutine convert) {
    return Lookup(table_.FindById(type, id, attribute), kResNoSuchResource, convert);
}

ResCode IFFChunkFile::WriteFileHeader(uint32_t mapOffset) {
    const auto header = MakeHeader(mapOffset);
    return file_.Write(0, header.data(), header.size());
}

ResCode IFFChunkFile::InvalidateMap() {
    if (mapOffset_ == 0) return kResOk;
    // The header stops naming the map before its chunk is freed: a file stopped in between is
    // read by walking the chain, which leaves a map chunk out.
    if (ResCode code = WriteFileHeader(0); code != kResOk) return code;
    const uint32_t mapOffset = mapOffset_;
    mapOffset_ = 0;
    dirty_ = true;
    return chain_.FreeChunk(mapOffset);
}

ResCode IFFChunkFile::WriteEntry(ResTable& owner, ResEntry& entry) {
    if (!entry.block) return kResNotHeld;
    const size_t n = entry.block->Size();
    const uint32_t headerSize = chain_.HeaderSize();
    if (n > kMaxChunkSize - headerSize) return kResOutOfMemory;
    dirty_ = true;
    if (ResCode code = InvalidateMap(); code != kResOk) return code;
    if (entry.OnDisk()) {
        ChunkHeader existing;
        if (ResCode code = chain_.ReadHeader(entry.offset, existing); code != kResOk) return code;
        // Never free or overwrite a chunk that is not this resource's.
        if (existing.type != entry.type->type || !chain_.SizeIsPlausible(existing.size))
            return kResBadChunk;
        if (existing.size != n + headerSize) {
            if (ResCode code = chain_.FreeChunkLater(entry.offset); code != kResOk) return code;
            entry.superseded = entry.offset;
            owner.SetOffset(entry, ResEntry::kUnwritten);
        }
    }
    ChunkHeader header;
    header.type = entry.type->type;
    header.size = static_cast<uint32_t>(n + headerSize);
    header.id = entry.id;
    header.flags = entry.flags;
    NameChunkHeader(entry, header);
    const uint8_t* data = entry.block->Bytes().data();
    if (entry.OnDisk()) {
        if (ResCode code = chain_.WriteHeader(entry.offset, header); code != kResOk) return code;
        if (ResCode code = file_.Write(entry.offset + headerSize, data, n); code != kResOk)
            return code;
    } else {
        uint64_t position = 0;
        if (ResCode code = chain_.FindSpace(static_cast<uint32_t>(n), position); code != kResOk)
            return code;
        // Space is found only where no readable chunk is: an entry still pointing there (a map
        // naming a chunk past the chain's end) has no data left to read.
        if (ResEntry* stale = owner.FindByOffset(static_cast<int64_t>(position));
            stale && stale != &entry)
            owner.Remove(*stale);
        // The data goes in while the space still reads as free; the header makes it live.
        ResCode code = file_.Write(position + headerSize, data, n);
        if (code == kResOk) code = chain_.WriteHeader(position, header);
        if (code != kResOk) return code;
        owner.SetOffset(entry, static_cast<int64_t>(position));
    }
    entry.diskFlags = entry.flags;
    if (entry.superseded != ResEntry::kUnwritten) {
        const auto old = static_cast<uint64_t>(entry.superseded);
        entry.superseded = ResEntry::kUnwritten;
        if (ResCode code = chain_.Release(old); code != kResOk) return code;
    }
    return file_.Flush();
}

ResCode IFFChunkFile::WriteResource(MemoryBlock* block) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    if (!file_.IsWritable()) return SetResult(kResNotWritable);
    ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNotHeld);
    return SetResult(WriteEntry(table_, *entry));
}

ResCode IFFChunkFile::AddResource(MemoryBlock* block, ResType type, int16_t id,
                                  std::string_view name, DataOrder order) {
    return AddResourceEx(block, type, id, name, 0, order);
}

ResCode IFFChunkFile::AddResourceEx(MemoryBlock* block, ResType type, int16_t id,
                                    std::string_view name, uint8_t attribute, DataOrder order) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    if (!file_.IsWritable()) return SetResult(kResNotWritable);
    if (!block) return SetResult(kResNotHeld);
    // A block may belong to one entry only.
    ResEntry* holder = table_.EntryOf(block);
    ResEntry* entry = table_.FindById(type, id, attribute);
    if (holder && holder != entry) return SetResult(kResNotHeld);
    if (entry) {
        if (entry->block == block) table_.Detach(*entry);
        if (entry->OnDisk()) {
            if (ResCode code = InvalidateMap(); code != kResOk) return SetResult(code);
            // The old data stays on the disk until the new data is written.
            if (ResCode code = chain_.FreeChunkLater(entry->offset); code != kResOk)
                return SetResult(code);
            entry->superseded = entry->offset;
            dirty_ = true;
            table_.SetOffset(*entry, ResEntry::kUnwritten);
        }
        if (entry->block) {
            MemoryBlock* old = entry->block;
            table_.Detach(*entry);
            DisposeBlock(old);
        }
        if (ResCode code = file_.Flush(); code != kResOk) return SetResult(code);
    } else {
        entry = &table_.Append(type, id, 0, "");
    }
    table_.SetIdentity(*entry, id, std::string(name.substr(0, kMaxResNameLength)));
    entry->flags =
        static_cast<uint16_t>((order == DataOrder::Native ? kFlagNative : 0) | (attribute << 8));
    entry->diskFlags = 0;
    table_.Attach(*entry, block);
    // Close writes what was added but never written.
    dirty_ = true;
    return SetResult(kResOk);
}

ResCode IFFChunkFile::RemoveResource(MemoryBlock* block) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    if (!file_.IsWritable()) return SetResult(kResNotWritable);
    ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNotHeld);
    if (entry->OnDisk()) {
        dirty_ = true;
        if (ResCode code = InvalidateMap(); code != kResOk) return SetResult(code);
        ChunkHeader existing;
        if (ResCode code = chain_.ReadHeader(entry->offset, existing); code != kResOk)
            return SetResult(code);
        if (existing.type != entry->type->type) return SetResult(kResBadChunk);
        if (ResCode code = chain_.FreeChunk(entry->offset); code != kResOk) return SetResult(code);
    } else if (entry->superseded != ResEntry::kUnwritten) {
        // Replaced and then removed before the new data was written: the old data goes too.
        if (ResCode code = chain_.Release(static_cast<uint64_t>(entry->superseded)); code != kResOk)
            return SetResult(code);
    }
    table_.Remove(*entry);
    return SetResult(file_.Flush());
}

ResCode IFFChunkFile::SetResourceInfo(MemoryBlock* block, int16_t id, std::string_view name,
                                      uint8_t) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNotHeld);
    const std::string newName(name.substr(0, kMaxResNameLength));
    const bool changed = entry->id != id || entry->name != newName;
    if (!changed || !entry->OnDisk()) {
        table_.SetIdentity(*entry, id, newName);
        return SetResult(file_.Flush());
    }
    if (!file_.IsWritable()) return SetResult(kResNotWritable);
    ChunkHeader header;
    if (ResCode code = InvalidateMap(); code != kResOk) return SetResult(code);
    if (ResCode code = chain_.ReadHeader(entry->offset, header); code != kResOk)
        return SetResult(code);
    if (header.type != entry->type->type) return SetResult(kResBadChunk);
    table_.SetIdentity(*entry, id, newName);
    header.id = id;
    NameChunkHeader(*entry, header);
    dirty_ = true;
    if (ResCode code = chain_.WriteHeader(entry->offset, header); code != kResOk)
        return SetResult(code);
    return SetResult(file_.Flush());
}

ResCode IFFChunkFile::ChangeId(MemoryBlock* block, int16_t id) {
    ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNotHeld);
    const std::string name = entry->name;
    return SetResourceInfo(block, id, name, entry->Attribute());
}

ResCode IFFChunkFile::DetachResource(MemoryBlock* block) {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    ResEntry* entry = table_.EntryOf(block);
    if (!entry) return SetResult(kResNoSuchResource);
    // Handing back data that never reached the file would lose it.
    if (!entry->OnDisk()) {
        if (!file_.IsWritable()) return SetResult(kResNotWritable);
        if (ResCode code = WriteEntry(table_, *entry); code != kResOk) return SetResult(code);
    }
    table_.Detach(*entry);
    entry->flags = entry->diskFlags;
    return SetResult(kResOk);
}

ResCode IFFChunkFile::Update() {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    ResCode first = kResOk;
    const auto& types = table_.Types();
    for (size_t t = types.size(); t-- > 0;) {
        auto& entries = types[t]->entries;
        for (size_t e = entries.size(); e-- > 0;) {
            if (entries[e]->OnDisk()) continue;
            ResCode code = file_.IsWritable() ? WriteEntry(table_, *entries[e]) : kResNotWritable;
            if (first == kResOk) first = code;
        }
    }
    if (file_.IsWritable()) {
        const ResCode extras = UpdateExtras();
        if (first == kResOk) first = extras;
        const ResCode held = chain_.WriteHeldBack();
        if (first == kResOk) first = held;
    }
    return SetResult(first != kResOk ? first : file_.Flush());
}

ResCode IFFChunkFile::Compact() {
    const auto dropped = WritesMap() ? std::optional<ResType>(kTypeMap) : std::nullopt;
    return chain_.Compact(dropped, [this](uint64_t from, uint64_t to) { ChunkMoved(from, to); });
}

ResCode IFFChunkFile::WriteMap() {
    table_.RemoveType(kTypeMap);
    if (table_.FindExact(kTypeMap, 0, 0)) return kResOk;
    IFFResMap map(table_);
    SimpleReconObject<IFFResMap> record(map, kTypeMap);
    MemoryBlock* block = WriteRecord(record, 0);
    if (!block) return kResOutOfMemory;
    if (ResCode code = AddResource(block, kTypeMap, 0, "", DataOrder::Native); code != kResOk) {
        DisposeBlock(block);
        return code;
    }
    if (ResCode code = WriteResource(block); code != kResOk) return code;
    ResEntry* entry = table_.FindExact(kTypeMap, 0, 0);
    if (!entry || !entry->OnDisk()) return kResOk;
    mapOffset_ = static_cast<uint32_t>(entry->offset);
    return WriteFileHeader(mapOffset_);
}

ResCode IFFChunkFile::Close() {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    const bool writable = file_.IsWritable();
    ResCode code = kResOk;
    if (writable && dirty_) code = Update();
    if (code == kResOk && writable && mapOffset_ == 0 && dirty_ &&
        chain_.FreeBytes() > kCompactionThreshold)
        code = Compact();
    if (code == kResOk && writable && dirty_ && WritesMap()) code = WriteMap();
    table_.Clear();
    ForgetExtras();
    // Whatever is still held back guards data whose replacement never reached the file.
    chain_.DropHeldBack();
    const ResCode closed = file_.Close();
    dirty_ = false;
    mapOffset_ = 0;
    chain_.ResetFreeBytes();
    chain_.ResetRover();
    // A failure while writing must not be reported as a clean close.
    return SetResult(code != kResOk ? code : closed);
}

ResCode IFFChunkFile::Suspend() {
    if (!file_.IsOpen()) return SetResult(kResNotOpen);
    const std::string path = path_;
    ResCode code = Close();
    path_ = path;
    return SetResult(code);
}

ResCode IFFChunkFile::Resume() {
    if (path_.empty()) return SetResult(kResCannotOpen);
    const Access access = file_.IsWritableOnDisk(path_) ? Access::ReadWrite : Access::ReadOnly;
    ResCode code = Open(path_, access);
    chain_.ResetRover();
    return code;
}

}  // namespace marquill::resfile
