#include "resfile/RecordIO.h"

#include <algorithm>
#include <cstring>

namespace marquill::resfile {

MemoryBlock* WriteRecord(ReconObject& record, int32_t version) {
    ReconStream measure = ReconStream::ForMeasure();
    if (!record.Reconstitute(measure, version)) return nullptr;
    MemoryBlock* block = NewBlock(kRecordPrefixSize + measure.Position());
    if (!block) return nullptr;
    auto bytes = block->Bytes();
    const uint32_t code = record.Code();
    const auto v = static_cast<uint32_t>(version);
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = static_cast<uint8_t>(v >> (8 * i));
        bytes[8 + i] = static_cast<uint8_t>(code >> (8 * i));
    }
    ReconStream write = ReconStream::ForWrite(bytes.subspan(kRecordPrefixSize));
    if (!record.Reconstitute(write, version)) {
        DisposeBlock(block);
        return nullptr;
    }
    return block;
}

ResCode ReadRecord(std::span<const uint8_t> data, ReconObject& record, int32_t* version) {
    platform::ByteReader prefix(data);
    auto flag = prefix.u8();
    if (!flag || !prefix.skip(3)) return kResBadChunk;
    auto v = prefix.i32le();
    if (!v || !prefix.skip(4)) return kResBadChunk;
    ReconStream read = ReconStream::ForRead(prefix.rest(), *flag != 0);
    if (!record.Reconstitute(read, *v)) return kResBadChunk;
    if (version) *version = *v;
    return kResOk;
}

void ConvertRecord(uint8_t* data, size_t length) {
    if (length < kRecordPrefixSize) return;
    data[0] = 1;
    std::reverse(data + 4, data + 8);
    std::reverse(data + 8, data + 12);
}

ResCode StoreRecord(iResFile& file, ReconObject& record, int16_t id, int32_t version) {
    MemoryBlock* block = WriteRecord(record, version);
    if (!block) return BlockManager::Instance().LastError();
    if (ResCode code = file.AddResource(block, record.Code(), id, "", DataOrder::Native);
        code != kResOk) {
        // Adding fails only before the file takes the block.
        DisposeBlock(block);
        return code;
    }
    if (ResCode code = file.WriteResource(block); code != kResOk) {
        file.RemoveResource(block);
        return code;
    }
    if (ResCode code = file.DetachResource(block); code != kResOk) return code;
    return DisposeBlock(block);
}

ResCode LoadRecord(iResFile& file, ReconObject& record, int16_t id, int32_t* version) {
    MemoryBlock* block = file.GetResource(record.Code(), id, ConvertRecord);
    if (!block) return file.LastResult() != kResOk ? file.LastResult() : kResNoSuchResource;
    const ResCode code = ReadRecord(block->Bytes(), record, version);
    const ResCode released = Release(file, block);
    return code != kResOk ? code : released;
}

}  // namespace marquill::resfile
