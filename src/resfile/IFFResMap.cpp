#include "resfile/IFFResMap.h"

#include "resfile/ChunkChain.h"

namespace marquill::resfile {
namespace {

constexpr size_t kTypeRecordMinSize = 8;
constexpr size_t kResourceRecordMinSize = 9;

}  // namespace

bool IFFResMap::Reconstitute(ReconStream& stream, int32_t) {
    if (!stream.IsReading()) {
        auto typeCount = static_cast<uint32_t>(table_.Types().size());
        stream.UInt32(typeCount);
        for (const auto& type : table_.Types()) {
            uint32_t code = type->type;
            auto count = static_cast<uint32_t>(type->entries.size());
            stream.UInt32(code);
            stream.UInt32(count);
            for (const auto& entry : type->entries) {
                auto offset = static_cast<uint32_t>(entry->offset);
                int16_t id = entry->id;
                uint16_t flags = entry->diskFlags;
                stream.UInt32(offset);
                stream.Int16(id);
                stream.UInt16(flags);
                stream.String(entry->name);
            }
        }
        return !stream.Failed();
    }

    uint32_t typeCount = 0;
    if (!stream.UInt32(typeCount) || typeCount > stream.Remaining() / kTypeRecordMinSize)
        return false;
    for (uint32_t t = 0; t < typeCount; ++t) {
        uint32_t code = 0;
        uint32_t count = 0;
        if (!stream.UInt32(code) || !stream.UInt32(count) ||
            count > stream.Remaining() / kResourceRecordMinSize)
            return false;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t offset = 0;
            int16_t id = 0;
            uint16_t flags = 0;
            std::string name;
            if (!stream.UInt32(offset) || !stream.Int16(id) || !stream.UInt16(flags) ||
                !stream.String(name, kMaxResNameLength))
                return false;
            if (offset < kFirstChunkOffset) return false;
            ResEntry& entry = table_.Append(code, id, flags, std::move(name));
            table_.SetOffset(entry, offset);
        }
    }
    return !stream.Failed();
}

}  // namespace marquill::resfile
